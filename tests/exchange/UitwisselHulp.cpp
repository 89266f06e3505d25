#include "UitwisselHulp.h"

#include <QFile>
#include <QProcess>
#include <sqlite3.h>

namespace UitwisselHulp {

QString DataPad(const QString& naam) {
    return QStringLiteral(TOLVAR_SOURCE_DIR "/tests/data/") + naam;
}

QByteArray DataBestand(const QString& naam) {
    QFile bestand(DataPad(naam));
    bestand.open(QIODevice::ReadOnly);
    return bestand.readAll();
}

QStringList Rijen(const QString& database, const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    QStringList rijen;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        rijen << QStringLiteral("FOUT: ") + QString::fromUtf8(sqlite3_errmsg(db));
    }
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList kolommen;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const auto* tekst = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            kolommen << QString::fromUtf8(tekst ? tekst : "");
        }
        rijen << kolommen.join(QLatin1Char('|'));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rijen;
}

namespace {

Uitkomst Start(const QString& programma, const QStringList& args, const QProcessEnvironment& env) {
    QProcess proces;
    proces.setProcessEnvironment(env);
    proces.start(programma, args);
    proces.waitForFinished(120000);
    return {proces.exitStatus() == QProcess::NormalExit ? proces.exitCode() : -1,
            QString::fromUtf8(proces.readAllStandardOutput()),
            QString::fromUtf8(proces.readAllStandardError())};
}

} // namespace

Uitkomst Exchange(const QStringList& args, const QProcessEnvironment& env) {
    return Start(QStringLiteral(TOLVAR_EXCHANGE), args, env);
}

Uitkomst Python(const QString& script, const QStringList& args) {
    return Start(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + args,
                 QProcessEnvironment::systemEnvironment());
}

QString DemoDatabase(const QString& folder, int nRelaties) {
    const QString pad =
        folder + (nRelaties ? QStringLiteral("/demo.doc") : QStringLiteral("/leeg.doc"));
    QProcess proces;
    proces.start(QStringLiteral(TOLVAR_NEWDB),
                 nRelaties ? QStringList{QStringLiteral("--demo"), QString::number(nRelaties), pad}
                           : QStringList{pad});
    proces.waitForFinished(120000);
    return pad;
}

} // namespace UitwisselHulp
