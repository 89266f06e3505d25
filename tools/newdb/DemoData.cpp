#include "tools/newdb/DemoData.h"

#include <cstdio>

namespace {

using V = CDemoStatement::Value;

const char* const kAchternamen[] = {
    "Jansen",  "de Vries", "van den Berg", "Bakker",    "Visser",   "Smit",     "Meijer",
    "de Boer", "Mulder",   "de Groot",     "Bos",       "Vos",      "Peters",   "Hendriks",
    "Dekker",  "Brouwer",  "de Wit",       "Dijkstra",  "Smits",    "de Graaf", "van der Meer",
    "Kok",     "Jacobs",   "de Haan",      "Vermeulen", "Schouten", "van Dijk", "Koster"};
const char* const kVoornamen[] = {"Jan",    "Piet",  "Kees",   "Marieke", "Sanne", "Henk",
                                  "Anouk",  "Joost", "Esther", "Willem",  "Fleur", "Ruud",
                                  "Ingrid", "Bram",  "Lotte",  "Gerrit",  "Noor",  "Thijs"};
const char* const kBranches[] = {"Installatietechniek", "Bouwbedrijf",     "Schilderwerken",
                                 "Transport",           "Metaalbewerking", "Hoveniers",
                                 "Elektrotechniek",     "Houthandel",      "Dakdekkers",
                                 "Loodgieters",         "Automatisering",  "Drukkerij"};
const char* const kVormen[] = {"B.V.", "V.O.F.", "& Zn.", "", "Holding B.V."};
const char* const kStraten[] = {"Dorpsstraat",   "Kerkstraat", "Molenweg",      "Industrieweg",
                                "Stationsplein", "Havenkade",  "Nieuwe Gracht", "Beukenlaan",
                                "Oranjestraat",  "Lindelaan"};
const char* const kPlaatsen[] = {"Amersfoort", "Zwolle",     "Deventer", "Utrecht", "Apeldoorn",
                                 "Ede",        "Harderwijk", "Leusden",  "Kampen",  "Nijkerk"};
const char* const kAfdelingen[] = {"Inkoop",        "Verkoop",           "Directie",
                                   "Administratie", "Werkvoorbereiding", "Magazijn"};
const char* const kFuncties[] = {"Inkoper",    "Directeur",      "Projectleider",
                                 "Boekhouder", "Bedrijfsleider", ""};
const char* const kSoorten[] = {"Microsoft Exel document",
                                "Microsoft Word Document",
                                "Microsoft Access Document",
                                "Text document",
                                "Autodesk Autocad document",
                                "Paint Document",
                                "HTML pagina"};
const char* const kExtensies[] = {"xls", "doc", "mdb", "txt", "dwg", "bmp", "htm"};
const char* const kOnderwerpen[] = {"Telefoongesprek",  "Bezoek op locatie",     "Klacht levering",
                                    "Afspraak prijzen", "Nieuwe contactpersoon", "Betaling"};
const char* const kMemoTeksten[] = {
    "Gebeld over de levering van volgende week.",
    "Prijsafspraak bevestigd: 5% korting bij afname boven 1000 stuks.",
    "Klant vraagt om een nieuwe offerte voor het onderhoud.",
    "Caf\\'e9 aan de overkant is ook ge\\'efnteresseerd.",
    "Factuur nog niet betaald, herinnering gestuurd."};
const char* const kDocumenten[] = {
    "Onderhoudscontract", "Uitbreiding kantoor", "Nieuwbouw hal", "Renovatie dak",
    "Jaarorder",          "Levering materiaal",  "Reparatie",     "Installatie"};
const char* const kTaken[] = {"Offerte nabellen",    "Facturen controleren", "Voorraad tellen",
                              "Bestelling plaatsen", "Website bijwerken",    "BTW-aangifte"};
const char* const kAfspraken[] = {"Bezoek klant", "Overleg leverancier", "Tandarts",
                                  "Keuring bus",  "Jaargesprek",         "Beurs"};

QByteArray Num(qint64 n) {
    return QByteArray::number(n);
}

} // namespace

