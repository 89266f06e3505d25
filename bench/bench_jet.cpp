// Converting the 800-relation file of the Windows version (about 7,800 rows) into a new
// database file, search index included. No 5,000-relation file of that format can be made
// here, so its figure is the measured rate applied to its 44,000 rows.
#include "exchange/JetConversie.h"

#include "BenchHulp.h"

#include <cstdio>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kRijen800 = 7797;
constexpr int kRijen5000 = 44000;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Server server = StartServer(argc, argv);
    if (server == Server::Mislukt) {
        return 1;
    }
    const QString jet = QStringLiteral(TOLVAR_SOURCE_DIR "/tests/data/jet/tolvar-middel-v2000.mdb");
    QTemporaryDir dir;
    std::vector<double> file;
    std::vector<double> pg;
    for (int run = 0; run < kRuns; ++run) {
        const QString doel = dir.filePath(QStringLiteral("nieuw%1.doc").arg(run));
        file.push_back(TimeMs([&] { CJetConversie::Converteer(jet, doel); }));
        if (server == Server::Draait) {
            const QString adres = PgServer::Shared().NewDatabase();
            pg.push_back(TimeMs([&] { CJetConversie::Converteer(jet, adres); }));
        }
    }
    const double ms = Median(file);
    std::printf("jet_import_800: %.0f ms\n", ms);
    std::printf("jet_import_5000_geschat: %.0f ms\n", ms * kRijen5000 / kRijen800);
    if (!pg.empty()) {
        std::printf("jet_import_800_postgresql: %.0f ms\n", Median(pg));
    }
    return 0;
}
