#include "platform/rtf/RtfReader.h"

#include "platform/rtf/Rtf.h"

#include <algorithm>
#include <QTextBlock>
#include <QTextDocument>
#include <unordered_map>

enum class RtfKeyword : int {
    // document and tables
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    FontTable,
    ColorTable,
    F,
    FCharset,
    Cpg,
    Red,
    Green,
    Blue,
    Uc,
    U,
    Bin,
    Upr,
    Ud,
    // destinations read as text, and those skipped
    TextGroup,
    SkipGroup,
    // character properties
    Plain,
    B,
    I,
    Ul,
    UlNone,
    Strike,
    V,
    Fs,
    Cf,
    Cb,
    // paragraph properties
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    // characters and breaks
    Par,
    Line,
    Tab,
    Cell,
    Row,
    Sect,
    Char,
};

namespace {

constexpr size_t kMaxDepth = 200;
constexpr int kMaxParam = 1'000'000'000;
constexpr int kMaxDigits = 10;
constexpr int kMaxNameLength = 32;
constexpr int kMaxFontName = 256;
constexpr size_t kMaxColors = 32768;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxIndentTwips = 31680;  // 22 inches, wider than any page
constexpr double kTwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch
// The font's name as a plain string beside the family list, which Qt cannot tell apart.
constexpr int kFamilyKey = QTextFormat::UserProperty + 0x7201;
// Laying out text looks up every distinct font in the system, which for thousands of them
// freezes the editor for seconds; no memo written by hand comes near this many.
constexpr qsizetype kMaxFamilies = 256;

struct KeywordInfo {
    RtfKeyword keyword;
    char16_t ch = 0; // the character of RtfKeyword::Char
};

using KeywordTable = std::unordered_map<std::string_view, KeywordInfo>;

void AddSkipped(KeywordTable& t) {
    for (const char* name : {"info",
                             "stylesheet",
                             "pict",
                             "object",
                             "header",
                             "headerl",
                             "headerr",
                             "headerf",
                             "footer",
                             "footerl",
                             "footerr",
                             "footerf",
                             "footnote",
                             "annotation",
                             "fldinst",
                             "xe",
                             "tc",
                             "txe",
                             "rxe",
                             "themedata",
                             "colorschememapping",
                             "datastore",
                             "latentstyles",
                             "listtable",
                             "listoverridetable",
                             "revtbl",
                             "rsidtbl",
                             "generator",
                             "pgdsctbl",
                             "pn",
                             "pntxta",
                             "pntxtb",
                             "shp",
                             "shpinst",
                             "shppict",
                             "nonshppict",
                             "bkmkstart",
                             "bkmkend",
                             "filetbl",
                             "atnid",
                             "atnauthor",
                             "private",
                             "comment",
                             "doccomm",
                             "objdata",
                             "template",
                             "userprops",
                             "falt",
                             "panose",
                             "fname",
                             "listpicture",
                             "xmlnstbl",
                             "mmathPr",
                             "background",
                             "docvar",
                             "expandedcolortbl",
                             "ftnsep",
                             "ftnsepc",
                             "ftncn",
                             "aftnsep",
                             "aftnsepc",
                             "aftncn"}) {
        t[name] = {RtfKeyword::SkipGroup};
    }
}

void AddCharacters(KeywordTable& t) {
    const std::pair<const char*, char16_t> chars[] = {
        {"emdash", 0x2014},    {"endash", 0x2013},    {"emspace", 0x2003}, {"enspace", 0x2002},
        {"qmspace", 0x2005},   {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},     {"zwnj", 0x200C},
        {"ltrmark", 0x200E},   {"rtlmark", 0x200F},   {"zwbo", 0x200B}};
    for (const auto& [name, ch] : chars) {
        t[name] = {RtfKeyword::Char, ch};
    }
}

void AddUnderlines(KeywordTable& t) {
    for (const char* name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                             "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                             "ulthldash", "ululdbwave", "ulw", "ulwave"}) {
        t[name] = {RtfKeyword::Ul};
    }
}

KeywordTable MakeKeywords() {
    using K = RtfKeyword;
    KeywordTable t = {{"ansi", {K::Ansi}},
                      {"mac", {K::Mac}},
                      {"pc", {K::Pc}},
                      {"pca", {K::Pca}},
                      {"ansicpg", {K::AnsiCpg}},
                      {"deff", {K::Deff}},
                      {"fonttbl", {K::FontTable}},
                      {"colortbl", {K::ColorTable}},
                      {"f", {K::F}},
                      {"fcharset", {K::FCharset}},
                      {"cpg", {K::Cpg}},
                      {"red", {K::Red}},
                      {"green", {K::Green}},
                      {"blue", {K::Blue}},
                      {"uc", {K::Uc}},
                      {"u", {K::U}},
                      {"bin", {K::Bin}},
                      {"upr", {K::Upr}},
                      {"ud", {K::Ud}},
                      {"field", {K::TextGroup}},
                      {"fldrslt", {K::TextGroup}},
                      {"pntext", {K::TextGroup}},
                      {"listtext", {K::TextGroup}},
                      {"plain", {K::Plain}},
                      {"b", {K::B}},
                      {"i", {K::I}},
                      {"ulnone", {K::UlNone}},
                      {"strike", {K::Strike}},
                      {"striked", {K::Strike}},
                      {"v", {K::V}},
                      {"fs", {K::Fs}},
                      {"cf", {K::Cf}},
                      {"cb", {K::Cb}},
                      {"highlight", {K::Cb}},
                      {"chcbpat", {K::Cb}},
                      {"pard", {K::Pard}},
                      {"ql", {K::Ql}},
                      {"qc", {K::Qc}},
                      {"qr", {K::Qr}},
                      {"qj", {K::Qj}},
                      {"li", {K::Li}},
                      {"lin", {K::Li}},
                      {"ri", {K::Ri}},
                      {"rin", {K::Ri}},
                      {"fi", {K::Fi}},
                      {"par", {K::Par}},
                      {"line", {K::Line}},
                      {"tab", {K::Tab}},
                      {"cell", {K::Cell}},
                      {"nestcell", {K::Cell}},
                      {"row", {K::Row}},
                      {"nestrow", {K::Row}},
                      {"sect", {K::Sect}}};
    AddSkipped(t);
    AddCharacters(t);
    AddUnderlines(t);
    return t;
}

const KeywordInfo* FindKeyword(std::string_view name) {
    static const KeywordTable table = MakeKeywords();
    const auto it = table.find(name);
    return it == table.end() ? nullptr : &it->second;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsSpecial(char c) {
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\t' || c == 0;
}

} // namespace

CRtfReader::CRtfReader(const QByteArray& rtf, QTextDocument* doc)
    : m_p(rtf.constData()), m_end(rtf.constData() + rtf.size()), m_doc(doc), m_cursor(doc) {}

bool CRtfReader::IsRtf(const QByteArray& rtf) {
    qsizetype i = 0;
    if (rtf.startsWith("\xEF\xBB\xBF")) {
        i = 3;
    }
    while (i < rtf.size() &&
           (rtf[i] == ' ' || rtf[i] == '\t' || rtf[i] == '\r' || rtf[i] == '\n')) {
        ++i;
    }
    return rtf.mid(i, 5) == "{\\rtf";
}

void CRtfReader::Read() {
    const bool undo = m_doc->isUndoRedoEnabled();
    // Loading is not an edit the user can undo; this also keeps a large load cheap.
    m_doc->setUndoRedoEnabled(false);
    m_doc->clear();
    m_cursor = QTextCursor(m_doc);
    // Inside an edit block the cursor does not lay out each block as it grows.
    m_cursor.beginEditBlock();
    m_p = std::find(m_p, m_end, '{') + 1;
    m_groups.push_back(RtfGroupState());
    while (m_p < m_end && !m_done) {
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            OpenGroup();
        } else if (c == '}') {
            ++m_p;
            CloseGroup();
        } else if (c == '\\') {
            ++m_p;
            Control();
        } else if (c == '\t') {
            ++m_p;
            FlushBytes();
            if (!ConsumeFallback() && State().destination == RtfDestination::Text) {
                AddChar(u'\t');
            }
        } else if (c == '\r' || c == '\n' || c == 0) {
            ++m_p;
        } else {
            PlainText();
        }
    }
    Finish();
    m_cursor.endEditBlock();
    m_doc->setUndoRedoEnabled(undo);
}

