#include "platform/rtf/Rtf.h"
#include "support/TestRegistry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextCharFormat Plain() {
    QTextCharFormat f;
    f.setFontFamilies({"Arial"});
    f.setFontPointSize(10);
    return f;
}

// A memo with one run of each kind of formatting and one paragraph of each alignment.
void FillFormatted(QTextDocument* doc) {
    QTextCursor c(doc);
    c.insertText("plain ", Plain());
    QTextCharFormat f = Plain();
    f.setFontWeight(QFont::Bold);
    c.insertText("bold ", f);
    f = Plain();
    f.setFontItalic(true);
    c.insertText("italic ", f);
    f = Plain();
    f.setFontUnderline(true);
    c.insertText("underline ", f);
    f = Plain();
    f.setFontStrikeOut(true);
    c.insertText("strike ", f);
    f = Plain();
    f.setFontPointSize(14.5);
    c.insertText("large ", f);
    f = Plain();
    f.setForeground(QColor(200, 10, 20));
    f.setBackground(QColor(255, 255, 0));
    c.insertText("coloured ", f);
    f = Plain();
    f.setFontFamilies({"Courier New"});
    c.insertText("courier", f);
    const std::pair<Qt::Alignment, const char*> paragraphs[] = {
        {Qt::AlignHCenter, "centred"}, {Qt::AlignRight, "right"}, {Qt::AlignJustify, "justified"}};
    for (const auto& [alignment, text] : paragraphs) {
        QTextBlockFormat b;
        b.setAlignment(alignment);
        c.insertBlock(b, Plain());
        c.insertText(text, Plain());
    }
    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    indented.setRightMargin(24);
    indented.setTextIndent(-24);
    c.insertBlock(indented, Plain());
    c.insertText("indented", Plain());
}

QTextCharFormat FormatOf(const QTextDocument& doc, const QString& text) {
    const QTextCursor found = doc.find(text);
    return found.isNull() ? QTextCharFormat() : found.charFormat();
}

QString RawText(const QTextDocument& doc) {
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QByteArray RoundTrip(const QString& text) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(text, Plain());
    return WriteRtf(doc);
}

} // namespace

class TestRtfRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void formattingSurvives() {
        QTextDocument original;
        FillFormatted(&original);
        QTextDocument doc;
        QVERIFY(ReadRtf(WriteRtf(original), &doc));
        QCOMPARE(RawText(doc), RawText(original));
        QCOMPARE(FormatOf(doc, "bold").fontWeight(), int(QFont::Bold));
        QCOMPARE(FormatOf(doc, "plain").fontWeight(), int(QFont::Normal));
        QVERIFY(FormatOf(doc, "italic").fontItalic());
        QVERIFY(!FormatOf(doc, "bold").fontItalic());
        QVERIFY(FormatOf(doc, "underline").fontUnderline());
        QVERIFY(FormatOf(doc, "strike").fontStrikeOut());
        QCOMPARE(FormatOf(doc, "large").fontPointSize(), 14.5);
        QCOMPARE(FormatOf(doc, "plain").fontPointSize(), 10.0);
        QCOMPARE(FormatOf(doc, "coloured").foreground().color(), QColor(200, 10, 20));
        QCOMPARE(FormatOf(doc, "coloured").background().color(), QColor(255, 255, 0));
        QCOMPARE(FormatOf(doc, "plain").background().style(), Qt::NoBrush);
        QCOMPARE(FormatOf(doc, "courier").fontFamilies().toStringList(),
                 QStringList{"Courier New"});
        QCOMPARE(FormatOf(doc, "plain").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(doc.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignLeft);
        QCOMPARE(doc.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(doc.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignRight);
        QCOMPARE(doc.findBlockByNumber(3).blockFormat().alignment(), Qt::AlignJustify);
        const QTextBlockFormat indented = doc.findBlockByNumber(4).blockFormat();
        QCOMPARE(indented.leftMargin(), 48.0);
        QCOMPARE(indented.rightMargin(), 24.0);
        QCOMPARE(indented.textIndent(), -24.0);
    }

    void writesWhatARichEditControlWrites() {
        QTextDocument doc;
        FillFormatted(&doc);
        const QByteArray rtf = WriteRtf(doc);
        QVERIFY(rtf.startsWith(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 "
            "Arial;}{\\f1\\fnil\\fcharset0 Courier New;}}\r\n"
            "{\\colortbl ;\\red200\\green10\\blue20;\\red255\\green255\\blue0;}"
            "\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 plain \\b bold \\b0\\i italic \\i0\\ul underline "
            "\\ulnone\\strike strike \\fs29\\strike0 large \\fs20"));
        QVERIFY(rtf.contains("\\cf1\\highlight2 coloured \\f1\\cf0\\highlight0 courier\\par\r\n"));
        QVERIFY(rtf.contains("\\pard\\qc\\f0 centred\\par\r\n\\pard\\qr right"));
        QVERIFY(rtf.contains("\\pard\\li720\\ri360\\fi-360 indented"));
        QVERIFY(rtf.endsWith("}\r\n"));
        QCOMPARE(rtf.count('{'), rtf.count('}'));
    }

    void escapesAndBreaks() {
        const QByteArray rtf = RoundTrip(QString("a\\b{c}\td") + QChar::LineSeparator + "e");
        QVERIFY(rtf.contains(" a\\\\b\\{c\\}\\tab d\\line e"));
        QTextDocument doc;
        QVERIFY(ReadRtf(rtf, &doc));
        QCOMPARE(doc.toRawText(), QString("a\\b{c}\td") + QChar::LineSeparator + "e");
    }

    // An object mark or a frame mark in the RTF is no text: the text read is the text that a
    // save writes and the next read gives back.
    void documentMarksAreNoText() {
        QTextDocument doc;
        QVERIFY(ReadRtf("{\\rtf1 a\\u-4?b\\u-560?\\u-559?c\\uc0\\u65532 d\\par e}", &doc));
        QCOMPARE(RawText(doc), QString("abcd\ne"));
        const QByteArray saved = WriteRtf(doc);
        QTextDocument again;
        QVERIFY(ReadRtf(saved, &again));
        QCOMPARE(RawText(again), RawText(doc));
        QCOMPARE(WriteRtf(again), saved);
    }

    // The first 256 fonts a memo uses are kept, through a save as well; beyond them a run
    // keeps the font of the text before it, so the editor never lays out thousands.
    void fontsAreKeptUpToABound() {
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
        QByteArray body;
        for (int n = 0; n < 3000; ++n) {
            rtf += "{\\f" + QByteArray::number(n) + " Letter " + QByteArray::number(n) + ";}";
            body += "\\f" + QByteArray::number(n) + " w" + QByteArray::number(n) + ' ';
        }
        QTextDocument doc;
        QVERIFY(ReadRtf(rtf + "}" + body + "\\f7 zeven}", &doc));
        QTextDocument again;
        QVERIFY(ReadRtf(WriteRtf(doc), &again));
        const std::pair<const char*, const char*> expected[] = {{"w0 ", "Letter 0"},
                                                                {"w255 ", "Letter 255"},
                                                                {"w256 ", "Letter 255"},
                                                                {"w2999 ", "Letter 255"},
                                                                {"zeven", "Letter 7"}};
        for (const auto& [word, family] : expected) {
            QCOMPARE(FormatOf(doc, word).fontFamilies().toStringList(), QStringList{family});
            QCOMPARE(FormatOf(again, word).fontFamilies().toStringList(), QStringList{family});
        }
    }

    void lettersSurvive_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("dutch") << QString::fromUtf8("Één café, ruïne, coördinatie, geëerd, "
                                                    "à la carte €")
                               << QByteArray("\\'c9\\'e9n caf\\'e9, ru\\'efne, co\\'f6rdinatie, "
                                             "ge\\'eberd, \\'e0 la carte \\'80");
        QTest::newRow("polish") << QString::fromUtf8("łódź") << QByteArray("\\u322?\\'f3d\\u378?");
        QTest::newRow("greek") << QString::fromUtf8("Ω=1") << QByteArray("\\u937?=1");
        QTest::newRow("astral") << QString::fromUtf8("x💩y") << QByteArray("x\\u-10179?\\u-9047?y");
    }

    void lettersSurvive() {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        const QByteArray rtf = RoundTrip(text);
        QVERIFY2(rtf.contains(written), rtf.constData());
        QTextDocument doc;
        QVERIFY(ReadRtf(rtf, &doc));
        QCOMPARE(doc.toRawText(), text);
        QCOMPARE(WriteRtf(doc), rtf);
    }

