#include "dialogs/PersoonDlg.h"
#include "platform/ui/MessageBox.h"
#include "store/RecPersoon.h"

// The person table keeps no modification date.
int CRecPersoon::WijzigRecord() {
    CPersoonDlg dlg;
    dlg.m_pSet = this;
    Edit();
    if (dlg.DoModal() != IDOK) {
        CancelUpdate();
        return 0;
    }
    Update();
    return 1;
}
