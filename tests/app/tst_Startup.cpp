#include "ModalDriver.h"
#include "PaneRows.h"
#include "support/BestandVraag.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "platform/paths/Paths.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/View.h"
#include "res/Resource.h"
#include "store/DatabasePath.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool MakeDemo(const QString& path, int relations) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    return QProcess::execute(QStringLiteral(TOLVAR_NEWDB),
                             {QStringLiteral("--demo"), QString::number(relations), path}) == 0;
}

QString IntegrityOf(const QString& path) {
    return BestandRijen(path, QStringLiteral("PRAGMA integrity_check")).value(0);
}

} // namespace

// The program's real start-up on a demo database, in this process and as its own binary.
class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsFilledAndEndsThroughEinde() {
        TestDatabase db;
        QFile::remove(db.Path());
        QVERIFY(MakeDemo(db.Path(), 30));
        QVERIFY(MakeDemo(db.AppointmentPath(), 1));
        CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"),
                                     db.Path());

        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        CMainFrame* frame = app.GetMainWnd();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QVERIFY(RowsIn(frame->GetPaneView(0)) > 0);
        QVERIFY(RowsIn(frame->GetPaneView(1)) > 0);
        QVERIFY(RowsIn(frame->GetPaneView(2)) > 0);

        QVERIFY(frame->Router()->Execute(ID_APP_EXIT));
        QTRY_VERIFY(!frame->isVisible());
    }

    // The path written by hand is used as written; an empty one stops with one Dutch box
    // that says which setting in which file.
    void databasePathAsWrittenInTheSettingsFile() {
        TestDatabase db;
        const QString path = db.Folder() + QStringLiteral("/Mijn data, oud/Tolvar.Doc");
        QVERIFY(MakeDemo(path, 3));
        QFile settings(CProfile::FileName());
        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write("[LOCATION]\ndatabase=" + path.toUtf8() + "\n");
        settings.close();
        {
            CTolvarApp app(StandardViews());
            QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
            QCOMPARE(g_strDatabasePath, path);
            QVERIFY(RowsIn(app.GetMainWnd()->GetPaneView(0)) > 0);
        }

        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write("[Location]\nDataBase=  \n");
        settings.close();
        MessageBoxLog().clear();
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        CTolvarApp app(StandardViews());
        QVERIFY(!app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        const QString text = MessageBoxLog().front().text;
        QVERIFY2(text.contains(QStringLiteral("\"DataBase\"")) &&
                     text.contains(QStringLiteral(" is leeg")) &&
                     text.contains(CProfile::FileName()),
                 qPrintable(text));
        QCOMPARE(driver.Unexpected(), 0);
    }

    void binaryRunsAndEndsOnSigterm() {
        QTemporaryDir home;
        const QString data = home.filePath(QStringLiteral("data"));
        const QString work = home.filePath(QStringLiteral("work"));
        QVERIFY(MakeDemo(work + QStringLiteral("/Tolvar.Doc"), 40));
        QVERIFY(MakeDemo(
            data + QStringLiteral("/tolvar/drive_c/Mijn documenten/Projects/tolvdata.mdb"), 1));

        QProcess tolvar;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), data);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        tolvar.setProcessEnvironment(env);
        tolvar.setWorkingDirectory(work);
        tolvar.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tolvar.start(QStringLiteral(TOLVAR_BINARY), {QStringLiteral("/nologo")});
        QVERIFY(tolvar.waitForStarted(5000));
        QVERIFY(!tolvar.waitForFinished(3000)); // it keeps running
        QCOMPARE(tolvar.state(), QProcess::Running);
        tolvar.terminate();
        QVERIFY(tolvar.waitForFinished(10000));
        QCOMPARE(tolvar.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tolvar.exitCode(), 0);
        QCOMPARE(IntegrityOf(work + QStringLiteral("/Tolvar.Doc")), QStringLiteral("ok"));
    }
};

TOLVAR_TEST(StartupTest);

#include "tst_Startup.moc"
