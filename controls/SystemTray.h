#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QWidget;

// The program's icon in the notification area of the desktop. The icon's pop-up menu is the
// menu whose resource id is the icon's id; a right click shows it with its default item in
// bold, a double click runs the default item. Chosen commands come out as Command(id), for
// the main window to carry out as menu commands.
//
// States: made (nothing shown), added (icon shown), hidden (taken out again by HideTrayIcon),
// removed. Every operation answers false while the icon is not added; a desktop without a
// notification area never gets the icon added, and AddTrayIcon says so by answering false.
class CSystemTray : public QObject {
    Q_OBJECT
public:
    // pMainWnd owns the tray and is the window that a click on the icon brings forward.
    explicit CSystemTray(QWidget* pMainWnd = nullptr);
    ~CSystemTray() override;

    // Whether the desktop offers a notification area at all.
    static bool IsTrayAvailable();

    bool AddTrayIcon(const QString& strTip, const QIcon& icon, int nIconId);
    bool HideTrayIcon();
    bool ShowTrayIcon();
    void RemoveTrayIcon();
    // The default item of the pop-up menu, by position (the first item at first) or, with
    // bByPos false, by command id.
    void SetMenuDefaultItem(int nItem, bool bByPos);

    bool IsEnabled() const { return m_bEnabled; }
    bool IsHidden() const { return m_bHidden; }
    // Whether the icon is asked to stand in the notification area now.
    bool IsIconShown() const;
    QString GetTip() const;

    // A mouse notification of icon nIconId. Answers 0 when it was refused (another icon,
    // or a menu that cannot be loaded), 1 otherwise.
    int OnTrayNotification(int nIconId, QSystemTrayIcon::ActivationReason reason);

signals:
    void Command(int nID);

protected:
    // The desktop's answer whether an icon can be added; the icon is added only on yes.
    virtual bool DesktopHasTray() const;

private:
    int ShowPopupMenu();
    int RunDefaultCommand();
    QAction* DefaultAction(const QMenu& menu) const;
    void BringMainWindowForward() const;

    QPointer<QWidget> m_pMainWnd;
    QSystemTrayIcon* m_pIcon = nullptr;
    int m_nIconId = 0;
    bool m_bEnabled = false;
    bool m_bHidden = false;
    int m_nDefaultItem = 0;
    bool m_bDefaultByPos = true;
};
