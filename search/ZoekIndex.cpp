#include "search/ZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/SqliteZoekIndex.h"

#include <QCoreApplication>

std::unique_ptr<CZoekIndex> CZoekIndex::Voor(const QString& strPath, std::vector<int> soorten) {
    auto database = CDaoDatabase::OpenShared(strPath);
    // The index lives in the database file; a database on a server has none yet.
    if (!database->Handle()) {
        throw CDaoException(QCoreApplication::translate(
            "CZoekIndex", "Zoeken is niet beschikbaar bij een database op een databaseserver."));
    }
    return std::make_unique<CSqliteZoekIndex>(std::move(database), std::move(soorten));
}
