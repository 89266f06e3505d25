#include "Heartbeat.h"
#include "LockHolder.h"
#include "ModalDriver.h"
#include "ReadOnlyFile.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/View.h"
#include "res/Resource.h"
#include "workspace/TolvarView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {

bool MakeDemo(const QString& path, int relations) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    return QProcess::execute(QStringLiteral(TOLVAR_NEWDB),
                             {QStringLiteral("--demo"), QString::number(relations), path}) == 0;
}

int RowsIn(CView* view) {
    const auto lists = view->findChildren<QAbstractItemView*>();
    int rows = 0;
    for (const QAbstractItemView* list : lists) {
        if (list->model()) {
            rows = std::max(rows, list->model()->rowCount());
        }
    }
    return rows;
}

QString IntegrityOf(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QString result;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

void UseDatabase(const TestDatabase& db) {
    CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"), db.Path());
}

QString Missing(const QString& path) {
    return CDaoException::KindSentence(DaoErrorKind::FileMissing, path) +
           QStringLiteral("\n\nMelding van de database: unable to open database file");
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

    // A file that cannot be used, or only read, is said once at start, in one box, however
    // many panes read it; the program starts all the same.
    void oneFailureOneBoxAtStart_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("database ontbreekt") << "database";
        QTest::newRow("beide ontbreken") << "beide";
        QTest::newRow("alleen-lezen") << "alleen-lezen";
    }
    void oneFailureOneBoxAtStart() {
        QFETCH(QString, fault);
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst) VALUES ('Alleen te lezen')");
        UseDatabase(db);
        QString expected = Missing(db.Path());
        if (fault == "beide") {
            QFile::remove(db.AppointmentPath());
            expected += "\n\n" + Missing(db.AppointmentPath());
        }
        if (fault == "alleen-lezen") {
            if (!MakeReadOnly(db.Path())) {
                QSKIP("This file system lets the superuser write every file.");
            }
            expected = CDaoException::KindSentence(DaoErrorKind::ReadOnly, db.Path());
        } else {
            QFile::remove(db.Path());
        }
        MessageBoxLog().clear();
        ModalDriver driver(500);
        driver.Queue([](QWidget* box) { AnswerMessageBox(box, IDOK); });
        {
            CTolvarApp app(StandardViews());
            const bool started = app.InitInstance({"tolvar", "/nologo"});
            QTest::qWait(1200); // the alarm watch has looked at its file again meanwhile
            MakeWritable(db.Path());
            QVERIFY(started);
            QCOMPARE(int(MessageBoxLog().size()), 1);
            QCOMPARE(MessageBoxLog()[0].text, expected);
            QCOMPARE(driver.Unexpected(), 0);
            QCOMPARE(RowsIn(app.GetMainWnd()->GetPaneView(0)), fault == "alleen-lezen" ? 1 : 0);
        }
        QVERIFY(!QFile::exists(db.Path()) || fault == "alleen-lezen");
    }

    // Another program holds the database for 30 seconds while the program starts: the
    // window never stops for long, says the file is in use (once at start, again for a tab
    // change meanwhile) and fills on the next tab change after the lock is gone.
    void lockedDatabaseAtStart() {
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst) VALUES ('Na het slot')");
        UseDatabase(db);
        const QString inUse = CDaoException::KindSentence(DaoErrorKind::InUse, db.Path()) +
                              "\n\nMelding van de database: database is locked";
        MessageBoxLog().clear();
        LockHolder other(db.Path(), 30000);
        QVERIFY(other.IsHolding());
        Heartbeat heartbeat;
        ModalDriver driver(500);
        driver.Queue([](QWidget* box) { AnswerMessageBox(box, IDOK); });

        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({"tolvar", "/nologo"}));
        QVERIFY(driver.WaitDone(3000));
        auto* view = static_cast<CTolvarView*>(app.GetMainWnd()->GetPaneView(0));
        QCOMPARE(view->Tree()->topLevelItemCount(), 0);
        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(MessageBoxLog()[0].text, inUse);

        driver.Queue([](QWidget* box) { AnswerMessageBox(box, IDOK); });
        view->Tabs()->setCurrentIndex(CTolvarView::TAB_OFFERTES);
        QVERIFY(driver.WaitDone(3000));
        QCOMPARE(int(MessageBoxLog().size()), 2);
        QCOMPARE(MessageBoxLog()[1].text, inUse);

        QTRY_VERIFY_WITH_TIMEOUT(other.HasReleased(), 35000);
        view->Tabs()->setCurrentIndex(CTolvarView::TAB_RELATIES);
        QCOMPARE(view->Tree()->topLevelItemCount(), 1);
        QCOMPARE(view->Tree()->topLevelItem(0)->text(0), QString("Na het slot"));
        QCOMPARE(int(MessageBoxLog().size()), 2);
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY2(heartbeat.Longest() < 2200, qPrintable(QString::number(heartbeat.Longest())));
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
