#include "exchange/VCardImport.h"

#include "exchange/MemoTekst.h"
#include "exchange/VCardLezer.h"
#include "exchange/VCardVertaling.h"
#include "platform/dao/DaoDatabase.h"
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
    const COleDateTime nu = COleDateTime::GetCurrentTime();
    rs.dtModificatie = r.gewijzigd.IsValid() ? r.gewijzigd : nu;
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

} // namespace

CVCardImport::CVCardImport(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

QString CVCardImport::Sleutel(const QString& naam) {
    return naam.simplified().toCaseFolded();
}

QString CVCardImport::PersoonSleutel(const Doel& doel, const QString& voorNaam,
                                     const QString& achterNaam) {
    return QStringLiteral("%1/%2\x1f%3\x1f%4")
        .arg(doel.lBestaand)
        .arg(doel.nNieuw)
        .arg(Sleutel(voorNaam), Sleutel(achterNaam));
}

void CVCardImport::LeesBestaande() {
    CRecRelatie relatie(m_pDatabase);
    relatie.m_strSort = QStringLiteral("lRelatieNummer");
    for (relatie.Open(); !relatie.IsEOF(); relatie.MoveNext()) {
        m_bestaandeRelaties.insert(Sleutel(relatie.szInLijst), relatie.lRelatieNummer);
    }
    CRecPersoon persoon(m_pDatabase);
    persoon.m_strSort = QStringLiteral("IDnr");
    for (persoon.Open(); !persoon.IsEOF(); persoon.MoveNext()) {
        Doel doel;
        doel.lBestaand = persoon.dwRelatieNummer;
        m_bestaandePersonen.insert(PersoonSleutel(doel, persoon.szVoorNaam, persoon.szAchterNaam));
    }
}

CVCardImport::Doel CVCardImport::ZoekRelatie(const QString& naam) {
    Doel doel;
    const QString sleutel = Sleutel(naam);
    doel.lBestaand = m_bestaandeRelaties.value(sleutel, 0);
    doel.nNieuw = m_nieuweRelatieIndex.value(sleutel, -1);
    return doel;
}

bool CVCardImport::NeemRelatie(const VCardRelatie& relatie) {
    const Doel doel = ZoekRelatie(relatie.inLijst);
    if (doel.lBestaand || doel.nNieuw >= 0) {
        return false;
    }
    m_nieuweRelatieIndex.insert(Sleutel(relatie.inLijst), int(m_relaties.size()));
    m_relaties.push_back(relatie);
    return true;
}

// A person whose organisation has no card of its own brings a relation of that name.
bool CVCardImport::NeemPersoon(const VCardPersoon& persoon) {
    Doel doel = ZoekRelatie(persoon.relatie);
    if (!doel.lBestaand && doel.nNieuw < 0) {
        VCardRelatie relatie;
        relatie.inLijst = persoon.relatie;
        relatie.volleNaam = persoon.relatie;
        NeemRelatie(relatie);
        doel = ZoekRelatie(persoon.relatie);
    }
    const QString sleutel = PersoonSleutel(doel, persoon.voorNaam, persoon.achterNaam);
    if (m_bestaandePersonen.contains(sleutel)) {
        return false;
    }
    m_bestaandePersonen.insert(sleutel);
    m_personen.push_back({doel, persoon});
    return true;
}

// Relations first, persons after, so that a person card standing before the card of its
// organisation still finds that organisation's own details.
void CVCardImport::Lees(const QByteArray& data) {
    const VCardLeesResultaat resultaat = CVCardLezer::Lees(data);
    m_fouten = resultaat.fouten;
    LeesBestaande();
    QList<CVCardVertaling::Gelezen> gelezen;
    QList<bool> nieuw;
    for (const VCardKaart& kaart : resultaat.kaarten) {
        // A group card only lists other cards; its members come in on their own cards.
        const bool groep =
            kaart.Tekst("KIND").compare(QLatin1String("group"), Qt::CaseInsensitive) == 0;
        gelezen.push_back(groep ? CVCardVertaling::Gelezen() : CVCardVertaling::Lees(kaart));
        if (groep) {
            m_fouten << QStringLiteral(
                            "Kaart op regel %1: een groep wordt niet ingelezen, alleen de kaarten "
                            "van de leden.")
                            .arg(kaart.regel);
        } else if (!gelezen.back().relatie && !gelezen.back().persoon) {
            m_fouten
                << QStringLiteral("Kaart op regel %1: de kaart heeft geen naam.").arg(kaart.regel);
        }
        nieuw.push_back(false);
    }
    for (qsizetype i = 0; i < gelezen.size(); ++i) {
        if (gelezen[i].relatie) {
            nieuw[i] = NeemRelatie(*gelezen[i].relatie);
        }
    }
    for (qsizetype i = 0; i < gelezen.size(); ++i) {
        if (gelezen[i].persoon) {
            nieuw[i] = NeemPersoon(*gelezen[i].persoon) || nieuw[i];
        }
        if (!nieuw[i] && (gelezen[i].relatie || gelezen[i].persoon)) {
            ++m_nOvergeslagen;
        }
    }
}

QString CVCardImport::Samenvatting() const {
    return QStringLiteral("%1 relaties, %2 personen nieuw; %3 overgeslagen omdat ze al bestaan")
        .arg(NieuweRelaties())
        .arg(NieuwePersonen())
        .arg(Overgeslagen());
}

void CVCardImport::Bewaar(const Voortgang& voortgang) {
    CRecRelatie relatie(m_pDatabase);
    CRecRelatieMemo memo(m_pDatabase);
    CRecPersoon persoon(m_pDatabase);
    OpenLeeg(relatie, "lRelatieNummer");
    OpenLeeg(memo, "dwIndex");
    OpenLeeg(persoon, "IDnr");
    const int totaal = NieuweRelaties() + NieuwePersonen();
    int gedaan = 0;
    QList<LONG> nummers;
    relatie.BeginTrans();
    try {
        for (const VCardRelatie& r : m_relaties) {
            if (voortgang && !voortgang(gedaan++, totaal)) {
                relatie.Rollback();
                return;
            }
            relatie.AddNew();
            Vul(relatie, r);
            relatie.Update();
            const LONG lNummer = LONG(relatie.GetLastModifiedBookmark().toLongLong());
            nummers.push_back(lNummer);
            for (const VCardMemo& m : r.memos) {
                const COleDateTime nu = COleDateTime::GetCurrentTime();
                memo.AddNew();
                memo.dwRelatieNr = lNummer;
                memo.szKontaktPersoon = QStringLiteral("<Kontakt persoon>");
                memo.szTekst = CMemoTekst::NaarRtf(m.tekst);
                memo.szInLijst = m.onderwerp;
                memo.dtDatumCreatie = nu;
                memo.dtModificatie = nu;
                memo.iGestuurdVia = 0;
                memo.Update();
            }
        }
        for (const auto& [doel, p] : m_personen) {
            if (voortgang && !voortgang(gedaan++, totaal)) {
                relatie.Rollback();
                return;
            }
            persoon.AddNew();
            Vul(persoon, doel.nNieuw >= 0 ? nummers[doel.nNieuw] : doel.lBestaand, p);
            persoon.Update();
        }
        relatie.CommitTrans();
    } catch (...) {
        relatie.Rollback();
        throw;
    }
}
