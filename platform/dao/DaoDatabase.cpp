#include "platform/dao/DaoDatabase.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/TextCollation.h"
#include "platform/paths/Paths.h"

#include <map>
#include <QCoreApplication>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

std::map<QString, std::weak_ptr<CDaoDatabase>>& OpenConnections() {
    static std::map<QString, std::weak_ptr<CDaoDatabase>> connections;
    return connections;
}

QString EngineMessage(const QString& engineText, const QString& path) {
    return QCoreApplication::translate("CDaoDatabase", "%1\n\nDatabasebestand: %2")
        .arg(engineText, path);
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

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(key.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString text =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw CDaoException(EngineMessage(text, key), rc);
    }
    std::shared_ptr<CDaoDatabase> database(new CDaoDatabase(db, key));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    CTextCollation::Register(db);
    // The engine opens lazily: reading the schema now turns "not a database" into an error
    // of the open, not of some later move.
    database->Execute("SELECT count(*) FROM sqlite_master");
    connections[key] = database;
    return database;
}

void CDaoDatabase::Execute(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw CDaoException(EngineMessage(text, m_strPath), sqlite3_errcode(m_db));
    }
}

void CDaoDatabase::ThrowLastError() const {
    throw CDaoException(EngineMessage(QString::fromUtf8(sqlite3_errmsg(m_db)), m_strPath),
                        sqlite3_extended_errcode(m_db));
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
