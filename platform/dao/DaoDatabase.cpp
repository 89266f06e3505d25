#include "platform/dao/DaoDatabase.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/DaoFailureScope.h"
#include "platform/dao/SqliteError.h"
#include "platform/dao/TextCollation.h"
#include "platform/paths/Paths.h"

#include <map>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

std::map<QString, std::weak_ptr<CDaoDatabase>>& OpenConnections() {
    static std::map<QString, std::weak_ptr<CDaoDatabase>> connections;
    return connections;
}

} // namespace

CDaoDatabase::CDaoDatabase(sqlite3* db, QString path) : m_db(db), m_strPath(std::move(path)) {}

CDaoDatabase::~CDaoDatabase() {
    if (m_bInTransaction) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(m_db);
}

std::shared_ptr<CDaoDatabase> CDaoDatabase::OpenShared(const QString& path) {
    const QString localPath = CPaths::ToLocalPath(path);
    const QString key = QFileInfo(localPath).absoluteFilePath();
    auto& connections = OpenConnections();
    if (auto it = connections.find(key); it != connections.end()) {
        if (auto existing = it->second.lock()) {
            return existing;
        }
    }

    CDaoFailureScope::ThrowEarlierOpenFailure(key);
    try {
        auto database = Connect(key);
        connections[key] = database;
        return database;
    } catch (const CDaoException& failure) {
        CDaoFailureScope::NoteOpenFailure(key, failure);
        throw;
    }
}

std::shared_ptr<CDaoDatabase> CDaoDatabase::Connect(const QString& path) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const CDaoException failure = SqliteError(db, rc, path);
        sqlite3_close_v2(db);
        throw failure;
    }
    std::shared_ptr<CDaoDatabase> database(new CDaoDatabase(db, path));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    CTextCollation::Register(db);
    // The engine opens lazily: reading the schema now turns "not a database" into an error
    // of the open, not of some later move.
    database->Execute("SELECT count(*) FROM sqlite_master");
    return database;
}

bool CDaoDatabase::IsReadOnly() const {
    // A file the engine could open for reading only, or one whose folder cannot take the
    // journal that every write makes beside it.
    return sqlite3_db_readonly(m_db, "main") == 1 ||
           !QFileInfo(QFileInfo(m_strPath).absolutePath()).isWritable();
}

void CDaoDatabase::Execute(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw SqliteError(m_db, sqlite3_extended_errcode(m_db), m_strPath, text);
    }
}

void CDaoDatabase::ThrowLastError() const {
    throw SqliteError(m_db, sqlite3_extended_errcode(m_db), m_strPath);
}

void CDaoDatabase::BeginTrans() {
    Execute("BEGIN IMMEDIATE");
    m_bInTransaction = true;
}

void CDaoDatabase::CommitTrans() {
    Execute("COMMIT");
    m_bInTransaction = false;
}

qint64 CDaoDatabase::ChangeCount() const {
    return sqlite3_total_changes64(m_db) + m_nRollbacks;
}

void CDaoDatabase::Rollback() {
    m_bInTransaction = false;
    ++m_nRollbacks;
    if (!sqlite3_get_autocommit(m_db)) {
        Execute("ROLLBACK");
    }
}
