#include "controls/SystemTray.h"

#include "controls/PopupMenu.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace {

// The longest tip the notification area shows.
constexpr int kMaxTip = 63;

} // namespace

CSystemTray::CSystemTray(QWidget* pMainWnd) : QObject(pMainWnd), m_pMainWnd(pMainWnd) {}

CSystemTray::~CSystemTray() {
    RemoveTrayIcon();
}

bool CSystemTray::IsTrayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool CSystemTray::DesktopHasTray() const {
    return IsTrayAvailable();
}

bool CSystemTray::AddTrayIcon(const QString& strTip, const QIcon& icon, int nIconId) {
    if (!DesktopHasTray()) {
        return false;
    }
    if (!m_pIcon) {
        m_pIcon = new QSystemTrayIcon(this);
        connect(m_pIcon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    OnTrayNotification(m_nIconId, reason);
                });
    }
    m_nIconId = nIconId;
    m_pIcon->setIcon(icon);
    m_pIcon->setToolTip(strTip.left(kMaxTip));
    m_pIcon->show();
    m_bEnabled = true;
    m_bHidden = false;
    return true;
}

bool CSystemTray::HideTrayIcon() {
    if (!m_bEnabled) {
        return false;
    }
    if (m_bHidden) {
        return true;
    }
    m_pIcon->hide();
    m_bHidden = true;
    return true;
}

bool CSystemTray::ShowTrayIcon() {
    if (!m_bEnabled || !m_bHidden) {
        return false;
    }
    m_pIcon->show();
    m_bHidden = false;
    return true;
}

void CSystemTray::RemoveTrayIcon() {
    if (m_bEnabled) {
        m_pIcon->hide();
        m_bEnabled = false;
    }
}

void CSystemTray::SetMenuDefaultItem(int nItem, bool bByPos) {
    m_nDefaultItem = nItem;
    m_bDefaultByPos = bByPos;
}

bool CSystemTray::IsIconShown() const {
    return m_pIcon && m_pIcon->isVisible();
}

QString CSystemTray::GetTip() const {
    return m_pIcon ? m_pIcon->toolTip() : QString();
}

int CSystemTray::OnTrayNotification(int nIconId, QSystemTrayIcon::ActivationReason reason) {
    if (nIconId != m_nIconId) {
        return 0;
    }
    switch (reason) {
    case QSystemTrayIcon::Context:
        return ShowPopupMenu();
    case QSystemTrayIcon::DoubleClick:
        return RunDefaultCommand();
    default:
        return 1;
    }
}

int CSystemTray::ShowPopupMenu() {
    std::unique_ptr<QMenu> loaded = LoadPopupMenu(m_nIconId);
    if (!loaded) {
        return 0;
    }
    if (QAction* action = DefaultAction(*loaded)) {
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
    }
    BringMainWindowForward();
    QMenu* menu = loaded.release();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &QMenu::triggered, this,
            [this](QAction* action) { emit Command(CommandOf(action)); });
    menu->popup(QCursor::pos());
    return 1;
}

int CSystemTray::RunDefaultCommand() {
    BringMainWindowForward();
    int nCommand = m_nDefaultItem;
    if (m_bDefaultByPos) {
        const std::unique_ptr<QMenu> menu = LoadPopupMenu(m_nIconId);
        if (!menu) {
            return 0;
        }
        nCommand = CommandOf(DefaultAction(*menu));
    }
    if (nCommand != 0) {
        emit Command(nCommand);
    }
    return 1;
}

QAction* CSystemTray::DefaultAction(const QMenu& menu) const {
    const QList<QAction*> actions = menu.actions();
    if (m_bDefaultByPos) {
        return m_nDefaultItem >= 0 && m_nDefaultItem < actions.size() ? actions[m_nDefaultItem]
                                                                      : nullptr;
    }
    for (QAction* action : actions) {
        if (CommandOf(action) == m_nDefaultItem) {
            return action;
        }
    }
    return nullptr;
}

// A hidden main window stays hidden: showing it again is the "Open Tolvar" command's work.
void CSystemTray::BringMainWindowForward() const {
    if (m_pMainWnd && m_pMainWnd->isVisible()) {
        m_pMainWnd->raise();
        m_pMainWnd->activateWindow();
    }
}
