#pragma once

#include "store/RecDocument.h"

// The calculations: table Calculaties.
class CRecCalculatie : public CRecDocument {
public:
    explicit CRecCalculatie(CDaoDatabase* pDatabase = nullptr);

    // Runs the calculation dialog on the current row: 1 stored, 0 cancelled. Defined with the
    // dialog, in RecCalculatieWijzig.cpp.
    int WijzigRecord();
};
