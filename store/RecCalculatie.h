#pragma once

#include "store/RecDocument.h"

// The calculations: table Calculaties.
class CRecCalculatie : public CRecDocument {
public:
    explicit CRecCalculatie(CDaoDatabase* pDatabase = nullptr);

    // Runs the calculation dialog on the current row: 1 stored, 0 cancelled. Reached through the
    // editor the application registered (RecordBewerker.h).
    int WijzigRecord();
};
