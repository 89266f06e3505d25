#include "dialogs/DocumentWijzig.h"
#include "dialogs/OrderDlg.h"
#include "store/RecOrder.h"

int CRecOrder::WijzigRecord() {
    return WijzigDocument<COrderDlg>(this);
}
