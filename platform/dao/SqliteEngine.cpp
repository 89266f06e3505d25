#include "platform/dao/SqliteEngine.h"

#include "platform/dao/SqliteError.h"
#include "platform/dao/SqliteStatement.h"
#include "platform/dao/TextCollation.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <sqlite3.h>

namespace {

// Waits for another process's lock in steps of a millisecond. The engine's own wait grows
// its steps to a tenth of a second, and a desk that writes without pause then takes the
// lock again every time before the other one looks: that one would fail while the file
// was free many times over.
int WaitForLock(void* state, int attempt) {
    auto* wait = static_cast<CSqliteEngine::LockWait*>(state);
    if (attempt == 0) {
        wait->since.start();
    }
    if (wait->since.elapsed() >= wait->waitMs) {
        return 0;
    }
    QThread::usleep(attempt < 20 ? 200 : 1000);
    return 1;
}

} // namespace

CSqliteEngine::CSqliteEngine(const QString& path) : m_strPath(path) {
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const CDaoException failure = SqliteError(m_db, rc, path);
        sqlite3_close_v2(m_db);
        throw failure;
    }
    sqlite3_busy_handler(m_db, WaitForLock, &m_lockWait);
    sqlite3_extended_result_codes(m_db, 1);
    CTextCollation::Register(m_db);
    try {
        // The engine opens lazily: reading the schema now turns "not a database" into an
        // error of the open, not of some later move.
        Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (...) {
        sqlite3_close_v2(m_db);
        throw;
    }
}

CSqliteEngine::~CSqliteEngine() {
    Rollback();
    sqlite3_close_v2(m_db);
}

std::unique_ptr<CDaoStatement> CSqliteEngine::Prepare(const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        ThrowLastError();
    }
    return std::make_unique<CSqliteStatement>(*this, stmt);
}

void CSqliteEngine::Execute(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw SqliteError(m_db, sqlite3_extended_errcode(m_db), m_strPath, text);
    }
}

void CSqliteEngine::ThrowLastError() const {
    throw SqliteError(m_db, sqlite3_extended_errcode(m_db), m_strPath);
}

void CSqliteEngine::Begin(bool bWrite) {
    Execute(bWrite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

void CSqliteEngine::Commit() {
    Execute(QStringLiteral("COMMIT"));
}

void CSqliteEngine::Rollback() noexcept {
    if (!sqlite3_get_autocommit(m_db)) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

bool CSqliteEngine::InTransaction() const {
    return sqlite3_get_autocommit(m_db) == 0;
}

qint64 CSqliteEngine::LastKey() {
    return sqlite3_last_insert_rowid(m_db);
}

qint64 CSqliteEngine::Changes() const {
    return sqlite3_changes64(m_db);
}

qint64 CSqliteEngine::TotalChanges() const {
    return sqlite3_total_changes64(m_db);
}

bool CSqliteEngine::IsReadOnly() const {
    // A file the engine could open for reading only, or one whose folder cannot take the
    // journal that every write makes beside it.
    return sqlite3_db_readonly(m_db, "main") == 1 ||
           !QFileInfo(QFileInfo(m_strPath).absolutePath()).isWritable();
}

bool CSqliteEngine::TableKey(const QString& table, QString* key) {
    auto info = Prepare(QStringLiteral("PRAGMA table_info([%1])").arg(table));
    bool found = false;
    key->clear();
    while (info->Step()) {
        found = true;
        if (info->Int64(5) == 1) {
            *key = info->Text(1);
        }
    }
    return found;
}

bool CSqliteEngine::HasTable(const QString& table) {
    auto query = Prepare(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query->BindText(1, table);
    return query->Step() && query->Int64(0) > 0;
}

QString CSqliteEngine::TextSortTerm(const QString& column) const {
    return column + QStringLiteral(" COLLATE ") + QLatin1String(CTextCollation::kName);
}

QString CSqliteEngine::DateAsText(const QString& column) const {
    // Files that came from elsewhere may hold a date as a day number, counted as the
    // program counts them (from 30 December 1899).
    return QStringLiteral("coalesce(CASE WHEN typeof(%1) = 'real' THEN datetime(%1 + 2415018.5) "
                          "ELSE %1 END, '')")
        .arg(column);
}

QString CSqliteEngine::ColumnType(ColumnKind kind) const {
    switch (kind) {
    case Counter:
        // Counters never come back after a delete, so an orphaned memo can never attach
        // itself to a later document.
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case Integer:
        return QStringLiteral("INTEGER");
    case Text:
    case Date:
        break;
    }
    return QStringLiteral("TEXT");
}

bool CSqliteEngine::EndsTransaction(int engineCode) const {
    switch (engineCode & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_READONLY:
    case SQLITE_INTERRUPT:
        return true;
    default:
        return false;
    }
}

void CSqliteEngine::ContinueCounterAfter(const QString& table, const QString&, qint64 last) {
    // The file's own record of the highest number handed out; a table that never had a
    // row has none yet.
    auto update =
        Prepare(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"));
    update->BindInt64(1, last);
    update->BindText(2, table);
    update->Step();
    if (Changes() == 0) {
        auto insert =
            Prepare(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"));
        insert->BindText(1, table);
        insert->BindInt64(2, last);
        insert->Step();
    }
}