    void emptyMemoIsStable() {
        QTextDocument empty;
        const QByteArray rtf = WriteRtf(empty);
        QTextDocument doc;
        QVERIFY(ReadRtf(rtf, &doc));
        QVERIFY(doc.isEmpty());
        QCOMPARE(WriteRtf(doc), rtf);
    }

    void onlyNonRtfIsRefused() {
        QTextDocument doc;
        QTextCursor(&doc).insertText("keep");
        QVERIFY(!ReadRtf("Gewone tekst", &doc));
        QVERIFY(!ReadRtf("", &doc));
        QVERIFY(!ReadRtf("{\\rt", &doc));
        QCOMPARE(doc.toPlainText(), QString("keep"));
        QVERIFY(ReadRtf(" \r\n{\\rtf1 x}", &doc));
        QCOMPARE(doc.toPlainText(), QString("x"));
        QVERIFY(ReadRtf("{\\rtf", &doc));
        QVERIFY(doc.isEmpty());
    }

    void hostileInputStaysBounded() {
        QTextDocument doc;
        const QByteArray deep =
            "{\\rtf1 a" + QByteArray(100000, '{') + "b" + QByteArray(100000, '}') + "c}";
        QVERIFY(ReadRtf(deep, &doc));
        QVERIFY(doc.toPlainText().startsWith("a"));
        QVERIFY(ReadRtf("{\\rtf1 " + QByteArray(200000, '{'), &doc));
        QVERIFY(ReadRtf("{\\rtf1\\bin99999999999999999999 x}", &doc));
        QVERIFY(ReadRtf("{\\rtf1\\uc99999999999\\u99999999999 x\\fs-5 y\\f-99999999999 z"
                        "\\li99999999999999 \\cf9999999 q\\'\\'z\\'}",
                        &doc));
        QVERIFY(doc.characterCount() < 20);
        QVERIFY(ReadRtf("{\\rtf1{\\colortbl" + QByteArray(100000, ';') + "}\\cf99999 x}", &doc));
        QCOMPARE(doc.toPlainText(), QString("x"));
        QVERIFY(ReadRtf("{\\rtf1 " + QByteArray(5000, 'w').prepend('\\') + " x}", &doc));
        QCOMPARE(doc.toPlainText(), QString("x"));
    }

    void pictureDataAndBinaryNeverShow() {
        QTextDocument doc;
        QVERIFY(ReadRtf("{\\rtf1 a{\\pict\\wmetafile8 0123abcdef{\\*\\picprop x}}b"
                        "{\\object{\\objdata \\bin3 }}}c}d}",
                        &doc));
        QCOMPARE(doc.toPlainText(), QString("ab"));
        QVERIFY(
            ReadRtf("{\\rtf1 a{\\*\\unknown {\\b x}}b{\\info{\\title t}}c\\v hidden\\v0 d}", &doc));
        QCOMPARE(doc.toPlainText(), QString("abcd"));
    }

    void unrtfReadsOurOutput() {
        const QString unrtf = QStandardPaths::findExecutable("unrtf");
        if (unrtf.isEmpty()) {
            QSKIP("unrtf is not installed (Debian package unrtf); our output was not checked "
                  "against another reader");
        }
        QTextDocument doc;
        FillFormatted(&doc);
        QTextCursor c(&doc);
        c.movePosition(QTextCursor::End);
        c.insertBlock();
        c.insertText(QString::fromUtf8("Één café {x} \\ 5 łΩ💩 end"), Plain());
        QTemporaryDir dir;
        QFile file(dir.filePath("memo.rtf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(WriteRtf(doc));
        file.close();
        QProcess process;
        process.start(unrtf, {"--text", file.fileName()});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        // The text mode of unrtf passes cp1252 bytes through and shows each \u fallback;
        // it has no euro sign, so the memo here has none.
        QString text = QStringDecoder("windows-1252").decode(process.readAllStandardOutput());
        text = text.mid(text.indexOf("-----------------\n") + 18).simplified();
        QCOMPARE(text, QString::fromUtf8("plain bold italic underline strike large coloured "
                                         "courier centred right justified indented Één café {x} "
                                         "\\ 5 ???? end"));
    }
};

TOLVAR_TEST(TestRtfRoundTrip);

#include "tst_RtfRoundTrip.moc"
