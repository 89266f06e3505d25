#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing the exchanged files, with a Dutch CUitwisselFout for every failure.
// A written file appears whole or not at all: an export that fails halfway never leaves a
// cut-off file in the place of an earlier good one.
class CUitwisselBestand {
public:
    // Larger files are not address books or calendars; reading them whole would only
    // exhaust memory.
    static constexpr qint64 kMaxGrootte = 256LL * 1024 * 1024;

    static QByteArray Lees(const QString& pad);
    static void Schrijf(const QString& pad, const QByteArray& inhoud);
};
