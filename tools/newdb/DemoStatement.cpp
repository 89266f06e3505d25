#include "tools/newdb/DemoStatement.h"

CDemoStatement::CDemoStatement(CDaoEngine& engine, const char* sql)
    : m_engine(engine), m_stmt(engine.Prepare(QString::fromUtf8(sql))) {}

CDemoStatement::~CDemoStatement() = default;

qint64 CDemoStatement::Run(std::initializer_list<Value> values) {
    int n = 1;
    for (const Value& value : values) {
        if (const auto* number = std::get_if<qint64>(&value)) {
            m_stmt->BindInt64(n, *number);
        } else if (const auto* text = std::get_if<QByteArray>(&value); text && !text->isEmpty()) {
            m_stmt->BindText(n, QString::fromUtf8(*text));
        } else {
            m_stmt->BindNull(n);
        }
        ++n;
    }
    m_stmt->Reset();
    while (m_stmt->Step()) {
    }
    m_stmt->Reset();
    return m_engine.LastKey();
}
