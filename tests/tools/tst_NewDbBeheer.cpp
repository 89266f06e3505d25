#include "NewDbRun.h"
#include "support/BestandVraag.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Relations(const QString& path) {
    const qint64 count = BestandGetal(path, QStringLiteral("SELECT count(*) FROM Relaties"));
    return count < 0 ? QString() : QString::number(count);
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// tolvar-newdb for administrators and scripts: --check and --backup, their exit status and
// their Dutch messages.
class NewDbBeheerTest : public QObject {
    Q_OBJECT

private slots:
    void checkTellsSoundDamagedAndMissing() {
        QTemporaryDir dir;
        const QString good = dir.filePath("goed.Doc");
        QCOMPARE(RunNewDb({"--demo", "60", good}).exitCode, 0);
        const NewDbRun sound = RunNewDb({"--check", good});
        QCOMPARE(sound.exitCode, 0);
        QCOMPARE(sound.out, "In orde: " + good + "\n");

        const QString bad = dir.filePath("slecht.Doc");
        QFile::copy(good, bad);
        QFile file(bad);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
        file.close();
        const QByteArray before = Bytes(bad);
        const NewDbRun damaged = RunNewDb({"--check", bad});
        QCOMPARE(damaged.exitCode, 1);
        QVERIFY2(damaged.err.startsWith("tolvar-newdb: " + bad + " is beschadigd:\n"),
                 qPrintable(damaged.err));
        QCOMPARE(Bytes(bad), before);

        const NewDbRun missing = RunNewDb({"--check", dir.filePath("weg.Doc")});
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(missing.err, "tolvar-newdb: " + dir.filePath("weg.Doc") + " bestaat niet.\n");
        QVERIFY(!QFile::exists(dir.filePath("weg.Doc")));

        for (const QStringList& wrong : {QStringList{"--check"}, QStringList{"--check", good, good},
                                         QStringList{"--backup", good}}) {
            const NewDbRun usage = RunNewDb(wrong);
            QCOMPARE(usage.exitCode, 2);
            QVERIFY(usage.err.contains("tolvar-newdb --backup BESTAND DOEL"));
        }
    }

    void backupToAFileOrAFolderNeverOverwrites() {
        QTemporaryDir dir;
        const QString source = dir.filePath("Tolvar.Doc");
        QCOMPARE(RunNewDb({"--demo", "80", source}).exitCode, 0);

        const QString target = dir.filePath("kopie.Doc");
        const NewDbRun made = RunNewDb({"--backup", source, target});
        QCOMPARE(made.exitCode, 0);
        QCOMPARE(made.out, "Reservekopie gemaakt: " + target + "\n");
        QCOMPARE(Relations(target), "80");
        QCOMPARE(RunNewDb({"--check", target}).exitCode, 0);

        // An existing target stays as it was.
        QFile other(dir.filePath("bestaat.Doc"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("van iemand anders");
        other.close();
        const NewDbRun refused = RunNewDb({"--backup", source, other.fileName()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains("bestaat al en wordt niet overschreven"));
        QCOMPARE(Bytes(other.fileName()), QByteArray("van iemand anders"));

        // Into a folder, under the dated name the program's own copies have.
        const QString folder = dir.filePath("map");
        QDir().mkpath(folder);
        QCOMPARE(RunNewDb({"--backup", source, folder}).exitCode, 0);
        const QStringList inFolder = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(inFolder.size(), 1);
        QVERIFY(QRegularExpression("^Tolvar-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.Doc$")
                    .match(inFolder.front())
                    .hasMatch());

        // A damaged file gives no copy that looks sound.
        const QString bad = dir.filePath("slecht.Doc");
        QFile::copy(source, bad);
        QFile file(bad);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(file.size() / 2 / 4096 * 4096);
        file.write(QByteArray(4096, '\0'));
        file.close();
        const NewDbRun damaged = RunNewDb({"--backup", bad, dir.filePath("van-slecht.Doc")});
        QCOMPARE(damaged.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath("van-slecht.Doc")));
        QVERIFY(QDir(dir.path()).entryList({".*.deel"}, QDir::Files | QDir::Hidden).isEmpty());
    }
};

TOLVAR_TEST(NewDbBeheerTest);

#include "tst_NewDbBeheer.moc"