void CRtfReader::PlainText() {
    const char* start = m_p;
    while (m_p < m_end && !IsSpecial(*m_p)) {
        ++m_p;
    }
    const RtfDestination dest = State().destination;
    if (dest == RtfDestination::Text) {
        const qsizetype skip = std::min<qsizetype>(m_fallbackLeft, m_p - start);
        m_fallbackLeft -= int(skip);
        m_bytes.append(start + skip, (m_p - start) - skip);
        return;
    }
    for (const char* q = start; q < m_p; ++q) {
        TextByte(*q);
    }
}

void CRtfReader::TextByte(char b) {
    if (ConsumeFallback()) {
        return;
    }
    switch (State().destination) {
    case RtfDestination::Text:
        m_bytes.append(b);
        break;
    case RtfDestination::FontTable:
        FontTableByte(b);
        break;
    case RtfDestination::ColorTable:
        if (b == ';') {
            CommitColor();
        }
        break;
    default:
        break;
    }
}

bool CRtfReader::ConsumeFallback() {
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return true;
    }
    return false;
}

void CRtfReader::OpenGroup() {
    FlushBytes();
    m_fallbackLeft = 0;
    m_starred = false;
    if (m_groups.size() >= kMaxDepth) {
        SkipGroup();
        return;
    }
    const RtfGroupState parent = State();
    m_groups.push_back(parent);
    if (parent.destination == RtfDestination::Upr) {
        State().destination = RtfDestination::UprAnsi;
    }
}

