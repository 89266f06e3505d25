#include "ModalDriver.h"
#include "TestRegistry.h"

#include "app/JetStart.h"
#include "platform/dao/DaoEngine.h"
#include "platform/ui/MessageBox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Hash(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

} // namespace

// A firm starts Tolvar on the files of the Windows version: one box offers to convert them;
// Yes keeps the old files beside the new ones and starts, No ends with everything as it was.
class TestJetStart : public QObject {
    Q_OBJECT

private slots:
    void offersConversionAtStart_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("yes") << int(IDYES) << false;
        QTest::newRow("no") << int(IDNO) << false;
        QTest::newRow("yes, appointments damaged: nothing changes") << int(IDYES) << true;
    }
    void offersConversionAtStart() {
        QFETCH(int, answer);
        QFETCH(bool, damaged);
        QTemporaryDir dir;
        const QString main = dir.filePath("Tolvar.Doc");
        const QString agenda = dir.filePath("tolvdata.mdb");
        QVERIFY(QFile::copy(TOLVAR_TEST_DATA_DIR "/jet/tolvar-v2003.mdb", main));
        QVERIFY(QFile::copy(TOLVAR_TEST_DATA_DIR "/jet/tolvdata-v2003.mdb", agenda));
        QFile::setPermissions(agenda, QFile::ReadOwner | QFile::WriteOwner);
        if (damaged) {
            QVERIFY(QFile::resize(agenda, 40960));
        }
        const QByteArray mainBefore = Hash(main);
        const QByteArray agendaBefore = Hash(agenda);

        MessageBoxLog().clear();
        ModalDriver driver(60000);
        driver.Queue([answer](QWidget* box) { AnswerMessageBox(box, answer); });
        if (answer == IDYES) {
            driver.Queue([](QWidget* box) { AnswerMessageBox(box, IDOK); });
        }
        const bool started = CJetStart::Uitvoeren({main, agenda});
        QVERIFY(driver.WaitDone());
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY(MessageBoxLog().front().text.contains(QDir::toNativeSeparators(main)));
        QVERIFY(MessageBoxLog().front().text.contains(QDir::toNativeSeparators(agenda)));

        QCOMPARE(started, answer == IDYES && !damaged);
        if (!started) {
            // Nothing changed: the same two files and nothing beside them.
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                     QStringList({"Tolvar.Doc", "tolvdata.mdb"}));
            QCOMPARE(Hash(main), mainBefore);
            QCOMPARE(Hash(agenda), agendaBefore);
            if (damaged) {
                QVERIFY(MessageBoxLog().back().text.contains(agenda));
            }
            return;
        }
        QCOMPARE(Hash(dir.filePath("Tolvar-windows.mdb")), mainBefore);
        QCOMPARE(Hash(dir.filePath("tolvdata-windows.mdb")), agendaBefore);
        QVERIFY(MessageBoxLog().back().text.contains("Relaties: 38 rijen overgenomen"));
        auto count = CDaoEngine::Connect(main)->Prepare("SELECT count(*) FROM Relaties");
        QVERIFY(count->Step());
        QCOMPARE(count->Int64(0), 38);
        count = CDaoEngine::Connect(agenda)->Prepare("SELECT count(*) FROM KalenderLijst");
        QVERIFY(count->Step());
        QCOMPARE(count->Int64(0), 22);
    }
};

TOLVAR_TEST(TestJetStart);
#include "tst_JetStart.moc"
