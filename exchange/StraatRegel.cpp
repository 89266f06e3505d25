#include "exchange/StraatRegel.h"

#include <QRegularExpression>

void CStraatRegel::Splits(const QString& regel, QString& straat, QString& nummer) {
    static const QRegularExpression huisnummer(QStringLiteral("^(.*\\S)\\s+(\\d[\\w\\-/]*)$"));
    const QRegularExpressionMatch match = huisnummer.match(regel.trimmed());
    if (match.hasMatch()) {
        straat = match.captured(1);
        nummer = match.captured(2);
    } else {
        straat = regel.trimmed();
        nummer.clear();
    }
}