void CRtfReader::CloseGroup() {
    FlushBytes();
    m_fallbackLeft = 0;
    m_starred = false;
    if (State().destination == RtfDestination::FontTable) {
        CommitFont();
    }
    if (m_groups.size() == 1) {
        m_done = true;
        return;
    }
    m_groups.pop_back();
}

// Consumes the rest of the current group, including its closing brace, without reading it:
// pictures and objects are large and nothing in them is text.
void CRtfReader::SkipGroup() {
    int depth = 0;
    while (m_p < m_end) {
        const char c = *m_p++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth-- == 0) {
                return;
            }
        } else if (c == '\\' && m_p < m_end) {
            if (m_end - m_p > 3 && std::string_view(m_p, 3) == "bin" && !IsLetter(m_p[3])) {
                m_p += 3;
                bool hasParam = false;
                SkipBinary(ReadParam(hasParam));
            } else {
                ++m_p;
            }
        }
    }
}

void CRtfReader::SkipBinary(int count) {
    m_p += std::clamp<qsizetype>(count, 0, m_end - m_p);
}

// A control word's number: optional minus and up to ten digits (longer runs of digits are
// consumed and clamped), then one optional space that belongs to the word.
int CRtfReader::ReadParam(bool& hasParam) {
    const bool negative = m_p + 1 < m_end && *m_p == '-' && IsDigit(m_p[1]);
    m_p += negative ? 1 : 0;
    hasParam = m_p < m_end && IsDigit(*m_p);
    long long n = 0;
    for (int digits = 0; m_p < m_end && IsDigit(*m_p); ++digits, ++m_p) {
        if (digits < kMaxDigits) {
            n = n * 10 + (*m_p - '0');
        }
    }
    if (m_p < m_end && *m_p == ' ') {
        ++m_p;
    }
    n = std::min<long long>(n, kMaxParam);
    return int(negative ? -n : n);
}

void CRtfReader::Control() {
    if (m_p >= m_end) {
        return;
    }
    if (IsLetter(*m_p)) {
        ControlWord();
    } else {
        ControlSymbol(*m_p++);
    }
}

void CRtfReader::ControlSymbol(char c) {
    if (c == '\'') {
        HexByte();
        return;
    }
    FlushBytes();
    if (c == '*') {
        m_starred = true;
        return;
    }
    if (ConsumeFallback() || State().destination != RtfDestination::Text) {
        if (c == '\\' || c == '{' || c == '}') {
            TextByte(c);
        }
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        m_bytes.append(c);
        break;
    case '~':
        AddChar(u'\u00A0');
        break;
    case '-':
        AddChar(u'\u00AD');
        break;
    case '_':
        AddChar(u'\u2011');
        break;
    case '\r':
    case '\n':
        EndParagraph();
        break;
    case '\t':
        AddChar(u'\t');
        break;
    default:
        break;
    }
}

