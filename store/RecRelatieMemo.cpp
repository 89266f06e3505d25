#include "store/RecRelatieMemo.h"

CRecRelatieMemo::CRecRelatieMemo(CDaoDatabase* pDatabase)
    : CRecMemo("MemoRelatie", "dwRelatieNr", 139, pDatabase) {}
