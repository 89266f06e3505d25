#include "dialogs/MemoEditDlg.h"
#include "platform/ui/MessageBox.h"
#include "store/RecRelatieMemo.h"

// The relation pane has no contact box: the contact person stays as it was.
int CRecRelatieMemo::WijzigMemo() {
    const QString strCreatie = dtDatumCreatie.Format();
    const QString strModificatie = dtModificatie.Format();
    CMemoEditDlg dlg;
    dlg.m_strTekst = szTekst;
    dlg.m_pTekstIn = &dlg.m_strTekst;
    dlg.m_strTitel = szInLijst;
    dlg.m_nKopPaneel = KopPaneel();
    dlg.m_apszKop = {&szInLijst, &strCreatie, &strModificatie};
    if (dlg.DoModal() != IDOK) {
        return 0;
    }
    Edit();
    szTekst = dlg.m_strTekst;
    szInLijst = dlg.m_astrKop[0];
    dtModificatie = COleDateTime::GetCurrentTime();
    Update();
    return 1;
}
