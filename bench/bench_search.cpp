// The search line on a large demo database: building the index from nothing (and how long
// that keeps a user's save waiting at most), the time from a key press to the results shown,
// and the rate of new relations with and without the index kept up to date.
#include "fixture/PgServer.h"
#include "platform/dao/DaoDatabase.h"
#include "search/ZoekBijwerker.h"
#include "search/ZoekIndex.h"
#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "store/RecRelatie.h"
#include "workspace/TolvarView.h"
#include "workspace/ZoekBalk.h"

#include "BenchHulp.h"

#include <algorithm>
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <vector>

namespace {

// TOLVAR_BENCH_RELATIES measures on another size than the usual 10,000 relations.
const int kRelaties = qEnvironmentVariableIntValue("TOLVAR_BENCH_RELATIES") > 0
                          ? qEnvironmentVariableIntValue("TOLVAR_BENCH_RELATIES")
                          : 10000;
constexpr int kRuns = 5;
constexpr int kPrefixes = 50;

// Words a user would type: half from relation names, half from memo texts, each cut to a
// prefix of four to seven letters.
QStringList Prefixes(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QStringList woorden;
    for (const char* sql : {"SELECT szVolleNaam FROM Relaties ORDER BY random() LIMIT 200",
                            "SELECT naam || ' ' || tekst FROM ZoekTekst WHERE rowid >> 32 = 2 "
                            "ORDER BY random() LIMIT 200"}) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        QStringList gevonden;
        while (sqlite3_step(stmt) == SQLITE_ROW && gevonden.size() < kPrefixes / 2) {
            const QString tekst =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            const QStringList delen =
                tekst.split(QRegularExpression(QStringLiteral("[^\\w]+")), Qt::SkipEmptyParts);
            for (const QString& woord : delen) {
                if (woord.size() >= 5 && !woord.front().isDigit()) {
                    gevonden << woord.left(4 + QRandomGenerator::global()->bounded(4));
                    break;
                }
            }
        }
        sqlite3_finalize(stmt);
        woorden << gevonden;
    }
    sqlite3_close(db);
    return woorden;
}

// The figures on one database (a file, or a database on a server), each name ending in
// suffix; prefixes are the words typed.
int Measure(const QString& path, const QStringList& prefixes, const char* suffix) {
    g_strDatabasePath = path;
    std::vector<double> builds;
    std::vector<double> locks;
    for (int run = 0; run < 3; ++run) {
        builds.push_back(TimeMs(
            [&] { locks.push_back(CZoekIndex::Voor(path, ZoekTabel::Hoofdbestand())->Bouw({})); }));
    }

    // What every start costs once the index exists: the check that it still agrees.
    std::vector<double> checks;
    for (int run = 0; run < kRuns; ++run) {
        checks.push_back(TimeMs([&] {
            if (!CZoekIndex::Voor(path, ZoekTabel::Hoofdbestand())->IsActueel()) {
                std::fprintf(stderr, "index niet actueel na het bouwen\n");
            }
        }));
    }

    CTolvarView view;
    QWidget venster;
    CZoekBalk balk(&view, &venster, &venster);
    venster.resize(1200, 800);
    venster.show();
    balk.OpenIndex();
    while (balk.IsBezig()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    std::vector<double> typed;
    long nTreffers = 0;
    for (const QString& prefix : prefixes) {
        balk.Veld()->clear();
        for (const QChar c : prefix) {
            typed.push_back(TimeMs([&] {
                QKeyEvent toets(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(balk.Veld(), &toets);
                QApplication::processEvents();
            }));
        }
        nTreffers += balk.Lijst()->count();
    }

    std::vector<double> met;
    std::vector<double> zonder;
    for (int run = 0; run < kRuns; ++run) {
        CZoekBijwerker::Installeer();
        met.push_back(NieuwRecordRate());
        CDaoWriteObserver::Install(nullptr);
        zonder.push_back(NieuwRecordRate());
    }
    std::printf("(%zu toetsaanslagen, gemiddeld %ld resultaten per zoekwoord)\n", typed.size(),
                nTreffers / std::max<long>(1, long(prefixes.size())));
    std::printf("index_build_%d%s: %.0f ms\n", kRelaties, suffix, Median(builds));
    std::printf("index_build_lock_%d%s: %.0f ms\n", kRelaties, suffix, Median(locks));
    std::printf("index_check_%d%s: %.1f ms\n", kRelaties, suffix, Median(checks));
    std::printf("search_type_%d%s: %.1f ms\n", kRelaties, suffix, Median(typed));
    std::printf("search_type_slowest_%d%s: %.1f ms\n", kRelaties, suffix,
                *std::max_element(typed.begin(), typed.end()));
    std::printf("nieuwrecord_rate_zonder_index%s: %.0f rows/s\n", suffix, Median(zonder));
    std::printf("nieuwrecord_rate%s: %.0f rows/s\n", suffix, Median(met));
    std::printf("nieuwrecord_ratio%s: %.2f\n", suffix, Median(met) / Median(zonder));
    std::fflush(stdout);
    return 0;
}

} // namespace

// With --engine postgresql the same again on a private PostgreSQL server, typing the same
// words (the demo data of both come from one generator).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.doc");
    if (!NewDb({"--demo", QString::number(kRelaties), path})) {
        return 1;
    }
    g_strDatabasePath = path;
    CZoekIndex::Voor(path, ZoekTabel::Hoofdbestand())->Herbouw({});
    const QStringList prefixes = Prefixes(path);
    if (const int failed = Measure(path, prefixes, "")) {
        return failed;
    }
    const Server server = StartServer(argc, argv);
    if (server == Server::Mislukt) {
        return 1;
    }
    if (server == Server::Draait) {
        const QString address = PgServer::Shared().NewDatabase();
        if (!NewDb({"--demo", QString::number(kRelaties), address})) {
            return 1;
        }
        return Measure(address, prefixes, "_postgresql");
    }
    return 0;
}
