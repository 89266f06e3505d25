#include "agenda/AgendaLijst.h"

#include "controls/FullRowListCtrl.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/ui/CmdTarget.h"

bool CAgendaLijst::OpenOpNummer(CDaoRecordset& set, LONG nIndex) {
    if (set.IsOpen()) {
        set.Close();
    }
    set.m_strFilter = QStringLiteral("[dwIndex] = %1").arg(nIndex);
    set.m_strSort = QStringLiteral("dwIndex");
    set.Open();
    if (set.IsBOF()) {
        set.Close();
        return false;
    }
    return true;
}

bool CAgendaLijst::BewerkGeselecteerde(const CFullRowListCtrl& lijst, CDaoRecordset& set) {
    if (set.IsOpen()) {
        set.Close();
    }
    const int nItem = lijst.GetSelectionMark();
    if (nItem < 0 || !OpenOpNummer(set, LONG(lijst.GetItemData(nItem)))) {
        return false;
    }
    set.Edit();
    return true;
}

bool CAgendaLijst::VerwijderGeselecteerde(CFullRowListCtrl& lijst, CDaoRecordset& set) {
    if (set.IsOpen()) {
        set.Close();
    }
    int nItem = lijst.GetNextSelectedItem(-1);
    if (nItem < 0) {
        return false;
    }
    for (; nItem >= 0; nItem = lijst.GetNextSelectedItem(nItem)) {
        if (OpenOpNummer(set, LONG(lijst.GetItemData(nItem)))) {
            set.Delete();
            set.Close();
        }
    }
    return true;
}

void CAgendaLijst::UpdateVerwijder(const CFullRowListCtrl& lijst, CCmdUI* pCmdUI) {
    pCmdUI->Enable(lijst.GetSelectedCount() > 0);
}

void CAgendaLijst::UpdateWijzig(const CFullRowListCtrl& lijst, CCmdUI* pCmdUI) {
    pCmdUI->Enable(lijst.GetSelectedCount() == 1);
}
