#pragma once

#include "store/RecMemo.h"

// The memos of a business document; the parent column is dwOfferteNr for all four kinds.
class CRecDocumentMemo : public CRecMemo {
public:
    // Shows the current memo in the memo editor (header pane KopPaneel()) and stores the
    // result: 1 stored, 0 cancelled (the row untouched). Reached through the editor the application
    // registered (RecordBewerker.h).
    int WijzigMemo();

    LONG dwOfferteNr = 0;

protected:
    CRecDocumentMemo(const char* szTabel, int nKopPaneel, CDaoDatabase* pDatabase);

    LONG& Ouder() override { return dwOfferteNr; }
};
