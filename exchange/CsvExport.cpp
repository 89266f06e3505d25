#include "exchange/CsvExport.h"

#include "exchange/CsvFormule.h"
#include "exchange/UitwisselFout.h"
#include "store/RecBestelling.h"
#include "store/RecCalculatie.h"
#include "store/RecOfferte.h"
#include "store/RecOrder.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"

#include <QCoreApplication>

namespace {

QString Datum(const COleDateTime& datum) {
    return datum.IsValid() ? datum.ToQDate().toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

QString JaNee(BOOL b) {
    return b ? QStringLiteral("ja") : QStringLiteral("nee");
}

// An unknown stored status keeps its number, so the sheet shows what is there.
QString Status(LONG status) {
    const QString tekst = CRecOfferte::StatusTekst(status);
    return tekst.isEmpty() ? QString::number(status) : tekst;
}

} // namespace

QStringList CCsvExport::Tabbladen() {
    return {QStringLiteral("relaties"), QStringLiteral("personen"),
            QStringLiteral("offertes"), QStringLiteral("calculaties"),
            QStringLiteral("orders"),   QStringLiteral("bestellingen")};
}

// A field is quoted only when it must be: separator, quote or line break inside, or
// spaces at its ends that a spreadsheet would otherwise drop. A text that a spreadsheet
// would run as a formula is written so that it shows as text.
QByteArray CCsvExport::Veld(const QString& waarde) {
    QByteArray tekst = CCsvFormule::Bescherm(waarde).toUtf8();
    if (tekst.contains(';') || tekst.contains('"') || tekst.contains('\n') ||
        tekst.contains('\r') || tekst != tekst.trimmed()) {
        tekst.replace("\"", "\"\"");
        return '"' + tekst + '"';
    }
    return tekst;
}

void CCsvExport::Regel(const QStringList& velden) {
    for (qsizetype i = 0; i < velden.size(); ++i) {
        if (i) {
            m_uit += ';';
        }
        m_uit += Veld(velden[i]);
    }
    m_uit += "\r\n";
    ++m_nRegels;
}

QByteArray CCsvExport::Exporteer(const QString& tabblad) {
    m_uit = "\xEF\xBB\xBF";
    m_nRegels = 0;
    const QString naam = tabblad.toLower();
    if (naam == QLatin1String("relaties")) {
        Relaties();
    } else if (naam == QLatin1String("personen")) {
        Personen();
    } else if (naam == QLatin1String("offertes")) {
        CRecOfferte offerte(m_pDatabase);
        Documenten(offerte, true);
    } else if (naam == QLatin1String("calculaties")) {
        CRecCalculatie calculatie(m_pDatabase);
        Documenten(calculatie, false);
    } else if (naam == QLatin1String("orders")) {
        CRecOrder order(m_pDatabase);
        Documenten(order, false);
    } else if (naam == QLatin1String("bestellingen")) {
        CRecBestelling bestelling(m_pDatabase);
        Documenten(bestelling, false);
    } else {
        throw CUitwisselFout(
            QCoreApplication::translate("CCsvExport", "Onbekend tabblad '%1'; kies uit %2.")
                .arg(tabblad, Tabbladen().join(QStringLiteral(", "))));
    }
    return m_uit;
}

void CCsvExport::Relaties() {
    // "Nummer" alone would read back as a house number.
    Regel({"Relatienummer",   "Naam",          "Volle naam", "Straat",        "Huisnummer",
           "Postcode",        "Woonplaats",    "Postbus",    "Afleverstraat", "Aflevernummer",
           "Afleverpostcode", "Afleverplaats", "Telefoon",   "Fax",           "E-mail",
           "Homepage",        "BTW-nummer",    "Klant",      "Leverancier",   "Privé",
           "Opmerking",       "Gewijzigd"});
    CRecRelatie r(m_pDatabase);
    r.m_strSort = QStringLiteral("szInLijst");
    for (r.Open(); !r.IsEOF(); r.MoveNext()) {
        Regel({QString::number(r.lRelatieNummer),
               r.szInLijst,
               r.szVolleNaam,
               r.szBezoekStraat,
               r.szBezoekNummer,
               r.szBezoekPostcode,
               r.szBezoekWoonplaats,
               r.szPostBus,
               r.szAfleverStraat,
               r.szAfleverNummer,
               r.szAfleverPostcode,
               r.szAfleverPlaats,
               r.szTelefoon,
               r.szTeleFax,
               r.szEmailAdres,
               r.szHomePage,
               r.szBtwNummer,
               JaNee(r.bKlantJaNee),
               JaNee(r.bLeverancierJaNee),
               JaNee(r.bPriveJaNee),
               r.memAlgemeneMemo,
               Datum(r.dtModificatie)});
    }
}

void CCsvExport::Personen() {
    LeesRelatieNamen();
    Regel({"Achternaam", "Voornaam", "Relatie", "Afdeling", "Functie", "Telefoon", "Autotelefoon",
           "Fax", "E-mail"});
    CRecPersoon p(m_pDatabase);
    p.m_strSort = QStringLiteral("szAchterNaam, szVoorNaam");
    for (p.Open(); !p.IsEOF(); p.MoveNext()) {
        Regel({p.szAchterNaam, p.szVoorNaam, m_relatieNamen.value(p.dwRelatieNummer), p.szAfdeling,
               p.szFunctie, p.szTelefoon, p.szAutoTelefoon, p.szTelefax, p.szEmail});
    }
}

void CCsvExport::Documenten(CRecDocument& d, bool bOfferte) {
    LeesRelatieNamen();
    QStringList kop{"Nummer",         "Omschrijving", "Relatie",    "Kontaktpersoon",
                    "Soort document", "Document",     "Aangemaakt", "Gewijzigd"};
    if (bOfferte) {
        kop << QStringLiteral("Status") << QStringLiteral("Vervaldatum");
    }
    Regel(kop);
    d.m_strSort = QStringLiteral("szInLijst");
    for (d.Open(); !d.IsEOF(); d.MoveNext()) {
        QStringList velden{QString::number(d.dwIndex),
                           d.szInLijst,
                           m_relatieNamen.value(d.dwRelatieNummer),
                           d.szKontaktPersoon,
                           d.dwSoortDocument,
                           d.szDocument,
                           Datum(d.dtCreateDatum),
                           Datum(d.dtModificatieDatum)};
        if (bOfferte) {
            const auto& offerte = static_cast<const CRecOfferte&>(d);
            velden << Status(offerte.dwStatusOfferte) << Datum(offerte.dtVervalDatum);
        }
        Regel(velden);
    }
}

void CCsvExport::LeesRelatieNamen() {
    CRecRelatie r(m_pDatabase);
    for (r.Open(); !r.IsEOF(); r.MoveNext()) {
        m_relatieNamen.insert(r.lRelatieNummer, r.szInLijst);
    }
}
