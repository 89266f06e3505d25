#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

struct sqlite3;

// Orders text the way a person expects in a list: letters compare without regard to
// case or accents first (é sorts with e), then accents decide, then case, then the bytes.
class CTextCollation {
public:
    static constexpr const char* kName = "TOLVAR";

    // Registers the collation on a connection; ORDER BY ... COLLATE TOLVAR uses it.
    static void Register(sqlite3* db);

    static int Compare(const char* a, int lenA, const char* b, int lenB);
    static int Compare(const QString& a, const QString& b);
    // A key whose byte order is the order of Compare, so that a long list is sorted without
    // folding every text again for every comparison.
    static QByteArray SortKey(QStringView text);
};
