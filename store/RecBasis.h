#pragma once

#include "platform/dao/DaoRecordset.h"

#include <functional>

// How Selecteer chooses rows: the whole table in list order, the rows of one parent, or
// the one row with a given number.
enum SelectieSoort { SEL_ALLES = 0, SEL_OUDER = 1, SEL_NUMMER = 2 };

// The columns that decide a record class's selections. The list column is empty for
// tables that are only ever listed per parent (the memos).
struct SelectieKolommen {
    const char* tabel;
    const char* lijst;
    const char* ouder;
    const char* sleutel;
};

// What the record classes of relations, persons, documents and memos share: the database
// of the settings, selecting and walking rows, storing a new row and deleting one by
// number. The sort string doubles as the record of the last kind of selection, which is
// how an unchanged parent selection knows it need not reopen.
class CRecBasis : public CDaoRecordset {
public:
    void Selecteer(int nSoort, LONG lNummer);
    int Volgende();
    int VerwijderRecord(LONG lNummer);
    // Deletes row lNummer with every row under it, by key (see CVerwantschap); belongs in
    // the caller's transaction.
    void VerwijderMetKinderen(LONG lNummer);
    // Runs nieuw, which stores a new row of this table under parent lOuder, only while that
    // parent exists; throws CDaoException in Dutch when another desk deleted it.
    void NieuwOnder(LONG lOuder, const std::function<void()>& nieuw);

    QString GetDefaultDBName() override;
    QString GetDefaultSQL() override;

    BOOL m_bVanafBegin = 0;

protected:
    CRecBasis(const SelectieKolommen& kolommen, int nFields, CDaoDatabase* pDatabase);

    // Begins a new row; a closed recordset is first opened on an empty selection, so that
    // a new row never needs the keys of the whole table.
    void BeginNieuw();
    // Stores the row begun with BeginNieuw and stands on it, so that the key field holds
    // the number the database gave it.
    int BewaarNieuw();

private:
    void SelecteerAlles();
    void SelecteerOuder(LONG lNummer);
    void SelecteerNummer(LONG lNummer);
    void OpenOpnieuw(const QString& strSort, const QString& strFilter);

    SelectieKolommen m_kolommen;
};
