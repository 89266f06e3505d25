#include "dialogs/MemoEditDlg.h"
#include "platform/ui/MessageBox.h"
#include "store/RecDocumentMemo.h"

// The editor works on copies, so nothing of the row is locked or started while it runs.
int CRecDocumentMemo::WijzigMemo() {
    const QString strNummer = QString::number(dwOfferteNr);
    const QString strCreatie = dtDatumCreatie.Format();
    const QString strModificatie = dtModificatie.Format();
    CMemoEditDlg dlg;
    dlg.m_strTekst = szTekst;
    dlg.m_pTekstIn = &dlg.m_strTekst;
    dlg.m_strTitel = szInLijst;
    dlg.m_nKopPaneel = KopPaneel();
    dlg.m_apszKop = {&szInLijst, &strNummer, &szKontaktPersoon, &strCreatie, &strModificatie};
    if (dlg.DoModal() != IDOK) {
        return 0;
    }
    Edit();
    szTekst = dlg.m_strTekst;
    szInLijst = dlg.m_astrKop[0];
    szKontaktPersoon = dlg.m_astrKop[2];
    dtModificatie = COleDateTime::GetCurrentTime();
    Update();
    return 1;
}
