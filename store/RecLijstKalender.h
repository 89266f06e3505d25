#pragma once

#include "platform/dao/DaoRecordset.h"

// The appointments: table KalenderLijst, always in the file at the fixed appointment path,
// whatever the database setting says. The appointment view sets filter and sort itself.
class CRecLijstKalender : public CDaoRecordset {
public:
    explicit CRecLijstKalender(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultDBName() override;
    QString GetDefaultSQL() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    LONG dwIndex = 0;
    QString szTekst;
    COleDateTime dtDatumTijdAlarm;
    BOOL bGemeld = 0;
};
