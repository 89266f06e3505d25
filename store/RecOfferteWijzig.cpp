#include "dialogs/OfferteDlg.h"
#include "platform/ui/MessageBox.h"
#include "store/RecOfferte.h"

int CRecOfferte::WijzigRecord() {
    COfferteDlg dlg;
    dlg.m_pSet = this;
    Edit();
    if (dlg.DoModal() != IDOK) {
        // Also undoes a status step confirmed in the dialog; the flag keeps its old value.
        CancelUpdate();
        return 0;
    }
    dtModificatieDatum = COleDateTime::GetCurrentTime();
    m_bStatusGewijzigd = dlg.m_bStatusGewijzigd;
    Update();
    return 1;
}
