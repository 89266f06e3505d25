#pragma once

#include "store/RecDocument.h"

// The purchase orders: table Bestelling.
class CRecBestelling : public CRecDocument {
public:
    explicit CRecBestelling(CDaoDatabase* pDatabase = nullptr);

    // Runs the purchase-order dialog on the current row: 1 stored, 0 cancelled. Reached through the
    // editor the application registered (RecordBewerker.h).
    int WijzigRecord();
};
