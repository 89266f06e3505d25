#include "exchange/VCardExport.h"

#include "exchange/MemoTekst.h"
#include "exchange/VCardSchrijver.h"
#include "exchange/VCardVertaling.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"

#include <QHash>

namespace {

QString Filter(const char* kolom, LONG lRelatie) {
    return lRelatie ? QStringLiteral("[%1] = %2").arg(QLatin1String(kolom)).arg(lRelatie)
                    : QString();
}

VCardRelatie AlsKaart(const CRecRelatie& r) {
    VCardRelatie k;
    k.inLijst = r.szInLijst;
    k.volleNaam = r.szVolleNaam;
    k.bezoekStraat = r.szBezoekStraat;
    k.bezoekNummer = r.szBezoekNummer;
    k.bezoekPostcode = r.szBezoekPostcode;
    k.bezoekWoonplaats = r.szBezoekWoonplaats;
    k.telefoon = r.szTelefoon;
    k.fax = r.szTeleFax;
    k.email = r.szEmailAdres;
    k.homePage = r.szHomePage;
    k.btwNummer = r.szBtwNummer;
    k.afleverStraat = r.szAfleverStraat;
    k.afleverNummer = r.szAfleverNummer;
    k.afleverPostcode = r.szAfleverPostcode;
    k.afleverPlaats = r.szAfleverPlaats;
    k.algemeneMemo = r.memAlgemeneMemo;
    k.postBus = r.szPostBus;
    k.klant = r.bKlantJaNee;
    k.leverancier = r.bLeverancierJaNee;
    k.prive = r.bPriveJaNee;
    k.gewijzigd = r.dtModificatie;
    return k;
}

VCardPersoon AlsKaart(const CRecPersoon& p, const QString& relatie) {
    return {relatie,     p.szVoorNaam, p.szAchterNaam, p.szTelefoon, p.szAutoTelefoon,
            p.szTelefax, p.szEmail,    p.szAfdeling,   p.szFunctie,  QString()};
}

} // namespace

CVCardExport::CVCardExport(CDaoDatabase* pDatabase, bool bVersie3)
    : m_pDatabase(pDatabase), m_bVersie3(bVersie3) {}

// Persons and memos are read in one walk each and grouped by relation, instead of one
// selection per relation.
QByteArray CVCardExport::Exporteer(LONG lRelatie, const Voortgang& voortgang) {
    m_nKaarten = 0;
    QHash<LONG, QList<VCardMemo>> memos;
    CRecRelatieMemo memo(m_pDatabase);
    memo.m_strFilter = Filter("dwRelatieNr", lRelatie);
    memo.m_strSort = QStringLiteral("dwRelatieNr, dwIndex");
    for (memo.Open(); !memo.IsEOF(); memo.MoveNext()) {
        memos[memo.dwRelatieNr].push_back({memo.szInLijst, CMemoTekst::NaarTekst(memo.szTekst),
                                           memo.dtDatumCreatie, memo.dtModificatie});
    }
    memo.Close();

    QHash<LONG, QList<int>> personenVan;
    CRecPersoon persoon(m_pDatabase);
    persoon.m_strFilter = Filter("dwRelatieNummer", lRelatie);
    persoon.m_strSort = QStringLiteral("dwRelatieNummer, IDnr");
    QList<VCardPersoon> personen;
    for (persoon.Open(); !persoon.IsEOF(); persoon.MoveNext()) {
        personenVan[persoon.dwRelatieNummer].push_back(int(personen.size()));
        personen.push_back(AlsKaart(persoon, QString()));
    }
    persoon.Close();

    CVCardSchrijver schrijver(m_bVersie3);
    CRecRelatie relatie(m_pDatabase);
    relatie.m_strFilter = Filter("lRelatieNummer", lRelatie);
    relatie.m_strSort = QStringLiteral("szInLijst");
    relatie.Open();
    int totaal = 0;
    if (!relatie.IsEOF()) {
        relatie.MoveLast();
        totaal = int(relatie.GetRecordCount());
        relatie.MoveFirst();
    }
    for (int gedaan = 0; !relatie.IsEOF(); relatie.MoveNext(), ++gedaan) {
        if (voortgang && !voortgang(gedaan, totaal)) {
            return {};
        }
        VCardRelatie kaart = AlsKaart(relatie);
        kaart.memos = memos.value(relatie.lRelatieNummer);
        CVCardVertaling::SchrijfRelatie(schrijver, kaart);
        ++m_nKaarten;
        for (int i : personenVan.value(relatie.lRelatieNummer)) {
            personen[i].relatie = relatie.szInLijst;
            CVCardVertaling::SchrijfPersoon(schrijver, personen[i]);
            ++m_nKaarten;
        }
    }
    return schrijver.Neem();
}
