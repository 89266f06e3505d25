#pragma once

#include "platform/dao/DaoStatement.h"

#include <QByteArray>
#include <vector>

struct pg_result;
class CPgEngine;

// A statement of the PostgreSQL engine. It runs as one round trip with its parameters sent
// apart from the text, and its whole result comes back at once; nothing of it stays on the
// server, so a connection made afresh after a failure serves it just as well.
class CPgStatement : public CDaoStatement {
public:
    CPgStatement(CPgEngine& engine, QByteArray sql);
    ~CPgStatement() override;

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
    void Bind(int n, QByteArray value, bool bNull);

    CPgEngine& m_engine;
    QByteArray m_sql;
    std::vector<QByteArray> m_values;
    std::vector<bool> m_nulls;
    pg_result* m_result = nullptr;
    int m_nRow = -1;
};
