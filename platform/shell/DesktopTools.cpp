#include "platform/shell/DesktopTools.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

QString CDesktopTools::FindProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

std::optional<QString> CDesktopTools::Query(const QString& program, const QStringList& arguments,
                                            int timeoutMs) {
    const QString path = FindProgram(program);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(path, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool CDesktopTools::Run(const QString& program, const QStringList& arguments, int timeoutMs) {
    return Query(program, arguments, timeoutMs).has_value();
}

bool CDesktopTools::StartDetached(const QString& program, const QStringList& arguments) {
    const QString path = FindProgram(program);
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}

QString CDesktopTools::FileType(const QString& path) {
    // The name decides, as in the desktop's file managers; the content is looked at only
    // when the name matches no type or several, so a ".doc" holding plain text stays a
    // word-processor document. The shared MIME database answers in-process.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QFileInfo(path));
    return type.isValid() ? type.name() : QString();
}

QString CDesktopTools::DefaultHandler(const QString& mimeType) {
    // xdg-mime looks up the exact type only; the desktop's launchers also accept a program
    // registered for a type this one derives from (a C source opens in the text editor).
    QStringList candidates{mimeType};
    const QMimeType known = QMimeDatabase().mimeTypeForName(mimeType);
    if (known.isValid()) {
        candidates += known.allAncestors();
    }
    for (const QString& candidate : candidates) {
        const auto handler = Query(QStringLiteral("xdg-mime"),
                                   {QStringLiteral("query"), QStringLiteral("default"), candidate});
        if (handler && !handler->isEmpty()) {
            return *handler;
        }
    }
    return {};
}
