#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a column of an imported CSV file fills in: a field of a relation or of a person, or
// nothing (the column is left out).
enum class CsvVeld {
    Geen,
    Naam,
    VolleNaam,
    Weergave,
    Straat,
    Huisnummer,
    Postcode,
    Plaats,
    Postbus,
    AfleverStraat,
    AfleverNummer,
    AfleverPostcode,
    AfleverPlaats,
    Telefoon,
    Fax,
    Email,
    Website,
    BtwNummer,
    Klant,
    Leverancier,
    Prive,
    Memo,
    Gewijzigd,
    Voornaam,
    Achternaam,
    Relatie,
    Mobiel,
    Afdeling,
    Functie,
};

// The column names a field is known by, in Dutch and in the English of address books and
// accounting programs, case and accents ignored; the first is the name Tolvar's own export
// writes and the column chooser shows.
class CCsvKolom {
public:
    // The fields of relations (bPersonen false) or of persons, in the chooser's order.
    static QList<CsvVeld> Velden(bool bPersonen);
    static QString Naam(CsvVeld veld);
    // The field a column name stands for; Geen when the name is not known.
    static CsvVeld Herken(bool bPersonen, const QString& kop);

private:
    static QString Sleutel(const QString& naam);
};