void CRtfReader::HexByte() {
    int value = 0;
    for (int i = 0; i < 2 && m_p < m_end && HexValue(*m_p) >= 0; ++i) {
        value = value * 16 + HexValue(*m_p++);
    }
    TextByte(char(value));
}

void CRtfReader::ControlWord() {
    const char* start = m_p;
    while (m_p < m_end && IsLetter(*m_p)) {
        ++m_p;
    }
    const std::string_view name(start, std::min<size_t>(m_p - start, kMaxNameLength));
    bool hasParam = false;
    const int param = ReadParam(hasParam);
    FlushBytes();
    const KeywordInfo* info = FindKeyword(name);
    if (m_starred) {
        m_starred = false;
        const bool unicodeVariant = info != nullptr && info->keyword == RtfKeyword::Ud;
        if (!unicodeVariant && m_groups.size() > 1) {
            m_groups.pop_back();
            SkipGroup();
            return;
        }
    }
    if (ConsumeFallback() || info == nullptr) {
        return;
    }
    if (info->keyword == RtfKeyword::Char) {
        if (State().destination == RtfDestination::Text) {
            AddChar(info->ch);
        }
        return;
    }
    Keyword(info->keyword, hasParam, param);
}

void CRtfReader::Keyword(RtfKeyword kw, bool hasParam, int param) {
    if (kw == RtfKeyword::Bin) {
        SkipBinary(param);
        return;
    }
    if (CharKeyword(kw, hasParam, param) || ParaKeyword(kw, param) ||
        TableKeyword(kw, hasParam, param)) {
        return;
    }
    if (State().destination == RtfDestination::Text) {
        TextKeyword(kw, param);
    }
    Destination(kw);
}

bool CRtfReader::CharKeyword(RtfKeyword kw, bool hasParam, int param) {
    RtfCharProps& c = State().chr;
    const bool on = !hasParam || param != 0;
    switch (kw) {
    case RtfKeyword::Plain:
        c = RtfCharProps();
        break;
    case RtfKeyword::B:
        c.bold = on;
        break;
    case RtfKeyword::I:
        c.italic = on;
        break;
    case RtfKeyword::Ul:
        c.underline = on;
        break;
    case RtfKeyword::UlNone:
        c.underline = false;
        break;
    case RtfKeyword::Strike:
        c.strike = on;
        break;
    case RtfKeyword::V:
        c.hidden = on;
        break;
    case RtfKeyword::Fs:
        c.halfPoints = param > 0 ? std::min(param, 3276) : 24;
        break;
    case RtfKeyword::Cf:
        c.foreground = std::max(param, 0);
        break;
    case RtfKeyword::Cb:
        c.background = std::max(param, 0);
        break;
    case RtfKeyword::F:
        if (State().destination != RtfDestination::FontTable) {
            c.font = param;
            return true;
        }
        return false;
    default:
        return false;
    }
    return true;
}

bool CRtfReader::ParaKeyword(RtfKeyword kw, int param) {
    RtfParaProps& p = State().para;
    const int twips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
    switch (kw) {
    case RtfKeyword::Pard:
        p = RtfParaProps();
        break;
    case RtfKeyword::Ql:
        p.alignment = Qt::AlignLeft;
        break;
    case RtfKeyword::Qc:
        p.alignment = Qt::AlignHCenter;
        break;
    case RtfKeyword::Qr:
        p.alignment = Qt::AlignRight;
        break;
    case RtfKeyword::Qj:
        p.alignment = Qt::AlignJustify;
        break;
    case RtfKeyword::Li:
        p.leftTwips = twips;
        break;
    case RtfKeyword::Ri:
        p.rightTwips = twips;
        break;
    case RtfKeyword::Fi:
        p.firstTwips = twips;
        break;
    default:
        return false;
    }
    return true;
}

bool CRtfReader::TextKeyword(RtfKeyword kw, int param) {
    switch (kw) {
    case RtfKeyword::Par:
    case RtfKeyword::Row:
    case RtfKeyword::Sect:
        EndParagraph();
        break;
    case RtfKeyword::Line:
        AddChar(QChar::LineSeparator);
        break;
    case RtfKeyword::Tab:
    case RtfKeyword::Cell:
        AddChar(u'\t');
        break;
    case RtfKeyword::U:
        AddUnicode(param);
        m_fallbackLeft = State().unicodeSkip;
        break;
    default:
        return false;
    }
    return true;
}

