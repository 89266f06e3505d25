#include "store/RecOrderMemo.h"

CRecOrderMemo::CRecOrderMemo(CDaoDatabase* pDatabase)
    : CRecDocumentMemo("MemoOrder", 162, pDatabase) {}
