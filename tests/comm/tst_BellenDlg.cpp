#include "platform/PseudoModem.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include "comm/BellenDlg.h"
#include "platform/profile/Profile.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {

constexpr int kReadCapMs = 10;
constexpr int kWaitMs = 30000;
constexpr int kPort = 2;

PseudoModem::Answer Replying(QList<QByteArray> chunks) {
    return [chunks](const QByteArray&) { return chunks; };
}

// What the dialer showed while it ran.
struct DialLog {
    QStringList statuses;
    bool buttonEnabledWhileDialling = true;
    qint64 dialledAt = -1;
    qint64 hangUpAt = -1;
};

void Follow(CBellenDlg& dialog, DialLog& log) {
    auto* status = qobject_cast<QLineEdit*>(GetDlgItem(&dialog, CBellenDlg::IDC_STATUS));
    auto* button = GetDlgItem(&dialog, IDCANCEL);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(status, &QLineEdit::textChanged, &dialog,
                     [&log, button, clock](const QString& text) {
                         log.statuses << text;
                         if (text.endsWith(QStringLiteral(" wordt gebeld"))) {
                             log.buttonEnabledWhileDialling = button->isEnabled();
                             log.dialledAt = clock->elapsed();
                         } else if (text == QStringLiteral("Ophangen")) {
                             log.hangUpAt = clock->elapsed();
                         }
                     });
}

bool WaitForStatus(QWidget* dialog, const QString& text) {
    return QTest::qWaitFor([&] { return ControlText(dialog, CBellenDlg::IDC_STATUS) == text; },
                           kWaitMs);
}

// What the dialog looked like when it stopped, and whether one press then closed it.
struct StopView {
    QString title;
    QString button;
    bool buttonEnabled = false;
    bool sawStatus = false;
    bool closedByOnePress = false;
};

// Waits for the status, looks, then presses the button once.
void QueueStopCheck(ModalDriver& driver, const QString& status, StopView& view) {
    driver.Queue([status, &view](QWidget* dialog) {
        view.sawStatus = WaitForStatus(dialog, status);
        auto* button = qobject_cast<QPushButton*>(GetDlgItem(dialog, IDCANCEL));
        view.title = dialog->windowTitle();
        view.button = button->text();
        view.buttonEnabled = button->isEnabled();
        button->click();
        view.closedByOnePress = !dialog->isVisible();
    });
}

} // namespace

