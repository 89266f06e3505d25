#include "platform/dao/TextCollation.h"
#include "support/TestRegistry.h"

#include <QTest>

// The sort key must order texts exactly as the collation the engine sorts with: a list sorted
// in the program and one sorted by the engine show the same order.
class TestTextCollation : public QObject {
    Q_OBJECT

private slots:
    void sortKeyOrdersAsTheCollation() {
        const QStringList texts = {"",
                                   "a",
                                   "A",
                                   QString::fromUtf8("á"),
                                   QString::fromUtf8("Á"),
                                   "ab",
                                   "aB",
                                   "Ab",
                                   QString::fromUtf8("äb"),
                                   "abc",
                                   "b",
                                   "e",
                                   "emile",
                                   "Emile",
                                   QString::fromUtf8("Émile"),
                                   QString::fromUtf8("émile"),
                                   QString::fromUtf8("emilé"),
                                   "Zeeman",
                                   "z",
                                   QString::fromUtf8("Straße"),
                                   "Strasse",
                                   "strasse",
                                   QString::fromUtf8("Ø"),
                                   "o",
                                   QString::fromUtf8("Œuvre"),
                                   QString::fromUtf8("İzmir"),
                                   QString::fromUtf8("ÿ"),
                                   QString::fromUtf8("Ÿ"),
                                   QString::fromUtf8("x\u0301"),
                                   QString::fromUtf8("中文"),
                                   QString::fromUtf8("\U0001F600"),
                                   "a b",
                                   "a-b",
                                   "a\tb",
                                   "0",
                                   "9",
                                   "10",
                                   "Jansen",
                                   "jansen",
                                   "Jansen BV",
                                   QString::fromUtf8("Jänsen"),
                                   "Jans"};
        for (const QString& a : texts) {
            for (const QString& b : texts) {
                const int nCollation = CTextCollation::Compare(a, b);
                const int nKey = CTextCollation::SortKey(a).compare(CTextCollation::SortKey(b));
                QVERIFY2((nCollation > 0) == (nKey > 0) && (nCollation < 0) == (nKey < 0),
                         qPrintable(QStringLiteral("%1 | %2").arg(a, b)));
            }
        }
    }
};

TOLVAR_TEST(TestTextCollation);
#include "tst_TextCollation.moc"
