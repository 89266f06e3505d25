#include "controls/SplashScreen.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int m_nPaints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_nPaints;
        }
        return false;
    }
};

// The main window the splash is shown over: a line edit, a button and a shortcut.
struct MainWindow {
    QWidget window;
    QLineEdit* edit = new QLineEdit;
    QPushButton* button = new QPushButton("Knop");
    QAction* shortcut = new QAction(&window);

    MainWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(button);
        shortcut->setShortcut(QKeySequence("Ctrl+N"));
        window.addAction(shortcut);
        window.setGeometry(100, 80, 600, 450);
    }
    bool ShowActive() {
        window.show();
        window.activateWindow();
        edit->setFocus();
        return QTest::qWaitForWindowActive(&window);
    }
};

bool WaitGone(QPointer<CSplashScreen>& splash) {
    return QTest::qWaitFor([&splash] { return splash.isNull(); }, 3000);
}

} // namespace

class SplashScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CSplashScreen::InstallPreTranslate(qApp); }

    void cleanup() {
        if (CSplashScreen* splash = CSplashScreen::Current()) {
            QPointer<CSplashScreen> gone = splash;
            splash->HideSplash();
            WaitGone(gone);
        }
        CSplashScreen::EnableSplash(false);
    }

    void showsOnlyWhenAllowedAndOnlyOnce() {
        MainWindow w;
        QVERIFY(w.ShowActive());
        CSplashScreen::ShowSplash(&w.window);
        QVERIFY(CSplashScreen::Current() == nullptr);

        CSplashScreen::EnableSplash(true);
        CSplashScreen::ShowSplash(&w.window);
        CSplashScreen* splash = CSplashScreen::Current();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QCOMPARE(splash->size(), QSize(357, 258));
        QVERIFY(splash->isWindow());
        QVERIFY(
            (w.window.frameGeometry().center() - splash->geometry().center()).manhattanLength() <=
            2);
        CSplashScreen::ShowSplash(&w.window);
        QCOMPARE(CSplashScreen::Current(), splash);
        QCOMPARE(w.window.findChildren<CSplashScreen*>().size(), 1);
        // Its picture is drawn, not left blank.
        const QImage picture = splash->grab().toImage();
        QVERIFY(picture.pixelColor(10, 10) != picture.pixelColor(180, 95));
    }

    // Without input the splash goes after 750 milliseconds and the window beneath is
    // repainted at once.
    void hidesByItself() {
        MainWindow w;
        QVERIFY(w.ShowActive());
        PaintCounter paints;
        w.window.installEventFilter(&paints);
        CSplashScreen::EnableSplash(true);
        QElapsedTimer clock;
        clock.start();
        CSplashScreen::ShowSplash(&w.window);
        QPointer<CSplashScreen> splash = CSplashScreen::Current();
        QVERIFY(splash);
        const int paintsBefore = paints.m_nPaints;
        QTest::mouseMove(w.button);
        while (clock.elapsed() < 600 && CSplashScreen::Current()) {
            QTest::qWait(20);
        }
        if (clock.elapsed() < 600) {
            QFAIL("the splash went before its time");
        }
        QTRY_VERIFY_WITH_TIMEOUT(CSplashScreen::Current() == nullptr, 3000);
        QVERIFY(clock.elapsed() >= 700);
        QVERIFY(paints.m_nPaints > paintsBefore);
        QVERIFY(WaitGone(splash));
    }

    void keyPressHidesItAndIsConsumed() {
        MainWindow w;
        QVERIFY(w.ShowActive());
        QSignalSpy triggered(w.shortcut, &QAction::triggered);
        CSplashScreen::EnableSplash(true);
        CSplashScreen::ShowSplash(&w.window);
        QPointer<CSplashScreen> splash = CSplashScreen::Current();
        QTest::keyClick(w.edit, Qt::Key_A);
        QVERIFY(CSplashScreen::Current() == nullptr);
        QCOMPARE(w.edit->text(), QString());
        QTest::keyClick(w.edit, Qt::Key_B);
        QCOMPARE(w.edit->text(), QString("b"));
        QVERIFY(WaitGone(splash));

        // A key that is a shortcut runs no command either.
        CSplashScreen::ShowSplash(&w.window);
        QVERIFY(CSplashScreen::Current());
        QTest::keyClick(w.edit, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(CSplashScreen::Current() == nullptr);
        QCOMPARE(triggered.count(), 0);
        QTRY_VERIFY(w.window.isActiveWindow());
        QTest::keyClick(w.edit, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
    }

    void mouseClickHidesItAndIsConsumed() {
        MainWindow w;
        QVERIFY(w.ShowActive());
        QSignalSpy pressed(w.button, &QPushButton::pressed);
        QSignalSpy clicked(w.button, &QPushButton::clicked);
        CSplashScreen::EnableSplash(true);
        CSplashScreen::ShowSplash(&w.window);
        QVERIFY(CSplashScreen::Current());
        QTest::mouseMove(w.button, w.button->rect().center());
        QVERIFY(CSplashScreen::Current());
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(CSplashScreen::Current() == nullptr);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);

        // A click on the splash itself takes it away as well.
        CSplashScreen::ShowSplash(&w.window);
        QPointer<CSplashScreen> splash = CSplashScreen::Current();
        QTest::mouseClick(splash, Qt::RightButton);
        QVERIFY(CSplashScreen::Current() == nullptr);
        QVERIFY(WaitGone(splash));
    }

    void goesWithTheWindowItIsShownOver() {
        auto owner = std::make_unique<QWidget>();
        CSplashScreen::EnableSplash(true);
        CSplashScreen::ShowSplash(owner.get());
        QVERIFY(CSplashScreen::Current());
        owner.reset();
        QVERIFY(CSplashScreen::Current() == nullptr);
        QVERIFY(!CSplashScreen::SplashPreTranslate(nullptr));
    }
};

TOLVAR_TEST(SplashScreenTest);

#include "tst_SplashScreen.moc"
