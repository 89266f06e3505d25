#pragma once

#include "store/RecBasis.h"

// What the five memo tables share: a rich-text body with a subject, a contact person and
// its dates, under a parent relation or document. Memos are only ever listed per parent.
class CRecMemo : public CRecBasis {
public:
    // A new memo under lOuder, stored at once; the recordset stands on it.
    int NieuweMemo(LONG lOuder, LONG lGestuurdVia);

    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    // The dialog template of the header pane the memo editor shows above the text.
    int KopPaneel() const { return m_nKopPaneel; }

    LONG dwIndex = 0;
    QString szKontaktPersoon;
    QString szTekst;
    QString szInLijst;
    COleDateTime dtDatumCreatie;
    COleDateTime dtModificatie;
    LONG iGestuurdVia = 0;

protected:
    CRecMemo(const char* szTabel, const char* szOuderKolom, int nKopPaneel,
             CDaoDatabase* pDatabase);

    // The member of the parent column (dwRelatieNr or dwOfferteNr).
    virtual LONG& Ouder() = 0;

private:
    const char* m_szOuderKolom;
    int m_nKopPaneel;
};
