#pragma once

#include <functional>
#include <QString>

class CDaoDatabase;

// Lets a layer above the record store follow every row the program writes, on the same
// connection and in the same transaction as the write, so that what it derives from the
// rows (the search index) agrees with them after every commit and every rollback. The
// engine's own triggers cannot do this: what is derived needs the program's own code (the
// memo text reader), and a trigger calling it would break every other program's writes.
class CDaoWriteObserver {
public:
    enum Change { RowAdded, RowChanged, RowDeleted };

    virtual ~CDaoWriteObserver() = default;
    // Called after the row of table with key lKey was written and before anything commits;
    // a throw undoes the write as well.
    virtual void RowWritten(CDaoDatabase& database, const QString& strTable, qint64 lKey,
                            Change change) = 0;

    // The one observer of the process; null removes it.
    static void Install(CDaoWriteObserver* pObserver);
    static CDaoWriteObserver* Installed();

    // Runs write (which answers the key of the row it wrote) and tells the observer, as one
    // unit inside a savepoint: a failure of either leaves the file as it was.
    static void Write(CDaoDatabase& database, const QString& strTable, Change change,
                      const std::function<qint64()>& write);
};
