#pragma once

#include "store/RecDocument.h"

// Quotations: table Offertes. Besides the document columns a quotation has an expiry date
// and a status (0 "Te versturen", 1 sent, 2 accepted, 3 lapsed) that the record class
// stores as it gets it.
class CRecOfferte : public CRecDocument {
public:
    explicit CRecOfferte(CDaoDatabase* pDatabase = nullptr);

    // Runs the quotation dialog on the current row: 1 stored (m_bStatusGewijzigd taken from
    // the dialog), 0 cancelled. Reached through the editor the application registered
    // (RecordBewerker.h).
    int WijzigRecord();

    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    // The status as the user reads it; empty for a number outside the workflow.
    static QString StatusTekst(LONG lStatus);

    COleDateTime dtVervalDatum;
    LONG dwStatusOfferte = 0;

    // 1 after a stored edit that confirmed a status step: the quotation moves to another
    // status folder in the workspace.
    BOOL m_bStatusGewijzigd = 0;

protected:
    void ZetNieuweWaarden() override;
};
