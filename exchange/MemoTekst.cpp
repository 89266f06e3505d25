#include "exchange/MemoTekst.h"

#include "platform/rtf/Rtf.h"

#include <QTextCursor>
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
    // The font named in the text itself, so that the memo reads the same whether it was
    // imported in the window or by the command-line program, which has no screen fonts.
    QTextCharFormat opmaak;
    opmaak.setFontFamilies({QStringLiteral("Arial")});
    opmaak.setFontPointSize(10);
    QTextCursor cursor(&doc);
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(opmaak);
    return QString::fromLatin1(WriteRtf(doc));
}
