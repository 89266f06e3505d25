#include "BestandVraag.h"

#include <QFile>
#include <sqlite3.h>

QStringList BestandRijen(const QString& strPad, const QString& strSql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(strPad).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    QStringList rijen;
    if (sqlite3_prepare_v2(db, strSql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
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

qint64 BestandGetal(const QString& strPad, const QString& strSql) {
    bool bGetal = false;
    const qint64 n =
        BestandRijen(strPad, strSql).value(0).section(QLatin1Char('|'), 0, 0).toLongLong(&bGetal);
    return bGetal ? n : -1;
}
