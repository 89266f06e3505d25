#include "fixture/LockHolder.h"
#include "fixture/ReadOnlyFile.h"
#include "fixture/TestDatabase.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "store/DatabasePath.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"
#include "support/TestRegistry.h"

#include <csignal>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CDaoException Failure(const std::function<void()>& action) {
    try {
        action();
    } catch (const CDaoException& e) {
        return e;
    }
    return CDaoException(QString());
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

} // namespace

// What the store does with files that are missing, broken or busy, with awkward texts, and
// with a process killed in the middle of its writes.
class TestStoreFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<TestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void missingFileIsAnErrorAndNeverCreated() {
        g_strDatabasePath = m_db->Folder() + "/bestaat-niet.doc";
        CRecRelatie relatie;
        const CDaoException error = Failure([&] { relatie.Selecteer(SEL_ALLES, 0); });
        QCOMPARE(error.m_kind, DaoErrorKind::FileMissing);
        QCOMPARE(error.m_strError, "Het databasebestand " + g_strDatabasePath +
                                       " is niet gevonden.\n\nMelding van de database: unable "
                                       "to open database file");
        QVERIFY(!QFile::exists(g_strDatabasePath));
        QVERIFY(!relatie.IsOpen());
    }

    // Each kind of failure as the engine really gives it, in Dutch with the file's name and
    // the engine's own words as the detail line.
    void failureKindsInDutch_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("detail");
        QTest::newRow("geen database") << "tekst" << int(DaoErrorKind::NotADatabase)
                                       << "Het bestand %1 is geen Tolvar-database."
                                       << "file is not a database";
        QTest::newRow("beschadigd")
            << "beschadigd" << int(DaoErrorKind::Damaged) << "Het databasebestand %1 is beschadigd."
            << "database disk image is malformed";
        QTest::newRow("tabel weg")
            << "tabel" << int(DaoErrorKind::SchemaMissing)
            << "In databasebestand %1 ontbreekt een tabel of kolom die Tolvar nodig heeft."
            << "no such table: MemoRelatie";
        QTest::newRow("kolom weg")
            << "kolom" << int(DaoErrorKind::SchemaMissing)
            << "In databasebestand %1 ontbreekt een tabel of kolom die Tolvar nodig heeft."
            << "no such column: szPostBus";
        QTest::newRow("schijf vol")
            << "vol" << int(DaoErrorKind::DiskFull)
            << "De schijf van databasebestand %1 is vol: er kan niets meer worden opgeslagen."
            << "database or disk is full";
        QTest::newRow("alleen lezen")
            << "alleen-lezen" << int(DaoErrorKind::ReadOnly)
            << "Het databasebestand %1 is alleen-lezen: wijzigingen kunnen niet worden opgeslagen."
            << "attempt to write a readonly database";
        QTest::newRow("map alleen-lezen")
            << "map alleen-lezen" << int(DaoErrorKind::ReadOnly)
            << "Het databasebestand %1 is alleen-lezen: wijzigingen kunnen niet worden opgeslagen."
            << "unable to open database file";
    }
    void failureKindsInDutch() {
        QFETCH(QString, fault);
        const QString path = m_db->Path();
        const QString unwritable = fault == "map alleen-lezen" ? m_db->Folder() : path;
        CRecRelatie relatie;
        std::function<void()> action = [&] {
            relatie.Selecteer(SEL_ALLES, 0);
            relatie.NieuwRecord();
        };
        if (fault == "tekst") {
            WriteFile(path, QByteArray(4096, 'x'));
        } else if (fault == "beschadigd") {
            m_db->Exec("CREATE TABLE Vulling (t TEXT); WITH RECURSIVE n(i) AS (SELECT 1 UNION "
                       "ALL SELECT i + 1 FROM n WHERE i < 2000) INSERT INTO Vulling SELECT "
                       "printf('%0500d', i) FROM n");
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(file.size() / 2);
            file.write(QByteArray(file.size() / 3, '\xff'));
            file.close();
            action = [&] {
                CDaoDatabase::OpenShared(path)->Execute("SELECT sum(length(t)) FROM Vulling");
            };
        } else if (fault == "tabel") {
            m_db->Exec("DROP TABLE MemoRelatie");
            action = [] { CRecRelatieMemo().Selecteer(SEL_OUDER, 1); };
        } else if (fault == "kolom") {
            m_db->Exec("ALTER TABLE Relaties DROP COLUMN szPostBus");
        } else if (fault == "vol") {
            relatie.Selecteer(SEL_ALLES, 0);
            const auto database = CDaoDatabase::OpenShared(path);
            database->Execute("PRAGMA max_page_count = 1");
            relatie.AddNew();
            relatie.memAlgemeneMemo = QString(100000, 'm');
            action = [&] { relatie.Update(); };
        } else if (fault.endsWith("alleen-lezen")) {
            // A folder that cannot be written cannot take the journal a write makes.
            if (!MakeReadOnly(unwritable)) {
                QSKIP("This file system lets the superuser write every file.");
            }
            action = [&] {
                const auto database = CDaoDatabase::OpenShared(path);
                QVERIFY(database->IsReadOnly());
                relatie.Selecteer(SEL_ALLES, 0);
                relatie.NieuwRecord();
            };
        }
        const CDaoException error = Failure(action);
        MakeWritable(unwritable);
        QTEST(int(error.m_kind), "kind");
        QFETCH(QString, sentence);
        QFETCH(QString, detail);
        QVERIFY2(error.m_strError.startsWith(sentence.arg(path) + "\n\nMelding van de database: "),
                 qPrintable(error.m_strError));
        QVERIFY2(error.m_strEngineText.startsWith(detail), qPrintable(error.m_strEngineText));
        QCOMPARE(error.m_strName, path);
    }

    void lockHeldForAWhileIsWaitedFor() {
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        LockHolder other(m_db->Path(), 600);
        QVERIFY(other.IsHolding());
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(relatie.NieuwRecord(), 1);
        QVERIFY(timer.elapsed() >= 300);
        QCOMPARE(m_db->Scalar("SELECT szInLijst FROM Relaties").toString(),
                 QString("<Nieuwe Relatie>"));
    }

    // A lock held longer is given up on soon, so the window never seems frozen, in words
    // that say the command can be tried again; and it can.
    void lockHeldTooLongFailsSoonAndCanBeRetried() {
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        LockHolder other(m_db->Path(), 3000);
        QVERIFY(other.IsHolding());
        relatie.AddNew();
        relatie.szInLijst = "Geduld";
        QElapsedTimer timer;
        timer.start();
        const CDaoException error = Failure([&] { relatie.Update(); });
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(error.m_kind, DaoErrorKind::InUse);
        QVERIFY2(error.m_strError.startsWith("Het databasebestand " + m_db->Path() +
                                             " is in gebruik door een ander programma of "
                                             "werkstation. Probeer het over enkele ogenblikken "
                                             "opnieuw.\n\nMelding van de database: database is "
                                             "locked"),
                 qPrintable(error.m_strError));
        QTRY_VERIFY_WITH_TIMEOUT(other.HasReleased(), 5000);
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Relaties").toInt(), 0);
        relatie.Update();
        QCOMPARE(m_db->Scalar("SELECT szInLijst FROM Relaties").toString(), QString("Geduld"));
    }

    void awkwardTextsRoundTripWhole() {
        const QStringList texts = {
            "O'Brien & \"Zonen\"; BV",
            "'); DROP TABLE Relaties; --",
            "regel een\nregel twee\r\nregel drie\ttab",
            "Café Über € 5,–",
            QString(10000, QChar(u'é')),
            "[szInLijst] = 1 OR 1=1",
        };
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        for (const QString& text : texts) {
            relatie.NieuwRecord();
            relatie.Edit();
            relatie.szVolleNaam = text;
            relatie.memAlgemeneMemo = text + text;
            relatie.Update();
        }
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Relaties").toInt(), texts.size());
        CRecRelatie lezer;
        for (int i = 0; i < texts.size(); ++i) {
            lezer.Selecteer(SEL_NUMMER, i + 1);
            QVERIFY(lezer.Volgende());
            QCOMPARE(lezer.szVolleNaam, texts[i]);
            QCOMPARE(lezer.memAlgemeneMemo, texts[i] + texts[i]);
        }
        QCOMPARE(m_db->Scalar("SELECT length(szVolleNaam) FROM Relaties WHERE lRelatieNummer = 5")
                     .toInt(),
                 10000);
    }

    void killedWriterLeavesASoundFileWithEveryStoredRow() {
        int fds[2];
        QVERIFY(pipe(fds) == 0);
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            WriteUntilKilled(fds[1]);
        }
        close(fds[1]);
        QList<LONG> stored;
        LONG key = 0;
        while (stored.size() < 300 && read(fds[0], &key, sizeof key) == sizeof key) {
            stored << key;
        }
        kill(child, SIGKILL);
        while (read(fds[0], &key, sizeof key) == sizeof key) {
            stored << key;
        }
        close(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        QVERIFY(stored.size() >= 300);

        QCOMPARE(m_db->Scalar("PRAGMA integrity_check").toString(), QString("ok"));
        for (LONG number : stored) {
            QCOMPARE(m_db->Scalar(QString("SELECT szInLijst FROM Relaties WHERE lRelatieNummer "
                                          "= %1")
                                      .arg(number))
                         .toString(),
                     QString("Rij %1").arg(number));
        }
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        QVERIFY(relatie.Volgende());
    }

private:
    [[noreturn]] static void WriteUntilKilled(int fd) {
        try {
            CRecRelatie relatie;
            relatie.Selecteer(SEL_NUMMER, 0);
            for (;;) {
                relatie.NieuwRecord();
                relatie.Edit();
                relatie.szInLijst = QString("Rij %1").arg(relatie.lRelatieNummer);
                relatie.Update();
                if (write(fd, &relatie.lRelatieNummer, sizeof(LONG)) != sizeof(LONG)) {
                    _exit(3);
                }
            }
        } catch (...) {
            _exit(2);
        }
    }

    std::unique_ptr<TestDatabase> m_db;
};

TOLVAR_TEST(TestStoreFaults);
#include "tst_StoreFaults.moc"
