#pragma once

#include "store/RecBasis.h"

// The relations (customers, suppliers and private persons): table Relaties.
class CRecRelatie : public CRecBasis {
public:
    explicit CRecRelatie(CDaoDatabase* pDatabase = nullptr);

    // A placeholder relation, stored at once; the recordset stands on it afterwards.
    int NieuwRecord();
    // Runs the relation dialog on the current row and stores it on OK (1) or abandons every
    // change on Cancel (0); sets m_bSoortGewijzigd. Reached through the editor the
    // application registered (RecordBewerker.h).
    int WijzigRecord();

    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    LONG lRelatieNummer = 0;
    COleDateTime dtModificatie;
    BOOL bKlantJaNee = 0;
    BOOL bLeverancierJaNee = 0;
    BOOL bPriveJaNee = 0;
    QString szInLijst;
    QString szVolleNaam;
    QString szBezoekStraat;
    QString szBezoekNummer;
    QString szBezoekPostcode;
    QString szBezoekWoonplaats;
    QString szTelefoon;
    QString szTeleFax;
    QString szEmailAdres;
    QString szHomePage;
    QString szBtwNummer;
    QString szAfleverStraat;
    QString szAfleverNummer;
    QString szAfleverPostcode;
    QString szAfleverPlaats;
    QString memAlgemeneMemo;
    QString szPostBus;

    // 1 after a stored edit that changed the customer or supplier flag: the relation's
    // folders in the workspace change with them.
    BOOL m_bSoortGewijzigd = 0;
};
