#include "platform/dao/PgStatement.h"

#include "platform/dao/PgEngine.h"

#include <cstdlib>
#include <libpq-fe.h>

namespace {

// Type numbers of the server's built-in types.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701,
              kNumeric = 1700;

} // namespace

CPgStatement::CPgStatement(CPgEngine& engine, QByteArray sql)
    : m_engine(engine), m_sql(std::move(sql)) {}

CPgStatement::~CPgStatement() {
    PQclear(m_result);
}

void CPgStatement::Bind(int n, QByteArray value, bool bNull) {
    if (size_t(n) > m_values.size()) {
        m_values.resize(size_t(n));
        m_nulls.resize(size_t(n), true);
    }
    m_values[size_t(n) - 1] = std::move(value);
    m_nulls[size_t(n) - 1] = bNull;
}

void CPgStatement::BindNull(int n) {
    Bind(n, {}, true);
}

void CPgStatement::BindInt64(int n, qint64 value) {
    Bind(n, QByteArray::number(value), false);
}

void CPgStatement::BindText(int n, const QString& value) {
    Bind(n, value.toUtf8(), false);
}

bool CPgStatement::Step() {
    if (!m_result) {
        std::vector<const char*> values(m_values.size());
        for (size_t i = 0; i < m_values.size(); ++i) {
            values[i] = m_nulls[i] ? nullptr : m_values[i].constData();
        }
        m_result = m_engine.Run(m_sql, int(values.size()), values.data());
        m_nRow = -1;
    }
    ++m_nRow;
    return m_nRow < PQntuples(m_result);
}

void CPgStatement::Reset() {
    PQclear(m_result);
    m_result = nullptr;
    m_nRow = -1;
}

bool CPgStatement::IsNull(int col) const {
    return PQgetisnull(m_result, m_nRow, col) != 0;
}

qint64 CPgStatement::Int64(int col) const {
    const char* value = PQgetvalue(m_result, m_nRow, col);
    if (PQftype(m_result, col) == kBool) {
        return value[0] == 't' ? 1 : 0;
    }
    return std::strtoll(value, nullptr, 10);
}

QString CPgStatement::Text(int col) const {
    return QString::fromUtf8(PQgetvalue(m_result, m_nRow, col), PQgetlength(m_result, m_nRow, col));
}

QVariant CPgStatement::Value(int col) const {
    if (IsNull(col)) {
        return QVariant(QMetaType::fromType<QString>());
    }
    switch (PQftype(m_result, col)) {
    case kBool:
    case kInt2:
    case kInt4:
    case kInt8:
        return qlonglong(Int64(col));
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return std::strtod(PQgetvalue(m_result, m_nRow, col), nullptr);
    default:
        return Text(col);
    }
}
