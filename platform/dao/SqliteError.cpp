#include "platform/dao/SqliteError.h"

#include <cerrno>
#include <QFileInfo>
#include <sqlite3.h>

DaoErrorKind SqliteErrorKind(int code, int systemError, const QString& engineText,
                             const QString& path) {
    switch (code & 0xff) {
    case SQLITE_CANTOPEN:
        if (!QFileInfo::exists(path)) {
            return DaoErrorKind::FileMissing;
        }
        // The file is there but its rollback journal cannot be made beside it.
        return QFileInfo(QFileInfo(path).absolutePath()).isWritable() ? DaoErrorKind::Other
                                                                      : DaoErrorKind::ReadOnly;
    case SQLITE_NOTADB:
        return DaoErrorKind::NotADatabase;
    case SQLITE_CORRUPT:
        return DaoErrorKind::Damaged;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DaoErrorKind::ReadOnly;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DaoErrorKind::InUse;
    case SQLITE_FULL:
        return DaoErrorKind::DiskFull;
    case SQLITE_IOERR:
        return systemError == ENOSPC || systemError == EDQUOT ? DaoErrorKind::DiskFull
                                                              : DaoErrorKind::Other;
    case SQLITE_ERROR:
        // The engine has no code of its own for a missing table or column.
        if (engineText.startsWith(QLatin1String("no such table")) ||
            engineText.startsWith(QLatin1String("no such column"))) {
            return DaoErrorKind::SchemaMissing;
        }
        break;
    default:
        break;
    }
    return DaoErrorKind::Other;
}

CDaoException SqliteError(sqlite3* db, int code, const QString& path, const QString& engineText) {
    const QString text = !engineText.isEmpty() ? engineText
                         : db                  ? QString::fromUtf8(sqlite3_errmsg(db))
                                               : QString::fromUtf8(sqlite3_errstr(code));
    const int systemError = db ? sqlite3_system_errno(db) : 0;
    return CDaoException(SqliteErrorKind(code, systemError, text, path), path, text, code);
}