// The document header and the font and colour tables.
bool CRtfReader::TableKeyword(RtfKeyword kw, bool hasParam, int param) {
    const bool inFonts = State().destination == RtfDestination::FontTable;
    switch (kw) {
    case RtfKeyword::Ansi:
        m_ansiCodePage = CRtfCodePage::kWindowsWestern;
        break;
    case RtfKeyword::Mac:
        m_ansiCodePage = 10000;
        break;
    case RtfKeyword::Pc:
        m_ansiCodePage = 437;
        break;
    case RtfKeyword::Pca:
        m_ansiCodePage = 850;
        break;
    case RtfKeyword::AnsiCpg:
        m_ansiCodePage = param > 0 ? param : CRtfCodePage::kWindowsWestern;
        break;
    case RtfKeyword::Deff:
        m_defaultFont = param;
        break;
    case RtfKeyword::Uc:
        State().unicodeSkip = std::clamp(param, 0, kMaxUnicodeSkip);
        break;
    case RtfKeyword::Red:
    case RtfKeyword::Green:
    case RtfKeyword::Blue:
        m_rgb[int(kw) - int(RtfKeyword::Red)] = std::clamp(param, 0, 255);
        m_colorSet = true;
        break;
    case RtfKeyword::F:
        if (inFonts) {
            CommitFont();
            m_fontEntry = param;
            m_fonts[param];
        }
        break;
    case RtfKeyword::FCharset:
    case RtfKeyword::Cpg:
        if (inFonts && hasParam) {
            const int cp = kw == RtfKeyword::Cpg ? param : CRtfCodePage::FromCharset(param);
            m_fonts[m_fontEntry].codePage = cp;
        }
        break;
    default:
        return false;
    }
    return true;
}

void CRtfReader::Destination(RtfKeyword kw) {
    RtfGroupState& s = State();
    switch (kw) {
    case RtfKeyword::FontTable:
        s.destination = RtfDestination::FontTable;
        break;
    case RtfKeyword::ColorTable:
        s.destination = RtfDestination::ColorTable;
        m_colors.clear();
        break;
    case RtfKeyword::Upr:
        s.destination = RtfDestination::Upr;
        break;
    case RtfKeyword::Ud:
        if (s.destination == RtfDestination::UprAnsi) {
            s.destination = RtfDestination::Text;
        }
        break;
    case RtfKeyword::SkipGroup:
        // A destination word only starts a destination at the head of a group; a stray
        // one at the top must not swallow the whole document.
        if (m_groups.size() > 1) {
            m_groups.pop_back();
            SkipGroup();
        }
        break;
    default:
        break;
    }
}

void CRtfReader::FontTableByte(char b) {
    if (b == ';') {
        CommitFont();
    } else if (m_fontName.size() < kMaxFontName) {
        m_fontName.append(b);
    }
}

void CRtfReader::CommitFont() {
    if (m_fontName.isEmpty()) {
        return;
    }
    Font& font = m_fonts[m_fontEntry];
    font.name =
        m_codePages.Decode(m_fontName, font.codePage ? font.codePage : m_ansiCodePage).trimmed();
    m_fontName.clear();
    m_formats.clear();
}

void CRtfReader::CommitColor() {
    if (m_colors.size() < kMaxColors) {
        m_colors.push_back(m_colorSet ? QColor(m_rgb[0], m_rgb[1], m_rgb[2]) : QColor());
    }
    m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
    m_colorSet = false;
    m_formats.clear();
}

int CRtfReader::CodePage() const {
    const int font = m_groups.back().chr.font >= 0 ? m_groups.back().chr.font : m_defaultFont;
    const auto it = m_fonts.find(font);
    return it != m_fonts.end() && it->second.codePage != 0 ? it->second.codePage : m_ansiCodePage;
}

void CRtfReader::FlushBytes() {
    if (!m_bytes.isEmpty()) {
        const QString text = m_codePages.Decode(m_bytes, CodePage());
        m_bytes.clear();
        AddText(text);
    }
}

