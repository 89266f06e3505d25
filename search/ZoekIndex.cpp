#include "search/ZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "search/PgZoekIndex.h"
#include "search/SqliteZoekIndex.h"

std::unique_ptr<CZoekIndex> CZoekIndex::Voor(const QString& strPath, std::vector<int> soorten) {
    return Voor(CDaoDatabase::OpenShared(strPath), std::move(soorten));
}

std::unique_ptr<CZoekIndex> CZoekIndex::Voor(std::shared_ptr<CDaoDatabase> database,
                                             std::vector<int> soorten) {
    if (database->Engine().IsServer()) {
        return std::make_unique<CPgZoekIndex>(std::move(database), std::move(soorten));
    }
    return std::make_unique<CSqliteZoekIndex>(std::move(database), std::move(soorten));
}
