#include "support/TestRegistry.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

const QString kAdres = QStringLiteral("postgresql://tolvar:Geheim123@[::1/tolvar");

} // namespace

// What the administrators' commands refuse at once, and what they never show: a file that
// is no file, a database on a server, and the password in a server address however badly
// it is written.
class BeheerWeigertTest : public QObject {
    Q_OBJECT

private slots:
    void weigertMetNederlandseReden() {
        QTemporaryDir map;
        const QString pijp = map.filePath("pijp.Doc");
        QCOMPARE(::mkfifo(QFile::encodeName(pijp).constData(), 0600), 0);
        struct Geval {
            const char* naam;
            const char* programma;
            QStringList args;
            QString verwacht;
        };
        const QString servers = QStringLiteral("eigen hulpmiddelen van de server: pg_dump");
        const std::vector<Geval> gevallen{
            {"backup van een pijp",
             TOLVAR_NEWDB,
             {"--backup", pijp, map.filePath("kopie.Doc")},
             "geen gewoon bestand"},
            {"backup van een pijp naar een map",
             TOLVAR_NEWDB,
             {"--backup", pijp, map.path()},
             "geen gewoon bestand"},
            {"check van een pijp", TOLVAR_NEWDB, {"--check", pijp}, "geen gewoon bestand"},
            {"check op een server",
             TOLVAR_NEWDB,
             {"--check", "postgresql://db.example/tolvar"},
             servers},
            {"backup op een server",
             TOLVAR_NEWDB,
             {"--backup", "host=db.example dbname=tolvar password=Geheim123", map.path()},
             servers},
            {"kapot adres bij check", TOLVAR_NEWDB, {"--check", kAdres}, servers},
            {"kapot adres bij aanmaken", TOLVAR_NEWDB, {kAdres}, "tolvar-newdb: "},
            {"kapot adres bij export",
             TOLVAR_EXCHANGE,
             {"export-csv", kAdres, "relaties", map.filePath("r.csv")},
             "De database"},
            {"trefwoordadres met spaties",
             TOLVAR_EXCHANGE,
             {"export-ical", "host=/geen/map port=1 password='Geheim123 x' dbname=t",
              map.filePath("a.ics")},
             "niet bereikbaar"},
        };
        for (const Geval& geval : gevallen) {
            QProcess proces;
            proces.start(QString::fromUtf8(geval.programma), geval.args);
            const bool bKlaar = proces.waitForFinished(20000);
            if (!bKlaar) {
                proces.kill();
                proces.waitForFinished();
            }
            const QString uit =
                QString::fromUtf8(proces.readAllStandardOutput() + proces.readAllStandardError());
            QVERIFY2(bKlaar, geval.naam);
            QVERIFY2(proces.exitCode() == 1, qPrintable(QString(geval.naam) + ": " + uit));
            QVERIFY2(uit.contains(geval.verwacht), qPrintable(QString(geval.naam) + ": " + uit));
            QVERIFY2(!uit.contains("Geheim123"), qPrintable(QString(geval.naam) + ": " + uit));
        }
        QVERIFY(!QFileInfo::exists(map.filePath("kopie.Doc")));
    }
};

TOLVAR_TEST(BeheerWeigertTest);
#include "tst_BeheerWeigert.moc"
