#pragma once

#include "store/RecDocumentMemo.h"

// The memos of a purchase order: table MemoBestelling.
class CRecBestellingMemo : public CRecDocumentMemo {
public:
    explicit CRecBestellingMemo(CDaoDatabase* pDatabase = nullptr);
};
