#include "platform/dao/PgError.h"

#include <libpq-fe.h>

namespace {

QString Trimmed(const char* text) {
    return QString::fromUtf8(text ? text : "").simplified();
}

DaoErrorKind KindOf(const QByteArray& state) {
    if (state == "42P01" || state == "42703") {
        return DaoErrorKind::SchemaMissing;
    }
    if (state == "40001" || state == "40P01" || state == "55P03") {
        return DaoErrorKind::InUse;
    }
    if (state == "25006") {
        return DaoErrorKind::ReadOnly;
    }
    // A statement beyond the server's limits, such as a query nested too deep.
    if (state.startsWith("54")) {
        return DaoErrorKind::QueryTooLong;
    }
    if (state == "53100") {
        return DaoErrorKind::DiskFull;
    }
    if (state == "3D000") {
        return DaoErrorKind::DatabaseMissing;
    }
    if (state == "28P01" || state == "28000" || state == "42501") {
        return DaoErrorKind::AccessDenied;
    }
    if (state.startsWith("08") || state.startsWith("57P")) {
        return DaoErrorKind::ConnectionLost;
    }
    return DaoErrorKind::Other;
}

} // namespace

CDaoException PgError(const pg_conn* conn, const pg_result* result, const QString& name) {
    if (PQstatus(conn) == CONNECTION_BAD) {
        return CDaoException(DaoErrorKind::ConnectionLost, name, Trimmed(PQerrorMessage(conn)), 0,
                             true);
    }
    const QByteArray state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QString text = result && PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)
                             ? Trimmed(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY))
                             : Trimmed(PQerrorMessage(conn));
    return CDaoException(KindOf(state), name, text, state.isEmpty() ? 0 : 1, true);
}

CDaoException PgConnectError(const pg_conn* conn, const QString& name) {
    const QString text = Trimmed(PQerrorMessage(conn));
    DaoErrorKind kind = DaoErrorKind::ServerUnreachable;
    // The server answers a refused login in words only, before any session exists.
    if (text.contains(QLatin1String("password")) ||
        text.contains(QLatin1String("authentication failed")) ||
        (text.contains(QLatin1String("role \"")) &&
         text.contains(QLatin1String("does not exist")))) {
        kind = DaoErrorKind::AccessDenied;
    } else if (text.contains(QLatin1String("database \"")) &&
               text.contains(QLatin1String("does not exist"))) {
        kind = DaoErrorKind::DatabaseMissing;
    }
    return CDaoException(kind, name, text, 0, true);
}
