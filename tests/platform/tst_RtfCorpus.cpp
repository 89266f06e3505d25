#include "platform/rtf/Rtf.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString CorpusFolder() {
    return QStringLiteral(TOLVAR_TEST_DATA_DIR "/rtf");
}

QByteArray CorpusFile(const QString& name) {
    QFile file(CorpusFolder() + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList CorpusFiles() {
    return QDir(CorpusFolder()).entryList({"*.rtf"}, QDir::Files, QDir::Name);
}

// The text as the corpus notes write it: \n ends a paragraph, <line> is a soft break.
QString NotedText(const QTextDocument& doc) {
    QString text = doc.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, QStringLiteral("<line>"));
    return text;
}

// Reading must stay within a fixed share of the input: no byte yields more than one
// UTF-16 unit, plus the closing paragraph mark of the document.
bool ReadBounded(const QByteArray& rtf, QTextDocument* doc) {
    doc->clear();
    const bool read = ReadRtf(rtf, doc);
    return doc->characterCount() <= rtf.size() + 1 ? read : false;
}

} // namespace

class TestRtfCorpus : public QObject {
    Q_OBJECT
private slots:
    // The corpus travels with the project, and each file says where it comes from.
    void initTestCase() {
        const QString root = QDir(QStringLiteral(TOLVAR_SOURCE_DIR)).canonicalPath() + '/';
        const QString folder = QDir(CorpusFolder()).canonicalPath();
        QVERIFY2(folder.startsWith(root), qPrintable(folder));
        QVERIFY2(CorpusFiles().size() >= 20, qPrintable(CorpusFolder()));
        const QByteArray sources = CorpusFile("SOURCES.md");
        for (const QString& file : CorpusFiles())
            QVERIFY2(sources.contains(("| `" + file + "` (").toUtf8()), qPrintable(file));
    }

