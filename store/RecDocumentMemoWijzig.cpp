#include "store/RecDocumentMemo.h"
#include "store/RecordBewerker.h"

int CRecDocumentMemo::WijzigMemo() {
    return CRecordBewerker::Bewerk(*this);
}