CDemoData::CDemoData(CDaoEngine& engine)
    : m_random(20240601), m_vandaag(QDate::currentDate()),
      m_relatie(engine,
                "INSERT INTO Relaties (dtModificatie, bKlantJaNee, bLeverancierJaNee, "
                "bPriveJaNee, szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, "
                "szBezoekPostcode, szBezoekWoonplaats, szTelefoon, szTeleFax, szEmailAdres, "
                "szHomePage, szBtwNummer, szAfleverStraat, szAfleverNummer, "
                "szAfleverPostcode, szAfleverPlaats, memAlgemeneMemo, szPostBus) VALUES "
                "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
      m_persoon(engine,
                "INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam, szTelefoon, "
                "szAutoTelefoon, szTelefax, szEmail, szAfdeling, szFunctie) VALUES "
                "(?,?,?,?,?,?,?,?,?)"),
      m_relatieMemo(engine, "INSERT INTO MemoRelatie (dwRelatieNr, szKontaktPersoon, szTekst, "
                            "szInLijst, dtDatumCreatie, dtModificatie, iGestuurdVia) VALUES "
                            "(?,?,?,?,?,?,0)"),
      m_offerte(engine, "INSERT INTO Offertes (dwRelatieNummer, dtCreateDatum, dtModificatieDatum, "
                        "szDocument, szKontaktPersoon, szInLijst, dwSoortDocument, dtVervalDatum, "
                        "dwStatusOfferte) VALUES (?,?,?,?,?,?,?,?,?)"),
      m_calculatie(engine, "INSERT INTO Calculaties (dwRelatieNummer, dtCreateDatum, "
                           "dtModificatieDatum, szDocument, szKontaktPersoon, szInLijst, "
                           "dwSoortDocument) VALUES (?,?,?,?,?,?,?)"),
      m_order(engine, "INSERT INTO Orders (dwRelatieNummer, dtCreateDatum, dtModificatieDatum, "
                      "szDocument, szKontaktPersoon, szInLijst, dwSoortDocument) VALUES "
                      "(?,?,?,?,?,?,?)"),
      m_bestelling(engine, "INSERT INTO Bestelling (dwRelatieNummer, dtCreateDatum, "
                           "dtModificatieDatum, szDocument, szKontaktPersoon, szInLijst, "
                           "dwSoortDocument) VALUES (?,?,?,?,?,?,?)"),
      m_documentMemo{{engine, "INSERT INTO MemoOfferte (dwOfferteNr, szKontaktPersoon, szTekst, "
                              "szInLijst, dtDatumCreatie, dtModificatie, iGestuurdVia) VALUES "
                              "(?,?,?,?,?,?,0)"},
                     {engine, "INSERT INTO MemoCalculatie (dwOfferteNr, szKontaktPersoon, szTekst, "
                              "szInLijst, dtDatumCreatie, dtModificatie, iGestuurdVia) VALUES "
                              "(?,?,?,?,?,?,0)"},
                     {engine, "INSERT INTO MemoOrder (dwOfferteNr, szKontaktPersoon, szTekst, "
                              "szInLijst, dtDatumCreatie, dtModificatie, iGestuurdVia) VALUES "
                              "(?,?,?,?,?,?,0)"},
                     {engine, "INSERT INTO MemoBestelling (dwOfferteNr, szKontaktPersoon, szTekst, "
                              "szInLijst, dtDatumCreatie, dtModificatie, iGestuurdVia) VALUES "
                              "(?,?,?,?,?,?,0)"}},
      m_teDoen(engine, "INSERT INTO TeDoen (lPrio, szTekst, dtDatumTijd) VALUES (?,?,?)"),
      m_afspraak(engine, "INSERT INTO KalenderLijst (szTekst, dtDatumTijdAlarm, bGemeld) VALUES "
                         "(?,?,?)") {}

void CDemoData::Vul(int nRelaties) {
    for (int nr = 1; nr <= nRelaties; ++nr) {
        VulRelatie(nr);
    }
    VoegAgendaToe(nRelaties);
}

void CDemoData::VulRelatie(int nr) {
    const int soort = Kans(20);
    const bool bPrive = soort >= 18;
    const bool bLeverancier = !bPrive && soort >= 11;
    const bool bKlant = !bPrive && (soort < 11 || soort >= 16);
    const qint64 relatie = VoegRelatieToe(bKlant, bLeverancier, bPrive);
    VoegPersonenToe(relatie, bPrive ? Kans(2) : Kans(4));
    VoegRelatieMemosToe(relatie, Kans(3));
    VoegDocumentenToe(relatie, bKlant, bLeverancier);
    // Now and then a document is begun before its relation is chosen.
    if (nr % 40 == 0) {
        VoegDocumentToe(nr / 40 % 4, 0);
    }
}

qint64 CDemoData::VoegRelatieToe(bool bKlant, bool bLeverancier, bool bPrive) {
    const QByteArray achternaam = Kies(kAchternamen);
    const QByteArray plaats = Kies(kPlaatsen);
    QByteArray inLijst;
    QByteArray volleNaam;
    QByteArray domein;
    if (bPrive) {
        inLijst = achternaam + ", " + QByteArray(Kies(kVoornamen)).left(1) + ".";
        volleNaam = QByteArray(Kies(kVoornamen)) + ' ' + achternaam;
    } else {
        const QByteArray branche = Kies(kBranches);
        inLijst = achternaam + ' ' + branche + ", " + plaats;
        volleNaam = (achternaam + ' ' + branche + ' ' + Kies(kVormen)).trimmed();
        domein = QByteArray(achternaam + '-' + branche).toLower().replace(' ', "") + ".nl";
    }
    const QByteArray postcode =
        Num(1000 + Kans(9000)) + ' ' + char('A' + Kans(26)) + char('A' + Kans(26));
    const bool bAfleveren = !bPrive && Kans(4) == 0;
    return m_relatie.Run({Datum(-1500, 1500),
                          qint64(bKlant),
                          qint64(bLeverancier),
                          qint64(bPrive),
                          inLijst,
                          volleNaam,
                          QByteArray(Kies(kStraten)),
                          Num(1 + Kans(180)),
                          postcode,
                          plaats,
                          Telefoon(),
                          bPrive ? QByteArray() : Telefoon(),
                          domein.isEmpty() ? QByteArray() : "info@" + domein,
                          domein.isEmpty() ? QByteArray() : "www." + domein,
                          bPrive ? QByteArray() : "NL" + Num(100000000 + Kans(899999999)) + "B01",
                          bAfleveren ? QByteArray(Kies(kStraten)) : QByteArray(),
                          bAfleveren ? Num(1 + Kans(90)) : QByteArray(),
                          bAfleveren ? postcode : QByteArray(),
                          bAfleveren ? QByteArray(Kies(kPlaatsen)) : QByteArray(),
                          Kans(5) == 0 ? QByteArray("Alleen 's ochtends bellen") : QByteArray(),
                          Kans(8) == 0 ? "Postbus " + Num(1 + Kans(999)) : QByteArray()});
}

void CDemoData::VoegPersonenToe(qint64 relatie, int aantal) {
    for (int i = 0; i < aantal; ++i) {
        const QByteArray voornaam = Kies(kVoornamen);
        const QByteArray achternaam = Kies(kAchternamen);
        m_persoon.Run({relatie, voornaam, achternaam, Telefoon(),
                       Kans(2) ? "06-" + Num(10000000 + Kans(89999999)) : QByteArray(),
                       Kans(3) ? QByteArray() : Telefoon(),
                       (voornaam + '.' + achternaam).toLower().replace(' ', "") + "@example.nl",
                       QByteArray(Kies(kAfdelingen)), QByteArray(Kies(kFuncties))});
    }
}

void CDemoData::VoegRelatieMemosToe(qint64 relatie, int aantal) {
    for (int i = 0; i < aantal; ++i) {
        const QByteArray datum = Datum(-1200, 1200);
        m_relatieMemo.Run({relatie, QByteArray("<Kontakt persoon>"), Rtf(Kies(kMemoTeksten)),
                           QByteArray(Kies(kOnderwerpen)), datum, datum});
    }
}

void CDemoData::VoegDocumentenToe(qint64 relatie, bool bKlant, bool bLeverancier) {
    if (bKlant) {
        for (int n = Kans(5); n > 0; --n) {
            VoegDocumentToe(0, relatie);
        }
        for (int n = Kans(3); n > 0; --n) {
            VoegDocumentToe(1, relatie);
        }
        for (int n = Kans(3); n > 0; --n) {
            VoegDocumentToe(2, relatie);
        }
    }
    if (bLeverancier) {
        for (int n = Kans(3); n > 0; --n) {
            VoegDocumentToe(3, relatie);
        }
    }
}

// soort: 0 quotation, 1 calculation, 2 order, 3 purchase order.
qint64 CDemoData::VoegDocumentToe(int soort, qint64 relatie) {
    const int kind = Kans(7);
    const QByteArray titel = QByteArray(Kies(kDocumenten)) + ' ' + Num(1000 + Kans(9000));
    const QByteArray pad = "C:\\Mijn documenten\\" + titel + '.' + kExtensies[kind];
    const QByteArray aangemaakt = Datum(-1000, 990);
    const QByteArray kontakt = relatie ? Kies(kVoornamen) + QByteArray(" ") + Kies(kAchternamen)
                                       : QByteArray("<Kontakt Persoon>");
    qint64 nummer = 0;
    if (soort == 0) {
        nummer = m_offerte.Run({relatie, aangemaakt, aangemaakt, pad, kontakt, titel,
                                QByteArray(kSoorten[kind]), Datum(-300, 600), qint64(Kans(4))});
    } else {
        CDemoStatement& insert = soort == 1 ? m_calculatie : soort == 2 ? m_order : m_bestelling;
        nummer = insert.Run(
            {relatie, aangemaakt, aangemaakt, pad, kontakt, titel, QByteArray(kSoorten[kind])});
    }
    if (Kans(2) == 0) {
        m_documentMemo[soort].Run({nummer, kontakt, Rtf(Kies(kMemoTeksten)),
                                   QByteArray(Kies(kOnderwerpen)), aangemaakt, aangemaakt});
    }
    return nummer;
}

void CDemoData::VoegAgendaToe(int nRelaties) {
    const int aantal = std::max(10, nRelaties / 20);
    for (int i = 0; i < aantal; ++i) {
        m_teDoen.Run({qint64(i % 10), QByteArray(Kies(kTaken)), Datum(-30, 90)});
    }
    VulAfspraken(aantal);
}

// From tomorrow on: a first start shows a full agenda, not a row of alarms.
void CDemoData::VulAfspraken(int aantal) {
    for (int i = 0; i < aantal; ++i) {
        m_afspraak.Run({QByteArray(Kies(kAfspraken)), Datum(1, kAfsprakenDagen - 1), qint64(0)});
    }
}

// A date and time dagenBereik days from dagenVanaf days after today, in office hours.
QByteArray CDemoData::Datum(int dagenVanaf, int dagenBereik) {
    const QDate dag = m_vandaag.addDays(dagenVanaf + Kans(dagenBereik + 1));
    const int uur = 8 + Kans(10);
    const int minuut = Kans(4) * 15;
    // Formatted by hand: going through local time would read the time zone every time.
    char tekst[32];
    std::snprintf(tekst, sizeof tekst, "%04d-%02d-%02d %02d:%02d:00", dag.year(), dag.month(),
                  dag.day(), uur, minuut);
    return tekst;
}

QByteArray CDemoData::Rtf(const QByteArray& tekst) const {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
           "\\viewkind4\\uc1\\pard\\f0\\fs20 " +
           tekst + "\\par\n}";
}

QByteArray CDemoData::Telefoon() {
    return "0" + Num(10 + Kans(89)) + "-" + Num(1000000 + Kans(8999999));
}
