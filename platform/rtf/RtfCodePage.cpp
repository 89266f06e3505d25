#include "platform/rtf/RtfCodePage.h"

#include <array>

namespace {

// cp1252 differs from Latin-1 only in 0x80-0x9F; the five unassigned bytes map to
// themselves, as Windows does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The symbol font's upper half from 0xA0 to 0xE5 (arrows, bullets, mathematical signs):
// what lists and hand-made bullets use. Letters in the lower half stay as written.
constexpr std::array<char16_t, 70> kSymbolHigh = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
    0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211};

const char* CodecName(int cp) {
    switch (cp) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 874:
        return "windows-874";
    case 932:
        return "windows-31j";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    default:
        return nullptr;
    }
}

bool IsAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

int CRtfCodePage::FromCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return kSymbol;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

QString CRtfCodePage::Decode(const QByteArray& bytes, int cp) {
    QString out;
    if (IsAscii(bytes)) {
        out = QString::fromLatin1(bytes);
    } else if (cp == kSymbol) {
        DecodeSymbol(bytes, out);
    } else if (QStringDecoder* decoder = Decoder(cp)) {
        out = decoder->decode(bytes);
    } else {
        DecodeCp1252(bytes, out);
    }
    return out;
}

unsigned char CRtfCodePage::ToCp1252(char16_t ch) {
    if (ch >= 0xA0 && ch <= 0xFF) {
        return static_cast<unsigned char>(ch);
    }
    if (ch < 0x80) {
        return 0;
    }
    for (size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == ch) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return 0;
}

void CRtfCodePage::DecodeCp1252(const QByteArray& bytes, QString& out) {
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b)));
    }
}

void CRtfCodePage::DecodeSymbol(const QByteArray& bytes, QString& out) {
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.append(QChar(b));
        } else if (b >= 0xA0 && b - 0xA0 < int(kSymbolHigh.size())) {
            out.append(QChar(kSymbolHigh[b - 0xA0]));
        } else {
            // Windows shows the remaining symbol glyphs through the private-use area.
            out.append(QChar(char16_t(0xF000 + b)));
        }
    }
}

QStringDecoder* CRtfCodePage::Decoder(int cp) {
    auto it = m_decoders.find(cp);
    if (it == m_decoders.end()) {
        const char* name = CodecName(cp);
        if (name == nullptr) {
            return nullptr;
        }
        it = m_decoders.emplace(cp, QStringDecoder(name, QStringConverter::Flag::Stateless)).first;
    }
    return it->second.isValid() ? &it->second : nullptr;
}
