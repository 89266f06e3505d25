#include "support/TestRegistry.h"
#include "TestDesktop.h"

#include "platform/shell/ShellExecute.h"

#include <QTest>
#include <unistd.h>

namespace {

constexpr int kLaunchWaitMs = 20000;
const QByteArray kText = "Offerte voor de klant\n";

} // namespace

// The launcher against a desktop of its own: real xdg-utils, a handler that records.
class ShellExecuteTest : public QObject {
    Q_OBJECT
private slots:
    void opensAwkwardNamesAsOneArgument_data() {
        QTest::addColumn<QString>("relative");
        QTest::newRow("blanks, quotes, substitution, semicolon")
            << QStringLiteral("docs/a b'\"$(touch GEKAAPT);x.txt");
        QTest::newRow("leading dash") << QStringLiteral("-rf.txt");
    }

    void opensAwkwardNamesAsOneArgument() {
        QFETCH(QString, relative);
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("viewer"), {QStringLiteral("text/plain")},
                           QStringLiteral("%f"));
        const QString path = desktop.WriteFile(relative, kText);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(desktop.Path(QStringLiteral(".")));

        QCOMPARE(ShellExecuteA(QStringLiteral("open"), relative), int(SE_HANDED_ON));
        QDir::setCurrent(previous);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("viewer")).size(), 1, kLaunchWaitMs);
        QCOMPARE(desktop.Calls(QStringLiteral("viewer")).first(),
                 QStringList{QFileInfo(path).absoluteFilePath()});
        QVERIFY(!QFile::exists(desktop.Path(QStringLiteral("GEKAAPT"))));
        QVERIFY(!QFile::exists(desktop.Path(QStringLiteral("docs/GEKAAPT"))));
    }

    void opensWindowsPathOnItsDrive() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("viewer"), {QStringLiteral("text/plain")},
                           QStringLiteral("%f"));
        const QString path =
            desktop.WriteFile(QStringLiteral("data/tolvar/drive_c/Offertes/brief.txt"), kText);

        QCOMPARE(ShellExecuteA(QStringLiteral("open"), QStringLiteral("C:\\Offertes\\brief.txt")),
                 int(SE_HANDED_ON));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("viewer")).size(), 1, kLaunchWaitMs);
        QCOMPARE(desktop.Calls(QStringLiteral("viewer")).first(), QStringList{path});
    }

    void mapsFileFailuresToShellCodes() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("viewer"), {QStringLiteral("text/plain")},
                           QStringLiteral("%f"));
        const QString file = desktop.WriteFile(QStringLiteral("er.txt"), kText);
        desktop.WriteFile(QStringLiteral("onbekend.qqq"), QByteArray("\x00\x01\x02\xff", 4));
        const auto open = [&](const QString& relative) {
            return ShellExecuteA(QStringLiteral("open"), desktop.Path(relative));
        };

        QCOMPARE(open(QStringLiteral("weg.txt")), int(SE_ERR_FNF));
        QCOMPARE(open(QStringLiteral("geen/map/weg.txt")), int(SE_ERR_PNF));
        QCOMPARE(open(QStringLiteral("er.txt/weg.txt")), int(SE_ERR_PNF));
        QCOMPARE(ShellExecuteA(QStringLiteral("open"), QString()), int(SE_ERR_FNF));
        QCOMPARE(ShellExecuteA(QStringLiteral("open"), QStringLiteral("Q:\\nergens\\x.txt")),
                 int(SE_ERR_PNF));
        QCOMPARE(open(QStringLiteral("onbekend.qqq")), int(SE_ERR_NOASSOC));
        QCOMPARE(ShellExecuteA(QStringLiteral("bewerk"), file), int(SE_ERR_NOASSOC));
        QCOMPARE(desktop.Calls(QStringLiteral("viewer")).size(), 0);
    }

    void refusesUnreadableFile() {
        if (::geteuid() == 0) {
            QSKIP("file permissions do not bind the superuser");
        }
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("viewer"), {QStringLiteral("text/plain")},
                           QStringLiteral("%f"));
        const QString file = desktop.WriteFile(QStringLiteral("geheim.txt"), kText);
        QFile::setPermissions(file, QFileDevice::WriteOwner);
        QDir().mkpath(desktop.Path(QStringLiteral("dicht")));
        const QString inside = desktop.WriteFile(QStringLiteral("dicht/x.txt"), kText);
        QFile::setPermissions(desktop.Path(QStringLiteral("dicht")), QFileDevice::ReadOwner);

        QCOMPARE(ShellExecuteA(QStringLiteral("open"), file), int(SE_ERR_ACCESSDENIED));
        QCOMPARE(ShellExecuteA(QStringLiteral("print"), inside), int(SE_ERR_ACCESSDENIED));
        QFile::setPermissions(desktop.Path(QStringLiteral("dicht")), QFileDevice::ReadOwner |
                                                                         QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
    }

    void printsThroughTheSpooler() {
        TestDesktop desktop;
        desktop.AddRecorder(QStringLiteral("lp"));
        const QString file = desktop.WriteFile(QStringLiteral("-brief.txt"), kText);

        QCOMPARE(ShellExecuteA(QStringLiteral("print"), file), int(SE_HANDED_ON));
        const auto calls = desktop.Calls(QStringLiteral("lp"));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first(), (QStringList{QStringLiteral("-s"), file}));
    }

    void printWithoutAWayToPrint() {
        TestDesktop desktop;
        desktop.AddRecorder(QStringLiteral("lp"), 1);
        const QString text = desktop.WriteFile(QStringLiteral("brief.txt"), kText);
        const QString binary =
            desktop.WriteFile(QStringLiteral("tekening.qqq"), QByteArray("\x00\x01\x02\xff", 4));

        // The spooler refuses the job (no printer): no way to print.
        QCOMPARE(ShellExecuteA(QStringLiteral("print"), text), int(SE_ERR_NOASSOC));
        QCOMPARE(ShellExecuteA(QStringLiteral("print"), binary), int(SE_ERR_NOASSOC));
        QCOMPARE(ShellExecuteA(QStringLiteral("print"), desktop.Path(QStringLiteral("."))),
                 int(SE_ERR_NOASSOC));
        QCOMPARE(desktop.Calls(QStringLiteral("lp")).size(), 1);
    }

    // The name decides the type, whatever the file holds: a ".doc" or ".RTF" with plain text
    // is an office document that only an office suite prints; a name that says nothing
    // leaves it to the content.
    void printsOfficeDocumentOnlyWithOfficeSuite() {
        TestDesktop desktop;
        desktop.HideSystemPrograms();
        desktop.AddRecorder(QStringLiteral("lp"));
        const QString document = desktop.WriteFile(QStringLiteral("offerte.doc"), kText);
        const QString rtf = desktop.WriteFile(QStringLiteral("brief.RTF"), kText);
        const QString plain = desktop.WriteFile(QStringLiteral("LEESMIJ"), kText);
        const auto print = [](const QString& path) {
            return ShellExecuteA(QStringLiteral("print"), path);
        };

        QCOMPARE(print(document), int(SE_ERR_NOASSOC));
        QCOMPARE(print(rtf), int(SE_ERR_NOASSOC));
        QCOMPARE(desktop.Calls(QStringLiteral("lp")).size(), 0);
        QCOMPARE(print(plain), int(SE_HANDED_ON));
        QCOMPARE(desktop.Calls(QStringLiteral("lp")),
                 QList<QStringList>{(QStringList{QStringLiteral("-s"), plain})});

        desktop.AddRecorder(QStringLiteral("soffice"));
        QCOMPARE(print(document), int(SE_HANDED_ON));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("soffice")).size(), 1,
                                  kLaunchWaitMs);
        QCOMPARE(desktop.Calls(QStringLiteral("soffice")).first(),
                 (QStringList{QStringLiteral("--headless"), QStringLiteral("-p"), document}));
        QCOMPARE(desktop.Calls(QStringLiteral("lp")).size(), 1);
    }

    void opensWebAddressesInTheBrowser() {
        TestDesktop desktop;
        desktop.AddHandler(
            QStringLiteral("browser"),
            {QStringLiteral("x-scheme-handler/http"), QStringLiteral("x-scheme-handler/https")},
            QStringLiteral("%u"));

        QCOMPARE(ShellExecuteA(QStringLiteral("open"), QStringLiteral("www.merivon.nl")),
                 int(SE_HANDED_ON));
        QCOMPARE(ShellExecuteA(QStringLiteral("open"),
                               QStringLiteral("https://merivon.nl/zoek?q=a b;$(id)")),
                 int(SE_HANDED_ON));
        QCOMPARE(ShellExecuteA(QStringLiteral("print"), QStringLiteral("www.merivon.nl")),
                 int(SE_ERR_NOASSOC));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("browser")).size(), 2,
                                  kLaunchWaitMs);
        QStringList opened;
        for (const QStringList& call : desktop.Calls(QStringLiteral("browser"))) {
            opened += call;
        }
        opened.sort();
        QCOMPARE(opened, (QStringList{QStringLiteral("http://www.merivon.nl"),
                                      QStringLiteral("https://merivon.nl/zoek?q=a b;$(id)")}));
    }
};

TOLVAR_TEST(ShellExecuteTest);

#include "tst_ShellExecute.moc"
