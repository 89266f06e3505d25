#include "platform/dao/DaoBackup.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// A connection of this file's own, closed when it goes out of scope.
struct Connection {
    sqlite3* db = nullptr;
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { sqlite3_close_v2(db); }
};

QString EngineText(sqlite3* db, int rc) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
}

// The Dutch reason for an engine failure during a copy.
QString Reason(int rc, const QString& target) {
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("er is niet genoeg ruimte op de schijf van %1")
            .arg(QFileInfo(target).absolutePath());
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("in de map %1 kan niet worden geschreven")
            .arg(QFileInfo(target).absolutePath());
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("het bestand is beschadigd");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("het bestand is te lang in gebruik door een ander programma");
    default:
        return QStringLiteral("de database meldt een fout");
    }
}

[[noreturn]] void ThrowCopyFailure(const QString& source, const QString& target, int rc,
                                   const QString& engineText) {
    throw CDaoException(QStringLiteral("De reservekopie van %1 naar %2 is mislukt: %3.\n\n%4")
                            .arg(source, target, Reason(rc, target), engineText),
                        rc);
}

int OpenConnection(const QString& path, int flags, Connection& connection, int waitMs) {
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &connection.db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(connection.db, 1);
        sqlite3_busy_timeout(connection.db, waitMs);
    }
    return rc;
}

// A connection that has read the schema, read-only. A process that stopped in the middle of
// a transaction leaves a journal that must be rolled back before the file can be read; that
// rollback is the engine's own recovery of the last committed state, done by every open,
// so for it the file is opened for writing.
int OpenForReading(const QString& path, Connection& connection, int waitMs) {
    const char* const probe = "SELECT count(*) FROM sqlite_master";
    int rc = OpenConnection(path, SQLITE_OPEN_READONLY, connection, waitMs);
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(connection.db, probe, nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_READONLY_ROLLBACK || rc == SQLITE_READONLY_RECOVERY) {
        sqlite3_close_v2(connection.db);
        connection.db = nullptr;
        rc = OpenConnection(path, SQLITE_OPEN_READWRITE, connection, waitMs);
        if (rc == SQLITE_OK) {
            rc = sqlite3_exec(connection.db, probe, nullptr, nullptr, nullptr);
        }
    }
    return rc;
}

// Runs the backup to its end, waiting for another process's lock as a recordset would.
int RunBackup(sqlite3* destination, sqlite3* source, int waitMs) {
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (!backup) {
        return sqlite3_extended_errcode(destination);
    }
    int rc = SQLITE_OK;
    int waited = 0;
    constexpr int kPauseMs = 20;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < waitMs) {
            sqlite3_sleep(kPauseMs);
            waited += kPauseMs;
            continue;
        }
        break;
    } while (true);
    const int finished = sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? finished : rc;
}

// The file's data on the disk before its name is used: a power cut must find either no
// copy or a whole one.
bool SyncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

quint32 BigEndian(const QByteArray& bytes, int offset, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | quint8(bytes[offset + i]);
    }
    return value;
}

// The header's own page count, when the engine keeps it valid, against the file's size:
// a file cut short at a page boundary can look sound to the page check alone.
QString SizeProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("het bestand kan niet worden gelezen");
    }
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3"))) {
        return QStringLiteral("het begin van het bestand is geen database");
    }
    quint64 pageSize = BigEndian(header, 16, 2);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    const bool countValid = BigEndian(header, 24, 4) == BigEndian(header, 92, 4);
    const quint64 pages = BigEndian(header, 28, 4);
    const quint64 size = quint64(file.size());
    if (countValid && pages * pageSize > size) {
        return QStringLiteral(
                   "het bestand is korter dan de database zelf opgeeft (%1 van %2 bytes)")
            .arg(size)
            .arg(pages * pageSize);
    }
    return {};
}

QString NotAFile() {
    return QStringLiteral(
        "het is geen gewoon bestand, maar bijvoorbeeld een map, pijp of apparaat");
}

