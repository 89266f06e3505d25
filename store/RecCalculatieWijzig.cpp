#include "store/RecCalculatie.h"
#include "store/RecordBewerker.h"

int CRecCalculatie::WijzigRecord() {
    return CRecordBewerker::Bewerk(*this);
}
