#include "dialogs/BestellingDlg.h"
#include "dialogs/DocumentWijzig.h"
#include "store/RecBestelling.h"

int CRecBestelling::WijzigRecord() {
    return WijzigDocument<CBestellingDlg>(this);
}
