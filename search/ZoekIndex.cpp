#include "search/ZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "search/SqliteZoekIndex.h"

std::unique_ptr<CZoekIndex> CZoekIndex::Voor(const QString& strPath) {
    return std::make_unique<CSqliteZoekIndex>(CDaoDatabase::OpenShared(strPath));
}
