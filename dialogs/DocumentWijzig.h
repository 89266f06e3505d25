#pragma once

#include "platform/dao/OleDateTime.h"
#include "platform/ui/MessageBox.h"

// The edit of a calculation, order or purchase order in its dialog: the dialog changes the
// row in the edit buffer, OK stores it with its modification time, anything else abandons
// every change, including those made by the dialog's buttons.
template <class Dialoog, class Record> int WijzigDocument(Record* pSet) {
    Dialoog dlg;
    dlg.m_pSet = pSet;
    pSet->Edit();
    if (dlg.DoModal() != IDOK) {
        pSet->CancelUpdate();
        return 0;
    }
    pSet->dtModificatieDatum = COleDateTime::GetCurrentTime();
    pSet->Update();
    return 1;
}
