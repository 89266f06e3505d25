#include "platform/dao/PgEngine.h"

#include "platform/dao/PgError.h"
#include "platform/dao/PgStatement.h"

#include <cstdlib>
#include <libpq-fe.h>

namespace {

// Results that free themselves, also when a failure cuts a command short.
struct Result {
    PGresult* result;
    ~Result() { PQclear(result); }
};

} // namespace

CPgEngine::CPgEngine(const QString& address)
    : m_strAddress(address.trimmed()), m_strName(DisplayNameOf(address)) {
    Connect();
}

CPgEngine::~CPgEngine() {
    PQfinish(m_conn);
}

QString CPgEngine::DisplayNameOf(const QString& address) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(address.trimmed().toUtf8().constData(), &error);
    PQfreemem(error);
    QString database;
    QString host;
    QString user;
    for (PQconninfoOption* option = options; option && option->keyword; ++option) {
        const QString value = QString::fromUtf8(option->val ? option->val : "");
        const QByteArray keyword = option->keyword;
        if (keyword == "dbname") {
            database = value;
        } else if (keyword == "host" || (keyword == "hostaddr" && host.isEmpty())) {
            host = value;
        } else if (keyword == "user") {
            user = value;
        }
    }
    PQconninfoFree(options);
    if (database.isEmpty()) {
        database = !user.isEmpty() ? user : QString::fromLocal8Bit(qgetenv("USER"));
    }
    // A socket folder is this computer's own server.
    if (host.isEmpty() || host.startsWith(QLatin1Char('/'))) {
        return QStringLiteral("%1 (deze computer)").arg(database);
    }
    return QStringLiteral("%1 op %2").arg(database, host);
}

void CPgEngine::Connect() {
    // Later keywords win: the address may set its own time-out, never the encoding.
    const QByteArray address = m_strAddress.toUtf8();
    const char* const keywords[] = {"connect_timeout", "dbname", "client_encoding",
                                    "fallback_application_name", nullptr};
    const char* const values[] = {"5", address.constData(), "UTF8", "Tolvar", nullptr};
    PQfinish(m_conn);
    m_conn = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const CDaoException failure = PgConnectError(m_conn, m_strName);
        PQfinish(m_conn);
        m_conn = nullptr;
        throw failure;
    }
    // The server's remarks ("table does not exist, skipping") are no failures and have no
    // reader: they would only end up on the terminal the program was started from.
    PQsetNoticeProcessor(
        m_conn, [](void*, const char*) {}, nullptr);
    // Dates come back as the program writes them, whatever the server's own setting.
    Result set{PQexec(m_conn, "SET datestyle TO 'ISO, YMD'")};
    if (PQresultStatus(set.result) != PGRES_COMMAND_OK) {
        throw PgError(m_conn, set.result, m_strName);
    }
}

void CPgEngine::EnsureConnected() {
    if (PQstatus(m_conn) == CONNECTION_OK) {
        return;
    }
    const bool bLostTransaction = m_bTransaction;
    m_bTransaction = false;
    Connect();
    if (bLostTransaction) {
        // What the transaction wrote is gone with the old connection; the caller must know
        // that before it writes anything else.
        throw CDaoException(DaoErrorKind::ConnectionLost, m_strName,
                            QStringLiteral("transaction aborted by lost connection"), 0, true);
    }
}

QByteArray CPgEngine::Translate(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    int nParam = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = sql.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? sql.size() - 1 : end;
            out += sql.mid(i, stop - i + 1);
            i = stop;
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = sql.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0) {
                out += c;
                continue;
            }
            out += QLatin1Char('"') + sql.mid(i + 1, end - i - 1).toLower() + QLatin1Char('"');
            i = end;
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('$') + QString::number(++nParam);
        } else {
            out += c;
        }
    }
    return out.toUtf8();
}

PGresult* CPgEngine::Check(PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const CDaoException failure = PgError(m_conn, result, m_strName);
        PQclear(result);
        if (PQstatus(m_conn) == CONNECTION_BAD) {
            m_bTransaction = false;
        }
        throw failure;
    }
    m_nChanges = std::strtoll(PQcmdTuples(result), nullptr, 10);
    if (status == PGRES_COMMAND_OK) {
        m_nTotalChanges += m_nChanges;
    }
    return result;
}

PGresult* CPgEngine::Run(const QByteArray& sql, int nParams, const char* const* values) {
    EnsureConnected();
    return Check(
        PQexecParams(m_conn, sql.constData(), nParams, nullptr, values, nullptr, nullptr, 0));
}

