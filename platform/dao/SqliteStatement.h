#pragma once

#include "platform/dao/DaoStatement.h"

struct sqlite3;
struct sqlite3_stmt;

class CSqliteEngine;

// A statement of the SQLite engine.
class CSqliteStatement : public CDaoStatement {
public:
    CSqliteStatement(const CSqliteEngine& engine, sqlite3_stmt* stmt);
    ~CSqliteStatement() override;

    void BindNull(int n) override;
    void BindInt64(int n, qint64 value) override;
    void BindText(int n, const QString& value) override;
    bool Step() override;
    void Reset() override;
    bool IsNull(int col) const override;
    qint64 Int64(int col) const override;
    QString Text(int col) const override;
    QVariant Value(int col) const override;

private:
    const CSqliteEngine& m_engine;
    sqlite3_stmt* m_stmt;
};
