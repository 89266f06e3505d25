#pragma once

#include "store/RecDocument.h"

// The orders: table Orders.
class CRecOrder : public CRecDocument {
public:
    explicit CRecOrder(CDaoDatabase* pDatabase = nullptr);

    // Runs the order dialog on the current row: 1 stored, 0 cancelled. Reached through the editor
    // the application registered (RecordBewerker.h).
    int WijzigRecord();
};
