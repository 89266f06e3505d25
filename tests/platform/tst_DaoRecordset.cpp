#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "support/BestandVraag.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

QString g_strPad;

// A small table of every column kind, reached the way the record classes reach theirs.
class CRecProef : public CDaoRecordset {
public:
    QString GetDefaultDBName() override { return g_strPad; }
    QString GetDefaultSQL() override { return QStringLiteral("[Proef]"); }
    void DoFieldExchange(CDaoFieldExchange* pFX) override {
        DFX_Long(pFX, "[nNr]", nNr);
        DFX_Long(pFX, "[lGetal]", lGetal);
        DFX_Text(pFX, "[szNaam]", szNaam);
        DFX_DateTime(pFX, "[dtWanneer]", dtWanneer);
        DFX_Bool(pFX, "[bVlag]", bVlag);
    }
    LONG nNr = 0;
    LONG lGetal = 0;
    QString szNaam;
    COleDateTime dtWanneer;
    BOOL bVlag = 0;
};

} // namespace

// The recordset platform: nulls on new rows, buffered edits that write only what changed,
// cancelling, bookmarks and moving over rows that others deleted.
class TestDaoRecordset : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        g_strPad = m_dir->filePath("proef.db");
        QVERIFY(sqlite3_open(QFile::encodeName(g_strPad).constData(), &m_db) == SQLITE_OK);
        Exec("CREATE TABLE Proef (nNr INTEGER PRIMARY KEY AUTOINCREMENT, lGetal INTEGER, "
             "szNaam TEXT, dtWanneer TEXT, bVlag INTEGER)");
    }
    void cleanup() {
        sqlite3_close(m_db);
        m_dir.reset();
    }

    void addNewStoresNullForUnsetAndZeroForZero() {
        CRecProef rec;
        rec.Open();
        rec.AddNew();
        QCOMPARE(rec.lGetal, CDaoRecordset::kPseudoNull);
        QVERIFY(rec.dtWanneer.IsNull());
        rec.Update();
        rec.AddNew();
        rec.lGetal = 0;
        rec.bVlag = 0;
        rec.szNaam = "";
        rec.dtWanneer = COleDateTime(2024, 2, 29, 23, 59, 59);
        rec.Update();
        QCOMPARE(Text("SELECT quote(lGetal) || quote(szNaam) || quote(dtWanneer) || "
                      "quote(bVlag) FROM Proef WHERE nNr = 1"),
                 QString("NULLNULLNULLNULL"));
        QCOMPARE(Text("SELECT quote(lGetal) || quote(szNaam) || quote(dtWanneer) || "
                      "quote(bVlag) FROM Proef WHERE nNr = 2"),
                 QString("0NULL'2024-02-29 23:59:59'0"));
        rec.SetBookmark(rec.GetLastModifiedBookmark());
        QCOMPARE(rec.nNr, 2);
        rec.SetBookmark(QVariant::fromValue(qint64(1)));
        QCOMPARE(rec.lGetal, 0);
        QVERIFY(rec.dtWanneer.IsNull());
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.SetBookmark(QVariant::fromValue(qint64(9))));
    }

    void updateWritesOnlyChangedColumns() {
        Exec("INSERT INTO Proef (lGetal, szNaam) VALUES (1, 'oud')");
        CRecProef rec;
        rec.Open();
        rec.Edit();
        rec.lGetal = 2;
        Exec("UPDATE Proef SET szNaam = 'door een ander'");
        rec.Update();
        QCOMPARE(Text("SELECT lGetal || szNaam FROM Proef"), QString("2door een ander"));
        rec.Edit();
        rec.Update();
        QCOMPARE(Text("SELECT lGetal || szNaam FROM Proef"), QString("2door een ander"));
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Update());
    }

    void cancelUpdateRestoresTheRow() {
        Exec("INSERT INTO Proef (lGetal, szNaam, bVlag) VALUES (7, 'zeven', 1)");
        CRecProef rec;
        rec.Open();
        rec.Edit();
        rec.lGetal = 8;
        rec.szNaam = "acht";
        rec.bVlag = 0;
        rec.CancelUpdate();
        QCOMPARE(rec.lGetal, 7);
        QCOMPARE(rec.szNaam, QString("zeven"));
        QCOMPARE(rec.bVlag, 1);
        rec.AddNew();
        rec.szNaam = "nieuw";
        rec.CancelUpdate();
        QCOMPARE(rec.szNaam, QString("zeven"));
        QCOMPARE(Text("SELECT count(*) || group_concat(szNaam) FROM Proef"), QString("1zeven"));
    }

    void movesPassOverRowsDeletedSinceTheOpen() {
        Exec("INSERT INTO Proef (szNaam) VALUES ('a'), ('b'), ('c'), ('d')");
        CRecProef rec;
        rec.m_strSort = "szNaam DESC";
        rec.Open();
        QCOMPARE(rec.szNaam, QString("d"));
        Exec("DELETE FROM Proef WHERE szNaam IN ('c', 'a')");
        rec.MoveNext();
        QCOMPARE(rec.szNaam, QString("b"));
        rec.MoveNext();
        QVERIFY(rec.IsEOF());
        QCOMPARE(rec.GetRecordCount(), 4L);
        rec.MoveLast();
        QCOMPARE(rec.szNaam, QString("b"));
        rec.Delete();
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Edit());
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Delete());
        rec.MoveFirst();
        QCOMPARE(rec.szNaam, QString("d"));
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.MovePrev(), rec.MovePrev());
    }

    void filterAndSortAndEmptySelection() {
        Exec("INSERT INTO Proef (lGetal, szNaam) VALUES (3, 'Zeeland'), (1, 'Ämsterdam'), "
             "(2, 'appel')");
        CRecProef rec;
        rec.m_strSort = "szNaam";
        rec.Open();
        QStringList names;
        for (; !rec.IsEOF(); rec.MoveNext()) {
            names << rec.szNaam;
        }
        QCOMPARE(names, (QStringList{"Ämsterdam", "appel", "Zeeland"}));
        rec.Close();
        rec.m_strFilter = "[lGetal] > 5";
        rec.Open();
        QVERIFY(rec.IsBOF() && rec.IsEOF());
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.MoveFirst());
        rec.Close();
        rec.m_strFilter = "[geenKolom] = 1";
        QVERIFY_THROWS_EXCEPTION(CDaoException, rec.Open());
    }

    void walkSeesChangesMadeMidwayInThisProcess() {
        for (int i = 0; i < 200; ++i) {
            Exec("INSERT INTO Proef (lGetal) VALUES (0)");
        }
        CRecProef lezer;
        CRecProef schrijver;
        lezer.m_strSort = "nNr";
        lezer.Open();
        lezer.MoveNext();
        schrijver.m_strFilter = "[nNr] IN (3, 150)";
        schrijver.Open();
        schrijver.Edit();
        schrijver.lGetal = 33;
        schrijver.Update();
        schrijver.MoveNext();
        schrijver.BeginTrans();
        schrijver.Edit();
        schrijver.lGetal = 99;
        schrijver.Update();
        lezer.MoveNext();
        QCOMPARE(lezer.lGetal, 33);
        while (lezer.nNr < 140) {
            lezer.MoveNext();
        }
        // Rows read ahead while the change was pending must not outlive its rollback.
        schrijver.Rollback();
        while (lezer.nNr < 150) {
            lezer.MoveNext();
        }
        QCOMPARE(lezer.lGetal, 0);
        schrijver.Delete();
        int rest = 0;
        for (lezer.MoveNext(); !lezer.IsEOF(); lezer.MoveNext()) {
            ++rest;
        }
        QCOMPARE(rest, 50);
    }

    void transactionsAreAllOrNothing() {
        CRecProef rec;
        rec.Open();
        rec.BeginTrans();
        rec.AddNew();
        rec.szNaam = "weg";
        rec.Update();
        rec.Rollback();
        rec.BeginTrans();
        rec.AddNew();
        rec.szNaam = "blijft";
        rec.Update();
        rec.CommitTrans();
        QCOMPARE(Text("SELECT group_concat(szNaam) FROM Proef"), QString("blijft"));
    }

private:
    void Exec(const char* sql) { QCOMPARE(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), 0); }
    QString Text(const char* sql) {
        return BestandRijen(g_strPad, QString::fromUtf8(sql)).value(0);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    sqlite3* m_db = nullptr;
};

TOLVAR_TEST(TestDaoRecordset);
#include "tst_DaoRecordset.moc"
