#include "comm/DocumentKiezen.h"

#include "platform/ui/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& LastFolder() {
    static QString folder;
    return folder;
}

// "*.*" means every file, as on the system the filters were written for, also one without
// an extension. The toolkit's file view matches masks regardless of letter case, so "*.Wav"
// offers "alarm.wav" as desktop pickers do.
QString MatchMask(const QString& mask) {
    return mask == QLatin1String("*.*") ? QStringLiteral("*") : mask;
}

QString MatchMasks(const QString& pattern) {
    QStringList masks;
    for (const QString& mask : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        masks << MatchMask(mask.trimmed());
    }
    return masks.isEmpty() ? QStringLiteral("*") : masks.join(QLatin1Char(' '));
}

QString StartFolder(const QString& initialFolder) {
    if (!initialFolder.isEmpty()) {
        return initialFolder;
    }
    if (!LastFolder().isEmpty() && QFileInfo(LastFolder()).isDir()) {
        return LastFolder();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QStringList DocumentKiezenFilters(const QString& filter) {
    QStringList entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        entries << parts[i] + QStringLiteral(" (") + MatchMasks(parts[i + 1]) + QLatin1Char(')');
    }
    return entries;
}

bool DocumentKiezen(const QString& initialFolder, const QString& filter, QString& path) {
    QFileDialog dialog(nullptr, QString(), StartFolder(initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The entries show the caller's descriptions only; the masks behind them stay hidden.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList entries = DocumentKiezenFilters(filter);
    if (!entries.isEmpty()) {
        dialog.setNameFilters(entries);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    LastFolder() = QFileInfo(chosen).absolutePath();
    if (chosen.size() > kDocumentKiezenMaxPath) {
        MessageBox(nullptr,
                   QStringLiteral("De naam van het gekozen bestand is te lang (meer dan %1 "
                                  "tekens). Kies een bestand met een kortere naam of map.")
                       .arg(kDocumentKiezenMaxPath),
                   QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
        return false;
    }
    path = chosen;
    return true;
}
