#include "NewDbRun.h"
#include "store/DatabasePath.h"
#include "store/RecOfferte.h"
#include "store/RecRelatie.h"
#include "support/BestandVraag.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Query(const QString& path, const QString& sql) {
    return BestandRijen(path, sql).join(',');
}

} // namespace

// The command that makes database files: empty or with demo data, and never over an
// existing file.
class TestNewDb : public QObject {
    Q_OBJECT

private slots:
    void emptyDatabaseWorksWithTheRecordClasses() {
        QTemporaryDir dir;
        const QString path = dir.filePath("leeg.doc");
        const NewDbRun result = RunNewDb({path});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(Query(path, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
                             "NOT LIKE 'sqlite%'"),
                 QString("13"));
        g_strDatabasePath = path;
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        QCOMPARE(relatie.Volgende(), 0);
    }

    void existingFileIsRefused_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("leeg") << QStringList{};
        QTest::newRow("demo") << QStringList{"--demo", "5"};
    }
    void existingFileIsRefused() {
        QFETCH(QStringList, extra);
        QTemporaryDir dir;
        const QString path = dir.filePath("bestaand.doc");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("eigen gegevens");
        file.close();
        const NewDbRun result = RunNewDb(extra << path);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("bestaat al") && result.err.contains(path),
                 qPrintable(result.err));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("eigen gegevens"));
    }

    void badArgumentsShowUsage() {
        for (const QStringList& args :
             {QStringList{}, QStringList{"--demo", "x", "a.db"},
              QStringList{"--demo", "-3", "a.db"}, QStringList{"a.db", "b.db"},
              QStringList{"--demo", "5"}, QStringList{"a.db", "--afspraken"},
              QStringList{"--onbekend", "a.db"}}) {
            const NewDbRun result = RunNewDb(args);
            QCOMPARE(result.exitCode, 2);
            QVERIFY(result.err.contains("Gebruik"));
        }
    }

    // The appointment file beside the database: only appointments, all in the coming weeks
    // and none reported yet; an existing one is refused before anything is made.
    void demoFillsTheAppointmentFileItIsGiven() {
        QTemporaryDir dir;
        const QString doc = dir.filePath("Tolvar.Doc");
        const QString afspraken = dir.filePath("Mijn documenten/tolvdata.mdb");
        QVERIFY(QDir().mkpath(dir.filePath("Mijn documenten")));
        const NewDbRun result = RunNewDb({"--demo", "300", "--afspraken", afspraken, doc});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.contains(afspraken) && result.out.contains(doc));
        QCOMPARE(Query(doc, "SELECT count(*) FROM Relaties"), QString("300"));
        QCOMPARE(Query(afspraken, "SELECT count(*) FROM Relaties"), QString("0"));
        QCOMPARE(Query(afspraken, "SELECT count(*) FROM KalenderLijst WHERE dtDatumTijdAlarm > "
                                  "datetime('now', 'localtime') AND dtDatumTijdAlarm < "
                                  "datetime('now', 'localtime', '+29 days') AND NOT bGemeld"),
                 QString("15"));
        QCOMPARE(Query(afspraken, "SELECT count(*) FROM KalenderLijst"), QString("15"));

        const QString nieuw = dir.filePath("nieuw.doc");
        const NewDbRun refused = RunNewDb({"--demo", "5", nieuw, "--afspraken", afspraken});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("bestaat al"), qPrintable(refused.err));
        QVERIFY(!QFile::exists(nieuw));
        QCOMPARE(Query(afspraken, "SELECT count(*) FROM KalenderLijst"), QString("15"));
    }

    void demoDataIsDeterministicAndCoversEveryKind() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.doc");
        const QString b = dir.filePath("b.doc");
        QCOMPARE(RunNewDb({"--demo", "400", a}).exitCode, 0);
        QCOMPARE(RunNewDb({"--demo", "400", b}).exitCode, 0);
        const QString fingerprint =
            "SELECT group_concat(szInLijst || szVolleNaam || ifnull(szTelefoon, ''), '') FROM "
            "Relaties";
        QCOMPARE(Query(a, fingerprint), Query(b, fingerprint));
        QCOMPARE(Query(a, "SELECT count(*) FROM Relaties"), QString("400"));
        QCOMPARE(Query(a, "SELECT DISTINCT dwStatusOfferte FROM Offertes ORDER BY 1"),
                 QString("0,1,2,3"));
        QCOMPARE(Query(a, "SELECT DISTINCT lPrio FROM TeDoen ORDER BY 1"),
                 QString("0,1,2,3,4,5,6,7,8,9"));
        for (const char* check :
             {"SELECT count(*) > 0 FROM Relaties WHERE bKlantJaNee",
              "SELECT count(*) > 0 FROM Relaties WHERE bLeverancierJaNee",
              "SELECT count(*) > 0 FROM Relaties WHERE bPriveJaNee",
              "SELECT count(*) > 0 FROM Personen", "SELECT count(*) > 0 FROM Calculaties",
              "SELECT count(*) > 0 FROM Orders", "SELECT count(*) > 0 FROM Bestelling",
              "SELECT count(*) > 0 FROM MemoOfferte", "SELECT count(*) > 0 FROM MemoCalculatie",
              "SELECT count(*) > 0 FROM MemoOrder", "SELECT count(*) > 0 FROM MemoBestelling",
              "SELECT count(*) > 0 FROM MemoRelatie WHERE szTekst LIKE '{\\rtf1%'",
              "SELECT count(*) > 0 FROM Offertes WHERE dwRelatieNummer = 0",
              "SELECT count(*) >= 20 FROM KalenderLijst WHERE dtDatumTijdAlarm > "
              "datetime('now', 'localtime') AND dtDatumTijdAlarm < datetime('now', 'localtime', "
              "'+29 days') "
              "AND NOT bGemeld",
              "SELECT count(*) = 20 FROM KalenderLijst",
              "SELECT count(*) = 0 FROM Bestelling b JOIN Relaties r ON r.lRelatieNummer = "
              "b.dwRelatieNummer WHERE NOT r.bLeverancierJaNee",
              "PRAGMA integrity_check"}) {
            QVERIFY2(Query(a, check) == "1" || Query(a, check) == "ok", check);
        }
        g_strDatabasePath = a;
        CRecOfferte offerte;
        offerte.Selecteer(SEL_ALLES, 0);
        int n = 0;
        while (offerte.Volgende()) {
            QVERIFY(offerte.dtCreateDatum.IsValid());
            ++n;
        }
        QCOMPARE(QString::number(n), Query(a, "SELECT count(*) FROM Offertes"));
    }
};

TOLVAR_TEST(TestNewDb);
#include "tst_NewDb.moc"
