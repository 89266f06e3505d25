#pragma once

// What every benchmark program needs: medians of timed runs and demo databases made by the
// real tolvar-newdb.

#include "fixture/PgServer.h"
#include "store/RecRelatie.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <vector>

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double TimeMs(F&& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs tolvar-newdb with the given arguments; says why on standard error when it fails.
inline bool NewDb(const QStringList& args) {
    QProcess newdb;
    newdb.start(QStringLiteral(TOLVAR_NEWDB), args);
    if (!newdb.waitForFinished(-1) || newdb.exitCode() != 0) {
        std::fprintf(stderr, "tolvar-newdb mislukt: %s\n",
                     newdb.readAllStandardError().constData());
        return false;
    }
    return true;
}

// New relations stored one by one, each its own transaction, per second.
inline double NieuwRecordRate() {
    constexpr int kRows = 100;
    CRecRelatie rec;
    const double ms = TimeMs([&] {
        for (int i = 0; i < kRows; ++i) {
            rec.NieuwRecord();
        }
    });
    return kRows * 1000.0 / ms;
}

// Whether the benchmark was asked (with --engine postgresql) to measure on a database server
// as well; if so the private server is started, durable like a real one.
enum class Server { NietGevraagd, Draait, Mislukt };
inline Server StartServer(int argc, char** argv) {
    if (argc <= 2 || std::strcmp(argv[1], "--engine") != 0 ||
        std::strcmp(argv[2], "postgresql") != 0) {
        return Server::NietGevraagd;
    }
    if (const QString fout = PgServer::Shared(true).Error(); !fout.isEmpty()) {
        std::fprintf(stderr, "PostgreSQL start niet: %s\n", qPrintable(fout));
        return Server::Mislukt;
    }
    return Server::Draait;
}
