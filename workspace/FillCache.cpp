#include "workspace/FillCache.h"

#include <algorithm>

namespace {

struct ByOuder {
    bool operator()(const CFillCache::Row& row, LONG lOuder) const { return row.lOuder < lOuder; }
    bool operator()(LONG lOuder, const CFillCache::Row& row) const { return lOuder < row.lOuder; }
};

} // namespace

std::span<const CFillCache::Row> CFillCache::Children(int nTable, CDaoRecordset& set,
                                                      const char* szOuder,
                                                      const std::function<Row()>& read,
                                                      LONG lOuder) {
    Table& table = m_tables.at(size_t(nTable));
    if (!table.bLoaded) {
        Load(table, set, szOuder, read);
    }
    const auto [first, last] =
        std::equal_range(table.rows.begin(), table.rows.end(), lOuder, ByOuder());
    return {first, last};
}

// One pass in the store's order for a parent selection: by parent, then by own number.
void CFillCache::Load(Table& table, CDaoRecordset& set, const char* szOuder,
                      const std::function<Row()>& read) {
    if (set.IsOpen()) {
        set.Close();
    }
    set.m_strFilter.clear();
    set.m_strSort = QLatin1String(szOuder);
    set.Open();
    while (!set.IsEOF()) {
        table.rows.push_back(read());
        set.MoveNext();
    }
    // A parent column left empty reads as 0 but sorts before every number.
    const auto byOuder = [](const Row& a, const Row& b) { return a.lOuder < b.lOuder; };
    if (!std::is_sorted(table.rows.begin(), table.rows.end(), byOuder)) {
        std::stable_sort(table.rows.begin(), table.rows.end(), byOuder);
    }
    table.bLoaded = true;
}

// The rows go, their room stays for the next fill.
void CFillCache::Clear() {
    for (Table& table : m_tables) {
        table.rows.clear();
        table.bLoaded = false;
    }
}
