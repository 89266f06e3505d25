#include "controls/ShortenText.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

namespace {

// Ten pixels per character and three per dot, so that the dots' width differs from the
// characters' and every expected cut can be worked out by hand.
int FixedWidth(const QString& text) {
    int width = 0;
    for (char32_t c : text.toUcs4()) {
        width += c == U'.' ? 3 : 10;
    }
    return width;
}

} // namespace

class ShortenTextTest : public QObject {
    Q_OBJECT
private slots:
    void cuts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("allowance");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "" << 0 << 4 << "";
        QTest::newRow("fits exactly with allowance") << "abcdefghij" << 104 << 4 << "abcdefghij";
        QTest::newRow("one pixel short") << "abcdefghij" << 103 << 4 << "abcdefghi...";
        QTest::newRow("label") << "abcdefghij" << 50 << 4 << "abc...";
        QTest::newRow("sub-item allowance") << "abcdef" << 70 << 12 << "abcd...";
        QTest::newRow("sub-item fits") << "abcdef" << 72 << 12 << "abcdef";
        QTest::newRow("keeps one character") << "abcdef" << 0 << 4 << "a...";
        QTest::newRow("single character") << "x" << 5 << 4 << "x...";
        QTest::newRow("two characters") << "xy" << 23 << 4 << "x...";
        QTest::newRow("emoji kept whole") << QString::fromUtf8("ab\U0001F600cd") << 43 << 4
                                          << QString::fromUtf8("ab\U0001F600...");
        QTest::newRow("emoji not split")
            << QString::fromUtf8("ab\U0001F600cd") << 42 << 4 << "ab...";
        QTest::newRow("lone emoji")
            << QString::fromUtf8("\U0001F600") << 0 << 4 << QString::fromUtf8("\U0001F600...");
    }
    void cuts() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, allowance);
        QFETCH(QString, shown);
        QCOMPARE(ShortenText(text, width, allowance, FixedWidth), shown);
    }

    // A text that fits costs one measurement; one that does not costs one more for the dots
    // and one per cut tried.
    void measuresOnlyWhatItNeeds() {
        int calls = 0;
        const TextWidthFn counting = [&calls](const QString& s) {
            ++calls;
            return FixedWidth(s);
        };
        ShortenText("abcdefghij", 200, 4, counting);
        QCOMPARE(calls, 1);
        calls = 0;
        ShortenText("abcdefghij", 50, 4, counting);
        QCOMPARE(calls, 1 + 1 + 7);
        calls = 0;
        ShortenText("", 0, 4, counting);
        QCOMPARE(calls, 0);
    }

    void fitsWithARealFont() {
        const QFontMetrics metrics(QApplication::font());
        const TextWidthFn width = [&metrics](const QString& s) {
            return metrics.horizontalAdvance(s);
        };
        const QString text = "Offerte voor de verbouwing van het kantoor aan de Dorpsstraat";
        for (int available = 0; available < width(text) + 20; available += 7) {
            const QString shown = ShortenText(text, available, 12, width);
            if (shown == text) {
                QVERIFY(width(text) + 12 <= available);
                continue;
            }
            QVERIFY(shown.endsWith("..."));
            const QString kept = shown.chopped(3);
            QVERIFY(text.startsWith(kept));
            QVERIFY(kept.size() == 1 || width(kept) + width("...") + 12 <= available);
            // One more character would not have fitted.
            QVERIFY(width(text.left(kept.size() + 1)) + width("...") + 12 > available);
        }
    }
};

TOLVAR_TEST(ShortenTextTest);

#include "tst_ShortenText.moc"
