#include "comm/DocumentLauncher.h"

#include "platform/shell/ShellExecute.h"
#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QCursor>

namespace {

enum LaunchMode { kOpen = 0, kPrint = 1 };

void LaunchDocument(QWidget* owner, const QString& path, LaunchMode mode) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result =
        ShellExecuteA(mode == kPrint ? QStringLiteral("print") : QStringLiteral("open"), path);
    QApplication::restoreOverrideCursor();
    ReportShellResult(owner, result);
}

} // namespace

QString ShellFailureText(int result) {
    switch (result) {
    case SE_ERR_OUTOFRESOURCES:
    case SE_ERR_OOM:
        return QStringLiteral("Geen geheugen voor operatie");
    case SE_ERR_FNF:
        return QStringLiteral("Bestand niet gevonden");
    case SE_ERR_PNF:
        return QStringLiteral("Pad bestaat niet");
    case SE_ERR_ACCESSDENIED:
        return QStringLiteral("Geen toegang tot bestand");
    case SE_ERR_BAD_FORMAT:
        return QStringLiteral("Opgegeven bestand is corrupt");
    case SE_ERR_SHARE:
        return QStringLiteral("Share fout. Bestand is in gebruik");
    case SE_ERR_ASSOCINCOMPLETE:
        return QStringLiteral("Bestandsnaam niet compleet");
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
        return QStringLiteral("Problemen met starten programma (DDE)");
    case SE_ERR_NOASSOC:
        return QStringLiteral("Geen programma gekoppeld aan dit type bestand");
    case SE_ERR_DLLNOTFOUND:
        return QStringLiteral("Bestand niet gevonden (DLL)");
    default:
        return {};
    }
}

void ReportShellResult(QWidget* owner, int result) {
    if (result > 32) {
        return;
    }
    const QString text = ShellFailureText(result);
    if (!text.isEmpty()) {
        MessageBox(owner, text, QStringLiteral("Let Op"), MB_OK | MB_ICONSTOP);
    }
}

void OpenDocument(QWidget* owner, const QString& path) {
    LaunchDocument(owner, path, kOpen);
}

void PrintDocument(QWidget* owner, const QString& path) {
    LaunchDocument(owner, path, kPrint);
}
