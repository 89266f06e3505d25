#include "agenda/AlarmDlg.h"

#include "platform/profile/Profile.h"
#include "platform/sound/Sound.h"
#include "platform/ui/DispatchGuard.h"
#include "store/RecLijstKalender.h"
#include "ui_AlarmDlg.h"

#include <QKeyEvent>

CAlarmDlg::CAlarmDlg(CRecLijstKalender* pSet, QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::AlarmDlg>()), m_pSet(pSet) {
    m_ui->setupUi(this);
    connect(&m_geluidTimer, &QTimer::timeout, this, GuardedSlot([] { SpeelGeluid(); }, this));
}

CAlarmDlg::~CAlarmDlg() = default;

bool CAlarmDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SpeelGeluid();
    m_geluidTimer.start(m_nHerhaling);
    return true;
}

void CAlarmDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_TEKST, m_pSet->szTekst);
    DDV_MaxChars(pDX, m_pSet->szTekst, MAX_TEKST);
    m_pSet->bGemeld = TRUE;
}

void CAlarmDlg::hideEvent(QHideEvent* event) {
    m_geluidTimer.stop();
    CDialog::hideEvent(event);
}

void CAlarmDlg::SpeelGeluid() {
    const QString strGeluid =
        CProfile::GetProfileString(QStringLiteral("Geluiden"), QStringLiteral("Kalender"));
    if (!strGeluid.isEmpty()) {
        CSound::Play(strGeluid);
    }
}

void CAlarmDlg::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        accept();
        return;
    }
    CDialog::keyPressEvent(event);
}
