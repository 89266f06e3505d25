#include "platform/dao/DaoDatabase.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/DaoFailureScope.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/paths/Paths.h"

#include <map>
#include <QFileInfo>

namespace {

std::map<QString, std::weak_ptr<CDaoDatabase>>& OpenConnections() {
    static std::map<QString, std::weak_ptr<CDaoDatabase>> connections;
    return connections;
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
        if (auto existing = it->second.lock()) {
            return existing;
        }
    }

    CDaoFailureScope::ThrowEarlierOpenFailure(key);
    try {
        std::shared_ptr<CDaoDatabase> database(new CDaoDatabase(CDaoEngine::Connect(key)));
        connections[key] = database;
        return database;
    } catch (const CDaoException& failure) {
        CDaoFailureScope::NoteOpenFailure(key, failure);
        throw;
    }
}

std::shared_ptr<CDaoDatabase> CDaoDatabase::OpenPrivate(const QString& name) {
    return std::shared_ptr<CDaoDatabase>(
        new CDaoDatabase(CDaoEngine::Connect(ConnectionKey(name))));
}

void CDaoDatabase::ThrowLastError() const {
    m_engine->ThrowLastError();
    throw CDaoException(DaoErrorKind::Other, m_strName, QString(), 0);
}

void CDaoDatabase::BeginTrans() {
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
