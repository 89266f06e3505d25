#pragma once

#include <memory>
#include <QString>

struct sqlite3;

// One connection to a database file. Recordsets that open the same file share one
// connection, so that a transaction begun on it covers every recordset of that file.
class CDaoDatabase {
public:
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // The connection to the file at path (a Windows-style or Linux path), opened on first
    // use. A file that does not exist is an error; it is never created.
    static std::shared_ptr<CDaoDatabase> OpenShared(const QString& path);

    sqlite3* Handle() const { return m_db; }
    QString GetName() const { return m_strPath; }

    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const { return m_bInTransaction; }
    // Grows with every row written through this connection and every rollback, so that
    // rows read earlier can tell whether they may have changed since.
    qint64 ChangeCount() const;

    // Runs a statement without results; throws CDaoException on failure.
    void Execute(const char* sql);

    // Throws CDaoException with the kind of the engine's last failure, the file's name and
    // the engine's message.
    [[noreturn]] void ThrowLastError() const;

    // Whether writes to the file must fail: the file or its folder cannot be written.
    bool IsReadOnly() const;

    // How long an operation waits for another process's lock before it fails: long enough
    // for another desk's write to end, short enough that the window never seems frozen
    // (a failed command and the refill after it wait twice at most).
    static constexpr int kBusyTimeoutMs = 1000;

private:
    CDaoDatabase(sqlite3* db, QString path);
    static std::shared_ptr<CDaoDatabase> Connect(const QString& path);

    sqlite3* m_db = nullptr;
    QString m_strPath;
    bool m_bInTransaction = false;
    qint64 m_nRollbacks = 0;
};
