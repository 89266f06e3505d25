#pragma once

#include "platform/dao/DaoWriteObserver.h"

// Keeps the search index of every database the program writes in step with its rows: each
// row a record class stores, changes or deletes is indexed again in the same transaction.
class CZoekBijwerker : public CDaoWriteObserver {
public:
    void RowWritten(CDaoDatabase& database, const QString& strTable, qint64 lKey,
                    Change change) override;

    // Installs the one bijwerker of the process; calling it again changes nothing.
    static void Installeer();
};
