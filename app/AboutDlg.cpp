#include "app/AboutDlg.h"

#include "platform/paths/Paths.h"
#include "ui_AboutDlg.h"

#include <QDir>
#include <QFileInfo>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

std::uint64_t TotalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0;
}

std::optional<std::uint64_t> FreeSpace(const QString& folder) {
    struct statvfs info {};
    if (statvfs(QFile::encodeName(folder).constData(), &info) != 0) {
        return std::nullopt;
    }
    return std::uint64_t(info.f_bavail) * std::uint64_t(info.f_frsize);
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(parent), m_ui(new Ui::AboutDlg) {
    m_ui->setupUi(this);
    m_ui->picture->setPixmap(QIcon(QStringLiteral(":/icons/tolvar.svg")).pixmap(64, 64));
}

CAboutDlg::~CAboutDlg() {
    delete m_ui;
}

QString CAboutDlg::MemoryText(std::uint64_t totalBytes) {
    return QStringLiteral("%1 KB").arg(totalBytes / 1024);
}

QString CAboutDlg::DiskText(std::optional<std::uint64_t> freeBytes, char drive) {
    if (!freeBytes) {
        return QStringLiteral("<Onbekend>");
    }
    return QStringLiteral("%1 KB vrij op %2:").arg(*freeBytes / 1024).arg(QLatin1Char(drive));
}

char CAboutDlg::DriveLetterOf(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (char letter = 'c'; letter <= 'y'; ++letter) {
        const QString root =
            QFileInfo(CPaths::ToLocalPath(QStringLiteral("%1:\\").arg(QLatin1Char(letter))))
                .canonicalFilePath();
        if (!root.isEmpty() &&
            (canonical == root || canonical.startsWith(root + QLatin1Char('/')))) {
            return char(letter - 'a' + 'A');
        }
    }
    return 'Z';
}

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const QString current = QDir::currentPath();
    m_ui->memory->setText(MemoryText(TotalMemory()));
    m_ui->disk->setText(DiskText(FreeSpace(current), DriveLetterOf(current)));
    return true;
}
