#include "tools/newdb/DemoStatement.h"

#include "platform/dao/DaoException.h"

#include <sqlite3.h>

namespace {

[[noreturn]] void Fail(sqlite3* db) {
    throw CDaoException(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

CDemoStatement::CDemoStatement(sqlite3* db, const char* sql) : m_db(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        Fail(db);
    }
}

CDemoStatement::~CDemoStatement() {
    sqlite3_finalize(m_stmt);
}

qint64 CDemoStatement::Run(std::initializer_list<Value> values) {
    int n = 1;
    for (const Value& value : values) {
        if (const auto* number = std::get_if<qint64>(&value)) {
            sqlite3_bind_int64(m_stmt, n, *number);
        } else if (const auto* text = std::get_if<QByteArray>(&value); text && !text->isEmpty()) {
            sqlite3_bind_text(m_stmt, n, text->constData(), int(text->size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(m_stmt, n);
        }
        ++n;
    }
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    if (rc != SQLITE_DONE) {
        Fail(m_db);
    }
    return sqlite3_last_insert_rowid(m_db);
}
