#include "search/ZoekBijwerker.h"

#include "platform/dao/DaoDatabase.h"
#include "search/SqliteZoekIndex.h"
#include "search/ZoekTabel.h"

void CZoekBijwerker::RowWritten(CDaoDatabase& database, const QString& strTable, qint64 lKey,
                                Change) {
    // Only a database file holds an index to keep up to date.
    if (!database.Handle()) {
        return;
    }
    if (const ZoekTabel* tabel = ZoekTabel::Zoek(strTable)) {
        CSqliteZoekIndex::WerkBij(database, *tabel, lKey);
    }
}

void CZoekBijwerker::Installeer() {
    static CZoekBijwerker bijwerker;
    CDaoWriteObserver::Install(&bijwerker);
}
