#include "platform/dao/OleDateTime.h"
#include "support/TestRegistry.h"

#include <QTest>

// The OLE date: days since 30 December 1899 with the time as fraction, null and invalid
// values, and its storage and display texts.
class TestDaoOleDateTime : public QObject {
    Q_OBJECT

private slots:
    void knownDays_data() {
        QTest::addColumn<double>("ole");
        QTest::addColumn<QDateTime>("moment");
        QTest::newRow("day zero") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        QTest::newRow("1900-01-01") << 2.0 << QDateTime(QDate(1900, 1, 1), QTime(0, 0));
        QTest::newRow("noon") << 36526.5 << QDateTime(QDate(2000, 1, 1), QTime(12, 0));
        QTest::newRow("before day zero") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
        QTest::newRow("leap day") << 45351.75 << QDateTime(QDate(2024, 2, 29), QTime(18, 0));
    }
    void knownDays() {
        QFETCH(double, ole);
        QFETCH(QDateTime, moment);
        QCOMPARE(COleDateTime(ole).ToQDateTime(), moment);
        QCOMPARE(COleDateTime(moment).m_dt, ole);
    }

    void secondsSurviveTheRoundTrip() {
        const COleDateTime dt(2023, 12, 31, 23, 59, 59);
        QCOMPARE(dt.GetSecond(), 59);
        QCOMPARE(dt.ToStorageText(), QString("2023-12-31 23:59:59"));
        QCOMPARE(COleDateTime::FromStorageText(dt.ToStorageText()), dt);
        const COleDateTime early(1850, 6, 1, 7, 30, 15);
        QVERIFY(early.m_dt < 0);
        QCOMPARE(COleDateTime::FromStorageText(early.ToStorageText()), early);
        QCOMPARE(early.GetMinute(), 30);
    }

    void nullAndInvalid() {
        const COleDateTime null = COleDateTime::Null();
        QVERIFY(null.IsNull());
        QCOMPARE(null.Format(), QString());
        QCOMPARE(null.ToStorageText(), QString());
        COleDateTime bad;
        QCOMPARE(bad.SetDate(2023, 2, 30), 1);
        QCOMPARE(bad.GetStatus(), COleDateTime::invalid);
        QCOMPARE(bad.Format(), QString());
        QCOMPARE(COleDateTime::FromStorageText("gisteren").GetStatus(), COleDateTime::invalid);
        QCOMPARE(COleDateTime(QDateTime()).GetStatus(), COleDateTime::invalid);
        QVERIFY(COleDateTime() != null);
        QCOMPARE(COleDateTime().GetStatus(), COleDateTime::valid);
    }

    void dutchTexts() {
        const COleDateTime dt(2024, 3, 5, 9, 7, 0);
        QCOMPARE(dt.Format(COleDateTime::VAR_DATEVALUEONLY), QString("05-03-2024"));
        QCOMPARE(dt.Format(COleDateTime::VAR_TIMEVALUEONLY), QString("09:07:00"));
        QCOMPARE(dt.Format(), QString("05-03-2024 09:07:00"));
        QCOMPARE(COleDateTime(2024, 3, 5, 0, 0, 0).Format(), QString("05-03-2024"));
    }
};

TOLVAR_TEST(TestDaoOleDateTime);
#include "tst_DaoOleDateTime.moc"
