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

    // A file written by hand or by an older version: every value is the text as written.
    void readsValuesAsWrittenByHand() {
        WriteSettings(
            "\xEF\xBB\xBF; met de hand\r\n[location]\r\n"
            "  database =  C:\\Mijn documenten\\Projects\\ander, oud.mdb \r\n"
            "[Bellen]\nCompoort=3\nVoorloop=\"0, \"\n[GELUIDEN]\n"
            "kalender=/home/wim/alarm \xC3\xA9\xC3\xA9n.wav\n[Location]\nDataBase=tweede\n");
        QCOMPARE(CProfile::GetProfileString("Location", "DataBase"),
                 QString("C:\\Mijn documenten\\Projects\\ander, oud.mdb"));
        QCOMPARE(CProfile::GetProfileInt("Bellen", "Compoort", 1), 3);
        QCOMPARE(CProfile::GetProfileString("Bellen", "Voorloop"), QString("0, "));
        QCOMPARE(CProfile::GetProfileString("Geluiden", "Kalender"),
                 QString::fromUtf8("/home/wim/alarm \xC3\xA9\xC3\xA9n.wav"));
        QCOMPARE(CProfile::GetProfileString("Bellen", "DataBase", "geen"), QString("geen"));

        // An editor of the Western code page rather than UTF-8; an empty value stays empty.
        WriteSettings("[Location]\nDataBase=D:\\caf\xE9\\x.mdb\n[Geluiden]\nKalender=\n");
        QCOMPARE(CProfile::GetProfileString("Location", "DataBase"),
                 QString::fromUtf8("D:\\caf\xC3\xA9\\x.mdb"));
        QCOMPARE(CProfile::GetProfileString("Geluiden", "Kalender", "standaard"), QString(""));
    }

    // Writing changes one line and keeps the rest of the file, names spelled as they were.
    void writesKeepTheRestOfTheFile() {
        WriteSettings("; met de hand\n[location]\ndatabase=oud.mdb\n\n[Bellen]\nCompoort=2\n");
        QVERIFY(CProfile::WriteProfileString("Location", "DataBase", "C:\\Mijn map\\a,b.mdb"));
        QVERIFY(CProfile::WriteProfileString("Bellen", "Voorloop", " 0,"));
        QVERIFY(CProfile::WriteProfileString("Bellen", "Naam", "\"x\""));
        QVERIFY(CProfile::WriteProfileInt("Nieuw", "Getal", -4));
        QVERIFY(!CProfile::WriteProfileString("Bellen", "Voorloop", "twee\nregels"));
        QCOMPARE(ReadSettings(), QByteArray("; met de hand\n[location]\n"
                                            "database=C:\\Mijn map\\a,b.mdb\n\n[Bellen]\n"
                                            "Compoort=2\nVoorloop=\" 0,\"\nNaam=\"\"x\"\"\n\n"
                                            "[Nieuw]\nGetal=-4\n"));
        QCOMPARE(CProfile::GetProfileString("Location", "DataBase"),
                 QString("C:\\Mijn map\\a,b.mdb"));
        QCOMPARE(CProfile::GetProfileString("Bellen", "Voorloop"), QString(" 0,"));
        QCOMPARE(CProfile::GetProfileString("Bellen", "Naam"), QString("\"x\""));
        QCOMPARE(CProfile::GetProfileInt("nieuw", "getal", 0), -4);
    }

    void unreadableFileIsNotReplaced() {
        WriteSettings("[Bellen]\nCompoort=2\n");
        QFile::setPermissions(CProfile::FileName(), QFileDevice::WriteOwner);
        if (QFile(CProfile::FileName()).open(QIODevice::ReadOnly)) {
            QFile::setPermissions(CProfile::FileName(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QSKIP("file permissions do not bind the superuser");
        }
        QVERIFY(!CProfile::WriteProfileInt("Bellen", "Compoort", 5));
        QFile::setPermissions(CProfile::FileName(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(ReadSettings(), QByteArray("[Bellen]\nCompoort=2\n"));
    }

private:
    static void WriteSettings(const QByteArray& text) {
        QFile file(CProfile::FileName());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    static QByteArray ReadSettings() {
        QFile file(CProfile::FileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TOLVAR_TEST(TestProfile);
#include "tst_Profile.moc"
