#include "dialogs/ProgressDlg.h"

#include "platform/ui/FontScale.h"
#include "ui_ProgressDlg.h"

#include <algorithm>
#include <QApplication>
#include <QWindow>

CProgressDlg::CProgressDlg(QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::ProgressDlg>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    ScaleWindowToFont(this);
    setFixedSize(sizeHint().expandedTo(size()));
    SetColours();
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::SetColours() {
    QPalette palette = this->palette();
    const QColor background(180, 147, 255);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, background);
        palette.setColor(group, QPalette::WindowText, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::white);
        palette.setColor(group, QPalette::Light, background.lighter(130));
        palette.setColor(group, QPalette::Dark, background.darker(160));
    }
    setPalette(palette);
    setAutoFillBackground(true);
    // The bar keeps the platform's own look.
    m_ui->bar->setPalette(QApplication::palette(m_ui->bar));
}

void CProgressDlg::Create() {
    m_bWindow = true;
    if (m_nTotaal != 0) {
        m_nGetoondProcent = ToonStand() / 10;
    }
    show();
    // The read that follows holds the thread, and a window paints only once the display has
    // shown it: wait for that briefly, taking no input meanwhile.
    QElapsedTimer wacht;
    wacht.start();
    while (windowHandle() && !windowHandle()->isExposed() && !wacht.hasExpired(kToonWacht)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
}

void CProgressDlg::DestroyWindow() {
    if (!m_bWindow) {
        return;
    }
    m_bWindow = false;
    hide();
}

void CProgressDlg::StartVerzameling(const QString& strNaam, DWORD nTotaal) {
    if (nTotaal == 0) {
        return;
    }
    m_ui->verzameling->setText(strNaam);
    m_ui->recordNr->setText(QStringLiteral("0"));
    m_nTotaal = nTotaal;
    m_ui->aantal->setText(QString::number(m_nTotaal));
    m_ui->bar->setRange(0, kBarRange);
    m_ui->bar->setValue(0);
    m_ui->procent->setText(QStringLiteral("0%"));
    m_nGetoondProcent = 0;
    m_laatstGetoond.start();
}

void CProgressDlg::VolgendRecord() {
    ++m_nTeller;
    if (m_nTotaal == 0 || !m_bWindow) {
        return;
    }
    const DWORD positie = ToonStand();
    // The read runs without the event loop: paint at once whenever the percentage moves, and
    // in between often enough that a slow read (or a long table, where one percent takes many
    // records) still visibly counts. Asking the clock costs next to nothing beside the read.
    if (positie / 10 != m_nGetoondProcent || m_laatstGetoond.hasExpired(kToonInterval)) {
        m_nGetoondProcent = positie / 10;
        repaint();
        m_laatstGetoond.start();
    }
}

DWORD CProgressDlg::ToonStand() {
    m_ui->recordNr->setText(QString::number(m_nTeller));
    // Wide arithmetic, so that a very large table cannot wrap the percentage around.
    const auto positie = DWORD(quint64(m_nTeller) * kBarRange / m_nTotaal);
    m_ui->procent->setText(QStringLiteral("%1%").arg(positie / 10));
    m_ui->bar->setValue(int(std::min<DWORD>(positie, kBarRange)));
    return positie;
}
