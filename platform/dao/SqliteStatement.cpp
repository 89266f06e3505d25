#include "platform/dao/SqliteStatement.h"

#include "platform/dao/SqliteEngine.h"

#include <sqlite3.h>

CSqliteStatement::CSqliteStatement(const CSqliteEngine& engine, sqlite3_stmt* stmt)
    : m_engine(engine), m_stmt(stmt) {}

CSqliteStatement::~CSqliteStatement() {
    sqlite3_finalize(m_stmt);
}

void CSqliteStatement::BindNull(int n) {
    sqlite3_bind_null(m_stmt, n);
}

void CSqliteStatement::BindInt64(int n, qint64 value) {
    sqlite3_bind_int64(m_stmt, n, value);
}

void CSqliteStatement::BindText(int n, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_stmt, n, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool CSqliteStatement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    sqlite3_reset(m_stmt);
    m_engine.ThrowLastError();
    return false;
}

void CSqliteStatement::Reset() {
    sqlite3_reset(m_stmt);
}

bool CSqliteStatement::IsNull(int col) const {
    return sqlite3_column_type(m_stmt, col) == SQLITE_NULL;
}

qint64 CSqliteStatement::Int64(int col) const {
    return sqlite3_column_int64(m_stmt, col);
}

QString CSqliteStatement::Text(int col) const {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, col)),
                             sqlite3_column_bytes(m_stmt, col));
}

QVariant CSqliteStatement::Value(int col) const {
    switch (sqlite3_column_type(m_stmt, col)) {
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_stmt, col));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, col);
    default:
        return Text(col);
    }
}
