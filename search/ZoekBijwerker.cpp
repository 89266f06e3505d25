#include "search/ZoekBijwerker.h"

#include "platform/dao/DaoDatabase.h"
#include "search/PgZoekIndex.h"
#include "search/SqliteZoekIndex.h"
#include "search/ZoekTabel.h"

void CZoekBijwerker::RowWritten(CDaoDatabase& database, const QString& strTable, qint64 lKey,
                                Change) {
    const ZoekTabel* tabel = ZoekTabel::Zoek(strTable);
    if (!tabel) {
        return;
    }
    if (database.Engine().IsServer()) {
        CPgZoekIndex::WerkBij(database, *tabel, lKey);
    } else {
        CSqliteZoekIndex::WerkBij(database, *tabel, lKey);
    }
}

void CZoekBijwerker::Installeer() {
    static CZoekBijwerker bijwerker;
    CDaoWriteObserver::Install(&bijwerker);
}
