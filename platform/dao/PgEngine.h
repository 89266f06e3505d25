#pragma once

#include "platform/dao/DaoEngine.h"

#include <QByteArray>

struct pg_conn;
struct pg_result;

// The engine of a database on a PostgreSQL server, shared by several desks. Names are
// folded to lower case, as the server does with the bare names the tables were made with;
// a connection that broke is made again by the next command.
class CPgEngine : public CDaoEngine {
public:
    // Connects to the database the address names; throws CDaoException on failure.
    explicit CPgEngine(const QString& address);
    ~CPgEngine() override;

    // The address's database and server as messages name them, without the password.
    static QString DisplayNameOf(const QString& address);
    // The statement in the server's own terms: [name] becomes "name", ? becomes $1, $2, …
    static QByteArray Translate(const QString& sql);

    // Runs a translated statement with its parameters (null for SQL null) and answers its
    // result; throws CDaoException on failure.
    pg_result* Run(const QByteArray& sql, int nParams, const char* const* values);

    QString DisplayName() const override { return m_strName; }
    bool IsServer() const override { return true; }
    std::unique_ptr<CDaoStatement> Prepare(const QString& sql) override;
    void Execute(const QString& sql) override;
    void Begin(bool bWrite) override;
    void Commit() override;
    void Rollback() noexcept override;
    bool InTransaction() const override;
    qint64 LastKey() override;
    qint64 Changes() const override { return m_nChanges; }
    qint64 TotalChanges() const override { return m_nTotalChanges; }
    bool IsReadOnly() const override { return false; }
    bool TableKey(const QString& table, QString* key) override;
    bool HasTable(const QString& table) override;
    QString TextSortTerm(const QString& column) const override { return column; }
    QString DateAsText(const QString& column) const override;
    QString ColumnType(ColumnKind kind) const override;
    void ContinueCounterAfter(const QString& table, const QString& column, qint64 last) override;
    QString SchemaPreamble() const override;
    int ReadAheadRows() const override { return 1000; }
    QString KeepRowClause() const override { return QStringLiteral(" FOR KEY SHARE"); }
    [[noreturn]] void ThrowLastError() const override;

private:
    void Connect();
    void EnsureConnected();
    pg_result* Check(pg_result* result);

    QString m_strAddress;
    QString m_strName;
    pg_conn* m_conn = nullptr;
    bool m_bTransaction = false;
    qint64 m_nChanges = 0;
    qint64 m_nTotalChanges = 0;
};