    void readsTheNotedText_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* file, const QString& text) {
            QTest::newRow(file) << QString::fromLatin1(file) << text;
        };
        row("richedit-msftedit-paragraph-alignment.rtf",
            "This is a simple five paragraph document.\nThis is the second paragraph with "
            "a<line>line break and it is centered.\nThis is the third paragraph.\nThis is the "
            "fourth paragraph and it is right aligned.\nAnd this paragraph is left aligned "
            "again.\n");
        row("richedit-riched20-colors-highlight.rtf",
            "\nNormal Line 1\nNormal Line 2\nColored Line\nHighlighted Line\nColored & "
            "Highlighted Line\n");
        row("richedit-riched20-accents-surrogates.rtf",
            QString::fromUtf8("Iñtërnâtiônàlizætiøn☃💩\n"));
        row("richedit-msftedit-hyperlink-field.rtf",
            "This is a document with<line>a hyperlink to this project.\nAnd an unsafe link "
            "link in a paragraph that should be centered.\nAnd this last paragraph should be "
            "left-aligned again.\n");
        row("richedit-riched20-bullet-numbered-list.rtf",
            QString::fromUtf8("Paragraph\n•\tBullet\n•\tBullet 2\nParagraph 2\n1.\tList "
                              "1\n2.\tList 2\n"));
        row("richedit-riched20-wmf-pictures.rtf", "\n\n\n\n\n");
        row("richedit-msftedit-polish-ansicpg1250.rtf",
            QString::fromUtf8("zażółć gęślą jaźń\nZAŻÓŁĆ GĘŚLĄ JAŹŃ\n\n"));
        row("word2002-hello-world.rtf", QString::fromUtf8("Hello world in {RTF}…\n\n"));
        row("word-uc2-unicode-fallback.rtf", QString::fromUtf8("0 年 abc 念"));
        row("word97-object-pict-bin.rtf", "");
        row("textedit-mac-line-breaks.rtf", "A\nB\nC\n");
        row("libreoffice-unicode-hex-fallback.rtf", QString::fromUtf8("柔道\n"));
        row("malformed-truncated-unclosed-groups.rtf", QString::fromUtf8("Hello world in {RTF}…"));
        row("malformed-extra-closing-brace.rtf", QString::fromUtf8("Hello world in {RTF}…\n\n"));
        row("malformed-unpaired-surrogates.rtf",
            QString::fromUtf8("Unpaired hi \uFFFD here Unpaired lo \uFFFD here Mismatched pair "
                              "\uFFFD\uFFFD here "));
        row("txtextcontrol-formatting-showcase.rtf",
            "Hellou RTF World\n\nwith some symbols: \"abc\"\n\nand some bold, italic, "
            "underlined and strikethrough text\n\nsome nested styles: bold, italic, "
            "underlined, normal\n\nsome combined styles: bold+italic+underlined vs. "
            "normal\n\nand further: bold, bold+italic, bold+underlined, normal\n\ndifferent "
            "ways: [A] == [A] == [A] == [A]\nmore unicode: Unicode: " +
                QString::fromUtf8("[Γ] - ANSI-fallback: [G]\nsame but different: \"[Γ]\"\n\n") +
                "something to ignore: visible.\n");
        // Each \cell ends its cell with a tab, the last one of a row too, as the larger
        // table in the corpus is noted; this smaller one is noted without that last tab.
        row("richedit-msftedit-table-umlauts.rtf",
            QString::fromUtf8("a\tb\t\nc\td\t\nä\të\t\nö\tü\t\n\n"));
    }

    void readsTheNotedText() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QTextDocument doc;
        QVERIFY(ReadRtf(CorpusFile(file), &doc));
        QCOMPARE(NotedText(doc), text);
    }

    void readsTheNotedStartOfLongFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("inside");
        QTest::addColumn<QString>("end");
        QTest::newRow("french") << "richedit-memo-french-accents.rtf"
                                << QString::fromUtf8(" Histoire naturelle générale et "
                                                     "particulière des crustacés et des "
                                                     "insectes. Ouvrage faisant")
                                << QString::fromUtf8("rédigé par C. S. Sonnini")
                                << "[Complete for the Arthropoda].\n";
        QTest::newRow("czech") << "wordpad-msftedit-czech-fcharset238.rtf"
                               << QString::fromUtf8("Článek týdne\nČást svitku s textem "
                                                    "Knihy Izajáš\nSvitky od Mrtvého moře "
                                                    "jsou starověké židovské")
                               << QString::fromUtf8("starověké židovské náboženské texty")
                               << QString::fromUtf8("letopočtu.\n");
        QTest::newRow("libreoffice")
            << "libreoffice-justified-table-list.rtf"
            << "Lorem ipsum \n\nLorem ipsum dolor sit amet, consectetur adipiscing elit. Nunc "
               "ac faucibus odio. \n"
            << "\n\tLorem ipsum\tLorem ipsum\tLorem ipsum\t\n1\tIn eleifend velit vitae "
               "libero sollicitudin euismod.\tLorem\t\t\n"
            << "\n";
    }

    void readsTheNotedStartOfLongFiles() {
        QFETCH(QString, file);
        QFETCH(QString, start);
        QFETCH(QString, inside);
        QFETCH(QString, end);
        QTextDocument doc;
        QVERIFY(ReadRtf(CorpusFile(file), &doc));
        const QString text = NotedText(doc);
        QVERIFY2(text.startsWith(start), qPrintable(text.left(200)));
        QVERIFY(text.contains(inside));
        QVERIFY(text.endsWith(end));
    }

    void keepsTheFormattingOfOtherWriters() {
        QTextDocument doc;
        QVERIFY(ReadRtf(CorpusFile("richedit-riched20-colors-highlight.rtf"), &doc));
        const auto formatOf = [&doc](const QString& word) {
            const QTextCursor found = doc.find(word);
            return found.charFormat();
        };
        QCOMPARE(formatOf("Colored Line").foreground().color(), QColor(0, 255, 0));
        QCOMPARE(formatOf("Highlighted Line").background().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf("Colored & Highlighted").foreground().color(), QColor(255, 255, 255));
        QCOMPARE(formatOf("Colored & Highlighted").background().color(), QColor(0, 0, 255));
        QCOMPARE(formatOf("Normal Line 1").fontFamilies().toStringList(),
                 QStringList{"Courier New"});

        QVERIFY(ReadRtf(CorpusFile("richedit-msftedit-paragraph-alignment.rtf"), &doc));
        QCOMPARE(doc.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(doc.findBlockByNumber(3).blockFormat().alignment(), Qt::AlignRight);
        QCOMPARE(doc.findBlockByNumber(4).blockFormat().alignment(), Qt::AlignLeft);
        QCOMPARE(doc.find("This is a simple").charFormat().fontPointSize(), 11.0);

        QVERIFY(ReadRtf(CorpusFile("txtextcontrol-formatting-showcase.rtf"), &doc));
        QVERIFY(doc.find("strikethrough").charFormat().fontStrikeOut());
        QVERIFY(doc.find("bold+underlined").charFormat().fontUnderline());
        QCOMPARE(doc.find("bold+underlined").charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(doc.find(", normal").charFormat().fontWeight(), int(QFont::Normal));
        QCOMPARE(doc.find("Hellou").charFormat().fontPointSize(), 18.0);
    }

    void writeReadWriteIsStable() {
        for (const QString& file : CorpusFiles()) {
            QTextDocument first;
            QVERIFY(ReadRtf(CorpusFile(file), &first));
            const QByteArray written = WriteRtf(first);
            QTextDocument second;
            QVERIFY(ReadRtf(written, &second));
            QCOMPARE(NotedText(second), NotedText(first));
            QVERIFY2(WriteRtf(second) == written, qPrintable(file));
        }
    }

    void everyCutOfEveryFileReads() {
        QTextDocument doc;
        for (const QString& file : CorpusFiles()) {
            const QByteArray rtf = CorpusFile(file);
            for (qsizetype cut = 0; cut <= rtf.size(); ++cut) {
                const bool complete = cut >= 5;
                QVERIFY2(ReadBounded(rtf.left(cut), &doc) == complete,
                         qPrintable(QString("%1 cut at %2").arg(file).arg(cut)));
            }
        }
    }

    void damagedBytesRead() {
        QRandomGenerator random(20240611);
        const QByteArray nasty = "{}\\'0u-9*\x00\xff";
        QTextDocument doc;
        for (const QString& file : CorpusFiles()) {
            const QByteArray rtf = CorpusFile(file);
            for (int round = 0; round < 150; ++round) {
                QByteArray damaged = rtf;
                const int flips = 1 + random.bounded(8);
                for (int i = 0; i < flips; ++i) {
                    const auto at = random.bounded(damaged.size());
                    damaged[at] = random.bounded(2) ? char(random.bounded(256))
                                                    : nasty[random.bounded(nasty.size())];
                }
                const bool stillRtf = damaged.startsWith("{\\rtf");
                QVERIFY2(ReadBounded(damaged, &doc) == stillRtf,
                         qPrintable(QString("%1 round %2").arg(file).arg(round)));
            }
        }
    }
};

TOLVAR_TEST(TestRtfCorpus);

#include "tst_RtfCorpus.moc"
