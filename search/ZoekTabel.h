#pragma once

#include <QString>
#include <vector>

// What the search knows of each table it covers: where a row's number, parent and
// modification time are, and which columns make up its name, its other text, its telephone
// numbers and its rich text. The code of a table (its index in Alle()) is part of the
// index's row numbers, so the order is fixed.
struct ZoekTabel {
    enum Soort {
        RELATIE = 0,
        PERSOON,
        RELATIEMEMO,
        OFFERTE,
        OFFERTEMEMO,
        CALCULATIE,
        CALCULATIEMEMO,
        ORDER,
        ORDERMEMO,
        BESTELLING,
        BESTELLINGMEMO,
        TEDOEN,
        AFSPRAAK,
        AANTAL
    };

    Soort nSoort;
    const char* tabel;
    const char* sleutel;
    const char* ouder;   // null when the rows have no parent
    const char* stempel; // the modification time the program sets, null when there is none
    const char* lijst;   // SQL for the name under which the record is listed
    std::vector<const char*> naam;
    std::vector<const char*> tekst;
    std::vector<const char*> nummers; // telephone and fax numbers, also searched without separators
    const char* rtf;                  // the memo body, null for tables without one
    int nOuderSoort;                  // the table of the parent, -1 when none

    static const ZoekTabel& Van(int nSoort);
    // The tables of the database the settings name, and the appointments, which live in a
    // file of their own.
    static std::vector<int> Hoofdbestand();
    static std::vector<int> Afsprakenbestand();
    static const ZoekTabel* Zoek(const QString& strTabel);

    // The statement that reads rows in the order the index needs them: number, parent,
    // modification time, list name, then the name, text, number and rich-text columns.
    QString Selectie() const;
    // The number of columns Selectie() reads.
    int AantalKolommen() const;
};
