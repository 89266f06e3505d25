#include "fixture/TestDatabase.h"
#include "platform/dao/DaoException.h"
#include "store/Schema.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The database file the program expects: thirteen tables, counters that never come back,
// and an existing file that is never touched.
class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void allTablesAndIndexes() {
        TestDatabase db;
        QCOMPARE(db.Scalar("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
                           "NOT LIKE 'sqlite_%'")
                     .toInt(),
                 13);
        for (const char* index :
             {"Relaties_szInLijst", "Personen_szAchterNaam", "MemoOfferte_dwOfferteNr",
              "KalenderLijst_dtDatumTijdAlarm", "TeDoen_lPrio", "TeDoen_szTekst"}) {
            QCOMPARE(db.Scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                              "'index' AND name = '%1'")
                                   .arg(index))
                         .toInt(),
                     1);
        }
        QCOMPARE(db.AppointmentScalar("SELECT count(*) FROM KalenderLijst").toInt(), 0);
        QCOMPARE(db.Scalar("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    }

    void existingFileIsRefusedAndKept() {
        QTemporaryDir dir;
        const QString path = dir.filePath("bestaat.db");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("niet aanraken");
        file.close();
        try {
            CreateTolvarDatabase(path);
            QFAIL("an existing file was accepted");
        } catch (const CDaoException& e) {
            QVERIFY(e.GetErrorMessage().contains(path));
            QVERIFY(e.GetErrorMessage().contains("bestaat al"));
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("niet aanraken"));
    }

    void missingFolderIsAnErrorWithoutLeftovers() {
        QTemporaryDir dir;
        const QString path = dir.filePath("geen/map/nieuw.db");
        QVERIFY_THROWS_EXCEPTION(CDaoException, CreateTolvarDatabase(path));
        QVERIFY(!QFile::exists(path));
    }
};

TOLVAR_TEST(TestSchema);
#include "tst_Schema.moc"
