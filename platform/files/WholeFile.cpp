#include "platform/files/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

void SyncFolder(const QString& folder) {
    const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

CWholeFile::CWholeFile(QString path) {
    // A link stays a link: the file it points to is the one replaced.
    const QFileInfo info(path);
    m_strTarget = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

CWholeFile::~CWholeFile() {
    Discard();
}

QString CWholeFile::Reason(int systemError) {
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("De schijf is vol.");
    case EFBIG:
        return QStringLiteral("Het bestand wordt groter dan het systeem toestaat.");
    case EACCES:
    case EPERM:
        return QStringLiteral("U hebt geen toegang om in deze map te schrijven.");
    case EROFS:
        return QStringLiteral("De schijf is alleen-lezen.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("De map bestaat niet.");
    case EISDIR:
        return QStringLiteral("Er staat een map met die naam.");
    case EIO:
        return QStringLiteral("De schijf meldt een lees- of schrijffout.");
    default:
        return QStringLiteral("Het schrijven is mislukt (systeemfout %1).").arg(systemError);
    }
}

bool CWholeFile::Fail(int systemError) {
    m_strError = Reason(systemError);
    Discard();
    return false;
}

void CWholeFile::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTemp.isEmpty()) {
        ::unlink(Native(m_strTemp).constData());
        m_strTemp.clear();
    }
}

bool CWholeFile::Open() {
    Discard();
    m_strError.clear();
    const QFileInfo target(m_strTarget);
    if (target.isDir()) {
        return Fail(EISDIR);
    }
    QByteArray temp = Native(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) {
        return Fail(errno);
    }
    m_strTemp = QFile::decodeName(temp);
    // A replaced file keeps who may read it; a new one gets what the user's mask allows.
    struct stat old {};
    if (::stat(Native(m_strTarget).constData(), &old) == 0) {
        ::fchmod(m_fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    return true;
}

bool CWholeFile::Write(const char* data, qint64 size) {
    if (m_fd < 0) {
        return false;
    }
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail(errno);
        }
        data += written;
        size -= written;
    }
    return true;
}

bool CWholeFile::Commit() {
    if (m_fd < 0) {
        return false;
    }
    if (::fsync(m_fd) != 0) {
        return Fail(errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        return Fail(errno);
    }
    if (std::rename(Native(m_strTemp).constData(), Native(m_strTarget).constData()) != 0) {
        return Fail(errno);
    }
    m_strTemp.clear();
    SyncFolder(QFileInfo(m_strTarget).absolutePath());
    return true;
}

bool CWholeFile::Write(const QString& path, const QByteArray& contents, QString* error) {
    CWholeFile file(path);
    const bool ok = file.Open() && file.Write(contents) && file.Commit();
    if (!ok && error) {
        *error = file.ErrorText();
    }
    return ok;
}

bool CWholeFile::Copy(const QString& source, const QString& target, QString* error) {
    QFile in(source);
    CWholeFile out(target);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(source);
        }
        return false;
    }
    bool ok = out.Open();
    QByteArray block;
    while (ok && !(block = in.read(1 << 20)).isEmpty()) {
        ok = out.Write(block);
    }
    if (ok && in.error() != QFileDevice::NoError) {
        out.m_strError = QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(source);
        ok = false;
    }
    ok = ok && out.Commit();
    if (!ok && error) {
        *error = out.ErrorText();
    }
    return ok;
}
