#pragma once

#include "platform/dao/DaoTypes.h"
#include "platform/dao/OleDateTime.h"

#include <QString>
#include <vector>

// The list of columns a recordset binds, filled by its DoFieldExchange: each DFX_ call
// names one column (in brackets or bare) and the member that holds its value.
class CDaoFieldExchange {
public:
    enum FieldType { none = 0, outputColumn = 1, param = 2 };
    enum ValueType { Long, Text, DateTime, Bool };

    struct Field {
        QString name; // without brackets
        ValueType type;
        void* member;
    };

    void SetFieldType(int type) { m_nFieldType = type; }
    void Add(const char* name, ValueType type, void* member);

    std::vector<Field> m_fields;
    int m_nFieldType = outputColumn;
};

// The cache-and-compare option of the platform; every column is bound this way.
constexpr unsigned AFX_DAO_ENABLE_FIELD_CACHE = 0x1;

void DFX_Long(CDaoFieldExchange* pFX, const char* name, LONG& value,
              unsigned options = AFX_DAO_ENABLE_FIELD_CACHE);
void DFX_Text(CDaoFieldExchange* pFX, const char* name, QString& value, int preAllocSize = 255,
              unsigned options = AFX_DAO_ENABLE_FIELD_CACHE);
void DFX_DateTime(CDaoFieldExchange* pFX, const char* name, COleDateTime& value,
                  unsigned options = AFX_DAO_ENABLE_FIELD_CACHE);
void DFX_Bool(CDaoFieldExchange* pFX, const char* name, BOOL& value,
              unsigned options = AFX_DAO_ENABLE_FIELD_CACHE);
