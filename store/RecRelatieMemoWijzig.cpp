#include "store/RecordBewerker.h"
#include "store/RecRelatieMemo.h"

int CRecRelatieMemo::WijzigMemo() {
    return CRecordBewerker::Bewerk(*this);
}
