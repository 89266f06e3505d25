#include "platform/TestDesktop.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include "comm/DocumentLauncher.h"
#include "platform/ui/MessageBox.h"

#include <QMessageBox>
#include <QTest>

namespace {

struct ShownBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

void QueueLook(ModalDriver& driver, ShownBox& shown) {
    driver.Queue([&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box) {
            shown = {box->text(), box->windowTitle(), box->icon(), int(box->buttons().size())};
        }
        AnswerMessageBox(modal, IDOK);
    });
}

} // namespace

// The fixed Dutch failure texts of the launcher, shown for real.
class DocumentLauncherTest : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageBoxLog().clear(); }

    void failuresShowFixedTextWithStopIcon_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("print");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing file") << "weg.xls" << false << "Bestand niet gevonden";
        QTest::newRow("missing folder") << "geen/map/weg.xls" << false << "Pad bestaat niet";
        QTest::newRow("type without program")
            << "tekening.dwg" << false << "Geen programma gekoppeld aan dit type bestand";
        QTest::newRow("no way to print")
            << "tekening.dwg" << true << "Geen programma gekoppeld aan dit type bestand";
    }

    void failuresShowFixedTextWithStopIcon() {
        QFETCH(QString, relative);
        QFETCH(bool, print);
        QFETCH(QString, text);
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("viewer"), {QStringLiteral("text/plain")},
                           QStringLiteral("%f"));
        desktop.WriteFile(QStringLiteral("tekening.dwg"), QByteArray("\x00\x01\x02\xff", 4));
        ModalDriver driver;
        ShownBox shown;
        QueueLook(driver, shown);
        QWidget owner;

        const QString path = desktop.Path(relative);
        print ? PrintDocument(&owner, path) : OpenDocument(&owner, path);
        QCOMPARE(shown.text, text);
        QCOMPARE(shown.caption, QStringLiteral("Let Op"));
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QCOMPARE(shown.buttons, 1);
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(MessageBoxLog().front().type, UINT(MB_OK | MB_ICONSTOP));
        QCOMPARE(driver.Unexpected(), 0);
    }

    void launchedDocumentShowsNothing() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("viewer"), {QStringLiteral("text/plain")},
                           QStringLiteral("%f"));
        const QString path = desktop.WriteFile(QStringLiteral("Offerte 12.txt"), "Offerte\n");
        ModalDriver driver(500);

        OpenDocument(nullptr, path);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("viewer")).size(), 1, 20000);
        QCOMPARE(desktop.Calls(QStringLiteral("viewer")).first(), QStringList{path});
        QCOMPARE(MessageBoxLog().size(), size_t(0));
        QCOMPARE(driver.Unexpected(), 0);
    }

    void sharedTextsAndSilentCodes() {
        for (int code : {28, 29, 30}) {
            QCOMPARE(ShellFailureText(code),
                     QStringLiteral("Problemen met starten programma (DDE)"));
        }
        QCOMPARE(ShellFailureText(0), QStringLiteral("Geen geheugen voor operatie"));
        QCOMPARE(ShellFailureText(8), ShellFailureText(0));
        QCOMPARE(ShellFailureText(26), QStringLiteral("Share fout. Bestand is in gebruik"));
        QCOMPARE(ShellFailureText(32), QStringLiteral("Bestand niet gevonden (DLL)"));
        for (int code : {1, 4, 6, 7, 9, 10, 12, 25, 33, 42}) {
            ReportShellResult(nullptr, code);
        }
        QCOMPARE(MessageBoxLog().size(), size_t(0));
    }
};

TOLVAR_TEST(DocumentLauncherTest);

#include "tst_DocumentLauncher.moc"
