#include "platform/rtf/RtfWriter.h"

#include "platform/rtf/Rtf.h"
#include "platform/rtf/RtfCodePage.h"

#include <algorithm>
#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kDefaultPointSize = 10.0;

int Twips(qreal pixels) {
    return qRound(pixels * kTwipsPerPixel);
}

const char* AlignmentWord(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) {
        return "qc";
    }
    if (alignment & Qt::AlignJustify) {
        return "qj";
    }
    if (alignment & Qt::AlignRight) {
        return "qr";
    }
    return nullptr;
}

bool SameParagraph(const QTextBlockFormat& a, const QTextBlockFormat& b) {
    return AlignmentWord(a.alignment()) == AlignmentWord(b.alignment()) &&
           Twips(a.leftMargin()) == Twips(b.leftMargin()) &&
           Twips(a.rightMargin()) == Twips(b.rightMargin()) &&
           Twips(a.textIndent()) == Twips(b.textIndent());
}

void AppendHex(QByteArray& out, unsigned char byte) {
    static const char digits[] = "0123456789abcdef";
    out.append("\\'");
    out.append(digits[byte >> 4]);
    out.append(digits[byte & 0xF]);
}

} // namespace

CRtfWriter::CRtfWriter(const QTextDocument& doc) : m_doc(doc) {}

QByteArray CRtfWriter::Write() {
    m_body.reserve(m_doc.characterCount() * 2 + 256);
    m_body.append("\\viewkind4\\uc1");
    m_needSpace = true;
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        WriteBlock(block, block == m_doc.begin(), !block.next().isValid());
    }
    m_body.append("\r\n}\r\n");
    return Header() + m_body;
}

QByteArray CRtfWriter::Header() const {
    QByteArray h = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        h.append("{\\f" + QByteArray::number(qulonglong(i)) + "\\fnil\\fcharset0 ");
        for (QChar ch : m_fonts[i]) {
            const unsigned char byte = CRtfCodePage::ToCp1252(ch.unicode());
            if (byte != 0) {
                AppendHex(h, byte);
            } else {
                const bool plain = ch.unicode() >= 0x20 && ch.unicode() < 0x80 &&
                                   !QByteArrayView(";{}\\").contains(char(ch.unicode()));
                // A name the table cannot hold keeps its length, so that it reads back as
                // written.
                h.append(plain ? char(ch.unicode()) : '?');
            }
        }
        h.append(";}");
    }
    h.append("}\r\n");
    if (!m_colors.empty()) {
        h.append("{\\colortbl ;");
        for (QRgb rgb : m_colors) {
            h.append("\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                     QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                     ";");
        }
        h.append("}\r\n");
    }
    return h;
}

void CRtfWriter::WriteBlock(const QTextBlock& block, bool first, bool last) {
    if (first || !SameParagraph(block.blockFormat(), m_paragraph)) {
        WriteParagraph(block.blockFormat());
    }
    if (first) {
        WriteRun(InitialProps());
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        WriteRun(Props(fragment.charFormat()));
        WriteText(fragment.text());
    }
    if (!last) {
        Word("par");
        m_body.append("\r\n");
        m_needSpace = false;
    }
}

void CRtfWriter::WriteParagraph(const QTextBlockFormat& format) {
    m_paragraph = format;
    Word("pard");
    if (const char* word = AlignmentWord(format.alignment())) {
        Word(word);
    }
    const std::pair<const char*, int> indents[] = {{"li", Twips(format.leftMargin())},
                                                   {"ri", Twips(format.rightMargin())},
                                                   {"fi", Twips(format.textIndent())}};
    for (const auto& [word, twips] : indents) {
        if (twips != 0) {
            Word(word, twips);
        }
    }
}

void CRtfWriter::WriteRun(const RtfRunProps& props) {
    if (props.font != m_current.font) {
        Word("f", props.font);
    }
    if (props.halfPoints != m_current.halfPoints) {
        Word("fs", props.halfPoints);
    }
    Toggle(props.bold, m_current.bold, "b", "b0");
    Toggle(props.italic, m_current.italic, "i", "i0");
    Toggle(props.underline, m_current.underline, "ul", "ulnone");
    Toggle(props.strike, m_current.strike, "strike", "strike0");
    if (props.foreground != m_current.foreground) {
        Word("cf", props.foreground);
    }
    if (props.background != m_current.background) {
        Word("highlight", props.background);
    }
    m_current = props;
}

