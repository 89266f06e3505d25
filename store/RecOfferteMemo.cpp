#include "store/RecOfferteMemo.h"

CRecOfferteMemo::CRecOfferteMemo(CDaoDatabase* pDatabase)
    : CRecDocumentMemo("MemoOfferte", 138, pDatabase) {}
