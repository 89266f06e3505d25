#include "store/RecordBewerker.h"

namespace {
CRecordBewerker* g_pBewerker = nullptr;
}

void CRecordBewerker::Install(CRecordBewerker* pBewerker) {
    g_pBewerker = pBewerker;
}

CRecordBewerker* CRecordBewerker::Installed() {
    return g_pBewerker;
}
