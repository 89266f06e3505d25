// Walking all relations of a large database through the record class, against reading the
// same rows and columns with one plain prepared statement, and the rate of new rows.
#include "platform/dao/OleDateTime.h"
#include "platform/dao/TextCollation.h"
#include "store/DatabasePath.h"
#include "store/RecRelatie.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRelaties = 100000;
constexpr int kRuns = 5;

// Every field read, so that nothing can be skipped.
struct Sum {
    qint64 value = 0;
    void Add(const QString& text) { value += text.size(); }
    void Add(qint64 number) { value += number; }
    void Add(const COleDateTime& dt) { value += qint64(dt.m_dt); }
};

qint64 WalkStore() {
    CRecRelatie rec;
    rec.Selecteer(SEL_ALLES, 0);
    Sum sum;
    while (rec.Volgende()) {
        sum.Add(rec.lRelatieNummer);
        sum.Add(rec.dtModificatie);
        sum.Add(rec.bKlantJaNee + rec.bLeverancierJaNee + rec.bPriveJaNee);
        for (const QString* text :
             {&rec.szInLijst, &rec.szVolleNaam, &rec.szBezoekStraat, &rec.szBezoekNummer,
              &rec.szBezoekPostcode, &rec.szBezoekWoonplaats, &rec.szTelefoon, &rec.szTeleFax,
              &rec.szEmailAdres, &rec.szHomePage, &rec.szBtwNummer, &rec.szAfleverStraat,
              &rec.szAfleverNummer, &rec.szAfleverPostcode, &rec.szAfleverPlaats,
              &rec.memAlgemeneMemo, &rec.szPostBus}) {
            sum.Add(*text);
        }
    }
    return sum.value;
}

QString Text(sqlite3_stmt* stmt, int col) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, col)),
                             sqlite3_column_bytes(stmt, col));
}

// The same columns into the same kinds of value, straight from one statement.
qint64 ScanPlain(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    CTextCollation::Register(db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT lRelatieNummer, dtModificatie, bKlantJaNee, bLeverancierJaNee, "
                       "bPriveJaNee, szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, "
                       "szBezoekPostcode, szBezoekWoonplaats, szTelefoon, szTeleFax, "
                       "szEmailAdres, szHomePage, szBtwNummer, szAfleverStraat, "
                       "szAfleverNummer, szAfleverPostcode, szAfleverPlaats, memAlgemeneMemo, "
                       "szPostBus FROM Relaties ORDER BY szInLijst COLLATE TOLVAR, "
                       "lRelatieNummer",
                       -1, &stmt, nullptr);
    Sum sum;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        sum.Add(sqlite3_column_int(stmt, 0));
        sum.Add(COleDateTime::FromStorageText(Text(stmt, 1)));
        sum.Add(sqlite3_column_int(stmt, 2) + sqlite3_column_int(stmt, 3) +
                sqlite3_column_int(stmt, 4));
        for (int col = 5; col < 22; ++col) {
            sum.Add(Text(stmt, col));
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return sum.value;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double TimeMs(F&& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

double NieuwRecordRate() {
    constexpr int kRows = 100;
    CRecRelatie rec;
    const double ms = TimeMs([&] {
        for (int i = 0; i < kRows; ++i) {
            rec.NieuwRecord();
        }
    });
    return kRows * 1000.0 / ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.doc");
    QProcess newdb;
    newdb.start(QStringLiteral(TOLVAR_NEWDB), {"--demo", QString::number(kRelaties), path});
    if (!newdb.waitForFinished(-1) || newdb.exitCode() != 0) {
        std::fprintf(stderr, "tolvar-newdb mislukt: %s\n",
                     newdb.readAllStandardError().constData());
        return 1;
    }
    g_strDatabasePath = path;

    std::vector<double> store;
    std::vector<double> plain;
    for (int run = 0; run < kRuns; ++run) {
        qint64 a = 0;
        qint64 b = 0;
        store.push_back(TimeMs([&] { a = WalkStore(); }));
        plain.push_back(TimeMs([&] { b = ScanPlain(path); }));
        if (a != b) {
            std::fprintf(stderr, "verschillende gegevens: %lld tegen %lld\n", a, b);
            return 1;
        }
    }
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        rates.push_back(NieuwRecordRate());
    }
    const double storeMs = Median(store);
    const double plainMs = Median(plain);
    std::printf("store_walk_100000: %.0f ms\n", storeMs);
    std::printf("plain_scan_100000: %.0f ms\n", plainMs);
    std::printf("ratio: %.2f\n", storeMs / plainMs);
    std::printf("nieuwrecord_rate: %.0f rows/s\n", Median(rates));
    return 0;
}
