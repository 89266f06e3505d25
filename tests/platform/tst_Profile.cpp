#include "platform/profile/Profile.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The settings store: every read has its default, values written come back, and they live
// in the settings file of the chosen branch.
class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void defaultsWhenNothingIsStored() {
        QCOMPARE(CProfile::GetProfileString("Location", "DataBase", "Tolvar.Doc"),
                 QString("Tolvar.Doc"));
        QCOMPARE(CProfile::GetProfileInt("Bellen", "Compoort", 1), 1);
        QCOMPARE(CProfile::GetProfileString("Bellen", "Voorloop", ""), QString(""));
        QCOMPARE(CProfile::GetProfileString("Geluiden", "Kalender"), QString());
    }

    void valuesRoundTripInTheBranchFile() {
        CProfile::SetRegistryKey("Merivon");
        QVERIFY(CProfile::WriteProfileInt("Bellen", "Compoort", 3));
        QVERIFY(CProfile::WriteProfileString("Bellen", "Voorloop", "0,"));
        QVERIFY(CProfile::WriteProfileString("Geluiden", "Kalender", "/home/wim/alarm één.wav"));
        QCOMPARE(CProfile::GetProfileInt("Bellen", "Compoort", 1), 3);
        QCOMPARE(CProfile::GetProfileString("Bellen", "Voorloop", ""), QString("0,"));
        QCOMPARE(CProfile::GetProfileString("Geluiden", "Kalender", ""),
                 QString("/home/wim/alarm één.wav"));
        const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Merivon/Tolvar.conf";
        QVERIFY(QFile::exists(file));
    }

    void textWhereANumberIsExpectedGivesTheDefault() {
        QVERIFY(CProfile::WriteProfileString("Bellen", "Compoort", "twee"));
        QCOMPARE(CProfile::GetProfileInt("Bellen", "Compoort", 1), 1);
    }
};

TOLVAR_TEST(TestProfile);
#include "tst_Profile.moc"
