#include "platform/dao/TextCollation.h"

#include <array>
#include <QChar>
#include <QStringView>
#include <QVarLengthArray>
#include <sqlite3.h>

namespace {

struct Folded {
    char32_t base;   // lower-case letter without its accent
    char32_t accent; // lower-case letter with its accent
    char32_t exact;  // the code point itself
};

// Code points below U+0250 cover the Latin letters of the languages the firm writes in;
// their folded forms are worked out once.
constexpr char32_t kTableSize = 0x250;

struct FoldTable {
    std::array<char32_t, kTableSize> base{};
    std::array<char32_t, kTableSize> lower{};
    FoldTable() {
        for (char32_t c = 0; c < kTableSize; ++c) {
            const QChar ch(static_cast<char16_t>(c));
            const char32_t lowerChar = ch.toLower().unicode();
            char32_t baseChar = lowerChar;
            const QString decomposed = QChar(static_cast<char16_t>(lowerChar)).decomposition();
            if (!decomposed.isEmpty() && QChar(decomposed[0]).isLetter()) {
                baseChar = decomposed[0].toLower().unicode();
            }
            base[c] = baseChar;
            lower[c] = lowerChar;
        }
    }
};

const FoldTable& Table() {
    static const FoldTable table;
    return table;
}

Folded Fold(char32_t c) {
    if (c < kTableSize) {
        const FoldTable& t = Table();
        return {t.base[c], t.lower[c], c};
    }
    const char32_t lower = QChar::toLower(c);
    return {lower, lower, c};
}

// Decodes one UTF-8 sequence; malformed bytes come out one by one as themselves.
char32_t NextCodePoint(const unsigned char*& p, const unsigned char* end) {
    const unsigned char c = *p++;
    if (c < 0x80) {
        return c;
    }
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra == 0 || end - p < extra) {
        return c;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            return c;
        }
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return cp;
}

int ComparePass(const unsigned char* a, const unsigned char* endA, const unsigned char* b,
                const unsigned char* endB, char32_t Folded::*level) {
    while (a < endA && b < endB) {
        const char32_t ca = Fold(NextCodePoint(a, endA)).*level;
        const char32_t cb = Fold(NextCodePoint(b, endB)).*level;
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a < endA) {
        return 1;
    }
    return b < endB ? -1 : 0;
}

int CollationCallback(void*, int lenA, const void* a, int lenB, const void* b) {
    return CTextCollation::Compare(static_cast<const char*>(a), lenA, static_cast<const char*>(b),
                                   lenB);
}

char* PutUtf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

void CTextCollation::Register(sqlite3* db) {
    sqlite3_create_collation(db, kName, SQLITE_UTF8, nullptr, CollationCallback);
}

int CTextCollation::Compare(const char* a, int lenA, const char* b, int lenB) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    for (char32_t Folded::*level : {&Folded::base, &Folded::accent, &Folded::exact}) {
        if (int r = ComparePass(pa, pa + lenA, pb, pb + lenB, level)) {
            return r;
        }
    }
    return 0;
}

int CTextCollation::Compare(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return Compare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

// UTF-8 keeps the order of the code points, so each level is written as UTF-8 of its folded
// letters. Only the first level needs an end mark: two texts equal there have as many
// letters, so their further levels are equally long in letters.
QByteArray CTextCollation::SortKey(QStringView text) {
    // A UTF-16 unit takes at most three bytes of UTF-8 on each of the three levels.
    QVarLengthArray<char, 1024> buffer(text.size() * 9 + 1);
    char* out = buffer.data();
    for (char32_t Folded::*level : {&Folded::base, &Folded::accent, &Folded::exact}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t c = text[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
            }
            out = PutUtf8(out, Fold(c).*level);
        }
        if (level == &Folded::base) {
            *out++ = '\0';
        }
    }
    return QByteArray(buffer.data(), out - buffer.data());
}
