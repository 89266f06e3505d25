#include "fixture/TestDatabase.h"
#include "platform/dao/DaoException.h"
#include "store/DatabasePath.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"
#include "support/TestRegistry.h"

#include <csignal>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A child process that takes an exclusive lock on the file, says so through the pipe,
// holds the lock for holdMs and then ends.
pid_t HoldLock(const QString& path, int holdMs) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1;
    }
    const QByteArray file = QFile::encodeName(path);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        const char ok = rc == SQLITE_OK ? 'L' : 'F';
        (void)!write(fds[1], &ok, 1);
        usleep(useconds_t(holdMs) * 1000);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        _exit(0);
    }
    close(fds[1]);
    char answer = 0;
    (void)!read(fds[0], &answer, 1);
    close(fds[0]);
    return answer == 'L' ? pid : -1;
}

QString Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const CDaoException& e) {
        return e.GetErrorMessage();
    }
    return {};
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
        const QString error = Message([&] { relatie.Selecteer(SEL_ALLES, 0); });
        QVERIFY2(error.contains("bestaat-niet.doc"), qPrintable(error));
        QVERIFY(!QFile::exists(g_strDatabasePath));
        QVERIFY(!relatie.IsOpen());
    }

    void notADatabaseNamesTheFile() {
        g_strDatabasePath = m_db->Folder() + "/brief.txt";
        QFile file(g_strDatabasePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        CRecRelatie relatie;
        const QString error = Message([&] { relatie.Selecteer(SEL_ALLES, 0); });
        QVERIFY2(error.contains("brief.txt"), qPrintable(error));
        QCOMPARE(file.size(), 4096);
    }

    void missingTableIsNamed() {
        m_db->Exec("DROP TABLE MemoRelatie");
        CRecRelatieMemo memo;
        const QString error = Message([&] { memo.Selecteer(SEL_OUDER, 1); });
        QVERIFY2(error.contains("MemoRelatie"), qPrintable(error));
        QVERIFY2(error.contains(m_db->Path()), qPrintable(error));
    }

    void lockHeldForAWhileIsWaitedFor() {
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        const pid_t child = HoldLock(m_db->Path(), 1500);
        QVERIFY(child > 0);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(relatie.NieuwRecord(), 1);
        QVERIFY(timer.elapsed() >= 1000);
        waitpid(child, nullptr, 0);
        QCOMPARE(m_db->Scalar("SELECT szInLijst FROM Relaties").toString(),
                 QString("<Nieuwe Relatie>"));
    }

    void lockHeldTooLongFailsCleanlyAndCanBeRetried() {
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        const pid_t child = HoldLock(m_db->Path(), 12000);
        QVERIFY(child > 0);
        relatie.AddNew();
        relatie.szInLijst = "Geduld";
        const QString error = Message([&] { relatie.Update(); });
        QVERIFY2(error.contains("locked"), qPrintable(error));
        waitpid(child, nullptr, 0);
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
