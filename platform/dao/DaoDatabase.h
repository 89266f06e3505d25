#pragma once

#include "platform/dao/DaoEngine.h"

#include <atomic>
#include <memory>
#include <QString>

// One connection to a database: a file, or a database on a server. Recordsets that open
// the same database share one connection, so that a transaction begun on it covers every
// recordset of that database.
class CDaoDatabase {
public:
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // The connection to the database name names (a file path, Windows-style or Linux, or a
    // server address), made on first use. A file that does not exist is an error; it is
    // never created.
    static std::shared_ptr<CDaoDatabase> OpenShared(const QString& name);
    // A connection of its own to the same database, shared with no recordset, for work on
    // another thread: a connection must never be used by two threads.
    static std::shared_ptr<CDaoDatabase> OpenPrivate(const QString& name);

    CDaoEngine& Engine() const { return *m_engine; }
    // The database as messages name it.
    QString GetName() const { return m_strName; }

    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const { return m_bInTransaction; }
    // One consistent view of the database for a stretch of reads; nothing when a
    // transaction is already open. EndRead ends what BeginRead began.
    bool BeginRead();
    void EndRead();
    // Grows with every row written through this connection and every rollback, so that
    // rows read earlier can tell whether they may have changed since.
    qint64 ChangeCount() const;

    std::unique_ptr<CDaoStatement> Prepare(const QString& sql) { return m_engine->Prepare(sql); }
    // Runs statements without results; throws CDaoException on failure.
    void Execute(const QString& sql) { m_engine->Execute(sql); }
    void Execute(const char* sql) { m_engine->Execute(QString::fromUtf8(sql)); }

    // Throws CDaoException with the kind of the engine's last failure, the database's name
    // and the engine's message.
    [[noreturn]] void ThrowLastError() const;

    // Whether writes to the database must fail.
    bool IsReadOnly() const { return m_engine->IsReadOnly(); }
    // Refuses every further write transaction of this connection and of the private ones
    // opened to its database while it is the shared one.
    void RefuseWrites() { *m_pWritesRefused = true; }

private:
    explicit CDaoDatabase(std::unique_ptr<CDaoEngine> engine);

    std::unique_ptr<CDaoEngine> m_engine;
    QString m_strName;
    std::shared_ptr<std::atomic<bool>> m_pWritesRefused = std::make_shared<std::atomic<bool>>();
    bool m_bInTransaction = false;
    qint64 m_nRollbacks = 0;
};
