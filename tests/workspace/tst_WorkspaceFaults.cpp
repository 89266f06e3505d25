#include "fixture/LockHolder.h"
#include "fixture/TestDatabase.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "support/Heartbeat.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"
#include "workspace/TolvarView.h"
#include "WorkspaceProbe.h"

#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {

// Makes the engine break off the first statement that runs once the tree holds nNodes
// nodes: a real engine failure in the middle of a fill.
struct InterruptAtNodes {
    static int Check(void* self) {
        auto* interrupt = static_cast<InterruptAtNodes*>(self);
        if (!interrupt->bFired && interrupt->view->NodeList().size() >= interrupt->nNodes) {
            interrupt->bFired = true;
            return 1;
        }
        return 0;
    }
    CTolvarView* view;
    size_t nNodes;
    bool bFired = false;
};

} // namespace

// A database failure during a fill: the engine's message once, the tree as far as it got,
// and a program that carries on.
class TestWorkspaceFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { MessageBoxLog().clear(); }

    void missingMemoTableCutsTheFillShort() {
        TestDatabase db;
        AddRelatie(db, "Alpha");
        const int beta = AddRelatie(db, "Beta", true);
        AddRelatie(db, "Gamma");
        AddPersoon(db, beta, "Jansen", "Piet");
        AddDocument(db, "Orders", beta, "Order 1");
        AddDocument(db, "Offertes", 0, "Los");
        db.Exec("DROP TABLE MemoOrder");

        CTolvarView view;
        view.resize(400, 300);
        view.show();
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(!Guarded([&] { view.OnInitialUpdate(); }, &view));
        QVERIFY(driver.WaitDone());
        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(MessageBoxLog()[0].text,
                 "In databasebestand " + db.Path() +
                     " ontbreekt een tabel of kolom die Tolvar nodig heeft.\n\nMelding van de "
                     "database: no such table: MemoOrder");
        const QStringList dump = TreeDump(view);
        QCOMPARE(dump, (QStringList{"Alpha|1|1|0|0|0", "  Personen|2|1|1|1|1", "  Memo's|4|1|1|1|3",
                                    "Beta|1|2|0|0|0", "  Personen|2|2|2|1|1",
                                    "    Jansen, Piet|3|1|2|2|2", "  Memo's|4|2|2|1|3",
                                    "  Offertes|6|-1|2|1|5", "    Te versturen|7|2|2|6|6",
                                    "    Verstuurd|8|2|2|6|7", "    Positief|9|2|2|6|8",
                                    "    Vervallen|10|2|2|6|9", "  Orders|17|2|2|1|14",
                                    "    Order 1|18|1|2|17|15", "      Memo's|19|1|1|18|3"}));
        QCOMPARE(int(view.NodeList().size()), dump.size());
        QVERIFY(!view.ProgressDlg().isVisible());
        QVERIFY(view.Tree()->updatesEnabled());
        QVERIFY(!view.Tree()->signalsBlocked());

        // The program carries on: another tab fills, and the broken one fails the same way.
        view.Tabs()->setCurrentIndex(CTolvarView::TAB_OFFERTES);
        QCOMPARE(view.Tree()->topLevelItemCount(), 4);
        QCOMPARE(view.Tree()->topLevelItem(0)->child(0)->text(0), QString("Los"));
        QCOMPARE(int(MessageBoxLog().size()), 1);
        driver.Queue(Answer(IDOK));
        view.Tabs()->setCurrentIndex(CTolvarView::TAB_RELATIES);
        QVERIFY(driver.WaitDone());
        QCOMPARE(int(MessageBoxLog().size()), 2);
        QCOMPARE(TreeDump(view), dump);
    }

    // Another program holds the file: New and a tab change each say so soon, in a box,
    // leave the store as it was, and work once the lock is gone.
    void lockedFileCommandsSayInUseAndWorkAfterwards() {
        CommandBench b;
        const int alpha = AddRelatie(b.db, "Alpha");
        b.Open();
        const QString inUse = CDaoException::KindSentence(DaoErrorKind::InUse, b.db.Path()) +
                              "\n\nMelding van de database: database is locked";
        LockHolder other(b.db.Path(), 5000);
        QVERIFY(other.IsHolding());
        Heartbeat heartbeat;
        b.Select(b.Item(NODE_RELATIE, alpha));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(LastBox().text, inUse);
        driver.Queue(Answer(IDOK));
        b.view->Tabs()->setCurrentIndex(CTolvarView::TAB_ORDERS);
        QVERIFY(driver.WaitDone());
        QCOMPARE(int(MessageBoxLog().size()), 3);
        QCOMPARE(LastBox().text, inUse);
        QVERIFY2(heartbeat.Longest() < 2200, qPrintable(QString::number(heartbeat.Longest())));

        QTRY_VERIFY_WITH_TIMEOUT(other.HasReleased(), 8000);
        QCOMPARE(b.Count("Relaties"), 1);
        b.view->Tabs()->setCurrentIndex(CTolvarView::TAB_RELATIES);
        QCOMPARE(TreeDump(*b.view).first(), QString("Alpha|1|1|0|0|0"));
        b.Select(b.Item(NODE_RELATIE, alpha));
        driver.Queue(Answer(IDOK));
        driver.Queue(Cancel());
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(int(MessageBoxLog().size()), 4);
        QCOMPARE(b.Count("Relaties"), 1);
    }

    void engineFailureHalfwayKeepsWhatWasInserted() {
        TestDatabase db;
        // Only C is a customer: its documents are the first and last the fill still reads.
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            AddPersoon(db, AddRelatie(db, name, QByteArray(name) == "C"), "Jansen", name);
        }
        CTolvarView view;
        view.resize(400, 300);
        view.show();
        view.OnInitialUpdate();
        QCOMPARE(view.Tree()->topLevelItemCount(), 5);

        // Relations A and B come with four nodes each; the read of C's quotations is broken
        // off.
        InterruptAtNodes interrupt{&view, 8};
        sqlite3* connection =
            dynamic_cast<CSqliteEngine&>(CDaoDatabase::OpenShared(db.Path())->Engine()).Handle();
        sqlite3_progress_handler(connection, 1, &InterruptAtNodes::Check, &interrupt);
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        view.Tabs()->setCurrentIndex(CTolvarView::TAB_ORDERS);
        view.Tabs()->setCurrentIndex(CTolvarView::TAB_RELATIES);
        QVERIFY(driver.WaitDone());
        sqlite3_progress_handler(connection, 0, nullptr, nullptr);
        QVERIFY(interrupt.bFired);

        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(MessageBoxLog()[0].text, "Er is een fout opgetreden in databasebestand " +
                                              db.Path() +
                                              ".\n\nMelding van de database: interrupted");
        QCOMPARE(TreeDump(view),
                 (QStringList{"A|1|1|0|0|0", "  Personen|2|1|1|1|1", "    Jansen, A|3|1|1|2|2",
                              "  Memo's|4|1|1|1|3", "B|1|2|0|0|0", "  Personen|2|2|2|1|1",
                              "    Jansen, B|3|2|2|2|2", "  Memo's|4|2|2|1|3", "C|1|3|0|0|0",
                              "  Personen|2|3|3|1|1", "    Jansen, C|3|3|3|2|2",
                              "  Memo's|4|3|3|1|3", "  Offertes|6|-1|3|1|5",
                              "    Te versturen|7|3|3|6|6", "    Verstuurd|8|3|3|6|7",
                              "    Positief|9|3|3|6|8", "    Vervallen|10|3|3|6|9"}));
        QVERIFY(!view.ProgressDlg().isVisible());
        QCOMPARE(view.ProgressDlg().m_nTeller, DWORD(2));

        view.FillTab(CTolvarView::TAB_RELATIES);
        QCOMPARE(view.Tree()->topLevelItemCount(), 5);
    }
};

TOLVAR_TEST(TestWorkspaceFaults);

#include "tst_WorkspaceFaults.moc"
