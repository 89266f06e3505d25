#include "store/RecBestelling.h"
#include "store/RecordBewerker.h"

int CRecBestelling::WijzigRecord() {
    return CRecordBewerker::Bewerk(*this);
}
