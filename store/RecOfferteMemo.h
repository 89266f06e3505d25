#pragma once

#include "store/RecDocumentMemo.h"

// The memos of a quotation: table MemoOfferte.
class CRecOfferteMemo : public CRecDocumentMemo {
public:
    explicit CRecOfferteMemo(CDaoDatabase* pDatabase = nullptr);
};