void CRtfReader::AddText(QStringView text) {
    ResolveSurrogate();
    if (State().chr != m_runProps) {
        FlushRun();
        m_runProps = State().chr;
    }
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && !IsDocumentMark(text[end].unicode())) {
            ++end;
        }
        m_run.append(text.sliced(start, end - start));
        start = end + 1;
    }
}

void CRtfReader::AddChar(char16_t ch) {
    AddText(QStringView(&ch, 1));
}

// \u values are signed 16-bit UTF-16 units; a character beyond the first plane arrives as
// two of them. A half pair on its own becomes the replacement character.
void CRtfReader::AddUnicode(int code) {
    const char16_t unit = char16_t(code < 0 ? code + 0x10000 : code);
    if (QChar::isHighSurrogate(unit)) {
        ResolveSurrogate();
        m_highSurrogate = unit;
    } else if (QChar::isLowSurrogate(unit) && m_highSurrogate != 0) {
        const char16_t pair[2] = {m_highSurrogate, unit};
        m_highSurrogate = 0;
        AddText(QStringView(pair, 2));
    } else if (QChar::isLowSurrogate(unit)) {
        AddChar(QChar::ReplacementCharacter);
    } else {
        AddChar(unit);
    }
}

void CRtfReader::ResolveSurrogate() {
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        AddChar(QChar::ReplacementCharacter);
    }
}

void CRtfReader::FlushRun() {
    if (!m_run.isEmpty() && !m_runProps.hidden) {
        m_cursor.insertText(m_run, CharFormat(m_runProps));
    }
    m_run.clear();
}

// Paragraph properties in force at the paragraph mark apply to the whole paragraph.
void CRtfReader::EndParagraph() {
    ResolveSurrogate();
    FlushRun();
    m_cursor.setBlockFormat(BlockFormat(State().para));
    m_cursor.insertBlock(QTextBlockFormat(), CharFormat(State().chr));
}

void CRtfReader::Finish() {
    FlushBytes();
    ResolveSurrogate();
    FlushRun();
    m_cursor.setBlockFormat(BlockFormat(State().para));
    m_cursor.setBlockCharFormat(CharFormat(State().chr));
}

QTextCharFormat CRtfReader::CharFormat(const RtfCharProps& props) {
    for (const auto& [known, format] : m_formats) {
        if (known == props) {
            return format;
        }
    }
    QTextCharFormat f;
    f.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(props.italic);
    f.setFontUnderline(props.underline);
    f.setFontStrikeOut(props.strike);
    f.setFontPointSize(props.halfPoints / 2.0);
    const auto font = m_fonts.find(props.font >= 0 ? props.font : m_defaultFont);
    if (font != m_fonts.end() && !font->second.name.isEmpty()) {
        const QString& family = KeptFamily(font->second.name);
        f.setFontFamilies({family});
        // The document's format collection hashes a family list by its type alone, so
        // without a key each new font would be compared with every format made before it
        // and reading would grow with the square of the number of fonts.
        f.setProperty(kFamilyKey, family);
    }
    const auto color = [this](int index) {
        return index > 0 && size_t(index) < m_colors.size() ? m_colors[index] : QColor();
    };
    if (color(props.foreground).isValid()) {
        f.setForeground(color(props.foreground));
    }
    if (color(props.background).isValid()) {
        f.setBackground(color(props.background));
    }
    if (m_formats.size() >= 64) {
        m_formats.clear();
    }
    m_formats.emplace_back(props, f);
    return f;
}

// Beyond the bound a run keeps the font of the text before it.
const QString& CRtfReader::KeptFamily(const QString& family) {
    if (m_families.contains(family) || m_families.size() < kMaxFamilies) {
        m_nearestFamily = *m_families.insert(family);
    }
    return m_nearestFamily;
}

QTextBlockFormat CRtfReader::BlockFormat(const RtfParaProps& props) const {
    QTextBlockFormat f;
    f.setAlignment(props.alignment);
    f.setLeftMargin(props.leftTwips / kTwipsPerPixel);
    f.setRightMargin(props.rightTwips / kTwipsPerPixel);
    f.setTextIndent(props.firstTwips / kTwipsPerPixel);
    return f;
}
