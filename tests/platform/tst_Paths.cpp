#include "platform/paths/Paths.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Drive paths and serial ports of the program on a Linux desktop.
class TestPaths : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QDir(CPaths::DosDevicesFolder()).removeRecursively(); }

    void driveWithoutLinkLivesInTheDataFolder() {
        const QString data = qEnvironmentVariable("XDG_DATA_HOME");
        QCOMPARE(CPaths::DataFolder(), data + "/tolvar");
        QCOMPARE(CPaths::ToLocalPath("C:\\Mijn documenten\\Projects\\tolvdata.mdb"),
                 data + "/tolvar/drive_c/Mijn documenten/Projects/tolvdata.mdb");
        QCOMPARE(CPaths::ToLocalPath("d:\\"), data + "/tolvar/drive_d");
    }

    void linuxAndRelativePathsPassUnchanged() {
        QCOMPARE(CPaths::ToLocalPath("/home/wim/Tolvar.Doc"), QString("/home/wim/Tolvar.Doc"));
        QCOMPARE(CPaths::ToLocalPath("Tolvar.Doc"), QString("Tolvar.Doc"));
        QCOMPARE(CPaths::ToLocalPath("data\\Tolvar.Doc"), QString("data/Tolvar.Doc"));
        QVERIFY(!CPaths::IsDrivePath("é:\\x"));
    }

    void linksChooseDrivesAndPorts() {
        QDir().mkpath(CPaths::DosDevicesFolder());
        QVERIFY(QFile::link("/srv/gedeeld", CPaths::DosDevicesFolder() + "/s:"));
        QVERIFY(QFile::link("/dev/pts/7", CPaths::DosDevicesFolder() + "/com2"));
        QCOMPARE(CPaths::ToLocalPath("S:\\Offertes\\a.doc"),
                 QString("/srv/gedeeld/Offertes/a.doc"));
        QCOMPARE(CPaths::ComPortDevice(2), QString("/dev/pts/7"));
        QCOMPARE(CPaths::ComPortDevice(1), QString("/dev/ttyS0"));
    }
};

TOLVAR_TEST(TestPaths);
#include "tst_Paths.moc"
