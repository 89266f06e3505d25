#include "platform/dao/DaoDatabase.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/DaoFailureScope.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/paths/Paths.h"

#include <map>
#include <mutex>
#include <QFileInfo>

namespace {

// Each shared connection with its refusal of writes, which the private connections to its
// database share; private connections are opened on other threads, hence the lock.
struct Shared {
    std::weak_ptr<CDaoDatabase> database;
    std::shared_ptr<std::atomic<bool>> writesRefused;
};
std::map<QString, Shared>& OpenConnections() {
    static std::map<QString, Shared> connections;
    return connections;
}
std::mutex& ConnectionsLock() {
    static std::mutex lock;
    return lock;
}

QString ConnectionKey(const QString& name) {
    return CDaoEngine::IsServerAddress(name)
               ? name.trimmed()
               : QFileInfo(CPaths::ToLocalPath(name)).absoluteFilePath();
}

} // namespace

CDaoDatabase::CDaoDatabase(std::unique_ptr<CDaoEngine> engine)
    : m_engine(std::move(engine)), m_strName(m_engine->DisplayName()) {}

CDaoDatabase::~CDaoDatabase() = default;

std::shared_ptr<CDaoDatabase> CDaoDatabase::OpenShared(const QString& name) {
    const QString key = ConnectionKey(name);
    auto& connections = OpenConnections();
    if (auto it = connections.find(key); it != connections.end()) {
        if (auto existing = it->second.database.lock()) {
            return existing;
        }
    }

    CDaoFailureScope::ThrowEarlierOpenFailure(key);
    try {
        std::shared_ptr<CDaoDatabase> database(new CDaoDatabase(CDaoEngine::Connect(key)));
        const std::lock_guard<std::mutex> guard(ConnectionsLock());
        connections[key] = {database, database->m_pWritesRefused};
        return database;
    } catch (const CDaoException& failure) {
        CDaoFailureScope::NoteOpenFailure(key, failure);
        throw;
    }
}

std::shared_ptr<CDaoDatabase> CDaoDatabase::OpenPrivate(const QString& name) {
    const QString key = ConnectionKey(name);
    std::shared_ptr<CDaoDatabase> database(new CDaoDatabase(CDaoEngine::Connect(key)));
    const std::lock_guard<std::mutex> guard(ConnectionsLock());
    const auto& connections = OpenConnections();
    if (auto it = connections.find(key);
        it != connections.end() && !it->second.database.expired()) {
        database->m_pWritesRefused = it->second.writesRefused;
    }
    return database;
}

void CDaoDatabase::ThrowLastError() const {
    m_engine->ThrowLastError();
    throw CDaoException(DaoErrorKind::Other, m_strName, QString(), 0);
}

void CDaoDatabase::BeginTrans() {
    if (*m_pWritesRefused) {
        throw CDaoException(DaoErrorKind::ReadOnly, m_strName, QString(), 0, m_engine->IsServer());
    }
    m_engine->Begin(true);
    m_bInTransaction = true;
}

void CDaoDatabase::CommitTrans() {
    m_engine->Commit();
    m_bInTransaction = false;
}

void CDaoDatabase::Rollback() {
    m_bInTransaction = false;
    ++m_nRollbacks;
    m_engine->Rollback();
}

bool CDaoDatabase::BeginRead() {
    if (m_engine->InTransaction()) {
        return false;
    }
    try {
        m_engine->Begin(false);
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

void CDaoDatabase::EndRead() {
    try {
        m_engine->Commit();
    } catch (const CDaoException&) {
        m_engine->Rollback();
    }
}

qint64 CDaoDatabase::ChangeCount() const {
    return m_engine->TotalChanges() + m_nRollbacks;
}
