#include "store/RecordBewerker.h"
#include "store/RecPersoon.h"

int CRecPersoon::WijzigRecord() {
    return CRecordBewerker::Bewerk(*this);
}
