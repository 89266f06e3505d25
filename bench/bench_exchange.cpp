// Exporting 10,000 demo relations with their persons and memos as vCard, and importing
// that file into an empty database in one transaction; a CSV list of 10,000 customers read
// into an empty database.
#include "exchange/CsvImport.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/dao/DaoDatabase.h"

#include "BenchHulp.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

namespace {

constexpr int kRelaties = 10000;
constexpr int kRuns = 5;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString demo = dir.filePath("demo.doc");
    const QString leeg = dir.filePath("leeg.doc");
    if (!NewDb({"--demo", QString::number(kRelaties), demo}) || !NewDb({leeg})) {
        return 1;
    }
    const auto bron = CDaoDatabase::OpenShared(demo);

    std::vector<double> export_;
    QByteArray kaarten;
    int nKaarten = 0;
    for (int run = 0; run < kRuns; ++run) {
        CVCardExport exp(bron.get(), false);
        export_.push_back(TimeMs([&] { kaarten = exp.Exporteer(); }));
        nKaarten = exp.AantalKaarten();
    }

    std::vector<double> import;
    int nNieuw = 0;
    for (int run = 0; run < kRuns; ++run) {
        const QString doel = dir.filePath(QStringLiteral("import%1.doc").arg(run));
        QFile::copy(leeg, doel);
        const auto database = CDaoDatabase::OpenShared(doel);
        import.push_back(TimeMs([&] {
            CVCardImport imp(database.get());
        imp.Lees(kaarten);
        imp.Bewaar();
        nNieuw = imp.NieuweRelaties() + imp.NieuwePersonen();
    }));
}
std::vector<double> csvImport;
int nCsv = 0;
// The demo names repeat, and a repeated name is skipped; a customer list has one row per
// customer.
QByteArray lijst = "Naam;Straat;Postcode;Woonplaats;Telefoon;E-mail;Klant\r\n";
for (int i = 0; i < kRelaties; ++i) {
    lijst +=
        QStringLiteral("Relatie %1;Kerkstraat %2;%3 AB;Delft;015-%1;info%1@voorbeeld.nl;ja\r\n")
            .arg(i)
            .arg(i % 200 + 1)
            .arg(1000 + i % 9000)
            .toUtf8();
}
for (int run = 0; run < kRuns; ++run) {
    const QString doel = dir.filePath(QStringLiteral("csv%1.doc").arg(run));
    QFile::copy(leeg, doel);
    const auto database = CDaoDatabase::OpenShared(doel);
    csvImport.push_back(TimeMs([&] {
        CCsvImport imp(database.get(), false);
        imp.Lees(lijst);
        imp.Bewaar();
        nCsv = imp.Nieuw();
    }));
}
std::fprintf(stderr, "CSV: %lld bytes; %d nieuw bij de import\n", qint64(lijst.size()), nCsv);
std::fprintf(stderr, "%d kaarten, %lld bytes; %d nieuw bij de import\n", nKaarten,
             qint64(kaarten.size()), nNieuw);
std::printf("vcard_export_10000: %.0f ms\n", Median(export_));
std::printf("vcard_import_10000: %.0f ms\n", Median(import));
std::printf("csv_import_10000: %.0f ms\n", Median(csvImport));
return 0;
}
