// Refilling the appointment list and the to-do list with 5,000 rows each.
#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "platform/paths/Paths.h"
#include "platform/ui/DispatchGuard.h"
#include "store/DatabasePath.h"
#include "store/Schema.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRows = 5000;
constexpr int kRuns = 7;

// Adds kRows rows; the statement takes the text, the date-time and one number.
bool Fill(const QString& path, const char* sql, int (*number)(int)) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        return false;
    }
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    for (int n = 0; n < kRows; ++n) {
        const QByteArray text = QStringLiteral("Afspraak of actie nummer %1 met een wat langere "
                                               "omschrijving voor de kolom")
                                    .arg(n)
                                    .toUtf8();
        const QByteArray when = start.addSecs(qint64(n) * 7919 % (3600 * 24 * 365))
                                    .toString("yyyy-MM-dd HH:mm:ss")
                                    .toUtf8();
        sqlite3_bind_text(stmt, 1, text.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, when.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 3, number(n));
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    return true;
}

double MedianMs(const std::function<void()>& refill) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        refill();
        QApplication::processEvents(); // the list lays out and paints what it got
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    g_strDatabasePath = home.filePath("Tolvar.Doc");
    const QString appointments =
        CPaths::ToLocalPath(QStringLiteral("C:\\Mijn documenten\\Projects\\tolvdata.mdb"));
    QDir().mkpath(QFileInfo(appointments).path());
    CreateTolvarDatabase(g_strDatabasePath);
    CreateTolvarDatabase(appointments);
    // All appointments reported, so that no alarm pops up while measuring.
    const bool filled =
        Fill(appointments,
             "INSERT INTO KalenderLijst (szTekst, dtDatumTijdAlarm, bGemeld) VALUES (?, ?, ?)",
             [](int) { return 1; }) &&
        Fill(g_strDatabasePath, "INSERT INTO TeDoen (szTekst, dtDatumTijd, lPrio) VALUES (?, ?, ?)",
             [](int n) { return n % 10; });
    if (!filled) {
        std::fprintf(stderr, "cannot fill the test databases\n");
        return 1;
    }

    CLijstKalender kalender;
    CInfoDisplay todo;
    kalender.resize(500, 400);
    todo.resize(500, 400);
    kalender.show();
    todo.show();
    bool ok = Guarded([&] {
        kalender.OnInitialUpdate();
        todo.OnInitialUpdate();
    });
    if (!ok) {
        return 1;
    }

    const double msAppointments = MedianMs([&] { kalender.Herlaad(); });
    const double msTodo = MedianMs([&] { todo.Herlaad(); });
    std::printf("refill_appointments_5000: %.1f ms\n", msAppointments);
    std::printf("refill_todo_5000: %.1f ms\n", msTodo);
    return 0;
}
