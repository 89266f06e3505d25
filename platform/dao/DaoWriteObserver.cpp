#include "platform/dao/DaoWriteObserver.h"

#include "platform/dao/DaoDatabase.h"

#include "platform/dao/DaoException.h"

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
    // A savepoint needs a transaction on some engines; outside one, the write and what
    // the observer does are one transaction of their own.
    const bool bOwnTransaction = !database.Engine().InTransaction();
    database.Execute(bOwnTransaction ? "BEGIN" : "SAVEPOINT tolvar_rij");
    try {
        observer->RowWritten(database, strTable, write(), change);
        database.Execute(bOwnTransaction ? "COMMIT" : "RELEASE tolvar_rij");
    } catch (...) {
        try {
            if (bOwnTransaction) {
                database.Engine().Rollback();
            } else {
                database.Execute("ROLLBACK TO tolvar_rij");
                database.Execute("RELEASE tolvar_rij");
            }
        } catch (const CDaoException&) {
            // The first failure is the one to report.
        }
        throw;
    }
}
