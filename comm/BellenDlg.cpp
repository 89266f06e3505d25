#include "comm/BellenDlg.h"

#include "platform/profile/Profile.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"

#include "ui_BellenDlg.h"

#include <QIcon>
#include <QThread>
#include <QTimerEvent>

namespace {

constexpr int kTickMs = 20;
constexpr int kDialPauseMs = 700;
constexpr DWORD kReadSize = 100;

// Only the bytes of one read count: in all but the last byte a zero byte becomes a blank,
// and a zero byte at the end only ends the text.
QByteArray ReplyText(const char* bytes, DWORD count) {
    QByteArray text(bytes, qsizetype(count));
    if (!text.isEmpty() && text.back() == '\0') {
        text.chop(1);
    }
    text.replace('\0', ' ');
    return text;
}

} // namespace

CBellenDlg::CBellenDlg(const QString& nummer, QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::BellenDlg>()),
      m_nPoort(CProfile::GetProfileInt(QStringLiteral("Bellen"), QStringLiteral("Compoort"), 1)),
      m_strVoorloop(CProfile::GetProfileString(QStringLiteral("Bellen"), QStringLiteral("Voorloop"),
                                               QString())) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_ui->telefoon->setPixmap(QIcon(QStringLiteral(":/icons/comm_telefoon.svg")).pixmap(32, 32));
    m_strNummer = m_strVoorloop + nummer;
}

CBellenDlg::~CBellenDlg() = default;

bool CBellenDlg::OnInitDialog() {
    m_timer.start(kTickMs, this);
    return CDialog::OnInitDialog();
}

void CBellenDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer.timerId()) {
        CDialog::timerEvent(event);
        return;
    }
    Guarded([this] { RunStep(); }, this);
}

void CBellenDlg::done(int result) {
    m_timer.stop();
    CDialog::done(result);
}

void CBellenDlg::RunStep() {
    switch (m_nStep) {
    case 0:
        OpenPort();
        break;
    case 1:
        ShowStatus(QStringLiteral("Reset van modem"));
        Send("atz\r\n");
        StartWaiting(2);
        break;
    case 2:
        if (ReplyArrived()) {
            m_nStep = 3;
        }
        break;
    case 3:
        ShowStatus(QStringLiteral("Bellen van: %1").arg(m_strNummer));
        Send("atdt" + m_strNummer.toLatin1() + ";\r");
        SetButtonEnabled(false);
        StartWaiting(4);
        break;
    case 4:
        if (ReplyArrived()) {
            ShowStatus(QStringLiteral("%1 wordt gebeld").arg(m_strNummer));
            // The line must be taken over by the telephone before the modem lets it go.
            QThread::msleep(kDialPauseMs);
            m_nStep = 5;
        }
        break;
    case 5:
        ShowStatus(QStringLiteral("Ophangen"));
        Send("ath\r");
        StartWaiting(6);
        break;
    case 6:
        if (ReplyArrived()) {
            m_nStep = 7;
        }
        break;
    case 7:
        ShowStatus(QStringLiteral("Sluiten poort"));
        m_port.CloseHandle();
        m_nStep = kStopped;
        EndDialog(IDOK);
        break;
    default:
        break;
    }
}

void CBellenDlg::OpenPort() {
    if (m_strNummer.size() > kMaxDialString) {
        ShowStatus(QStringLiteral("Nummer te lang (max. %1 tekens)").arg(kMaxDialString));
        m_nStep = kStopped;
        return;
    }
    ShowStatus(QStringLiteral("Openen poort: COM%1:").arg(m_nPoort));
    if (!m_port.Open(m_nPoort)) {
        ShowStatus(QStringLiteral("COM%1 niet te openen").arg(m_nPoort));
        m_nStep = kStopped;
        return;
    }
    DCB dcb;
    if (!m_port.GetCommState(dcb)) {
        ShowStatus(QStringLiteral("Error instellen poort"));
        m_nStep = kStopped;
        return;
    }
    dcb.BaudRate = 1200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    if (!m_port.SetCommState(dcb)) {
        ShowStatus(QStringLiteral("Error instellen poort"));
        m_nStep = kFailed;
        return;
    }
    COMMTIMEOUTS timeouts;
    if (m_port.GetCommTimeouts(timeouts)) {
        timeouts.ReadTotalTimeoutMultiplier = 1;
        m_port.SetCommTimeouts(timeouts);
    }
    m_nStep = 1;
}

void CBellenDlg::Send(const QByteArray& command) {
    DWORD written = 0;
    m_port.WriteFile(command.constData(), DWORD(command.size()), written);
}

void CBellenDlg::StartWaiting(int nextStep) {
    m_nReadCount = 0;
    m_nStep = nextStep;
}

bool CBellenDlg::ReplyArrived() {
    if (m_nReadCount >= kMaxReads) {
        Fail();
        return false;
    }
    char buffer[kReadSize];
    DWORD read = 0;
    if (!m_port.ReadFile(buffer, kReadSize, read)) {
        read = 0;
    }
    ++m_nReadCount;
    return ReplyText(buffer, read).contains("OK");
}

void CBellenDlg::Fail() {
    ShowStatus(QStringLiteral("Foute/Geen responce"));
    SetButtonEnabled(true);
    m_nStep = kFailed;
    OnCancel();
}

void CBellenDlg::reject() {
    // Escape follows the button: no abort while the number is being dialled.
    if (m_ui->terug->isEnabled()) {
        CDialog::reject();
    }
}

void CBellenDlg::OnCancel() {
    m_port.CloseHandle();
    if (m_nStep == kStopped) {
        EndDialog(IDCANCEL);
        return;
    }
    setWindowTitle(m_nStep == kFailed ? QStringLiteral("Bellen: FOUT !!")
                                      : QStringLiteral("Bellen: Afgebroken"));
    m_nStep = kStopped;
    m_ui->terug->setText(QStringLiteral("&TERUG"));
}

void CBellenDlg::ShowStatus(const QString& text) {
    m_ui->status->setText(text);
    // The reads that follow hold the thread: the text must be on screen now.
    show();
    repaint();
}

void CBellenDlg::SetButtonEnabled(bool enabled) {
    m_ui->terug->setEnabled(enabled);
}