CDaoBackup::CheckResult Damaged(const QString& detail) {
    return {CDaoBackup::CHECK_DAMAGED, detail};
}

} // namespace

namespace {

CDaoBackup::CheckResult Check(const QString& path, bool bEveryPage) {
    const QString local = CPaths::ToLocalPath(path);
    const QFileInfo info(local);
    if (!info.exists()) {
        return {CDaoBackup::CHECK_MISSING, QStringLiteral("het bestand bestaat niet")};
    }
    if (!info.isFile()) {
        return Damaged(NotAFile());
    }
    if (info.size() == 0) {
        return Damaged(QStringLiteral("het bestand is leeg"));
    }
    Connection connection;
    int rc = OpenForReading(local, connection, CSqliteEngine::kBusyTimeoutMs);
    QStringList problems;
    sqlite3_stmt* stmt = nullptr;
    if (rc == SQLITE_OK && !bEveryPage) {
        rc = SQLITE_DONE;
    } else if (rc == SQLITE_OK) {
        rc = sqlite3_prepare_v2(connection.db, "PRAGMA quick_check(20)", -1, &stmt, nullptr);
    }
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            if (text && qstrcmp(text, "ok") != 0) {
                // The first finding comes after a line naming the schema: keep the finding.
                QString finding = QString::fromUtf8(text);
                if (finding.startsWith(QLatin1String("***"))) {
                    finding = finding.section(QLatin1Char('\n'), 1);
                }
                problems << finding;
            }
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        const QString engine = EngineText(connection.db, rc);
        switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return {CDaoBackup::CHECK_IN_USE,
                    QStringLiteral("het bestand is in gebruik (%1)").arg(engine)};
        case SQLITE_CORRUPT:
            return Damaged(QStringLiteral("de database is beschadigd (%1)").arg(engine));
        case SQLITE_NOTADB:
            return Damaged(QStringLiteral("het bestand is geen database (%1)").arg(engine));
        default:
            return Damaged(QStringLiteral("het bestand kan niet worden gelezen (%1)").arg(engine));
        }
    }
    if (!problems.isEmpty()) {
        return Damaged(QStringLiteral("de database is beschadigd; de controle vindt:\n") +
                       problems.join(QLatin1Char('\n')));
    }
    const QString size = SizeProblem(local);
    return size.isEmpty() ? CDaoBackup::CheckResult{} : Damaged(size);
}

} // namespace

CDaoBackup::CheckResult CDaoBackup::QuickCheck(const QString& path) {
    return Check(path, true);
}

CDaoBackup::CheckResult CDaoBackup::HeaderCheck(const QString& path) {
    return Check(path, false);
}

void CDaoBackup::BlockWrites(const QString& dataBase) {
    const auto database = CDaoDatabase::OpenShared(dataBase);
    database->RefuseWrites();
    database->Execute("PRAGMA query_only = ON");
}

