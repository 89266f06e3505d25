#pragma once

#include "store/RecBasis.h"

// The contact persons of a relation: table Personen.
class CRecPersoon : public CRecBasis {
public:
    explicit CRecPersoon(CDaoDatabase* pDatabase = nullptr);

    // A placeholder person of relation lRelatie, stored at once; the recordset stands on it.
    int NieuwRecord(LONG lRelatie);
    // Runs the person dialog on the current row: 1 stored, 0 cancelled. Reached through the editor
    // the application registered (RecordBewerker.h).
    int WijzigRecord();

    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    LONG IDnr = 0;
    LONG dwRelatieNummer = 0;
    QString szVoorNaam;
    QString szAchterNaam;
    QString szTelefoon;
    QString szAutoTelefoon;
    QString szTelefax;
    QString szEmail;
    QString szAfdeling;
    QString szFunctie;
};
