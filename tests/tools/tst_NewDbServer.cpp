#include "fixture/PgServer.h"
#include "NewDbRun.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/TextCollation.h"
#include "search/ZoekIndex.h"
#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "store/RecRelatie.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The number of rows of every table, in one line.
QString Counts(const QString& name) {
    const auto engine = CDaoEngine::Connect(name);
    QStringList counts;
    for (const char* table : {"Relaties", "Personen", "MemoRelatie", "Offertes", "MemoOfferte",
                              "Calculaties", "MemoCalculatie", "Orders", "MemoOrder", "Bestelling",
                              "MemoBestelling", "TeDoen", "KalenderLijst"}) {
        const auto query = engine->Prepare(QStringLiteral("SELECT count(*) FROM %1").arg(table));
        counts << (query->Step() ? QString::number(query->Int64(0)) : QStringLiteral("?"));
    }
    return counts.join(QLatin1Char(' '));
}

} // namespace

// tolvar-newdb with a server address: the same tables and demo rows as in a file, sorted
// the same way, with the search index ready, and a database that already holds the tables
// is refused.
class TestNewDbServer : public QObject {
    Q_OBJECT

private slots:
    void demoOnTheServerMatchesTheFileAndIsNotMadeTwice() {
        PgServer& server = PgServer::Shared();
        QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
        const QString address = server.NewDatabase();
        QCOMPARE(RunNewDb({"--demo", "40", address}).exitCode, 0);
        QTemporaryDir dir;
        const QString path = dir.filePath("demo.doc");
        QCOMPARE(RunNewDb({"--demo", "40", path}).exitCode, 0);
        QCOMPARE(Counts(address), Counts(path));

        // The relations list walks in the order of the file's collation.
        g_strDatabasePath = address;
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        QStringList names;
        while (relatie.Volgende()) {
            names << relatie.szInLijst;
        }
        QCOMPARE(names.size(), 40);
        for (qsizetype i = 1; i < names.size(); ++i) {
            QVERIFY2(CTextCollation::Compare(names[i - 1], names[i]) <= 0,
                     qPrintable(names[i - 1] + " / " + names[i]));
        }

        // The search index is made with the tables, by the account that made them.
        const auto index = CZoekIndex::Voor(address, ZoekTabel::Hoofdbestand());
        QVERIFY(index->IsActueel());
        QVERIFY(!index->Zoek(names.first(), 10).empty());

        const NewDbRun again = RunNewDb({address});
        const QString err = again.err;
        QCOMPARE(again.exitCode, 1);
        QVERIFY2(err.contains("bevat al Tolvar-tabellen"), qPrintable(err));
        QVERIFY(!err.contains("password"));
        QCOMPARE(Counts(address), Counts(path));
    }

    void listsSortWithoutRegardToCaseAndAccents() {
        const QString address = PgServer::Shared().NewDatabase();
        QCOMPARE(RunNewDb({address}).exitCode, 0);
        const auto engine = CDaoEngine::Connect(address);
        engine->Execute("INSERT INTO Relaties (szInLijst) VALUES ('zeeman'), ('Émile'), ('eva'), "
                        "('Ede'), ('ede'), ('Aart'), ('edé')");
        g_strDatabasePath = address;
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        QStringList names;
        while (relatie.Volgende()) {
            names << relatie.szInLijst;
        }
        QStringList expected = names;
        std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return CTextCollation::Compare(a, b) < 0;
        });
        QCOMPARE(names, expected);
        QCOMPARE(names.first(), QString("Aart"));
        QCOMPARE(names.last(), QString("zeeman"));
    }
};

TOLVAR_TEST(TestNewDbServer);
#include "tst_NewDbServer.moc"
