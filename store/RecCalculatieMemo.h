#pragma once

#include "store/RecDocumentMemo.h"

// The memos of a calculation: table MemoCalculatie.
class CRecCalculatieMemo : public CRecDocumentMemo {
public:
    explicit CRecCalculatieMemo(CDaoDatabase* pDatabase = nullptr);
};
