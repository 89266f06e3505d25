#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the real tolvar-newdb: its exit code (-1 when it crashed or did not end within
// five minutes) and what it wrote.
struct NewDbRun {
    int exitCode;
    QString out;
    QString err;
};

inline NewDbRun RunNewDb(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TOLVAR_NEWDB), args);
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
