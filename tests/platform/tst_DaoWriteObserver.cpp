#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoWriteObserver.h"
#include "support/BestandVraag.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

QString g_strBestand;

class CRecRij : public CDaoRecordset {
public:
    QString GetDefaultDBName() override { return g_strBestand; }
    QString GetDefaultSQL() override { return QStringLiteral("[Rij]"); }
    void DoFieldExchange(CDaoFieldExchange* pFX) override {
        DFX_Long(pFX, "[nNr]", nNr);
        DFX_Text(pFX, "[szNaam]", szNaam);
    }
    LONG nNr = 0;
    QString szNaam;
};

// Notes what it is told, with the row as the connection sees it at that moment, and fails
// when asked to.
class Waarnemer : public CDaoWriteObserver {
public:
    QStringList gezien;
    bool bFaal = false;

    void RowWritten(CDaoDatabase& database, const QString& strTable, qint64 lKey,
                    Change change) override {
        const auto stmt =
            database.Prepare(QStringLiteral("SELECT coalesce(szNaam, '-') FROM Rij WHERE nNr = ?"));
        stmt->BindInt64(1, lKey);
        const QString rij = stmt->Step() ? stmt->Text(0) : QStringLiteral("weg");
        gezien << QStringLiteral("%1 %2 %3 %4").arg(strTable).arg(lKey).arg(int(change)).arg(rij);
        if (bFaal) {
            throw CDaoException(QStringLiteral("waarnemer faalt"));
        }
    }
};

} // namespace

// The write observer: told of every row written, inside the write's transaction, and able
// to undo the write by failing, without leaving a transaction open or a key behind.
class TestDaoWriteObserver : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        g_strBestand = m_dir->filePath("rij.db");
        QVERIFY(sqlite3_open(QFile::encodeName(g_strBestand).constData(), &m_db) == SQLITE_OK);
        sqlite3_exec(m_db,
                     "CREATE TABLE Rij (nNr INTEGER PRIMARY KEY AUTOINCREMENT, szNaam TEXT);"
                     "INSERT INTO Rij (szNaam) VALUES ('een')",
                     nullptr, nullptr, nullptr);
        CDaoWriteObserver::Install(&m_waarnemer);
    }
    void cleanup() {
        CDaoWriteObserver::Install(nullptr);
        sqlite3_close(m_db);
        m_dir.reset();
    }

    void everyWriteIsReported() {
        CRecRij rec;
        rec.Open();
        rec.AddNew();
        rec.szNaam = "twee";
        rec.Update();
        rec.MoveFirst();
        rec.Edit();
        rec.szNaam = "EEN";
        rec.Update();
        rec.Delete();
        QCOMPARE(m_waarnemer.gezien, (QStringList{"Rij 2 0 twee", "Rij 1 1 EEN", "Rij 1 2 weg"}));
    }

    void aFailingObserverUndoesTheWrite() {
        CRecRij rec;
        rec.Open();
        m_waarnemer.bFaal = true;
        rec.AddNew();
        rec.szNaam = "twee";
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Update());
        rec.MoveFirst();
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Delete());
        rec.Edit();
        rec.szNaam = "anders";
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Update());
        QCOMPARE(Tekst("SELECT group_concat(nNr || szNaam) FROM Rij"), QString("1een"));
        // No key of the undone row in the keyset, and no transaction left open: another
        // connection can write at once.
        rec.MoveLast();
        QCOMPARE(rec.nNr, 1);
        QCOMPARE(sqlite3_exec(m_db, "INSERT INTO Rij (szNaam) VALUES ('ander')", nullptr, nullptr,
                              nullptr),
                 SQLITE_OK);

        // Inside a transaction only the failed write is undone.
        m_waarnemer.bFaal = false;
        rec.BeginTrans();
        rec.AddNew();
        rec.szNaam = "blijft";
        rec.Update();
        m_waarnemer.bFaal = true;
        rec.AddNew();
        rec.szNaam = "gaat";
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Update());
        rec.CommitTrans();
        QCOMPARE(Tekst("SELECT group_concat(szNaam) FROM Rij"), QString("een,ander,blijft"));
    }

private:
    QString Tekst(const char* sql) {
        return BestandRijen(g_strBestand, QString::fromUtf8(sql)).value(0);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    sqlite3* m_db = nullptr;
    Waarnemer m_waarnemer;
};

TOLVAR_TEST(TestDaoWriteObserver);
#include "tst_DaoWriteObserver.moc"
