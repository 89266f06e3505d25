#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <vector>

class QTextBlock;
class QTextDocument;

// Character properties as the writer emits them, with font and colours as table indexes
// (colour 0 is the automatic colour).
struct RtfRunProps {
    int font = -1;
    int halfPoints = -1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int foreground = 0;
    int background = 0;
};

// Writes a QTextDocument as RTF the way a rich-edit control does: header with font and
// colour tables, \pard only where the paragraph format changes, and for each run only the
// control words that differ from the run before it.
class CRtfWriter {
public:
    explicit CRtfWriter(const QTextDocument& doc);
    QByteArray Write();

private:
    void WriteBlock(const QTextBlock& block, bool first, bool last);
    void WriteParagraph(const QTextBlockFormat& format);
    void WriteRun(const RtfRunProps& props);
    void WriteText(const QString& text);
    void WriteUnicode(char16_t unit);
    void Word(const char* name);
    void Word(const char* name, int param);
    void Toggle(bool on, bool was, const char* onWord, const char* offWord);
    void Literal(char c);
    QByteArray Header() const;

    RtfRunProps Props(const QTextCharFormat& format);
    int FontIndex(const QTextCharFormat& format);
    int ColorIndex(const QBrush& brush);
    RtfRunProps InitialProps();

    const QTextDocument& m_doc;
    QByteArray m_body;
    bool m_needSpace = false;
    RtfRunProps m_current;
    QTextBlockFormat m_paragraph;
    std::vector<QString> m_fonts;
    std::vector<QRgb> m_colors;
};
