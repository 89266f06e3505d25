#include "agenda/InfoDisplay.h"

#include "agenda/AgendaLijst.h"
#include "agenda/PrioIcoon.h"
#include "agenda/TeDoenDlg.h"
#include "controls/FullRowListCtrl.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"

#include <QVBoxLayout>

CInfoDisplay::CInfoDisplay(QWidget* parent) : CView(parent), m_pLijst(new CFullRowListCtrl(this)) {
    SetCtrlId(m_pLijst, IDC_LIJST);
    m_pLijst->setAccessibleName(QStringLiteral("Te doen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_pLijst);
    setFocusProxy(m_pLijst);
    connect(m_pLijst, &CFullRowListCtrl::DblClick, this, GuardedSlot([this] { OnWijzig(); }, this));
    connect(m_pLijst, &CFullRowListCtrl::ColumnClick, this,
            [this](int nKolom) { Guarded([this, nKolom] { OnKolomKlik(nKolom); }, this); });

    OnCommand(ID_AGENDA_NIEUW, [this] { OnNieuw(); });
    OnCommand(
        ID_AGENDA_VERWIJDER, [this] { OnVerwijder(); },
        [this](CCmdUI* ui) { CAgendaLijst::UpdateVerwijder(*m_pLijst, ui); });
    OnCommand(
        ID_AGENDA_WIJZIG, [this] { OnWijzig(); },
        [this](CCmdUI* ui) { CAgendaLijst::UpdateWijzig(*m_pLijst, ui); });
}

void CInfoDisplay::OnInitialUpdate() {
    m_pLijst->SetImageList(CPrioIcoon::AllePrios());
    m_pLijst->SetBkColor(QColor(255, 255, 234));
    m_pLijst->SetTextBkColor(QColor(255, 255, 234));
    MaakKolommen();
    Vul(m_nSorteerKolom);
}

void CInfoDisplay::MaakKolommen() {
    m_pLijst->InsertColumn(KOLOM_TEKST, QStringLiteral("Wat te doen"), LVCFMT_LEFT, 230);
    m_pLijst->InsertColumn(KOLOM_PRIO, QStringLiteral("Prioiteit"), LVCFMT_CENTER, 70);
    m_pLijst->InsertColumn(KOLOM_DATUM, QStringLiteral("Datum"), LVCFMT_CENTER, 70);
    m_pLijst->InsertColumn(KOLOM_TIJD, QStringLiteral("Tijd"), LVCFMT_CENTER, 100);
}

void CInfoDisplay::Vul(int nKolom) {
    if (m_set.IsOpen()) {
        m_set.Close();
    }
    m_set.SorteerOp(nKolom);
    m_set.Open();
    for (int nRij = 0; !m_set.IsEOF(); m_set.MoveNext(), ++nRij) {
        VoegRijToe(nRij);
    }
    m_set.Close();
}

void CInfoDisplay::VoegRijToe(int nRij) {
    const COleDateTime& dt = m_set.dtDatumTijd;
    const int nItem = m_pLijst->InsertItem(nRij, m_set.szTekst, m_set.lPrio);
    m_pLijst->SetItemData(nItem, m_set.dwIndex);
    m_pLijst->SetItemText(nItem, KOLOM_PRIO, QString::asprintf("%3d", int(m_set.lPrio)));
    m_pLijst->SetItemText(nItem, KOLOM_DATUM, dt.Format(COleDateTime::VAR_DATEVALUEONLY));
    m_pLijst->SetItemText(nItem, KOLOM_TIJD, dt.Format(COleDateTime::VAR_TIMEVALUEONLY));
}

void CInfoDisplay::Herlaad() {
    m_pLijst->DeleteAllItems();
    Vul(m_nSorteerKolom);
}

void CInfoDisplay::OnKolomKlik(int nKolom) {
    m_pLijst->DeleteAllItems();
    Vul(nKolom);
    m_nSorteerKolom = nKolom;
}

// Shows the dialog on the record being added or changed; OK stores it and lists it anew.
void CInfoDisplay::Bewaar(CDialog& dlg) {
    if (dlg.DoModal() != IDOK) {
        m_set.CancelUpdate();
        m_set.Close();
        return;
    }
    m_set.Update();
    m_set.Close();
    Herlaad();
}

void CInfoDisplay::OnNieuw() {
    if (m_set.IsOpen()) {
        m_set.Close();
    }
    m_set.Open();
    m_set.AddNew();
    m_set.lPrio = 0;
    m_set.dtDatumTijd = COleDateTime::GetCurrentTime();
    CTeDoenDlg dlg(&m_set, this);
    Bewaar(dlg);
}

void CInfoDisplay::OnWijzig() {
    if (!CAgendaLijst::BewerkGeselecteerde(*m_pLijst, m_set)) {
        return;
    }
    CTeDoenDlg dlg(&m_set, this);
    Bewaar(dlg);
}

void CInfoDisplay::OnVerwijder() {
    if (CAgendaLijst::VerwijderGeselecteerde(*m_pLijst, m_set)) {
        Herlaad();
    }
}
