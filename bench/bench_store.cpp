// Walking all relations of a large database through the record class, against reading the
// same rows and columns with one plain prepared statement, and the rate of new rows. With
// --engine postgresql the same again on a private PostgreSQL server, beside the file's figures.
#include "fixture/PgServer.h"
#include "platform/dao/OleDateTime.h"
#include "platform/dao/TextCollation.h"
#include "store/DatabasePath.h"
#include "store/RecRelatie.h"

#include "BenchHulp.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <libpq-fe.h>
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

// The same columns in the same order in one query to the server, all rows at once.
qint64 ScanPlainPg(const QString& address) {
    PGconn* conn = PQconnectdb(address.toUtf8().constData());
    PGresult* result =
        PQexec(conn, "SELECT lRelatieNummer, dtModificatie, bKlantJaNee, bLeverancierJaNee, "
                     "bPriveJaNee, szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, "
                     "szBezoekPostcode, szBezoekWoonplaats, szTelefoon, szTeleFax, "
                     "szEmailAdres, szHomePage, szBtwNummer, szAfleverStraat, "
                     "szAfleverNummer, szAfleverPostcode, szAfleverPlaats, memAlgemeneMemo, "
                     "szPostBus FROM Relaties ORDER BY szInLijst, lRelatieNummer");
    Sum sum;
    const auto text = [&](int row, int col) {
        return QString::fromUtf8(PQgetvalue(result, row, col), PQgetlength(result, row, col));
    };
    for (int row = 0; row < PQntuples(result); ++row) {
        sum.Add(std::atoll(PQgetvalue(result, row, 0)));
        sum.Add(COleDateTime::FromStorageText(text(row, 1)));
        sum.Add(std::atoll(PQgetvalue(result, row, 2)) + std::atoll(PQgetvalue(result, row, 3)) +
                std::atoll(PQgetvalue(result, row, 4)));
        for (int col = 5; col < 22; ++col) {
            sum.Add(text(row, col));
        }
    }
    PQclear(result);
    PQfinish(conn);
    return sum.value;
}

// Walks and scans the database at path (a file or a server address) and prints the figures,
// their names ending in suffix.
int Measure(const QString& path, const std::function<qint64()>& scan, const char* suffix) {
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
        plain.push_back(TimeMs([&] { b = scan(); }));
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
    std::printf("store_walk_100000%s: %.0f ms\n", suffix, storeMs);
    std::printf("plain_scan_100000%s: %.0f ms\n", suffix, plainMs);
    std::printf("ratio%s: %.2f\n", suffix, storeMs / plainMs);
    std::printf("nieuwrecord_rate%s: %.0f rows/s\n", suffix, Median(rates));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.doc");
    if (int failed = Measure(
            path, [&] { return ScanPlain(path); }, "")) {
        return failed;
    }
    const Server server = StartServer(argc, argv);
    if (server == Server::Mislukt) {
        return 1;
    }
    if (server == Server::Draait) {
        const QString address = PgServer::Shared().NewDatabase();
        return Measure(
            address, [&] { return ScanPlainPg(address); }, "_postgresql");
    }
    return 0;
}
