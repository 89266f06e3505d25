#include "agenda/LijstKalender.h"

#include "agenda/AfspraakDlg.h"
#include "agenda/AgendaLijst.h"
#include "agenda/AlarmDlg.h"
#include "agenda/PrioIcoon.h"
#include "controls/FullRowListCtrl.h"
#include "platform/dao/DaoException.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"

#include <QTimerEvent>
#include <QVBoxLayout>

CLijstKalender::CLijstKalender(QWidget* parent)
    : CView(parent), m_pLijst(new CFullRowListCtrl(this)), m_klok(&COleDateTime::GetCurrentTime),
      m_nGeluidHerhaling(CAlarmDlg::GELUID_PERIODE_MS) {
    SetCtrlId(m_pLijst, IDC_LIJST);
    m_pLijst->setAccessibleName(QStringLiteral("Afspraken"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_pLijst);
    setFocusProxy(m_pLijst);
    connect(m_pLijst, &CFullRowListCtrl::DblClick, this, GuardedSlot([this] { OnWijzig(); }, this));

    OnCommand(ID_AGENDA_NIEUW, [this] { OnNieuw(); });
    OnCommand(
        ID_AGENDA_VERWIJDER, [this] { OnVerwijder(); },
        [this](CCmdUI* ui) { CAgendaLijst::UpdateVerwijder(*m_pLijst, ui); });
    OnCommand(
        ID_AGENDA_WIJZIG, [this] { OnWijzig(); },
        [this](CCmdUI* ui) { CAgendaLijst::UpdateWijzig(*m_pLijst, ui); });
}

void CLijstKalender::OnInitialUpdate() {
    m_pLijst->SetImageList(
        {CPrioIcoon::Laad(CPrioIcoon::IDI_PRIO_0), CPrioIcoon::Laad(CPrioIcoon::IDI_PRIO_8)});
    m_pLijst->SetBkColor(QColor(255, 255, 234));
    m_pLijst->SetTextBkColor(QColor(255, 255, 234));
    MaakKolommen();
    // The watch runs even when the list cannot be read now; it reads it later itself.
    m_alarmTimer.start(ALARM_PERIODE_MS, this);
    try {
        Vul(m_set);
    } catch (const CDaoException& e) {
        OnthoudFout(e);
        throw;
    }
}

// "Tijd" goes in first, at position 1 of a list without columns, so it becomes column 0;
// "Datum" then goes to position 1 behind it.
void CLijstKalender::MaakKolommen() {
    m_pLijst->InsertColumn(1, QStringLiteral("Tijd"), LVCFMT_CENTER, 100);
    m_pLijst->InsertColumn(1, QStringLiteral("Datum"), LVCFMT_CENTER, 100);
    m_pLijst->InsertColumn(2, QStringLiteral("Afspraak"), LVCFMT_LEFT, 270);
}

// Lists every appointment by alarm time and chooses the next alarm: the earliest one not
// yet reported, whether its time lies ahead or has already passed.
void CLijstKalender::Vul(CRecLijstKalender& set) {
    m_bHerladen = true;
    if (set.IsOpen()) {
        set.Close();
    }
    set.m_strSort = QStringLiteral("dtDatumTijdAlarm");
    set.m_strFilter.clear();
    set.Open();
    bool bGekozen = false;
    for (int nRij = 0; !set.IsEOF(); set.MoveNext(), ++nRij) {
        VoegRijToe(nRij, set);
        if (!bGekozen && !set.bGemeld) {
            m_dtVolgendAlarm = set.dtDatumTijdAlarm;
            m_nVolgendAlarm = set.dwIndex;
            bGekozen = true;
        }
    }
    m_bAlarmIdle = !bGekozen;
    m_bHerladen = false;
    set.Close();
}

void CLijstKalender::VoegRijToe(int nRij, const CRecLijstKalender& set) {
    const COleDateTime& dt = set.dtDatumTijdAlarm;
    const int nItem = m_pLijst->InsertItem(nRij, dt.Format(COleDateTime::VAR_TIMEVALUEONLY),
                                           set.bGemeld ? IMG_GEMELD : IMG_WACHT);
    m_pLijst->SetItemData(nItem, set.dwIndex);
    m_pLijst->SetItemText(nItem, 1, dt.Format(COleDateTime::VAR_DATEVALUEONLY));
    m_pLijst->SetItemText(nItem, 2, set.szTekst);
}

void CLijstKalender::Herlaad(CRecLijstKalender& set) {
    m_pLijst->DeleteAllItems();
    Vul(set);
}

void CLijstKalender::OnNieuw() {
    if (m_set.IsOpen()) {
        m_set.Close();
    }
    m_set.Open();
    m_set.AddNew();
    // Whatever time the dialog gets, a new appointment starts out unreported.
    m_set.bGemeld = FALSE;
    CAfspraakDlg dlg(&m_set, m_klok(), this);
    if (dlg.DoModal() != IDOK) {
        m_set.CancelUpdate();
        m_set.Close();
        return;
    }
    m_set.Update();
    m_set.Close();
    Herlaad(m_set);
}

void CLijstKalender::OnWijzig() {
    if (!CAgendaLijst::BewerkGeselecteerde(*m_pLijst, m_set)) {
        return;
    }
    CAfspraakDlg dlg(&m_set, m_klok(), this);
    if (dlg.DoModal() != IDOK) {
        m_set.CancelUpdate();
        m_set.Close();
        return;
    }
    // Moved into the future the alarm is armed again; at or before now it counts as given.
    const BOOL bGemeld = m_set.dtDatumTijdAlarm > m_klok() ? FALSE : TRUE;
    m_set.bGemeld = bGemeld;
    m_set.Update();
    ZetGemeld(bGemeld);
    m_set.Close();
    Herlaad(m_set);
}

// The edit stores only what it changed. An alarm that popped up for this very appointment
// while its dialog was open has meanwhile stored bGemeld on its own, which the edit would
// then leave standing; the outcome of the re-arm rule must win.
void CLijstKalender::ZetGemeld(BOOL bGemeld) {
    m_set.MoveFirst();
    if (!m_set.IsEOF() && m_set.bGemeld != bGemeld) {
        m_set.Edit();
        m_set.bGemeld = bGemeld;
        m_set.Update();
    }
}

void CLijstKalender::OnVerwijder() {
    if (CAgendaLijst::VerwijderGeselecteerde(*m_pLijst, m_set)) {
        Herlaad(m_set);
    }
}

void CLijstKalender::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_alarmTimer.timerId()) {
        Guarded([this] { OnTimer(ID_ALARM_TIMER); }, this);
        return;
    }
    CView::timerEvent(event);
}

