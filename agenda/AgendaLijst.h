#pragma once

#include "platform/dao/DaoTypes.h"

class CCmdUI;
class CDaoRecordset;
class CFullRowListCtrl;

// What the appointment list and the to-do list do alike on their rows: find a row's record
// by its number, delete every selected row, and the enabling rules of Delete and Modify.
class CAgendaLijst {
public:
    // Closes the set if open, opens it on the one record numbered nIndex and answers whether
    // that record still exists. When it does not, the set is closed again.
    static bool OpenOpNummer(CDaoRecordset& set, LONG nIndex);

    // Starts editing the record of the row the selection mark is on (the set closed first);
    // false when no row is marked or its record has gone.
    static bool BewerkGeselecteerde(const CFullRowListCtrl& lijst, CDaoRecordset& set);

    // Deletes the record of every selected row, without a question; a record that has gone
    // meanwhile is passed over. Answers whether any row was selected.
    static bool VerwijderGeselecteerde(CFullRowListCtrl& lijst, CDaoRecordset& set);

    // Delete needs at least one selected row, Modify exactly one.
    static void UpdateVerwijder(const CFullRowListCtrl& lijst, CCmdUI* pCmdUI);
    static void UpdateWijzig(const CFullRowListCtrl& lijst, CCmdUI* pCmdUI);
};
