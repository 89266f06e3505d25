#include "dialogs/CalculatieDlg.h"
#include "dialogs/DocumentWijzig.h"
#include "store/RecCalculatie.h"

int CRecCalculatie::WijzigRecord() {
    return WijzigDocument<CCalculatieDlg>(this);
}