std::unique_ptr<CDaoStatement> CPgEngine::Prepare(const QString& sql) {
    return std::make_unique<CPgStatement>(*this, Translate(sql));
}

void CPgEngine::Execute(const QString& sql) {
    EnsureConnected();
    PQclear(Check(PQexec(m_conn, Translate(sql).constData())));
}

void CPgEngine::Begin(bool bWrite) {
    // A read sees the database as it was at its first statement, as a file's read lock does.
    Execute(bWrite ? QStringLiteral("BEGIN")
                   : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ"));
    m_bTransaction = true;
}

void CPgEngine::Commit() {
    EnsureConnected();
    Result commit{Check(PQexec(m_conn, "COMMIT"))};
    m_bTransaction = false;
    // A transaction that failed half-way is rolled back by its COMMIT, without an error.
    if (QByteArray(PQcmdStatus(commit.result)) == "ROLLBACK") {
        throw CDaoException(DaoErrorKind::Other, m_strName,
                            QStringLiteral("transaction rolled back"), 1, true);
    }
}

void CPgEngine::Rollback() noexcept {
    m_bTransaction = false;
    if (PQstatus(m_conn) == CONNECTION_OK && PQtransactionStatus(m_conn) != PQTRANS_IDLE) {
        PQclear(PQexec(m_conn, "ROLLBACK"));
    }
}

bool CPgEngine::InTransaction() const {
    const PGTransactionStatusType status = PQtransactionStatus(m_conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

qint64 CPgEngine::LastKey() {
    const auto query = Prepare(QStringLiteral("SELECT lastval()"));
    return query->Step() ? query->Int64(0) : 0;
}

bool CPgEngine::TableKey(const QString& table, QString* key) {
    auto query = Prepare(QStringLiteral(
        "SELECT c.oid IS NOT NULL, (SELECT a.attname FROM pg_index i JOIN pg_attribute a ON "
        "a.attrelid = i.indrelid AND a.attnum = ANY(i.indkey) WHERE i.indrelid = c.oid AND "
        "i.indisprimary LIMIT 1) FROM (SELECT to_regclass(?) AS oid) c"));
    query->BindText(1, QLatin1Char('"') + table.toLower() + QLatin1Char('"'));
    if (!query->Step() || query->Int64(0) == 0) {
        return false;
    }
    *key = query->IsNull(1) ? QString() : query->Text(1);
    return true;
}

bool CPgEngine::HasTable(const QString& table) {
    QString key;
    return TableKey(table, &key);
}

QString CPgEngine::DateAsText(const QString& column) const {
    return QStringLiteral("coalesce(to_char(%1, 'YYYY-MM-DD HH24:MI:SS'), '')").arg(column);
}

QString CPgEngine::ColumnType(ColumnKind kind) const {
    switch (kind) {
    case Counter:
        // A sequence never hands out a number twice, also not after a delete or a rollback.
        return QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    case Integer:
        return QStringLiteral("integer");
    case Text:
        return QStringLiteral("text COLLATE tolvar");
    case Date:
        return QStringLiteral("timestamp(0)");
    }
    return {};
}

QString CPgEngine::SchemaPreamble() const {
    // Text sorts as people expect in a list, as on a file: letters first without regard to
    // case and accents (é with e), then accents, then capitals before small letters.
    return QStringLiteral("CREATE COLLATION IF NOT EXISTS tolvar "
                          "(provider = icu, locale = 'und-u-kf-upper');\n");
}

void CPgEngine::ThrowLastError() const {
    throw PgError(m_conn, nullptr, m_strName);
}

void CPgEngine::ContinueCounterAfter(const QString& table, const QString& column, qint64 last) {
    const QString t = table.toLower();
    const QString c = column.toLower();
    auto stmt = Prepare(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), "
                                       "greatest(?, (SELECT coalesce(max(\"%2\"), 0) FROM "
                                       "\"%1\"), 1), greatest(?, (SELECT coalesce(max(\"%2\"), "
                                       "0) FROM \"%1\")) > 0)")
                            .arg(t, c));
    stmt->BindText(1, QLatin1Char('"') + t + QLatin1Char('"'));
    stmt->BindText(2, c);
    stmt->BindInt64(3, last);
    stmt->BindInt64(4, last);
    while (stmt->Step()) {
    }
}
