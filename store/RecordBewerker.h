#pragma once

class CRecBestelling;
class CRecCalculatie;
class CRecDocumentMemo;
class CRecOfferte;
class CRecOrder;
class CRecPersoon;
class CRecRelatie;
class CRecRelatieMemo;

// The store changes a row through an editor on the screen, yet knows no screen: the
// application registers the one editor of the process at start, and each record class's
// WijzigRecord or WijzigMemo hands its current row to it. Each call answers 1 when the row
// was stored and 0 when the user cancelled (the row then as it was).
class CRecordBewerker {
public:
    virtual ~CRecordBewerker() = default;

    virtual int Wijzig(CRecRelatie& rec) = 0;
    virtual int Wijzig(CRecPersoon& rec) = 0;
    virtual int Wijzig(CRecOfferte& rec) = 0;
    virtual int Wijzig(CRecOrder& rec) = 0;
    virtual int Wijzig(CRecCalculatie& rec) = 0;
    virtual int Wijzig(CRecBestelling& rec) = 0;
    virtual int Wijzig(CRecRelatieMemo& rec) = 0;
    virtual int Wijzig(CRecDocumentMemo& rec) = 0;

    // The one editor of the process; null removes it.
    static void Install(CRecordBewerker* pBewerker);
    static CRecordBewerker* Installed();

    // Without an editor (a program without a screen) nothing can be changed: cancelled.
    template <class Record> static int Bewerk(Record& rec) {
        CRecordBewerker* pBewerker = Installed();
        return pBewerker ? pBewerker->Wijzig(rec) : 0;
    }
};
