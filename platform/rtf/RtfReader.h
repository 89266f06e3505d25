#pragma once

#include "platform/rtf/RtfCodePage.h"

#include <map>
#include <QColor>
#include <QSet>
#include <QTextCharFormat>
#include <QTextCursor>
#include <string_view>
#include <vector>

class QTextDocument;
enum class RtfKeyword : int;

// Character properties as the reader tracks them; font -1 is the document's default font.
struct RtfCharProps {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int font = -1;
    int halfPoints = 24;
    int foreground = 0;
    int background = 0;
    bool operator==(const RtfCharProps&) const = default;
};

struct RtfParaProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
};

// Where the text of a group goes. Upr holds an ANSI and a Unicode variant of the same text;
// only the Unicode one (\ud) is read.
enum class RtfDestination { Text, FontTable, ColorTable, Upr, UprAnsi, Skip };

struct RtfGroupState {
    RtfDestination destination = RtfDestination::Text;
    RtfCharProps chr;
    RtfParaProps para;
    int unicodeSkip = 1;
};

// Reads RTF into a QTextDocument in one pass. Every step consumes input and the group stack
// is bounded, so damaged, truncated or hostile input ends in bounded time and memory.
class CRtfReader {
public:
    CRtfReader(const QByteArray& rtf, QTextDocument* doc);

    // True when the text starts with "{\rtf" after optional white space.
    static bool IsRtf(const QByteArray& rtf);
    void Read();

private:
    struct Font {
        QString name;
        int codePage = 0;
    };

    void PlainText();
    void OpenGroup();
    void CloseGroup();
    void Control();
    void ControlSymbol(char c);
    void ControlWord();
    void Keyword(RtfKeyword kw, bool hasParam, int param);
    bool CharKeyword(RtfKeyword kw, bool hasParam, int param);
    bool ParaKeyword(RtfKeyword kw, int param);
    bool TextKeyword(RtfKeyword kw, int param);
    bool TableKeyword(RtfKeyword kw, bool hasParam, int param);
    void Destination(RtfKeyword kw);
    void SkipGroup();
    void SkipBinary(int count);
    int ReadParam(bool& hasParam);
    void HexByte();
    void TextByte(char b);
    bool ConsumeFallback();

    void AddText(QStringView text);
    void AddChar(char16_t ch);
    void AddUnicode(int code);
    void ResolveSurrogate();
    void FlushBytes();
    void FlushRun();
    void EndParagraph();
    void Finish();

    void FontTableByte(char b);
    void CommitFont();
    void CommitColor();
    int CodePage() const;
    QTextCharFormat CharFormat(const RtfCharProps& props);
    const QString& KeptFamily(const QString& family);
    QTextBlockFormat BlockFormat(const RtfParaProps& props) const;

    RtfGroupState& State() { return m_groups.back(); }

    const char* m_p;
    const char* m_end;
    QTextDocument* m_doc;
    QTextCursor m_cursor;
    std::vector<RtfGroupState> m_groups;
    bool m_done = false;
    bool m_starred = false;
    int m_fallbackLeft = 0;
    char16_t m_highSurrogate = 0;

    int m_ansiCodePage = CRtfCodePage::kWindowsWestern;
    int m_defaultFont = 0;
    std::map<int, Font> m_fonts;
    int m_fontEntry = 0;
    QByteArray m_fontName;
    std::vector<QColor> m_colors;
    int m_rgb[3] = {0, 0, 0};
    bool m_colorSet = false;

    CRtfCodePage m_codePages;
    QByteArray m_bytes;
    QString m_run;
    RtfCharProps m_runProps;
    std::vector<std::pair<RtfCharProps, QTextCharFormat>> m_formats;
    QSet<QString> m_families;
    QString m_nearestFamily;
};
