#include "fixture/TestDatabase.h"
#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoException.h"
#include "store/ReserveKopieen.h"
#include "support/BestandVraag.h"
#include "support/TestRegistry.h"

#include <csignal>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

// A file's bytes and time of last change: equal before and after means nothing was written.
struct FileState {
    QByteArray hash;
    QDateTime changed;
    bool operator==(const FileState&) const = default;
};

FileState StateOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return {QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256),
            QFileInfo(path).lastModified()};
}

qint64 Count(const QString& path, const char* sql) {
    return BestandGetal(path, QString::fromUtf8(sql));
}

void AddRelations(TestDatabase& db, int count, const QString& name) {
    QString sql = QStringLiteral("BEGIN;");
    for (int i = 0; i < count; ++i) {
        sql += QStringLiteral("INSERT INTO Relaties (szInLijst) VALUES ('%1');"
                              "INSERT INTO Personen (dwRelatieNummer, szAchterNaam) VALUES "
                              "(last_insert_rowid(), 'Persoon van %1');")
                   .arg(name);
    }
    db.Exec(sql + QStringLiteral("COMMIT;"));
}

QStringList Names(const std::vector<CReserveKopieen::Kopie>& copies) {
    QStringList names;
    for (const auto& copy : copies) {
        names << QFileInfo(copy.strPad).fileName();
    }
    return names;
}

} // namespace

// The program's copies of its data files: made once a day and pruned by their rule, made
// consistently while another process writes, damage found without writing to the file, and
// a full disk that leaves what was there before.
class ReserveKopieTest : public QObject {
    Q_OBJECT

private slots:
    void dailyCopiesOncePerDayPrunedByTheRule() {
        TestDatabase db;
        QTemporaryDir map;
        QDateTime now(QDate(2026, 9, 1), QTime(9, 0));
        CReserveKopieen copies(map.path(), [&] { return now; });
        // Someone else's files in the folder are never touched.
        QFile(map.filePath("notities.txt")).open(QIODevice::WriteOnly);
        QFile(map.filePath("Ander-2026-01-01-000000.Doc")).open(QIODevice::WriteOnly);

        for (; now.date() <= QDate(2026, 12, 9); now = now.addDays(1)) {
            AddRelations(db, 1, now.date().toString(Qt::ISODate));
            now.setTime(QTime(9, 0));
            QVERIFY(!copies.MaakDagelijks(db.Path()).isEmpty());
            now.setTime(QTime(15, 30)); // a second start the same day copies nothing
            QVERIFY(copies.MaakDagelijks(db.Path()).isEmpty());
            QVERIFY(copies.Kopieen(db.Path()).size() <= 7 + 8 + 1);
        }
        now = QDateTime(QDate(2026, 12, 9), QTime(15, 30));
        // Wednesday 9 December: the last seven days, and of each of the eight weeks before
        // this one its newest copy (a Sunday; the first lies within the seven days already).
        const QStringList expected = {
            "Tolvar-2026-12-09-090000.Doc", "Tolvar-2026-12-08-090000.Doc",
            "Tolvar-2026-12-07-090000.Doc", "Tolvar-2026-12-06-090000.Doc",
            "Tolvar-2026-12-05-090000.Doc", "Tolvar-2026-12-04-090000.Doc",
            "Tolvar-2026-12-03-090000.Doc", "Tolvar-2026-11-29-090000.Doc",
            "Tolvar-2026-11-22-090000.Doc", "Tolvar-2026-11-15-090000.Doc",
            "Tolvar-2026-11-08-090000.Doc", "Tolvar-2026-11-01-090000.Doc",
            "Tolvar-2026-10-25-090000.Doc", "Tolvar-2026-10-18-090000.Doc"};
        QCOMPARE(Names(copies.Kopieen(db.Path())), expected);
        QVERIFY(QFile::exists(map.filePath("notities.txt")));
        QVERIFY(QFile::exists(map.filePath("Ander-2026-01-01-000000.Doc")));

        // Each copy holds the data of its own day and checks good.
        const QString october = map.filePath("Tolvar-2026-10-18-090000.Doc");
        QVERIFY(CDaoBackup::QuickCheck(october).IsOk());
        QCOMPARE(Count(october, "SELECT count(*) FROM Relaties WHERE szInLijst > '2026-10-18'"),
                 qint64(0));
        QCOMPARE(Count(october, "SELECT count(*) FROM Relaties WHERE szInLijst = '2026-10-18'"),
                 qint64(1));
        QCOMPARE(copies.NieuwsteGoede(db.Path())->strPad,
                 map.filePath("Tolvar-2026-12-09-090000.Doc"));

        // A copy stopped half-way leaves a hidden file; an old one is cleared away, a fresh
        // one may belong to a copy still running and stays.
        const QString oldPart = map.filePath(".Tolvar-2026-12-08-090000.Doc.deel");
        const QString freshPart = map.filePath(".Tolvar-2026-12-09-090000.Doc.deel");
        for (const QString& part : {oldPart, freshPart}) {
            QFile file(part);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("half");
        }
        QFile old(oldPart);
        old.open(QIODevice::ReadWrite);
        old.setFileTime(QDateTime::currentDateTime().addDays(-1),
                        QFileDevice::FileModificationTime);
        old.close();
        copies.Snoei(db.Path());
        QVERIFY(!QFile::exists(oldPart));
        QVERIFY(QFile::exists(freshPart));
        QCOMPARE(copies.Kopieen(db.Path()).size(), size_t(expected.size()));

        // A damaged newest copy is passed over for the one before it.
        QFile newest(map.filePath(expected[0]));
        QVERIFY(newest.open(QIODevice::ReadWrite));
        newest.resize(newest.size() / 2);
        newest.close();
        QCOMPARE(copies.NieuwsteGoede(db.Path())->strPad, map.filePath(expected[1]));
    }

