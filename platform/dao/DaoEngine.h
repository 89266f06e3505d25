#pragma once

#include "platform/dao/DaoStatement.h"

#include <memory>
#include <QString>

// What the record store needs of a database engine; one implementation per engine. The
// rest of the program speaks one SQL: names in brackets ([Relaties]), parameters as ?,
// and what only one engine writes its own way (a counter column, the sort order of text,
// a date as text) asked of the engine here.
class CDaoEngine {
public:
    enum ColumnKind { Counter, Integer, Text, Date };

    virtual ~CDaoEngine() = default;

    // The engine a DataBase value names: a server address (a postgresql:// or postgres://
    // address, or a "host=… dbname=…" string) or else a file path.
    static bool IsServerAddress(const QString& name);
    // Connects to the database name names; throws CDaoException when that fails. A file
    // is never created.
    static std::unique_ptr<CDaoEngine> Connect(const QString& name);
    // The database name names, as messages name it (never with a password).
    static QString NameOf(const QString& name);

    // The database as the user's messages name it: the file, or database and server
    // (never a password).
    virtual QString DisplayName() const = 0;
    // Whether the database is on a server rather than in a file, for the wording of messages.
    virtual bool IsServer() const = 0;

    virtual std::unique_ptr<CDaoStatement> Prepare(const QString& sql) = 0;
    // Runs statements without results, one after the other.
    virtual void Execute(const QString& sql) = 0;

    // bWrite takes the write lock at once, so that a transaction never waits half-way.
    virtual void Begin(bool bWrite) = 0;
    virtual void Commit() = 0;
    // Undoes the open transaction, if any; never throws.
    virtual void Rollback() noexcept = 0;
    virtual bool InTransaction() const = 0;

    // The key the last row added through this connection received.
    virtual qint64 LastKey() = 0;
    // Rows written by the last statement.
    virtual qint64 Changes() const = 0;
    // Grows with every row written through this connection.
    virtual qint64 TotalChanges() const = 0;

    virtual bool IsReadOnly() const = 0;
    // Whether the table exists; if so, *key receives its key column (empty if it has none).
    virtual bool TableKey(const QString& table, QString* key) = 0;
    virtual bool HasTable(const QString& table) = 0;

    // An ORDER BY term that sorts a text column the way the lists sort: letters first
    // without regard to case and accents.
    virtual QString TextSortTerm(const QString& column) const = 0;
    // Whether that term runs a comparison of the program's own for every pair of rows: a
    // long list then sorts far quicker in the program, on CTextCollation::SortKey.
    virtual bool SortsTextThroughProgram() const { return false; }
    // A date column as "YYYY-MM-DD HH:MM:SS" text, "" for no date.
    virtual QString DateAsText(const QString& column) const = 0;
    virtual QString ColumnType(ColumnKind kind) const = 0;
    // Makes the counter column of table hand out numbers after last from now on (never
    // lower than the highest key already there): rows copied in with their own keys must
    // not see the numbers of deleted rows again.
    virtual void ContinueCounterAfter(const QString& table, const QString& column, qint64 last) = 0;
    // Statements that prepare an empty database for the tables (run before them).
    virtual QString SchemaPreamble() const { return {}; }
    // How many rows a forward walk reads in one statement.
    virtual int ReadAheadRows() const { return 64; }
    // Whether a failure with the engine's code engineCode may have ended the open
    // transaction or left the database unusable, so that the work it belongs to must fail
    // with it. On a server every failure ends the transaction.
    virtual bool EndsTransaction(int engineCode) const {
        (void)engineCode;
        return true;
    }
    // Whether this connection waits, as every write does, for another process's lock
    // (bWait) or gives up at once, for work that may as well be done another time. Engines
    // that lock rows rather than the database ignore it.
    virtual void WaitForOthers(bool bWait) { (void)bWait; }
    // What a SELECT of one row ends with so that no other connection can delete that row
    // until this transaction ends; nothing where a write transaction already shuts out
    // every other writer.
    virtual QString KeepRowClause() const { return {}; }

    // The engine's last failure on this connection as the database exception.
    [[noreturn]] virtual void ThrowLastError() const = 0;
};