void CRtfWriter::Toggle(bool on, bool was, const char* onWord, const char* offWord) {
    if (on != was) {
        Word(on ? onWord : offWord);
    }
}

void CRtfWriter::WriteText(const QString& text) {
    for (QChar qc : text) {
        const char16_t ch = qc.unicode();
        switch (ch) {
        case u'\\':
        case u'{':
        case u'}':
            m_body.append('\\');
            m_body.append(char(ch));
            m_needSpace = false;
            continue;
        case u'\t':
            Word("tab");
            continue;
        case QChar::LineSeparator:
            Word("line");
            continue;
        // A stray paragraph separator is no text of the memo either.
        case QChar::ParagraphSeparator:
            continue;
        default:
            break;
        }
        if (IsDocumentMark(ch)) {
            continue;
        }
        if (ch >= 0x20 && ch < 0x80) {
            Literal(char(ch));
        } else if (ch < 0x20) {
            AppendHex(m_body, static_cast<unsigned char>(ch));
            m_needSpace = false;
        } else if (const unsigned char byte = CRtfCodePage::ToCp1252(ch)) {
            AppendHex(m_body, byte);
            m_needSpace = false;
        } else {
            WriteUnicode(ch);
        }
    }
}

// Every UTF-16 unit outside cp1252 as a signed 16-bit \u value with "?" for readers that
// cannot show it; a character beyond the first plane is two of them.
void CRtfWriter::WriteUnicode(char16_t unit) {
    m_body.append("\\u");
    m_body.append(QByteArray::number(int(static_cast<int16_t>(unit))));
    m_body.append('?');
    m_needSpace = false;
}

void CRtfWriter::Literal(char c) {
    if (m_needSpace) {
        m_body.append(' ');
        m_needSpace = false;
    }
    m_body.append(c);
}

void CRtfWriter::Word(const char* name) {
    m_body.append('\\');
    m_body.append(name);
    m_needSpace = true;
}

void CRtfWriter::Word(const char* name, int param) {
    Word(name);
    m_body.append(QByteArray::number(param));
}

RtfRunProps CRtfWriter::InitialProps() {
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        if (!block.begin().atEnd()) {
            return Props(block.begin().fragment().charFormat());
        }
    }
    return Props(m_doc.begin().charFormat());
}

RtfRunProps CRtfWriter::Props(const QTextCharFormat& format) {
    RtfRunProps p;
    p.font = FontIndex(format);
    qreal points = format.hasProperty(QTextFormat::FontPointSize)
                       ? format.fontPointSize()
                       : m_doc.defaultFont().pointSizeF();
    if (points <= 0) {
        points = kDefaultPointSize;
    }
    p.halfPoints = std::clamp(qRound(points * 2), 1, 3276);
    p.bold = format.fontWeight() > QFont::Medium;
    p.italic = format.fontItalic();
    p.underline = format.fontUnderline();
    p.strike = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        p.foreground = ColorIndex(format.foreground());
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush)) {
        p.background = ColorIndex(format.background());
    }
    return p;
}

int CRtfWriter::FontIndex(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    QString family = families.isEmpty() ? QString() : families.first();
    if (family.isEmpty()) {
        family = m_doc.defaultFont().family();
    }
    const auto it = std::find(m_fonts.begin(), m_fonts.end(), family);
    if (it != m_fonts.end()) {
        return int(it - m_fonts.begin());
    }
    m_fonts.push_back(family);
    return int(m_fonts.size() - 1);
}

int CRtfWriter::ColorIndex(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) {
        return 0;
    }
    const QRgb rgb = brush.color().rgb();
    const auto it = std::find(m_colors.begin(), m_colors.end(), rgb);
    if (it != m_colors.end()) {
        return int(it - m_colors.begin()) + 1;
    }
    m_colors.push_back(rgb);
    return int(m_colors.size());
}
