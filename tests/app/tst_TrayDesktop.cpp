#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "controls/SystemTray.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommandRouter.h"
#include "res/Resource.h"

#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QTest>

// Minimising into the notification area, on a real X display with a tray host. CTest runs
// this case under xvfb-run with trayer; elsewhere (offscreen) there is no tray to test.
class TrayDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void minimiseIntoTheTrayAndBack() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X display with a tray host (run under xvfb-run with trayer)");
        }
        if (!QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 5000)) {
            QSKIP("the display offers no notification area");
        }
        TestDatabase db;
        CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"),
                                     db.Path());
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        CMainFrame* frame = app.GetMainWnd();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CSystemTray* tray = frame->Tray();
        QVERIFY(tray->IsEnabled());
        // The icon added at creation is taken away by the first size change.
        QTRY_VERIFY(!tray->IsIconShown());

        frame->showMinimized();
        QTRY_VERIFY(tray->IsIconShown());
        QTRY_VERIFY(!frame->isVisible());

        QVERIFY(frame->Router()->Execute(ID_TRAY_OPEN));
        QTRY_VERIFY(frame->isVisible());
        QTRY_VERIFY(!tray->IsIconShown());
    }
};

TOLVAR_TEST(TrayDesktopTest);

#include "tst_TrayDesktop.moc"
