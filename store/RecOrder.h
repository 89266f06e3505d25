#pragma once

#include "store/RecDocument.h"

// The orders: table Orders.
class CRecOrder : public CRecDocument {
public:
    explicit CRecOrder(CDaoDatabase* pDatabase = nullptr);

    // Runs the order dialog on the current row: 1 stored, 0 cancelled. Defined with the
    // dialog, in RecOrderWijzig.cpp.
    int WijzigRecord();
};
