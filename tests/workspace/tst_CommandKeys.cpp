#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommandRouter.h"
#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"

#include <QAction>
#include <QApplication>

// The main window's keys reaching the workspace: the program as it starts, with the focus
// in the tree, and the keys pressed there.
class TestCommandKeys : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CTolvarApp> m_app;
    CTolvarView* m_view = nullptr;
    int m_relatie = 0, m_persoon = 0, m_offerte = 0;

    CMainFrame* Frame() { return m_app->GetMainWnd(); }

    QTreeWidgetItem* Item(int kind, int number) {
        const auto items = FindItems(*m_view, kind, number);
        return items.isEmpty() ? nullptr : items.first();
    }

    // A closed dialog leaves the offscreen desktop without an active window: activate the
    // main window again as a window manager would.
    void Focus(QTreeWidgetItem* item) {
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        m_view->Tree()->setFocus();
        m_view->Tree()->setCurrentItem(item);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == m_view->Tree(); }));
        Frame()->Router()->UpdateAll();
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

    bool PressDriven(int key, ModalDriver& driver,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Press(key, modifiers);
        return driver.WaitDone() && driver.Unexpected() == 0;
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_relatie = AddRelatie(*m_db, "Bakker", true);
        m_persoon = AddPersoon(*m_db, m_relatie, "Bakker", "Jan");
        m_offerte = AddDocument(*m_db, "Offertes", m_relatie, "Taart", 2);
        CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"),
                                     m_db->Path());
        m_app = std::make_unique<CTolvarApp>(StandardViews());
        QVERIFY(m_app->InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
        m_view = Frame()->findChild<CTolvarView*>();
        QVERIFY(m_view);
        MessageBoxLog().clear();
    }
    void cleanup() {
        m_app.reset();
        m_db.reset();
    }

    void insAndEnterOpenTheDialogs() {
        Focus(Item(NODE_PERSONEN, m_relatie));
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDCANCEL); });
        QVERIFY(PressDriven(Qt::Key_Insert, driver));
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Personen").toInt(), 1);

        Focus(Item(NODE_PERSOON, m_persoon));
        QString achternaam;
        ModalDriver enter;
        enter.Queue([&](QWidget* dlg) {
            achternaam = ControlText(dlg, 1011);
            ClickButton(dlg, IDCANCEL);
        });
        QVERIFY(PressDriven(Qt::Key_Return, enter));
        QCOMPARE(achternaam, "Bakker");
    }

    void delAsksAndDeletes() {
        Focus(Item(NODE_OFFERTE_POSITIEF, m_offerte));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(PressDriven(Qt::Key_Delete, driver));
        QCOMPARE(LastBox().text, "Weet u het zekers dat u deze\nofferte wilt verwijderen ?");
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Offertes").toInt(), 0);
        QVERIFY(!Item(NODE_OFFERTE_POSITIEF, m_offerte));
    }

    void f5AndCtrlF5() {
        QTreeWidgetItem* folder = Item(NODE_PERSONEN, m_relatie);
        Focus(folder);
        QVERIFY(!Frame()->Router()->Action(ID_EDIT_DOC)->isEnabled());
        Press(Qt::Key_F5);
        Press(Qt::Key_F5, Qt::ControlModifier);
        QTest::qWait(50);
        QVERIFY(MessageBoxLog().empty());

        for (Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
            Focus(Item(NODE_OFFERTE_POSITIEF, m_offerte));
            QVERIFY(Frame()->Router()->Action(ID_EDIT_DOC)->isEnabled());
            ModalDriver driver;
            driver.Queue(Answer(IDOK));
            QVERIFY(PressDriven(Qt::Key_F5, driver, modifiers));
            QCOMPARE(LastBox().text, "Geen document hier aan gekoppeld");
        }
        QCOMPARE(MessageBoxLog().size(), size_t(2));
    }

    // The record keys belong to the workspace: with another pane active they do nothing.
    void otherPaneLeavesTheWorkspaceAlone() {
        Focus(Item(NODE_OFFERTE_POSITIEF, m_offerte));
        Press(Qt::Key_F6);
        QVERIFY(
            QTest::qWaitFor([&] { return !m_view->isAncestorOf(QApplication::focusWidget()); }));
        Frame()->Router()->UpdateAll();
        Press(Qt::Key_Delete);
        Press(Qt::Key_Insert);
        QTest::qWait(50);
        QVERIFY(MessageBoxLog().empty());
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Offertes").toInt(), 1);
    }
};

TOLVAR_ENGINE_TEST(TestCommandKeys);
#include "tst_CommandKeys.moc"
