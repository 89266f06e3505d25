#include "TestRegistry.h"

#include "platform/dao/OleDateTime.h"

#include <ctime>
#include <QTest>

// Dates are calendar values: a time that does not exist on the local clock (the hour skipped
// when summer time starts) is still stored, shown and read back unchanged.
class OleDateTimeZoneTest : public QObject {
    Q_OBJECT

    QByteArray m_oldZone;

private slots:
    void init() {
        m_oldZone = qgetenv("TZ");
        qputenv("TZ", "Europe/Amsterdam");
        tzset();
    }

    void cleanup() {
        qputenv("TZ", m_oldZone);
        tzset();
    }

    void timeInTheSummerTimeGap() {
        const COleDateTime gap(2026, 3, 29, 2, 30, 0);
        QVERIFY(gap.IsValid());
        QCOMPARE(gap.GetHour(), 2);
        QCOMPARE(gap.GetMinute(), 30);
        QCOMPARE(gap.ToStorageText(), QStringLiteral("2026-03-29 02:30:00"));
        QCOMPARE(COleDateTime::FromStorageText(gap.ToStorageText()), gap);
        QVERIFY(gap.Format(COleDateTime::VAR_TIMEVALUEONLY).startsWith(QStringLiteral("02:30")));
        QVERIFY(!gap.Format(COleDateTime::VAR_DATEVALUEONLY).isEmpty());
    }
};

TOLVAR_TEST(OleDateTimeZoneTest);

#include "tst_OleDateTimeZone.moc"
