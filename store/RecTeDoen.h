#pragma once

#include "platform/dao/DaoRecordset.h"

// The to-do items: table TeDoen. The to-do view sets filter and sort itself, the sort by
// way of SorteerOp.
class CRecTeDoen : public CDaoRecordset {
public:
    explicit CRecTeDoen(CDaoDatabase* pDatabase = nullptr);

    // Prepares the listing by a column of the to-do list without opening: 1 priority, 2 and
    // 3 date and time, anything else the text.
    void SorteerOp(int nKolom);

    QString GetDefaultDBName() override;
    QString GetDefaultSQL() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    LONG dwIndex = 0;
    LONG lPrio = 0;
    QString szTekst;
    COleDateTime dtDatumTijd;
};