// The dialer against a pseudo-terminal that plays the modem.
class BellenDlgTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CSerialPort::SetReadTimeoutCap(kReadCapMs); }
    void cleanupTestCase() { CSerialPort::SetReadTimeoutCap(-1); }

    void init() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Merivon"),
                  QStringLiteral("Tolvar"))
            .clear();
        CProfile::WriteProfileInt(QStringLiteral("Bellen"), QStringLiteral("Compoort"), kPort);
    }

    void dialsAndClosesByItself() {
        CProfile::WriteProfileString(QStringLiteral("Bellen"), QStringLiteral("Voorloop"),
                                     QStringLiteral("0,"));
        PseudoModem modem(kPort, Replying({"\r\nOK\r\n"}));
        ModalDriver driver(kWaitMs);
        CBellenDlg dialog(QStringLiteral("020-123 45"));
        DialLog log;
        Follow(dialog, log);

        QCOMPARE(dialog.DoModal(), int(IDOK));
        QCOMPARE(modem.Received(), QByteArray("atz\r\natdt0,020-123 45;\rath\r"));
        QCOMPARE(
            log.statuses,
            (QStringList{QStringLiteral("Openen poort: COM2:"), QStringLiteral("Reset van modem"),
                         QStringLiteral("Bellen van: 0,020-123 45"),
                         QStringLiteral("0,020-123 45 wordt gebeld"), QStringLiteral("Ophangen"),
                         QStringLiteral("Sluiten poort")}));
        QVERIFY(!log.buttonEnabledWhileDialling);
        QVERIFY2(log.hangUpAt - log.dialledAt >= 690,
                 qPrintable(QString::number(log.hangUpAt - log.dialledAt)));
        QCOMPARE(modem.OpenCount(), 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Bellen"));
        QCOMPARE(driver.Unexpected(), 0);
    }

    void unrecognisedRepliesFailAfterAllReads_data() {
        QTest::addColumn<QList<QByteArray>>("answer");
        QTest::newRow("no reply") << QList<QByteArray>{};
        QTest::newRow("lower case ok") << QList<QByteArray>{"\r\nok\r\n"};
        QTest::newRow("split over two reads") << QList<QByteArray>{"\r\nO", "K\r\n"};
    }

    void unrecognisedRepliesFailAfterAllReads() {
        QFETCH(QList<QByteArray>, answer);
        PseudoModem modem(kPort, Replying(answer));
        ModalDriver driver(kWaitMs);
        StopView view;
        QueueStopCheck(driver, QStringLiteral("Foute/Geen responce"), view);
        CBellenDlg dialog(QStringLiteral("0201234567"));
        QElapsedTimer clock;
        clock.start();

        QCOMPARE(dialog.DoModal(), int(IDCANCEL));
        QVERIFY(view.sawStatus);
        QCOMPARE(view.title, QStringLiteral("Bellen: FOUT !!"));
        QCOMPARE(view.button, QStringLiteral("&TERUG"));
        QVERIFY(view.buttonEnabled);
        QVERIFY(view.closedByOnePress);
        QCOMPARE(modem.Received(), QByteArray("atz\r\n"));
        QCOMPARE(modem.OpenCount(), 1);
        // A hundred reads, each waiting out its time-out.
        QVERIFY(clock.elapsed() >= CBellenDlg::kMaxReads * kReadCapMs);
    }

    void abortDuringResetClosesThePort() {
        PseudoModem modem(kPort, Replying({}));
        ModalDriver driver(kWaitMs);
        StopView first;
        int openWhileStopped = -1;
        bool closedBySecondPress = false;
        driver.Queue([&](QWidget* dialog) {
            first.sawStatus = WaitForStatus(dialog, QStringLiteral("Reset van modem"));
            auto* button = qobject_cast<QPushButton*>(GetDlgItem(dialog, IDCANCEL));
            button->click();
            first.title = dialog->windowTitle();
            first.button = button->text();
            first.closedByOnePress = !dialog->isVisible();
            openWhileStopped = modem.OpenCount();
            button->click();
            closedBySecondPress = !dialog->isVisible();
        });
        CBellenDlg dialog(QStringLiteral("0201234567"));

        QCOMPARE(dialog.DoModal(), int(IDCANCEL));
        QVERIFY(first.sawStatus);
        QCOMPARE(first.title, QStringLiteral("Bellen: Afgebroken"));
        QCOMPARE(first.button, QStringLiteral("&TERUG"));
        QVERIFY(!first.closedByOnePress);
        QCOMPARE(openWhileStopped, 1);
        QVERIFY(closedBySecondPress);
        QTRY_COMPARE(modem.Received(), QByteArray("atz\r\n"));
    }

    void unusablePortsStopWithOnePressToClose_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("status");
        QTest::newRow("missing device")
            << QStringLiteral("/nonexistent/ttyS9") << QStringLiteral("COM7 niet te openen");
        QTest::newRow("not a port")
            << QStringLiteral("plain") << QStringLiteral("Error instellen poort");
    }

    void unusablePortsStopWithOnePressToClose() {
        QFETCH(QString, target);
        QFETCH(QString, status);
        CProfile::WriteProfileInt(QStringLiteral("Bellen"), QStringLiteral("Compoort"), 7);
        QDir().mkpath(CPaths::DosDevicesFolder());
        if (target == QLatin1String("plain")) {
            target = CPaths::DataFolder() + QStringLiteral("/geen-poort");
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString link = CPaths::DosDevicesFolder() + QStringLiteral("/com7");
        QFile::remove(link);
        QVERIFY(QFile::link(target, link));
        ModalDriver driver(kWaitMs);
        StopView view;
        QueueStopCheck(driver, status, view);
        CBellenDlg dialog(QStringLiteral("0201234567"));

        QCOMPARE(dialog.DoModal(), int(IDCANCEL));
        QFile::remove(link);
        QVERIFY(view.sawStatus);
        QCOMPARE(view.title, QStringLiteral("Bellen"));
        QCOMPARE(view.button, QStringLiteral("&Terug"));
        QVERIFY(view.closedByOnePress);
    }

    void overlongNumberIsRefusedUnsent() {
        PseudoModem modem(kPort, Replying({"OK\r\n"}));
        ModalDriver driver(kWaitMs);
        StopView view;
        QueueStopCheck(driver, QStringLiteral("Nummer te lang (max. 40 tekens)"), view);
        CBellenDlg dialog(QString(CBellenDlg::kMaxDialString + 1, QLatin1Char('9')));

        QCOMPARE(dialog.DoModal(), int(IDCANCEL));
        QVERIFY(view.sawStatus);
        QVERIFY(view.closedByOnePress);
        QCOMPARE(modem.Received(), QByteArray());
        QCOMPARE(modem.OpenCount(), 1);
    }
};

TOLVAR_TEST(BellenDlgTest);

#include "tst_BellenDlg.moc"
