#pragma once

#include "store/RecBasis.h"

// What the four kinds of business document share (quotations, calculations, orders and
// purchase orders): a title in the tree, a relation, a contact person, a creation and a
// modification date, and a linked file with a free-text kind.
class CRecDocument : public CRecBasis {
public:
    // A placeholder document of relation lRelatie (none when 0), stored at once; the
    // recordset stands on it.
    int NieuwRecord(LONG lRelatie = 0);

    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    LONG dwIndex = 0;
    QString dwSoortDocument;
    COleDateTime dtCreateDatum;
    COleDateTime dtModificatieDatum;
    QString szDocument;
    QString szInLijst;
    QString szKontaktPersoon;
    LONG dwRelatieNummer = 0;

protected:
    // Orders and purchase orders exchange the relation before the contact person.
    enum Volgorde { KontaktVoorRelatie, RelatieVoorKontakt };

    CRecDocument(const char* szTabel, const char* szNieuweTitel, Volgorde volgorde, int nFields,
                 CDaoDatabase* pDatabase);

    // The values of a new row, set between AddNew and Update.
    virtual void ZetNieuweWaarden();

private:
    const char* m_szNieuweTitel;
    Volgorde m_volgorde;
};