    void copyWhileAnotherProcessWritesIsConsistent() {
        TestDatabase db;
        AddRelations(db, 200, QStringLiteral("begin"));
        // The plain command-line tool writes one relation with two persons per transaction.
        QString script = QStringLiteral(".timeout 10000\n");
        for (int i = 0; i < 4000; ++i) {
            script += QStringLiteral(
                "BEGIN IMMEDIATE; INSERT INTO Relaties (szInLijst) VALUES ('schrijver');"
                "INSERT INTO Personen (dwRelatieNummer) VALUES (last_insert_rowid());"
                "INSERT INTO Personen (dwRelatieNummer) VALUES "
                "((SELECT max(lRelatieNummer) FROM Relaties)); COMMIT;\n");
        }
        QProcess writer;
        writer.start(QStringLiteral("sqlite3"), {db.Path()});
        QVERIFY(writer.waitForStarted());
        writer.write(script.toUtf8());
        writer.closeWriteChannel();

        QTemporaryDir map;
        std::vector<qint64> seen;
        for (int i = 0; i < 6 && writer.state() == QProcess::Running; ++i) {
            QTest::qWait(60);
            const QString copy = map.filePath(QStringLiteral("kopie%1.Doc").arg(i));
            CDaoBackup::Copy(db.Path(), copy, CDaoBackup::kAdminWaitMs);
            QVERIFY2(CDaoBackup::QuickCheck(copy).IsOk(), qPrintable(copy));
            // 200 relations with one person each, then relations with two.
            const qint64 relations = Count(copy, "SELECT count(*) FROM Relaties");
            QCOMPARE(Count(copy, "SELECT count(*) FROM Personen") - 200, 2 * (relations - 200));
            seen.push_back(relations);
        }
        writer.kill(); // enough has been written
        writer.waitForFinished();
        QVERIFY(seen.size() >= 2);
        QVERIFY2(seen.back() > seen.front() && seen.front() >= 200,
                 "the copies were made while the writer ran");
        QCOMPARE(QDir(map.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 qsizetype(seen.size()));
    }

    void damageIsFoundWithoutWritingToTheFile_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        const char* rows[][3] = {
            {"bytes overwritten in the middle", "middle", "beschadigd"},
            {"cut short at a page", "cut-page", "beschadigd"},
            {"cut short inside a page", "cut-odd", "beschadigd"},
            {"empty", "empty", "leeg"},
            {"not a database", "text", "geen database"},
            {"missing", "missing", "bestaat niet"},
        };
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
        }
    }

    void damageIsFoundWithoutWritingToTheFile() {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        TestDatabase db;
        AddRelations(db, 600, QStringLiteral("een relatie met een wat langere naam"));
        QVERIFY(CDaoBackup::QuickCheck(db.Path()).IsOk());
        const QString path = db.Folder() + QStringLiteral("/schade.Doc");
        QVERIFY(QFile::copy(db.Path(), path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 size = file.size();
        if (damage == "middle") {
            // A page in the middle turned to rubbish, as a bad sector or a torn write leaves.
            file.seek(size / 2 / 4096 * 4096);
            file.write(QByteArray(4096, '\xff'));
        } else if (damage == "cut-page") {
            file.resize(size - 3 * 4096);
        } else if (damage == "cut-odd") {
            file.resize(size / 2 + 123);
        } else if (damage == "empty") {
            file.resize(0);
        } else if (damage == "text") {
            file.resize(0);
            file.write(QByteArray("Dit is een brief, geen database.\n").repeated(200));
        }
        file.close();
        if (damage == "missing") {
            QFile::remove(path);
        }
        const FileState before = StateOf(path);
        QTest::qWait(20); // a write would show in the time of last change
        const CDaoBackup::CheckResult check = CDaoBackup::QuickCheck(path);
        QVERIFY(!check.IsOk());
        QCOMPARE(check.nState,
                 damage == "missing" ? CDaoBackup::CHECK_MISSING : CDaoBackup::CHECK_DAMAGED);
        QVERIFY2(check.strDetail.contains(expected), qPrintable(check.strDetail));
        QVERIFY(StateOf(path) == before);
        QVERIFY(!QFile::exists(path + "-journal"));
    }

    // A process that died in the middle of a transaction leaves a journal: the engine's
    // rollback of it is recovery, not damage, and the file is then as it was committed.
    void interruptedTransactionIsNoDamage() {
        TestDatabase db;
        AddRelations(db, 3000, QStringLiteral("voor de onderbreking"));
        QProcess writer;
        writer.start(QStringLiteral("sqlite3"), {db.Path()});
        QVERIFY(writer.waitForStarted());
        // A tiny page cache makes the engine write changed pages into the file before the
        // commit, so that the journal it leaves behind is needed to undo them.
        writer.write("PRAGMA cache_size = 1; BEGIN; UPDATE Relaties SET szInLijst = "
                     "'half geschreven'; UPDATE Personen SET szAchterNaam = 'weg';\n");
        const QString journal = db.Path() + "-journal";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(journal).size() > 64 * 1024, 30000);
        QTest::qWait(300);
        writer.kill();
        writer.waitForFinished();
        QVERIFY(QFileInfo(journal).size() > 0);

        // A copy taken now holds what was committed.
        const QString copy = db.Folder() + QStringLiteral("/kopie.Doc");
        CDaoBackup::Copy(db.Path(), copy);
        QCOMPARE(Count(copy, "SELECT count(*) FROM Relaties WHERE szInLijst = "
                             "'voor de onderbreking'"),
                 qint64(3000));
        const CDaoBackup::CheckResult check = CDaoBackup::QuickCheck(db.Path());
        QVERIFY2(check.IsOk(), qPrintable(check.strDetail));
        QVERIFY(!QFileInfo::exists(journal) || QFileInfo(journal).size() == 0);
        QCOMPARE(Count(db.Path(), "SELECT count(*) FROM Relaties WHERE szInLijst = "
                                  "'voor de onderbreking'"),
                 qint64(3000));
    }

    void fullDiskLeavesOldCopiesAndTheDatabase() {
        TestDatabase db;
        AddRelations(db, 4000, QStringLiteral("een relatie met een naam die ruimte neemt"));
        QVERIFY(QFileInfo(db.Path()).size() > 600 * 1024);
        const QString map = db.Folder() + QStringLiteral("/reservekopie");
        QVERIFY(QDir().mkpath(map));
        // A small disk where the machine lets us mount one; else a child process copies
        // under a limit on the size of the files it may write, which fails the same way.
        const bool mounted =
            QProcess::execute(QStringLiteral("mount"),
                              {"-t", "tmpfs", "-o", "size=400k", "tmpfs", map}) == 0;
        const QString oldCopy = map + QStringLiteral("/Tolvar-2026-12-01-090000.Doc");
        sqlite3* small = nullptr;
        sqlite3_open_v2(QFile::encodeName(oldCopy).constData(), &small,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        sqlite3_exec(small,
                     "CREATE TABLE Relaties (lRelatieNummer INTEGER PRIMARY KEY);"
                     "INSERT INTO Relaties VALUES (1);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(small);
        const FileState oldBefore = StateOf(oldCopy);
        const FileState dbBefore = StateOf(db.Path());

        QString failure;
        if (mounted) {
            CReserveKopieen copies(map, [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0)); });
            try {
                copies.MaakDagelijks(db.Path());
            } catch (const CDaoException& e) {
                failure = e.GetErrorMessage();
            }
        } else {
            QProcess child;
            child.setChildProcessModifier([] {
                const rlimit limit{200 * 1024, 200 * 1024};
                setrlimit(RLIMIT_FSIZE, &limit);
                signal(SIGXFSZ, SIG_IGN);
            });
            child.start(QStringLiteral(TOLVAR_NEWDB), {"--backup", db.Path(), map});
            QVERIFY(child.waitForFinished(60000));
            QCOMPARE(child.exitCode(), 1);
            failure = QString::fromUtf8(child.readAllStandardError());
        }
        const QStringList left = QDir(map).entryList(QDir::Files | QDir::Hidden);
        const FileState oldAfter = StateOf(oldCopy);
        if (mounted) {
            QProcess::execute(QStringLiteral("umount"), {map});
        }
        QVERIFY2(failure.contains("niet genoeg ruimte op de schijf"), qPrintable(failure));
        QCOMPARE(left, QStringList{QFileInfo(oldCopy).fileName()});
        QVERIFY(oldAfter == oldBefore);
        QVERIFY(StateOf(db.Path()) == dbBefore);
        QVERIFY(CDaoBackup::QuickCheck(db.Path()).IsOk());
    }
};

TOLVAR_TEST(ReserveKopieTest);

#include "tst_ReserveKopie.moc"
