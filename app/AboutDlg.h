#pragma once

#include "platform/ui/Dialog.h"

#include <cstdint>
#include <optional>
#include <QString>

namespace Ui {
class AboutDlg;
}

// "Informatie Tolvar": the version, the maker, the machine's memory and the free space of
// the disk that holds the current folder.
class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDC_RUIMTE = 1016, IDC_GEHEUGEN = 1017 };

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    // "%lu KB" of the total physical memory.
    static QString MemoryText(std::uint64_t totalBytes);
    // "%lu KB vrij op %c:", or "<Onbekend>" when the free space is not known.
    static QString DiskText(std::optional<std::uint64_t> freeBytes, char drive);
    // The drive letter of a folder: the drive whose folder holds it, else Z (the whole
    // file system, as Wine names it).
    static char DriveLetterOf(const QString& folder);

protected:
    bool OnInitDialog() override;

private:
    Ui::AboutDlg* m_ui;
};
