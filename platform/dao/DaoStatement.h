#pragma once

#include <QString>
#include <QVariant>

// One prepared statement of an engine. Parameters are numbered from 1, in the order of the
// ? marks in the statement's text; columns of a result row from 0. Every call that reaches
// the engine throws CDaoException on failure.
class CDaoStatement {
public:
    virtual ~CDaoStatement() = default;

    virtual void BindNull(int n) = 0;
    virtual void BindInt64(int n, qint64 value) = 0;
    virtual void BindText(int n, const QString& value) = 0;

    // Runs the statement on the first call, then moves to the next row: true while there is
    // a row to read.
    virtual bool Step() = 0;
    // Makes the statement ready to run again; the parameters keep their values.
    virtual void Reset() = 0;

    virtual bool IsNull(int col) const = 0;
    virtual qint64 Int64(int col) const = 0;
    virtual QString Text(int col) const = 0;
    // The column as the engine holds it: null, qlonglong, double or QString.
    virtual QVariant Value(int col) const = 0;
};
