#pragma once

#include "platform/dao/DaoEngine.h"

#include <QElapsedTimer>

struct sqlite3;

// The engine of a database file on this machine.
class CSqliteEngine : public CDaoEngine {
public:
    // Opens the existing file at path (a local path); throws CDaoException on failure.
    explicit CSqliteEngine(const QString& path);
    ~CSqliteEngine() override;

    sqlite3* Handle() const { return m_db; }

    QString DisplayName() const override { return m_strPath; }
    bool IsServer() const override { return false; }
    std::unique_ptr<CDaoStatement> Prepare(const QString& sql) override;
    void Execute(const QString& sql) override;
    void Begin(bool bWrite) override;
    void Commit() override;
    void Rollback() noexcept override;
    bool InTransaction() const override;
    qint64 LastKey() override;
    qint64 Changes() const override;
    qint64 TotalChanges() const override;
    bool IsReadOnly() const override;
    bool TableKey(const QString& table, QString* key) override;
    bool HasTable(const QString& table) override;
    QString TextSortTerm(const QString& column) const override;
    bool SortsTextThroughProgram() const override { return true; }
    QString DateAsText(const QString& column) const override;
    QString ColumnType(ColumnKind kind) const override;
    void ContinueCounterAfter(const QString& table, const QString& column, qint64 last) override;
    [[noreturn]] void ThrowLastError() const override;
    bool EndsTransaction(int engineCode) const override;
    void WaitForOthers(bool bWait) override { SetLockWait(bWait ? kBusyTimeoutMs : 0); }

    // How long an operation waits for another process's lock before it fails: long enough
    // for another desk's write to end, short enough that the window never seems frozen
    // (a failed command and the refill after it wait twice at most).
    static constexpr int kBusyTimeoutMs = 1000;

    // How long from now on this connection waits for another process's lock; 0 gives up at
    // once, for work that may as well be done another time.
    void SetLockWait(int waitMs) { m_lockWait.waitMs = waitMs; }

    struct LockWait {
        QElapsedTimer since;
        int waitMs = kBusyTimeoutMs;
    };

private:
    sqlite3* m_db = nullptr;
    QString m_strPath;
    LockWait m_lockWait;
};
