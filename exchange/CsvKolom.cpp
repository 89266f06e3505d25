#include "exchange/CsvKolom.h"

namespace {

struct Kolom {
    CsvVeld veld;
    bool bPersonen;
    QStringList namen;
};

// A person's relation goes by the names that mean a relation's own name in a list of
// relations, so the two kinds have a table each.
const QList<Kolom>& Kolommen() {
    static const QList<Kolom> kolommen{
        {CsvVeld::Naam, false, {"Naam", "Bedrijf", "Bedrijfsnaam", "Company", "Organisatie"}},
        {CsvVeld::VolleNaam, false, {"Volle naam", "Volledige naam"}},
        {CsvVeld::Weergave, false, {"Weergave", "In lijst"}},
        {CsvVeld::Straat, false, {"Straat", "Adres", "Street"}},
        {CsvVeld::Huisnummer, false, {"Huisnummer", "Nummer"}},
        {CsvVeld::Postcode, false, {"Postcode", "Zip", "Postal Code"}},
        {CsvVeld::Plaats, false, {"Woonplaats", "Plaats", "City"}},
        {CsvVeld::Postbus, false, {"Postbus"}},
        {CsvVeld::AfleverStraat, false, {"Afleverstraat"}},
        {CsvVeld::AfleverNummer, false, {"Aflevernummer"}},
        {CsvVeld::AfleverPostcode, false, {"Afleverpostcode"}},
        {CsvVeld::AfleverPlaats, false, {"Afleverplaats"}},
        {CsvVeld::Telefoon, false, {"Telefoon", "Tel", "Phone"}},
        {CsvVeld::Fax, false, {"Fax", "Telefax"}},
        {CsvVeld::Email, false, {"E-mail", "E-mailadres"}},
        {CsvVeld::Website, false, {"Homepage", "Website", "Web Page"}},
        {CsvVeld::BtwNummer, false, {"BTW-nummer", "Btw", "VAT"}},
        {CsvVeld::Klant, false, {"Klant"}},
        {CsvVeld::Leverancier, false, {"Leverancier"}},
        {CsvVeld::Prive, false, {"Privé"}},
        {CsvVeld::Memo, false, {"Opmerking", "Notitie", "Memo", "Notes"}},
        {CsvVeld::Gewijzigd, false, {"Gewijzigd"}},
        {CsvVeld::Achternaam, true, {"Achternaam", "Last Name"}},
        {CsvVeld::Voornaam, true, {"Voornaam", "First Name"}},
        {CsvVeld::Relatie, true, {"Relatie", "Bedrijf", "Company"}},
        {CsvVeld::Afdeling, true, {"Afdeling", "Department"}},
        {CsvVeld::Functie, true, {"Functie", "Job Title"}},
        {CsvVeld::Telefoon, true, {"Telefoon", "Tel", "Phone"}},
        {CsvVeld::Mobiel, true, {"Autotelefoon", "Mobiel", "Mobile"}},
        {CsvVeld::Fax, true, {"Fax", "Telefax"}},
        {CsvVeld::Email, true, {"E-mail", "E-mailadres"}},
    };
    return kolommen;
}

} // namespace

// "E-mail", "Email" and "e mail" are one name, as are "Privé" and "PRIVE".
QString CCsvKolom::Sleutel(const QString& naam) {
    QString sleutel;
    for (const QChar c : naam.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber()) {
            sleutel += c.toCaseFolded();
        }
    }
    return sleutel;
}

QList<CsvVeld> CCsvKolom::Velden(bool bPersonen) {
    QList<CsvVeld> velden;
    for (const Kolom& kolom : Kolommen()) {
        if (kolom.bPersonen == bPersonen) {
            velden << kolom.veld;
        }
    }
    return velden;
}

QString CCsvKolom::Naam(CsvVeld veld) {
    for (const Kolom& kolom : Kolommen()) {
        if (kolom.veld == veld) {
            return kolom.namen.front();
        }
    }
    return QStringLiteral("(niet inlezen)");
}

CsvVeld CCsvKolom::Herken(bool bPersonen, const QString& kop) {
    const QString sleutel = Sleutel(kop);
    for (const Kolom& kolom : Kolommen()) {
        if (kolom.bPersonen != bPersonen) {
            continue;
        }
        for (const QString& naam : kolom.namen) {
            if (Sleutel(naam) == sleutel) {
                return kolom.veld;
            }
        }
    }
    return CsvVeld::Geen;
}
