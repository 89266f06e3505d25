#include "exchange/RelatieOpslag.h"

#include "exchange/MemoTekst.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"

namespace {

// A recordset positioned for adding only: opening it on no rows costs nothing.
template <typename Rec> void OpenLeeg(Rec& rs, const char* sleutel) {
    rs.m_strFilter = QStringLiteral("[%1] = 0").arg(QLatin1String(sleutel));
    rs.Open();
}

void Vul(CRecRelatie& rs, const VCardRelatie& r) {
    rs.dtModificatie = r.gewijzigd.IsValid() ? r.gewijzigd : COleDateTime::GetCurrentTime();
    rs.bKlantJaNee = r.klant;
    rs.bLeverancierJaNee = r.leverancier;
    rs.bPriveJaNee = r.prive;
    rs.szInLijst = r.inLijst;
    rs.szVolleNaam = r.volleNaam;
    rs.szBezoekStraat = r.bezoekStraat;
    rs.szBezoekNummer = r.bezoekNummer;
    rs.szBezoekPostcode = r.bezoekPostcode;
    rs.szBezoekWoonplaats = r.bezoekWoonplaats;
    rs.szTelefoon = r.telefoon;
    rs.szTeleFax = r.fax;
    rs.szEmailAdres = r.email;
    rs.szHomePage = r.homePage;
    rs.szBtwNummer = r.btwNummer;
    rs.szAfleverStraat = r.afleverStraat;
    rs.szAfleverNummer = r.afleverNummer;
    rs.szAfleverPostcode = r.afleverPostcode;
    rs.szAfleverPlaats = r.afleverPlaats;
    rs.memAlgemeneMemo = r.algemeneMemo;
    rs.szPostBus = r.postBus;
}

void Vul(CRecPersoon& rs, LONG lRelatie, const VCardPersoon& p) {
    rs.dwRelatieNummer = lRelatie;
    rs.szVoorNaam = p.voorNaam;
    rs.szAchterNaam = p.achterNaam;
    rs.szTelefoon = p.telefoon;
    rs.szAutoTelefoon = p.autoTelefoon;
    rs.szTelefax = p.fax;
    rs.szEmail = p.email;
    rs.szAfdeling = p.afdeling;
    rs.szFunctie = p.functie;
}

void VoegToe(CRecRelatieMemo& rs, LONG lRelatie, const VCardMemo& m) {
    const COleDateTime nu = COleDateTime::GetCurrentTime();
    rs.AddNew();
    rs.dwRelatieNr = lRelatie;
    rs.szKontaktPersoon = QStringLiteral("<Kontakt persoon>");
    rs.szTekst = CMemoTekst::NaarRtf(m.tekst);
    rs.szInLijst = m.onderwerp;
    rs.dtDatumCreatie = m.aangemaakt.IsValid() ? m.aangemaakt : nu;
    rs.dtModificatie = m.gewijzigd.IsValid() ? m.gewijzigd : rs.dtDatumCreatie;
    rs.iGestuurdVia = 0;
    rs.Update();
}

} // namespace

void CRelatieOpslag::Bewaar(CDaoDatabase* pDatabase, const QList<VCardRelatie>& relaties,
                            const QList<Persoon>& personen, const Voortgang& voortgang) {
    CRecRelatie relatie(pDatabase);
    CRecRelatieMemo memo(pDatabase);
    CRecPersoon persoon(pDatabase);
    OpenLeeg(relatie, "lRelatieNummer");
    OpenLeeg(memo, "dwIndex");
    OpenLeeg(persoon, "IDnr");
    const int totaal = int(relaties.size() + personen.size());
    int gedaan = 0;
    QList<LONG> nummers;
    relatie.BeginTrans();
    try {
        for (const VCardRelatie& r : relaties) {
            if (voortgang && !voortgang(gedaan++, totaal)) {
                relatie.Rollback();
                return;
            }
            relatie.AddNew();
            Vul(relatie, r);
            relatie.Update();
            nummers.push_back(LONG(relatie.GetLastModifiedBookmark().toLongLong()));
            for (const VCardMemo& m : r.memos) {
                VoegToe(memo, nummers.back(), m);
            }
        }
        for (const auto& [doel, p] : personen) {
            if (voortgang && !voortgang(gedaan++, totaal)) {
                relatie.Rollback();
                return;
            }
            const LONG lRelatie = doel.nNieuw >= 0 ? nummers[doel.nNieuw] : doel.lBestaand;
            persoon.AddNew();
            Vul(persoon, lRelatie, p);
            persoon.Update();
            if (!p.overig.isEmpty()) {
                const QString naam = (p.voorNaam + QLatin1Char(' ') + p.achterNaam).trimmed();
                VoegToe(memo, lRelatie,
                        {QLatin1String(kOverigOnderwerp), naam + QLatin1Char('\n') + p.overig,
                         COleDateTime::Null(), COleDateTime::Null()});
            }
        }
        relatie.CommitTrans();
    } catch (...) {
        relatie.Rollback();
        throw;
    }
}
