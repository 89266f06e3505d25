#include "platform/paths/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString LinkTarget(const QString& name) {
    const QFileInfo link(QDir(CPaths::DosDevicesFolder()).filePath(name));
    if (!link.isSymLink() && !link.exists()) {
        return {};
    }
    return link.isSymLink() ? link.symLinkTarget() : link.absoluteFilePath();
}

} // namespace

QString CPaths::DataFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return base + QStringLiteral("/tolvar");
}

QString CPaths::DosDevicesFolder() {
    return DataFolder() + QStringLiteral("/dosdevices");
}

bool CPaths::IsDrivePath(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() &&
           path[0].unicode() < 128;
}

QString CPaths::ToLocalPath(const QString& path) {
    if (!IsDrivePath(path)) {
        QString local = path;
        local.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return local;
    }
    const QChar drive = path[0].toLower();
    QString rest = path.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rest.startsWith(QLatin1Char('/'))) {
        rest.remove(0, 1);
    }
    QString root = LinkTarget(QString(drive) + QLatin1Char(':'));
    if (root.isEmpty()) {
        root = DataFolder() + QStringLiteral("/drive_") + drive;
    }
    return rest.isEmpty() ? root : root + QLatin1Char('/') + rest;
}

QString CPaths::ComPortDevice(int port) {
    const QString link = LinkTarget(QStringLiteral("com%1").arg(port));
    if (!link.isEmpty()) {
        return link;
    }
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}
