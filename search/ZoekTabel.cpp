#include "search/ZoekTabel.h"

#include <QStringList>

namespace {

const char* const kDocumentTekst[] = {"szKontaktPersoon", "dwSoortDocument", "szDocument"};

ZoekTabel Document(ZoekTabel::Soort nSoort, const char* tabel) {
    return {nSoort,
            tabel,
            "dwIndex",
            "dwRelatieNummer",
            "dtModificatieDatum",
            "szInLijst",
            {"szInLijst"},
            {std::begin(kDocumentTekst), std::end(kDocumentTekst)},
            {},
            nullptr,
            ZoekTabel::RELATIE};
}

ZoekTabel Memo(ZoekTabel::Soort nSoort, const char* tabel, const char* ouder, int nOuderSoort) {
    return {nSoort,
            tabel,
            "dwIndex",
            ouder,
            "dtModificatie",
            "szInLijst",
            {"szInLijst"},
            {"szKontaktPersoon"},
            {},
            "szTekst",
            nOuderSoort};
}

const std::vector<ZoekTabel>& Tabellen() {
    static const std::vector<ZoekTabel> tabellen = {
        {ZoekTabel::RELATIE,
         "Relaties",
         "lRelatieNummer",
         nullptr,
         "dtModificatie",
         "szInLijst",
         {"szInLijst", "szVolleNaam"},
         {"szBezoekStraat", "szBezoekNummer", "szBezoekPostcode", "szBezoekWoonplaats",
          "szAfleverStraat", "szAfleverNummer", "szAfleverPostcode", "szAfleverPlaats", "szPostBus",
          "szEmailAdres", "szHomePage", "memAlgemeneMemo"},
         {"szTelefoon", "szTeleFax"},
         nullptr,
         -1},
        {ZoekTabel::PERSOON,
         "Personen",
         "IDnr",
         "dwRelatieNummer",
         nullptr,
         "coalesce(szAchterNaam, '') || ', ' || coalesce(szVoorNaam, '')",
         {"szAchterNaam", "szVoorNaam"},
         {"szEmail"},
         {"szTelefoon", "szAutoTelefoon", "szTelefax"},
         nullptr,
         ZoekTabel::RELATIE},
        Memo(ZoekTabel::RELATIEMEMO, "MemoRelatie", "dwRelatieNr", ZoekTabel::RELATIE),
        Document(ZoekTabel::OFFERTE, "Offertes"),
        Memo(ZoekTabel::OFFERTEMEMO, "MemoOfferte", "dwOfferteNr", ZoekTabel::OFFERTE),
        Document(ZoekTabel::CALCULATIE, "Calculaties"),
        Memo(ZoekTabel::CALCULATIEMEMO, "MemoCalculatie", "dwOfferteNr", ZoekTabel::CALCULATIE),
        Document(ZoekTabel::ORDER, "Orders"),
        Memo(ZoekTabel::ORDERMEMO, "MemoOrder", "dwOfferteNr", ZoekTabel::ORDER),
        Document(ZoekTabel::BESTELLING, "Bestelling"),
        Memo(ZoekTabel::BESTELLINGMEMO, "MemoBestelling", "dwOfferteNr", ZoekTabel::BESTELLING),
        {ZoekTabel::TEDOEN,
         "TeDoen",
         "dwIndex",
         nullptr,
         nullptr,
         "szTekst",
         {"szTekst"},
         {},
         {},
         nullptr,
         -1},
        {ZoekTabel::AFSPRAAK,
         "KalenderLijst",
         "dwIndex",
         nullptr,
         nullptr,
         "szTekst",
         {"szTekst"},
         {},
         {},
         nullptr,
         -1},
    };
    return tabellen;
}

} // namespace

const ZoekTabel& ZoekTabel::Van(int nSoort) {
    return Tabellen().at(size_t(nSoort));
}

const ZoekTabel* ZoekTabel::Zoek(const QString& strTabel) {
    for (const ZoekTabel& tabel : Tabellen()) {
        if (strTabel.compare(QLatin1String(tabel.tabel), Qt::CaseInsensitive) == 0) {
            return &tabel;
        }
    }
    return nullptr;
}

std::vector<int> ZoekTabel::Hoofdbestand() {
    std::vector<int> soorten;
    for (int n = 0; n < AFSPRAAK; ++n) {
        soorten.push_back(n);
    }
    return soorten;
}

std::vector<int> ZoekTabel::Afsprakenbestand() {
    return {AFSPRAAK};
}

QString ZoekTabel::Selectie() const {
    QStringList kolommen{QLatin1String(sleutel), ouder ? QLatin1String(ouder) : QStringLiteral("0"),
                         stempel ? QLatin1String(stempel) : QStringLiteral("NULL"),
                         QLatin1String(lijst)};
    for (const auto* groep : {&naam, &tekst, &nummers}) {
        for (const char* kolom : *groep) {
            kolommen << QLatin1String(kolom);
        }
    }
    if (rtf) {
        kolommen << QLatin1String(rtf);
    }
    return QStringLiteral("SELECT %1 FROM [%2]")
        .arg(kolommen.join(QStringLiteral(", ")), QLatin1String(tabel));
}

int ZoekTabel::AantalKolommen() const {
    return 4 + int(naam.size() + tekst.size() + nummers.size()) + (rtf ? 1 : 0);
}
