#include "store/RecordBewerker.h"
#include "store/RecRelatie.h"

int CRecRelatie::WijzigRecord() {
    return CRecordBewerker::Bewerk(*this);
}
