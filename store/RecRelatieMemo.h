#pragma once

#include "store/RecMemo.h"

// The memos of a relation: table MemoRelatie. Their header pane has no contact box, so the
// contact placeholder stays for good.
class CRecRelatieMemo : public CRecMemo {
public:
    explicit CRecRelatieMemo(CDaoDatabase* pDatabase = nullptr);

    // Shows the current memo in the memo editor and stores the result: 1 stored, 0
    // cancelled (the row untouched). Reached through the editor the application registered
    // (RecordBewerker.h).
    int WijzigMemo();

    LONG dwRelatieNr = 0;

protected:
    LONG& Ouder() override { return dwRelatieNr; }
};
