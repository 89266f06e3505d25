#pragma once

#include <initializer_list>
#include <QByteArray>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared INSERT, run again and again with new values; a null std::monostate value
// stores NULL, as the program does for texts and dates it leaves unset.
class CDemoStatement {
public:
    using Value = std::variant<std::monostate, qint64, QByteArray>;

    CDemoStatement(sqlite3* db, const char* sql);
    ~CDemoStatement();
    CDemoStatement(const CDemoStatement&) = delete;
    CDemoStatement& operator=(const CDemoStatement&) = delete;

    // Inserts one row and answers its key; throws CDaoException on failure.
    qint64 Run(std::initializer_list<Value> values);

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