void CLijstKalender::OnTimer(int nIDEvent) {
    if (nIDEvent == ID_ALARM_TIMER) {
        AlarmControle();
    }
}

// The pop-up works on a set of its own and refills through it, so an appointment being
// added or changed in this view's dialog meanwhile keeps its edit.
void CLijstKalender::AlarmControle() {
    if (m_bAlarmBezig || !m_volgendePoging.hasExpired()) {
        return;
    }
    if (!m_uitstaand && !m_bHerladen && (m_bAlarmIdle || m_klok() < m_dtVolgendAlarm)) {
        return;
    }
    // Set until the pop-up and any failure box are closed: their event loops run this timer.
    m_bAlarmBezig = true;
    struct Klaar {
        bool& bBezig;
        ~Klaar() { bBezig = false; }
    } klaar{m_bAlarmBezig};
    try {
        AlarmStappen();
        m_strGetoondeFout.clear();
    } catch (const CDaoException& e) {
        if (m_alarmSet.IsOpen()) {
            m_alarmSet.Close();
        }
        const bool bNieuw = e.m_strError != m_strGetoondeFout;
        OnthoudFout(e);
        if (bNieuw) {
            ReportFailure(e.m_strError, this);
        }
    }
}

// The failure has been (or is about to be) shown; the watch keeps quiet about it while it
// lasts, and a file in use is left alone for a while.
void CLijstKalender::OnthoudFout(const CDaoException& e) {
    m_strGetoondeFout = e.m_strError;
    if (e.m_kind == DaoErrorKind::InUse) {
        m_volgendePoging.setRemainingTime(WACHT_NA_SLOT_MS);
    }
}

void CLijstKalender::AlarmStappen() {
    if (m_uitstaand) {
        SchrijfMelding();
        m_bHerladen = true;
    }
    if (m_bHerladen) {
        Herlaad(m_alarmSet);
    }
    if (!m_bAlarmIdle && m_klok() >= m_dtVolgendAlarm) {
        ToonAlarm();
    }
}

void CLijstKalender::ToonAlarm() {
    if (!CAgendaLijst::OpenOpNummer(m_alarmSet, m_nVolgendAlarm)) {
        m_bAlarmIdle = true;
        return;
    }
    m_alarmSet.Edit();
    const QString strGelezen = m_alarmSet.szTekst;
    CAlarmDlg dlg(&m_alarmSet, this);
    dlg.SetHerhaling(m_nGeluidHerhaling);
    dlg.DoModal();
    // The user has seen it: what the pop-up leaves is stored now or, when the file fails,
    // at a later tick. The set itself never stays in the middle of an edit.
    m_uitstaand = Melding{m_alarmSet.dwIndex, m_alarmSet.bGemeld, std::nullopt};
    if (m_alarmSet.szTekst != strGelezen) {
        m_uitstaand->szTekst = m_alarmSet.szTekst;
    }
    m_alarmSet.CancelUpdate();
    m_alarmSet.Close();
    SchrijfMelding();
    Herlaad(m_alarmSet);
}

void CLijstKalender::SchrijfMelding() {
    if (CAgendaLijst::OpenOpNummer(m_alarmSet, m_uitstaand->dwIndex)) {
        m_alarmSet.Edit();
        m_alarmSet.szTekst = m_uitstaand->szTekst.value_or(m_alarmSet.szTekst);
        m_alarmSet.bGemeld = m_uitstaand->bGemeld;
        try {
            m_alarmSet.Update();
        } catch (...) {
            m_alarmSet.CancelUpdate();
            throw;
        }
        m_alarmSet.Close();
    }
    m_uitstaand.reset();
}
