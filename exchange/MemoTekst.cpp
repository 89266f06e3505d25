#include "exchange/MemoTekst.h"

#include "platform/rtf/Rtf.h"

#include <QTextDocument>

QString CMemoTekst::NaarTekst(const QString& rtf) {
    QTextDocument doc;
    if (!ReadRtf(rtf.toLatin1(), &doc)) {
        return rtf;
    }
    return doc.toPlainText().trimmed();
}

QString CMemoTekst::NaarRtf(const QString& tekst) {
    QTextDocument doc;
    doc.setPlainText(tekst);
    return QString::fromLatin1(WriteRtf(doc));
}
