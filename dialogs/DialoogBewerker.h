#pragma once

#include "store/RecordBewerker.h"

// The program's editor of rows: each record kind in its own dialog, the memos in the memo
// editor. Installeer makes it the editor the store uses; the application does so at start.
class CDialoogBewerker : public CRecordBewerker {
public:
    static void Installeer();

    int Wijzig(CRecRelatie& rec) override;
    int Wijzig(CRecPersoon& rec) override;
    int Wijzig(CRecOfferte& rec) override;
    int Wijzig(CRecOrder& rec) override;
    int Wijzig(CRecCalculatie& rec) override;
    int Wijzig(CRecBestelling& rec) override;
    int Wijzig(CRecRelatieMemo& rec) override;
    int Wijzig(CRecDocumentMemo& rec) override;
};
