#pragma once

#include <map>
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// Byte text in an RTF file is in the document's code page or in the code page that a font's
// character set implies. This turns those bytes into Unicode, and encodes cp1252 for the
// writer, which is what a rich-edit control emits as \'xx.
class CRtfCodePage {
public:
    // The pseudo code page of fonts with the symbol character set.
    static constexpr int kSymbol = 42;
    static constexpr int kWindowsWestern = 1252;

    // The code page of a font character set (\fcharsetN); 0 when the set names none, so that
    // the document's code page applies.
    static int FromCharset(int charset);

    // Decodes bytes that all belong to code page cp.
    QString Decode(const QByteArray& bytes, int cp);

    // The cp1252 byte of ch, or 0 when cp1252 has no such letter (or ch is ASCII).
    static unsigned char ToCp1252(char16_t ch);

private:
    static void DecodeCp1252(const QByteArray& bytes, QString& out);
    static void DecodeSymbol(const QByteArray& bytes, QString& out);
    QStringDecoder* Decoder(int cp);

    std::map<int, QStringDecoder> m_decoders;
};
