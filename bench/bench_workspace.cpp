// Filling the workspace's relations and quotations tabs from demo databases of 10,000 and
// 20,000 relations, every tab of one of 100,000 relations, against reading the same rows of every
// table involved with plain statements. With --engine postgresql the fills again on a private
// PostgreSQL server.
#include "fixture/PgServer.h"
#include "store/DatabasePath.h"
#include "workspace/TolvarView.h"

#include "BenchHulp.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRuns = 5;

double MedianMs(const std::function<void()>& run, int runs = kRuns) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

bool MakeDemo(const QString& path, int relaties) {
    QProcess newdb;
    newdb.start(QStringLiteral(TOLVAR_NEWDB),
                {QStringLiteral("--demo"), QString::number(relaties), path});
    return newdb.waitForFinished(600000) && newdb.exitCode() == 0;
}

// Every row and column of the eleven tables the relations tab shows, each text made a
// string as the program does.
qint64 ReadPlain(const QString& path) {
    static const char* const kTables[] = {
        "Relaties",       "Personen", "MemoRelatie", "Offertes",   "MemoOfferte",   "Calculaties",
        "MemoCalculatie", "Orders",   "MemoOrder",   "Bestelling", "MemoBestelling"};
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    qint64 sum = 0;
    for (const char* table : kTables) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, QStringLiteral("SELECT * FROM %1").arg(table).toUtf8().constData(),
                           -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int col = 0; col < sqlite3_column_count(stmt); ++col) {
                if (sqlite3_column_type(stmt, col) == SQLITE_TEXT) {
                    sum += QString::fromUtf8(
                               reinterpret_cast<const char*>(sqlite3_column_text(stmt, col)),
                               sqlite3_column_bytes(stmt, col))
                               .size();
                } else {
                    sum += sqlite3_column_int64(stmt, col);
                }
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return sum;
}

struct Figures {
    double fill0 = 0;
    double fill1 = 0;
    double plain = 0;
    int nodes = 0;
    double tabs[CTolvarView::kTabCount] = {};
};

// Each tab chosen as the user chooses it, from the tab before it; three times over.
void MeasureTabChanges(CTolvarView& view, Figures& figures) {
    std::vector<double> times[CTolvarView::kTabCount];
    for (int round = 0; round < 3; ++round) {
        for (int tab = 1; tab <= CTolvarView::kTabCount; ++tab) {
            const int nTab = tab % CTolvarView::kTabCount;
            times[nTab].push_back(TimeMs([&] {
                view.Tabs()->setCurrentIndex(nTab);
                QApplication::processEvents();
            }));
        }
    }
    for (int tab = 0; tab < CTolvarView::kTabCount; ++tab) {
        figures.tabs[tab] = Median(times[tab]);
    }
}

Figures Measure(const QString& folder, int relaties, bool all, bool tabs = false) {
    Figures figures;
    const QString path = folder.isEmpty()
                             ? PgServer::Shared().NewDatabase()
                             : QStringLiteral("%1/demo%2.db").arg(folder).arg(relaties);
    if (!MakeDemo(path, relaties)) {
        std::fprintf(stderr, "tolvar-newdb --demo %d failed\n", relaties);
        return figures;
    }
    g_strDatabasePath = path;
    CTolvarView view;
    view.resize(800, 500);
    view.show();
    view.OnInitialUpdate();
    figures.fill0 = MedianMs([&] { view.FillTab(CTolvarView::TAB_RELATIES); }, tabs ? 3 : kRuns);
    figures.nodes = int(view.NodeList().size());
    if (tabs) {
        MeasureTabChanges(view, figures);
    }
    if (all) {
        figures.fill1 = MedianMs([&] { view.FillTab(CTolvarView::TAB_OFFERTES); });
        qint64 sum = 0;
        figures.plain = MedianMs([&] { sum += ReadPlain(path); });
        std::fprintf(stderr, "(plain read checksum %lld)\n", sum);
    }
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const Figures small = Measure(folder.path(), 10000, true);
    const Figures large = Measure(folder.path(), 20000, false);
    std::printf("nodes_10000: %d nodes\n", small.nodes);
    std::printf("nodes_20000: %d nodes\n", large.nodes);
    std::printf("filltab0_10000: %.0f ms\n", small.fill0);
    std::printf("filltab0_20000: %.0f ms\n", large.fill0);
    std::printf("growth_20000: %.2f\n", large.fill0 / small.fill0);
    std::printf("plain_read_10000: %.0f ms\n", small.plain);
    std::printf("ratio_10000: %.1f\n", small.fill0 / small.plain);
    std::printf("filltab1_10000: %.0f ms\n", small.fill1);
    std::fflush(stdout);
    const Figures huge = Measure(folder.path(), 100000, false, true);
    std::printf("nodes_100000: %d nodes\n", huge.nodes);
    std::printf("filltab0_100000: %.0f ms\n", huge.fill0);
    for (int tab = 0; tab < CTolvarView::kTabCount; ++tab) {
        std::printf("tabchange%d_100000: %.0f ms\n", tab, huge.tabs[tab]);
    }
    std::fflush(stdout);
    const Server server = StartServer(argc, argv);
    if (server == Server::Mislukt) {
        return 1;
    }
    if (server == Server::Draait) {
        const Figures pgSmall = Measure(QString(), 10000, false);
        const Figures pgLarge = Measure(QString(), 20000, false);
        std::printf("nodes_10000_postgresql: %d nodes\n", pgSmall.nodes);
        std::printf("filltab0_10000_postgresql: %.0f ms\n", pgSmall.fill0);
        std::printf("filltab0_20000_postgresql: %.0f ms\n", pgLarge.fill0);
        std::printf("growth_20000_postgresql: %.2f\n", pgLarge.fill0 / pgSmall.fill0);
    }
    return 0;
}
