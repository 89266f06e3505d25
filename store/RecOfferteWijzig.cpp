#include "store/RecOfferte.h"
#include "store/RecordBewerker.h"

int CRecOfferte::WijzigRecord() {
    return CRecordBewerker::Bewerk(*this);
}
