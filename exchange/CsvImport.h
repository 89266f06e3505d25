#pragma once

#include "exchange/CsvKolom.h"
#include "exchange/CsvLezer.h"
#include "exchange/RelatieOpslag.h"
#include "exchange/Voortgang.h"

#include <QHash>
#include <QSet>

class CDaoDatabase;
struct VCardRelatie;

// Reads a list of relations, or of persons, saved by a spreadsheet or another program, and
// works out what it would add without storing anything: each column by its name, or as the
// user chose it; rows that already exist (same name and postcode, or same e-mail address)
// skipped; every row that cannot be read named by its line. Bewaar then stores exactly
// that, in one transaction.
class CCsvImport {
public:
    CCsvImport(CDaoDatabase* pDatabase, bool bPersonen);

    // Throws CUitwisselFout when the data has no readable row of column names.
    void Lees(const QByteArray& data);

    bool IsPersonen() const { return m_bPersonen; }
    const CsvTabel& Tabel() const { return m_tabel; }
    // One field per column of the file; Geen leaves the column out.
    const QList<CsvVeld>& Kolommen() const { return m_kolommen; }
    void ZetKolommen(const QList<CsvVeld>& kolommen);
    // The choice as a script gives it: one entry per column, separated by ',', each a
    // column name this import knows, '-' to leave the column out, or nothing to keep what
    // the file's own name says. Throws CUitwisselFout for what it cannot use.
    void ZetKolommen(const QString& keuze);
    // The names of the file's columns that are not read.
    QStringList NietIngelezen() const;

    int Nieuw() const { return int(m_bPersonen ? m_personen.size() : m_relaties.size()); }
    int Overgeslagen() const { return m_nOvergeslagen; }
    int NietLeesbaar() const { return int(m_fouten.size()); }
    // Every row that could not be read, by line number.
    const QStringList& Fouten() const { return m_fouten; }
    // "n relaties nieuw, k overgeslagen omdat ze al bestaan, f regels niet leesbaar"
    QString Samenvatting() const;

    // Stores what was worked out: everything or, on a failure or a stop, nothing.
    void Bewaar(const Voortgang& voortgang = {});

private:
    struct Rij {
        const CsvRij* rij;
        QString fout;
    };

    void LeesBestaande();
    void Beoordeel();
    QString Waarde(const CsvRij& rij, CsvVeld veld) const;
    bool Heeft(CsvVeld veld) const { return m_kolomVan.contains(int(veld)); }
    QString LeesRelatie(const CsvRij& rij, VCardRelatie& relatie) const;
    QString LeesPersoon(const CsvRij& rij, CRelatieOpslag::Persoon& persoon) const;
    bool IsNieuweRelatie(const VCardRelatie& relatie);
    bool IsNieuwePersoon(const CRelatieOpslag::Persoon& persoon);
    static QString Sleutel(const QString& tekst);

    CDaoDatabase* m_pDatabase;
    bool m_bPersonen;
    CsvTabel m_tabel;
    QList<CsvVeld> m_kolommen;
    QHash<int, int> m_kolomVan;

    // What the database holds, read once.
    QSet<QString> m_bestaandeNamen;
    QSet<QString> m_bestaandeEmails;
    QHash<QString, QList<LONG>> m_relatieVanNaam;
    QSet<LONG> m_relatieNummers;

    // What this file adds, worked out again whenever the columns change.
    QSet<QString> m_namen;
    QSet<QString> m_emails;
    QList<VCardRelatie> m_relaties;
    QList<CRelatieOpslag::Persoon> m_personen;
    QStringList m_fouten;
    int m_nOvergeslagen = 0;
};
