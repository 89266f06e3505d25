#include "controls/PopupMenu.h"
#include "controls/SystemTray.h"
#include "res/Resource.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

QIcon AppIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkCyan);
    return QIcon(pixmap);
}

const QString kTip = "Tolvar: Rechtermuistoets";

// The tray on a desktop that answers yes when asked for a notification area, as a desktop
// with a tray host does; everything else is the real tray class.
class CTrayOnDesktopWithTray : public CSystemTray {
public:
    using CSystemTray::CSystemTray;

protected:
    bool DesktopHasTray() const override { return true; }
};

} // namespace

class SystemTrayTest : public QObject {
    Q_OBJECT
private slots:
    // The test display has no notification area: the tray says so and stays harmless.
    void withoutTrayNothingIsAdded() {
        QVERIFY(!CSystemTray::IsTrayAvailable());
        auto tray = std::make_unique<CSystemTray>();
        QVERIFY(!tray->HideTrayIcon());
        QVERIFY(!tray->AddTrayIcon(kTip, AppIcon(), IDR_POPUP));
        QVERIFY(!tray->IsEnabled());
        QVERIFY(!tray->IsIconShown());
        QVERIFY(!tray->ShowTrayIcon());
        QVERIFY(!tray->HideTrayIcon());
        tray->RemoveTrayIcon();
        QVERIFY(!tray->IsEnabled());
        tray.reset();
    }

    void movesThroughItsStates() {
        CTrayOnDesktopWithTray tray;
        QVERIFY(!tray.HideTrayIcon());
        QVERIFY(!tray.IsEnabled());
        QVERIFY(tray.AddTrayIcon(kTip, AppIcon(), IDR_POPUP));
        QVERIFY(tray.IsEnabled());
        QVERIFY(!tray.IsHidden());
        QVERIFY(tray.IsIconShown());
        QCOMPARE(tray.GetTip(), kTip);
        QVERIFY(!tray.ShowTrayIcon());

        QVERIFY(tray.HideTrayIcon());
        QVERIFY(tray.IsHidden());
        QVERIFY(!tray.IsIconShown());
        QVERIFY(tray.HideTrayIcon());
        QVERIFY(tray.IsHidden());

        QVERIFY(tray.ShowTrayIcon());
        QVERIFY(!tray.IsHidden());
        QVERIFY(tray.IsIconShown());

        tray.RemoveTrayIcon();
        QVERIFY(!tray.IsEnabled());
        QVERIFY(!tray.IsIconShown());
        QVERIFY(!tray.HideTrayIcon());
        QVERIFY(!tray.ShowTrayIcon());

        QVERIFY(tray.AddTrayIcon(QString(80, 'x'), AppIcon(), IDR_POPUP));
        QCOMPARE(tray.GetTip(), QString(63, 'x'));
    }

    void doubleClickRunsTheDefaultItem() {
        QWidget mainWnd;
        QWidget other;
        mainWnd.show();
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));

        CTrayOnDesktopWithTray tray(&mainWnd);
        QVERIFY(tray.AddTrayIcon(kTip, AppIcon(), IDR_POPUP));
        QSignalSpy command(&tray, &CSystemTray::Command);
        QCOMPARE(tray.OnTrayNotification(IDR_POPUP + 1, QSystemTrayIcon::DoubleClick), 0);
        QCOMPARE(tray.OnTrayNotification(IDR_POPUP, QSystemTrayIcon::Trigger), 1);
        QCOMPARE(command.count(), 0);

        QCOMPARE(tray.OnTrayNotification(IDR_POPUP, QSystemTrayIcon::DoubleClick), 1);
        QCOMPARE(command.count(), 1);
        QCOMPARE(command.takeFirst().first().toInt(), int(ID_TRAY_OPEN));
        QTRY_COMPARE(QApplication::activeWindow(), &mainWnd);

        tray.SetMenuDefaultItem(1, true);
        tray.OnTrayNotification(IDR_POPUP, QSystemTrayIcon::DoubleClick);
        QCOMPARE(command.takeFirst().first().toInt(), int(ID_TRAY_EINDE));
        tray.SetMenuDefaultItem(ID_TRAY_OPEN, false);
        tray.OnTrayNotification(IDR_POPUP, QSystemTrayIcon::DoubleClick);
        QCOMPARE(command.takeFirst().first().toInt(), int(ID_TRAY_OPEN));
    }

    void rightClickShowsTheMenuWithItsDefaultInBold() {
        CTrayOnDesktopWithTray tray;
        QVERIFY(tray.AddTrayIcon(kTip, AppIcon(), IDR_POPUP));
        QSignalSpy command(&tray, &CSystemTray::Command);
        QCOMPARE(tray.OnTrayNotification(IDR_POPUP, QSystemTrayIcon::Context), 1);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QString("Open Tolvar"));
        QCOMPARE(actions[1]->text(), QString("Einde"));
        QVERIFY(actions[0]->font().bold());
        QVERIFY(!actions[1]->font().bold());
        QVERIFY(menu->geometry().contains(QCursor::pos()) ||
                menu->geometry().topLeft() == QCursor::pos());

        QPointer<QMenu> shown = menu;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(actions[1]).center());
        QCOMPARE(command.count(), 1);
        QCOMPARE(command.first().first().toInt(), int(ID_TRAY_EINDE));
        QTRY_VERIFY(shown.isNull());
    }

    void menuFollowsTheIconId() {
        CTrayOnDesktopWithTray tray;
        QVERIFY(tray.AddTrayIcon(kTip, AppIcon(), 200));
        QSignalSpy command(&tray, &CSystemTray::Command);
        QCOMPARE(tray.OnTrayNotification(200, QSystemTrayIcon::Context), 0);
        QCOMPARE(tray.OnTrayNotification(200, QSystemTrayIcon::DoubleClick), 0);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QCOMPARE(command.count(), 0);
    }
};

TOLVAR_TEST(SystemTrayTest);

#include "tst_SystemTray.moc"
