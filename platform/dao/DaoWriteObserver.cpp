#include "platform/dao/DaoWriteObserver.h"

#include "platform/dao/DaoDatabase.h"

#include <sqlite3.h>

namespace {

CDaoWriteObserver*& Observer() {
    static CDaoWriteObserver* observer = nullptr;
    return observer;
}

} // namespace

void CDaoWriteObserver::Install(CDaoWriteObserver* pObserver) {
    Observer() = pObserver;
}

CDaoWriteObserver* CDaoWriteObserver::Installed() {
    return Observer();
}

void CDaoWriteObserver::Write(CDaoDatabase& database, const QString& strTable, Change change,
                              const std::function<qint64()>& write) {
    CDaoWriteObserver* observer = Observer();
    if (!observer) {
        write();
        return;
    }
    database.Execute("SAVEPOINT tolvar_rij");
    try {
        observer->RowWritten(database, strTable, write(), change);
        database.Execute("RELEASE tolvar_rij");
    } catch (...) {
        sqlite3_exec(database.Handle(), "ROLLBACK TO tolvar_rij; RELEASE tolvar_rij", nullptr,
                     nullptr, nullptr);
        throw;
    }
}
