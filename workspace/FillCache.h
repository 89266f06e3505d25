#pragma once

#include "platform/dao/DaoRecordset.h"

#include <array>
#include <functional>
#include <span>
#include <vector>

// The child rows a complete fill of the workspace needs, each table read once in one pass
// on first use and kept for the length of the fill. Selecting the children of every parent
// one by one would reopen a selection per parent, which costs far more than the rows
// themselves.
class CFillCache {
public:
    // What the tree shows of one record.
    struct Row {
        LONG lNumber = 0;  // the record's own number
        LONG lOuder = 0;   // the number of the record it belongs to
        LONG lRelatie = 0; // a document's relation
        LONG lStatus = 0;  // a quotation's status
        bool bKlant = false;
        bool bLeverancier = false;
        QString strText;
    };
    static constexpr int kTables = 11;

    // The rows of table nTable whose column szOuder holds lOuder, in the order of their own
    // numbers. The first call for a table reads all of it through set, ordered by that
    // column, turning each row into a Row with read.
    std::span<const Row> Children(int nTable, CDaoRecordset& set, const char* szOuder,
                                  const std::function<Row()>& read, LONG lOuder);
    void Clear();

private:
    struct Table {
        bool bLoaded = false;
        std::vector<Row> rows; // by parent, then by own number
    };

    static void Load(Table& table, CDaoRecordset& set, const char* szOuder,
                     const std::function<Row()>& read);

    std::array<Table, kTables> m_tables;
};
