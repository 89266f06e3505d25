#include "Heartbeat.h"
#include "LockHolder.h"
#include "ModalDriver.h"
#include "PaneRows.h"
#include "ReadOnlyFile.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "platform/dao/DaoException.h"
#include "platform/profile/Profile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/View.h"
#include "store/ReserveKopieen.h"
#include "workspace/TolvarView.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

// Each case starts without the daily copies an earlier start made: a missing file with a
// copy is offered back, which is another start-up's story.
void UseDatabase(const TestDatabase& db) {
    CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"), db.Path());
    QDir(CReserveKopieen::StandaardMap()).removeRecursively();
}

QString Missing(const QString& path) {
    return CDaoException::KindSentence(DaoErrorKind::FileMissing, path) +
           QStringLiteral("\n\nMelding van de database: unable to open database file");
}

} // namespace

// The program's start-up on a database it cannot use as it is: missing, read-only, or held
// by another program.
class StartupFaultsTest : public QObject {
    Q_OBJECT

private slots:
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
        driver.Queue(Answer(IDOK));
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
        driver.Queue(Answer(IDOK));

        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({"tolvar", "/nologo"}));
        QVERIFY(driver.WaitDone(3000));
        auto* view = static_cast<CTolvarView*>(app.GetMainWnd()->GetPaneView(0));
        QCOMPARE(view->Tree()->topLevelItemCount(), 0);
        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(MessageBoxLog()[0].text, inUse);

        driver.Queue(Answer(IDOK));
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
};

TOLVAR_TEST(StartupFaultsTest);

#include "tst_StartupFaults.moc"
