#pragma once

#include "platform/dao/SqliteEngine.h"

#include <QString>
#include <QStringList>
#include <vector>

// Whole database files: their check, and copies made with the engine's online backup, so
// that a copy is consistent even while another process writes the file. Failures throw
// CDaoException with a Dutch sentence naming the files and the engine's text below it.
class CDaoBackup {
public:
    // In use: another process held the file locked for longer than the check waits, so
    // nothing could be said about it.
    enum CheckState { CHECK_OK, CHECK_MISSING, CHECK_DAMAGED, CHECK_IN_USE };
    // How long a copy made for an administrator or a script waits for other processes'
    // writes; the program itself waits no longer than it does for any other read.
    static constexpr int kAdminWaitMs = 10000;
    struct CheckResult {
        CheckState nState = CHECK_OK;
        // Why the file failed, in Dutch; empty when it is sound.
        QString strDetail;
        bool IsOk() const { return nState == CHECK_OK; }
    };

    // The engine's quick check of every page, on a read-only connection: nothing is written
    // to the file, apart from the rollback of an interrupted transaction that the engine
    // needs before anything can be read. A file shorter than its own header says counts as
    // damaged too.
    static CheckResult QuickCheck(const QString& path);
    // What can be said of a file at once, whatever its size: that it exists, that its header
    // is a database's and agrees with the file's length, and that its first page, the
    // schema, reads. QuickCheck reads every page.
    static CheckResult HeaderCheck(const QString& path);
    // Refuses every further write through the program's shared connection of dataBase (the
    // name the record store opens it by) and the private ones beside it, so that a file found
    // damaged stays as it is until a copy is restored into it.
    static void BlockWrites(const QString& dataBase);

    // Copies source to target: the copy is written under a hidden name beside target,
    // flushed to the disk and only then renamed to target, so that a half-written copy
    // never carries a copy's name. On failure nothing is left behind and target is as it was.
    // Another process's lock is waited for at most waitMs.
    static void Copy(const QString& source, const QString& target,
                     int waitMs = CSqliteEngine::kBusyTimeoutMs);

    // Puts the contents of source into the database at target in one transaction, through
    // the program's shared connection of target: recordsets and other processes see either
    // the old or the new contents, never a mixture. Source is checked first.
    static void RestoreInto(const QString& source, const QString& target);

    // The rows of each of tables in the file at path, read without writing anything, for
    // the description of a copy; -1 for a table that cannot be read.
    static std::vector<qint64> CountRows(const QString& path, const QStringList& tables);

    // Whether a "DataBase" setting names a file; a server connection (a URI or a keyword
    // string) has its backups made by the server's own tools.
    static bool IsFileDatabase(const QString& dataBase);
};
