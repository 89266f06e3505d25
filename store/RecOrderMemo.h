#pragma once

#include "store/RecDocumentMemo.h"

// The memos of a order: table MemoOrder.
class CRecOrderMemo : public CRecDocumentMemo {
public:
    explicit CRecOrderMemo(CDaoDatabase* pDatabase = nullptr);
};
