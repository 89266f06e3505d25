#include "dialogs/RelatieDlg.h"
#include "platform/ui/MessageBox.h"
#include "store/RecRelatie.h"

int CRecRelatie::WijzigRecord() {
    CRelatieDlg dlg;
    dlg.m_pSet = this;
    Edit();
    m_bSoortGewijzigd = 0;
    if (dlg.DoModal() != IDOK) {
        CancelUpdate();
        return 0;
    }
    dtModificatie = COleDateTime::GetCurrentTime();
    Update();
    m_bSoortGewijzigd = dlg.m_bSoortGewijzigd;
    return 1;
}