void CDaoBackup::Copy(const QString& source, const QString& target, int waitMs) {
    const QString from = CPaths::ToLocalPath(source);
    const QString to = QFileInfo(CPaths::ToLocalPath(target)).absoluteFilePath();
    // Opening a pipe or a device would wait for ever for data that is no database.
    if (QFileInfo::exists(from) && !QFileInfo(from).isFile()) {
        throw CDaoException(
            QStringLiteral("De reservekopie van %1 is mislukt: %2.").arg(from, NotAFile()));
    }
    const QFileInfo targetInfo(to);
    const QString temp = targetInfo.dir().filePath(QLatin1Char('.') + targetInfo.fileName() +
                                                   QStringLiteral(".deel"));
    QFile::remove(temp);
    QString failure;
    int rc = SQLITE_OK;
    bool bSourceUnreadable = false;
    {
        Connection in;
        Connection out;
        rc = OpenForReading(from, in, waitMs);
        if (rc != SQLITE_OK) {
            failure = EngineText(in.db, rc);
            bSourceUnreadable = true;
        } else if ((rc = OpenConnection(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, out,
                                        waitMs)) != SQLITE_OK) {
            failure = EngineText(out.db, rc);
        } else {
            // The hidden file is thrown away on any failure: it needs no journal of its own.
            sqlite3_exec(out.db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr,
                         nullptr, nullptr);
            rc = RunBackup(out.db, in.db, waitMs);
            if (rc != SQLITE_OK) {
                failure = EngineText(out.db, rc);
                // The engine calls some failures of a full disk a write error; the system's
                // own error number tells.
                const int system = sqlite3_system_errno(out.db);
                if (system == ENOSPC || system == EFBIG || system == EDQUOT) {
                    rc = SQLITE_FULL;
                }
            }
        }
    }
    if (rc == SQLITE_OK && !SyncFile(temp)) {
        rc = errno == ENOSPC ? SQLITE_FULL : SQLITE_IOERR;
        failure = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (rc == SQLITE_OK &&
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(to).constData()) != 0) {
        rc = errno == ENOSPC ? SQLITE_FULL : SQLITE_CANTOPEN;
        failure = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (rc != SQLITE_OK) {
        QFile::remove(temp);
        if (bSourceUnreadable) {
            const bool bDamaged = (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB;
            throw CDaoException(QStringLiteral("De reservekopie van %1 is mislukt: %2.\n\n%3")
                                    .arg(from,
                                         bDamaged ? Reason(rc, to)
                                                  : QStringLiteral("het bestand kan niet worden "
                                                                   "geopend"),
                                         failure),
                                rc);
        }
        ThrowCopyFailure(from, to, rc, failure);
    }
    SyncFolder(targetInfo.absolutePath());
}

void CDaoBackup::RestoreInto(const QString& source, const QString& target) {
    const QString from = CPaths::ToLocalPath(source);
    const CheckResult check = QuickCheck(from);
    if (!check.IsOk()) {
        throw CDaoException(
            QStringLiteral("De reservekopie %1 is niet bruikbaar: %2.\nEr is niets veranderd.")
                .arg(from, check.strDetail));
    }
    const auto database = CDaoDatabase::OpenShared(target);
    if (database->InTransaction()) {
        throw CDaoException(
            QStringLiteral("Terugzetten kan niet terwijl een wijziging van %1 nog loopt.")
                .arg(database->GetName()));
    }
    sqlite3* const into = dynamic_cast<CSqliteEngine&>(database->Engine()).Handle();
    Connection in;
    int rc = OpenForReading(from, in, CSqliteEngine::kBusyTimeoutMs);
    if (rc == SQLITE_OK) {
        rc = RunBackup(into, in.db, CSqliteEngine::kBusyTimeoutMs);
    }
    if (rc != SQLITE_OK) {
        throw CDaoException(
            QStringLiteral("Het terugzetten van %1 in %2 is mislukt: %3. Het bestand is "
                           "onveranderd.\n\n%4")
                .arg(from, database->GetName(), Reason(rc, database->GetName()),
                     EngineText(into, rc)),
            rc);
    }
    // The file holds a sound copy now: writes that a damage found earlier stopped may go on.
    sqlite3_exec(into, "PRAGMA query_only = OFF", nullptr, nullptr, nullptr);
}

std::vector<qint64> CDaoBackup::CountRows(const QString& path, const QStringList& tables) {
    std::vector<qint64> counts(size_t(tables.size()), -1);
    Connection connection;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &connection.db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
        return counts;
    }
    for (qsizetype i = 0; i < tables.size(); ++i) {
        const QByteArray sql = QStringLiteral("SELECT count(*) FROM [%1]").arg(tables[i]).toUtf8();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(connection.db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW) {
            counts[size_t(i)] = sqlite3_column_int64(stmt, 0);
        }
        sqlite3_finalize(stmt);
    }
    return counts;
}

bool CDaoBackup::IsFileDatabase(const QString& dataBase) {
    return !CDaoEngine::IsServerAddress(dataBase);
}
