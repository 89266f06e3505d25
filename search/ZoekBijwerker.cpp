#include "search/ZoekBijwerker.h"

#include "search/SqliteZoekIndex.h"
#include "search/ZoekTabel.h"

void CZoekBijwerker::RowWritten(CDaoDatabase& database, const QString& strTable, qint64 lKey,
                                Change change) {
    if (const ZoekTabel* tabel = ZoekTabel::Zoek(strTable)) {
        CSqliteZoekIndex::WerkBij(database, *tabel, lKey, change);
    }
}

void CZoekBijwerker::Installeer() {
    static CZoekBijwerker bijwerker;
    CDaoWriteObserver::Install(&bijwerker);
}
