#include "store/RecordBewerker.h"
#include "store/RecOrder.h"

int CRecOrder::WijzigRecord() {
    return CRecordBewerker::Bewerk(*this);
}
