#include "platform/dao/DaoFieldExchange.h"

void CDaoFieldExchange::Add(const char* name, ValueType type, void* member) {
    QString column = QString::fromUtf8(name).trimmed();
    if (column.startsWith(QLatin1Char('[')) && column.endsWith(QLatin1Char(']'))) {
        column = column.mid(1, column.size() - 2);
    }
    m_fields.push_back({column, type, member});
}

void DFX_Long(CDaoFieldExchange* pFX, const char* name, LONG& value, unsigned) {
    pFX->Add(name, CDaoFieldExchange::Long, &value);
}

void DFX_Text(CDaoFieldExchange* pFX, const char* name, QString& value, int, unsigned) {
    pFX->Add(name, CDaoFieldExchange::Text, &value);
}

void DFX_DateTime(CDaoFieldExchange* pFX, const char* name, COleDateTime& value, unsigned) {
    pFX->Add(name, CDaoFieldExchange::DateTime, &value);
}

void DFX_Bool(CDaoFieldExchange* pFX, const char* name, BOOL& value, unsigned) {
    pFX->Add(name, CDaoFieldExchange::Bool, &value);
}
