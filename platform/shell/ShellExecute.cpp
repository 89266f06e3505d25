#include "platform/shell/ShellExecute.h"

#include "platform/paths/Paths.h"
#include "platform/shell/DesktopTools.h"

#include <cerrno>
#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kOpenTool = QStringLiteral("xdg-open");

bool IsWebAddress(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(text).hasMatch() ||
           text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive);
}

int OpenWebAddress(const QString& verb, const QString& address) {
    if (verb != QLatin1String("open")) {
        return SE_ERR_NOASSOC;
    }
    const QString url =
        address.contains(QStringLiteral("://")) ? address : QStringLiteral("http://") + address;
    if (CDesktopTools::FindProgram(kOpenTool).isEmpty()) {
        return SE_ERR_NOASSOC;
    }
    return CDesktopTools::StartDetached(kOpenTool, {url}) ? SE_HANDED_ON : SE_ERR_OUTOFRESOURCES;
}

bool FolderExists(const QString& path) {
    return QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

// The failure the Windows shell gives for a file it cannot use, or none.
std::optional<int> CheckFile(const QString& path) {
    if (path.isEmpty()) {
        return SE_ERR_FNF;
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        switch (errno) {
        case EACCES:
            return SE_ERR_ACCESSDENIED;
        case ENOENT:
            return FolderExists(path) ? SE_ERR_FNF : SE_ERR_PNF;
        case ENOTDIR:
        case ENAMETOOLONG:
            return SE_ERR_PNF;
        default:
            return SE_ERR_FNF;
        }
    }
    if (::access(native.constData(), R_OK) != 0) {
        return SE_ERR_ACCESSDENIED;
    }
    return std::nullopt;
}

int OpenFile(const QString& path) {
    if (CDesktopTools::FindProgram(kOpenTool).isEmpty()) {
        return SE_ERR_NOASSOC;
    }
    const QString type = CDesktopTools::FileType(path);
    if (type.isEmpty() || CDesktopTools::DefaultHandler(type).isEmpty()) {
        return SE_ERR_NOASSOC;
    }
    return CDesktopTools::StartDetached(kOpenTool, {path}) ? SE_HANDED_ON : SE_ERR_OUTOFRESOURCES;
}

bool IsOfficeType(const QString& type) {
    static const QStringList prefixes = {
        QStringLiteral("application/vnd.oasis.opendocument."),
        QStringLiteral("application/vnd.openxmlformats-officedocument."),
        QStringLiteral("application/vnd.ms-"),
        QStringLiteral("application/msword"),
        QStringLiteral("application/rtf"),
        QStringLiteral("text/rtf"),
    };
    for (const QString& prefix : prefixes) {
        if (type.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

// What the print spooler takes as it is: plain text, PDF, PostScript and common pictures.
bool IsSpoolerType(const QString& type) {
    static const QStringList direct = {
        QStringLiteral("text/plain"),
        QStringLiteral("application/pdf"),
        QStringLiteral("application/postscript"),
        QStringLiteral("image/jpeg"),
        QStringLiteral("image/png"),
        QStringLiteral("image/gif"),
        QStringLiteral("image/tiff"),
    };
    if (direct.contains(type)) {
        return true;
    }
    const QMimeType known = QMimeDatabase().mimeTypeForName(type);
    return known.isValid() && known.inherits(QStringLiteral("text/plain")) && !IsOfficeType(type) &&
           type != QLatin1String("text/html");
}

int PrintOfficeDocument(const QString& path) {
    for (const QString& office : {QStringLiteral("libreoffice"), QStringLiteral("soffice")}) {
        if (!CDesktopTools::FindProgram(office).isEmpty()) {
            return CDesktopTools::StartDetached(
                       office, {QStringLiteral("--headless"), QStringLiteral("-p"), path})
                       ? SE_HANDED_ON
                       : SE_ERR_OUTOFRESOURCES;
        }
    }
    return SE_ERR_NOASSOC;
}

int PrintFile(const QString& path) {
    if (QFileInfo(path).isDir()) {
        return SE_ERR_NOASSOC;
    }
    const QString type = CDesktopTools::FileType(path);
    if (IsOfficeType(type)) {
        return PrintOfficeDocument(path);
    }
    if (!IsSpoolerType(type)) {
        return SE_ERR_NOASSOC;
    }
    // lp returns once the job is queued; a spooler without a printer refuses it here.
    return CDesktopTools::Run(QStringLiteral("lp"), {QStringLiteral("-s"), path}) ? SE_HANDED_ON
                                                                                  : SE_ERR_NOASSOC;
}

} // namespace

int ShellExecuteA(const QString& verb, const QString& file) {
    const QString trimmed = file.trimmed();
    if (IsWebAddress(trimmed)) {
        return OpenWebAddress(verb, trimmed);
    }
    const QString local = CPaths::ToLocalPath(file);
    if (const auto failure = CheckFile(local)) {
        return *failure;
    }
    // An absolute path can never be taken for an option, even when the name starts with "-".
    const QString absolute = QFileInfo(local).absoluteFilePath();
    if (verb == QLatin1String("open")) {
        return OpenFile(absolute);
    }
    if (verb == QLatin1String("print")) {
        return PrintFile(absolute);
    }
    return SE_ERR_NOASSOC;
}
