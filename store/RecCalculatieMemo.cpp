#include "store/RecCalculatieMemo.h"

CRecCalculatieMemo::CRecCalculatieMemo(CDaoDatabase* pDatabase)
    : CRecDocumentMemo("MemoCalculatie", 154, pDatabase) {}
