#include "exchange/UitwisselBestand.h"

#include "exchange/UitwisselFout.h"
#include "platform/files/WholeFile.h"

#include <QFile>

QByteArray CUitwisselBestand::Lees(const QString& pad) {
    QFile bestand(pad);
    if (!bestand.exists()) {
        throw CUitwisselFout(QStringLiteral("Het bestand %1 bestaat niet.").arg(pad));
    }
    if (!bestand.open(QIODevice::ReadOnly)) {
        throw CUitwisselFout(QStringLiteral("Het bestand %1 kan niet worden geopend: %2")
                                 .arg(pad, bestand.errorString()));
    }
    if (bestand.size() > kMaxGrootte) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 is te groot (meer dan %2 MB) om te lezen.")
                .arg(pad)
                .arg(kMaxGrootte >> 20));
    }
    return bestand.readAll();
}

void CUitwisselBestand::Schrijf(const QString& pad, const QByteArray& inhoud) {
    const bool bBestond = QFile::exists(pad);
    QString reden;
    if (!CWholeFile::Write(pad, inhoud, &reden)) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 kan niet worden geschreven: %2").arg(pad, reden) +
            (bBestond ? QStringLiteral(" Het bestaande bestand is ongewijzigd.") : QString()));
    }
}
