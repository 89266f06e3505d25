#pragma once

#include <QByteArray>
#include <QString>

// Memos are stored as RTF; other programs exchange plain text. Both directions go through
// the program's own RTF reader and writer, so an imported note opens in the memo editor
// as any memo typed there.
class CMemoTekst {
public:
    static QString NaarTekst(const QString& rtf);
    static QString NaarRtf(const QString& tekst);
};
