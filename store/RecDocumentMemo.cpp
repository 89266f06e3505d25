#include "store/RecDocumentMemo.h"

CRecDocumentMemo::CRecDocumentMemo(const char* szTabel, int nKopPaneel, CDaoDatabase* pDatabase)
    : CRecMemo(szTabel, "dwOfferteNr", nKopPaneel, pDatabase) {}
