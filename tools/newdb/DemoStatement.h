#pragma once

#include "platform/dao/DaoEngine.h"

#include <initializer_list>
#include <memory>
#include <QByteArray>
#include <variant>

// One prepared INSERT, run again and again with new values; a null std::monostate value
// stores NULL, as the program does for texts and dates it leaves unset.
class CDemoStatement {
public:
    using Value = std::variant<std::monostate, qint64, QByteArray>;

    CDemoStatement(CDaoEngine& engine, const char* sql);
    ~CDemoStatement();
    CDemoStatement(const CDemoStatement&) = delete;
    CDemoStatement& operator=(const CDemoStatement&) = delete;

    // Inserts one row and answers its key; throws CDaoException on failure.
    qint64 Run(std::initializer_list<Value> values);

private:
    CDaoEngine& m_engine;
    std::unique_ptr<CDaoStatement> m_stmt;
};
