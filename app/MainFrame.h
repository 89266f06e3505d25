#pragma once

#include "platform/ui/CmdTarget.h"

#include <functional>
#include <QMainWindow>

class CCommandRouter;
class CSystemTray;
class CView;
class CViewExSplitWnd;
class CZoekBalk;
class QLabel;
class QToolBar;

// The one main window: menu, toolbar, status bar, and the three panes (workspace on top,
// to-do list and appointment list below). Commands go to the active pane first, then here.
class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    // Makes the three views; the frame owns what they return.
    struct ViewFactory {
        std::function<CView*(QWidget*)> workspace;
        std::function<CView*(QWidget*)> todo;
        std::function<CView*(QWidget*)> appointments;
    };

    CMainFrame(ViewFactory views, CCmdTarget* application);
    ~CMainFrame() override;

    // Creates the bars and the split layout; false when any part cannot be made.
    bool Create();

    CCommandRouter* Router() const { return m_pRouter; }
    // The view with the focus, or the one that had it last.
    CView* GetActiveView() const;
    CView* GetPaneView(int index) const; // 0 workspace, 1 to-do, 2 appointments
    QString ActivePaneIndicator() const;
    QLabel* StatusPane(int index) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    CSystemTray* Tray() const { return m_pTray; }
    // The search line; null when the top pane is not the workspace.
    CZoekBalk* ZoekBalk() const { return m_pZoekBalk; }

signals:
    // The window was minimised (true) or given another size state (false).
    void WindowStateChanged(bool minimised);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateCommands();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    bool CreateLayout();
    void UpdateIndicators();
    void OnNextPane(bool previous);
    void OnHelpTopics();
    void CreateTrayIcon();
    void FollowSizeWithTray();
    void OnTrayOpen();
    void CreateSearchBar();

    ViewFactory m_views;
    CCmdTarget* m_pApplication;
    CCommandRouter* m_pRouter = nullptr;
    CSystemTray* m_pTray = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CViewExSplitWnd* m_pOuter = nullptr;
    CViewExSplitWnd* m_pInner = nullptr;
    CView* m_panes[3] = {nullptr, nullptr, nullptr};
    CView* m_pLastActive = nullptr;
    CZoekBalk* m_pZoekBalk = nullptr;
    QLabel* m_statusPanes[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
};
