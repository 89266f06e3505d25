#include "controls/ShortenText.h"

namespace {

// A cut after a high surrogate would leave half a character in front of the dots.
bool SplitsPair(const QString& strText, qsizetype nLength) {
    return strText.at(nLength - 1).isHighSurrogate();
}

qsizetype ShortestLength(const QString& strText) {
    return strText.size() > 1 && SplitsPair(strText, 1) ? 2 : 1;
}

} // namespace

QString ShortenText(const QString& strText, int nWidth, int nAllowance,
                    const TextWidthFn& textWidth) {
    if (strText.isEmpty() || textWidth(strText) + nAllowance <= nWidth) {
        return strText;
    }
    static const QString dots = QStringLiteral("...");
    const int nDots = textWidth(dots);
    for (qsizetype n = strText.size() - 1; n >= 1; --n) {
        if (SplitsPair(strText, n)) {
            continue;
        }
        const QString cut = strText.left(n);
        if (nDots + nAllowance + textWidth(cut) <= nWidth) {
            return cut + dots;
        }
    }
    return strText.left(ShortestLength(strText)) + dots;
}
