#include "store/RecBestellingMemo.h"

CRecBestellingMemo::CRecBestellingMemo(CDaoDatabase* pDatabase)
    : CRecDocumentMemo("MemoBestelling", 163, pDatabase) {}
