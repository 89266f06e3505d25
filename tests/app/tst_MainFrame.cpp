#include "ModalDriver.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "app/ViewExSplitWnd.h"
#include "controls/SplashScreen.h"
#include "controls/SystemTray.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/View.h"
#include "res/Resource.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QTextBrowser* HelpBrowser() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
        if (browser && window->isVisible()) {
            return browser;
        }
    }
    return nullptr;
}

int CommandOf(const QAction* action) {
    return action->isSeparator() ? 0 : action->property("cmdId").toInt();
}

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// The names of the controls in an accessibility tree that assistive technology would read
// out, and the roles of those among them that have no name. Lists, trees and tables are not
// entered: their children are their rows.
void Benoemd(QAccessibleInterface* node, QStringList& namen, QStringList& naamloos) {
    static const QList<QAccessible::Role> kMoetNaam = {QAccessible::List, QAccessible::Tree,
                                                       QAccessible::Table, QAccessible::PageTabList,
                                                       QAccessible::EditableText};
    const QString naam = node->text(QAccessible::Name);
    namen << naam;
    const bool inStatusBalk = node->parent() && node->parent()->role() == QAccessible::StatusBar &&
                              node->role() != QAccessible::Grip;
    if (naam.isEmpty() && (kMoetNaam.contains(node->role()) || inStatusBalk)) {
        naamloos << QStringLiteral("%1 %2")
                        .arg(node->role())
                        .arg(node->object() ? node->object()->objectName() : QString());
    }
    if (node->role() == QAccessible::List || node->role() == QAccessible::Tree ||
        node->role() == QAccessible::Table) {
        return;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* kind = node->child(i)) {
            Benoemd(kind, namen, naamloos);
        }
    }
}

} // namespace

// The main window as the program starts it, on a fresh database.
class MainFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CTolvarApp> m_app;

    CMainFrame* Frame() { return m_app->GetMainWnd(); }

    void Start(const QStringList& arguments = {QStringLiteral("tolvar"),
                                               QStringLiteral("/nologo")}) {
        m_db = std::make_unique<TestDatabase>();
        CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"),
                                     m_db->Path());
        m_app = std::make_unique<CTolvarApp>(StandardViews());
        QVERIFY(m_app->InitInstance(arguments));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }

private slots:
    void cleanup() {
        m_app.reset();
        m_db.reset();
    }

    // Assistive technology reaches every list, tree, tab strip, status-bar pane and the search
    // line of the window, each by a name.
    void toegankelijkeNamen() {
        Start();
        QStringList namen, naamloos;
        Benoemd(QAccessible::queryAccessibleInterface(Frame()), namen, naamloos);
        QVERIFY2(naamloos.isEmpty(), qPrintable(naamloos.join(", ")));
        for (const char* naam :
             {"Zoeken", "Zoekresultaten", "Te doen", "Afspraken", "Relaties en documenten",
              "Tabbladen", "Melding", "Hoofdletters vast", "Actief venster"}) {
            QVERIFY2(namen.contains(QString::fromUtf8(naam)), naam);
        }
    }

    void titleMenusAndPrompts() {
        Start();
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Tolvar"));
        QVERIFY(Frame()->isMaximized());
        const auto menus = Frame()->menuBar()->actions();
        QStringList titles;
        for (const QAction* menu : menus) {
            titles << menu->text();
        }
        QCOMPARE(titles, (QStringList{"&Bestand", "&Record", "B&eeld", "&Help"}));
        QCOMPARE(MenuTexts(menus[0]->menu()),
                 (QStringList{"Edit document\tF5", "Print Document\tCtrl+F5", "-", "E&xporteren",
                              "I&mporteren", "-", "Reservekopie &maken...",
                              "Reservekopie &terugzetten...", "-", "&Instellingen...",
                              "&Einde\tAlt+F4"}));
        const auto bestand = menus[0]->menu()->actions();
        QCOMPARE(
            MenuTexts(bestand[3]->menu()),
            (QStringList{"Relaties als &vCard...", "Relaties als vCard &3.0 (oudere telefoons)...",
                         "&Afspraken als iCalendar...", "&Lijst als CSV..."}));
        QCOMPARE(MenuTexts(bestand[4]->menu()),
                 (QStringList{"Relaties uit &vCard...", "&Afspraken uit iCalendar...",
                              "&Relaties uit CSV...", "&Personen uit CSV..."}));
        QCOMPARE(MenuTexts(menus[1]->menu()),
                 (QStringList{"Toevoegen\tIns", "&Verwijderen\tDel", "&Wijzigen\tEnter", "-",
                              "Nieuwe ToDo/Afspraak\tF4", "Verwijder ToDo/Afspraak\tCtrl+F4",
                              "Verander ToDo/Afspraak\tCtrl+Enter"}));
        QCOMPARE(MenuTexts(menus[2]->menu()),
                 (QStringList{"&Toolbar", "&Status Bar", "-", "Switch window\tF6"}));
        QCOMPARE(MenuTexts(menus[3]->menu()),
                 (QStringList{"&Help onderwerpen", "-", "&Informatie Tolvar..."}));

        CCommandRouter* router = Frame()->Router();
        QCOMPARE(router->Action(ID_AGENDA_NIEUW)->statusTip(),
                 QStringLiteral("Nieuwe Te doen actie invoeren"));
        QCOMPARE(router->Action(ID_AGENDA_NIEUW)->toolTip(), QStringLiteral("Nieuwe te doen"));
        QCOMPARE(router->Action(ID_RECORD_NIEUW)->statusTip(),
                 QStringLiteral("Nieuw record toevoegen"));
        QCOMPARE(router->Action(ID_NEXT_PANE)->toolTip(), QStringLiteral("Switch van scherm"));
    }

    void toolbarOrder() {
        Start();
        QList<int> ids;
        for (const QAction* action : Frame()->ToolBar()->actions()) {
            ids << CommandOf(action);
        }
        QCOMPARE(ids, (QList<int>{57680, 0, 32779, 32780, 32781, 0, 32783, 32784, 0, 32785, 32786,
                                  32787, 0, 57664, 57669}));
        for (const QAction* action : Frame()->ToolBar()->actions()) {
            QVERIFY(action->isSeparator() || !action->icon().isNull());
        }
    }

    void panesAtStart() {
        Start();
        auto* outer = CViewExSplitWnd::Outer();
        auto* inner = CViewExSplitWnd::Inner();
        QVERIFY(outer && inner);
        QCOMPARE(outer->GetRowCount(), 2);
        QCOMPARE(inner->GetColumnCount(), 2);
        QCOMPARE(outer->GetPane(0, 0), static_cast<QWidget*>(Frame()->GetPaneView(0)));
        QCOMPARE(inner->GetPane(0, 0), static_cast<QWidget*>(Frame()->GetPaneView(1)));
        QCOMPARE(inner->GetPane(0, 1), static_cast<QWidget*>(Frame()->GetPaneView(2)));
        // The workspace takes the top half, the to-do list the left half.
        const QList<int> rows = outer->sizes();
        QVERIFY2(qAbs(rows[0] - rows[1]) <= rows[0] / 5 + 10,
                 qPrintable(QStringLiteral("%1 / %2").arg(rows[0]).arg(rows[1])));
        const QList<int> columns = inner->sizes();
        QVERIFY2(qAbs(columns[0] - columns[1]) <= columns[0] / 5 + 10,
                 qPrintable(QStringLiteral("%1 / %2").arg(columns[0]).arg(columns[1])));
    }

    void paneCycleAndIndicator() {
        Start();
        CCommandRouter* router = Frame()->Router();
        QLabel* indicator = Frame()->StatusPane(4);
        Frame()->GetPaneView(0)->setFocus();
        QTRY_COMPARE(Frame()->GetActiveView(), Frame()->GetPaneView(0));
        QTRY_COMPARE(indicator->text(), QStringLiteral("TOLVAR"));

        const char* forward[] = {"TE DOEN", "AFSPRAAK", "TOLVAR"};
        const int forwardPane[] = {1, 2, 0};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(router->Execute(ID_NEXT_PANE));
            QTRY_COMPARE(Frame()->GetActiveView(), Frame()->GetPaneView(forwardPane[i]));
            QTRY_COMPARE(indicator->text(), QString::fromLatin1(forward[i]));
        }
        const int backwardPane[] = {2, 1, 0};
        for (int pane : backwardPane) {
            QVERIFY(router->Execute(ID_PREV_PANE));
            QTRY_COMPARE(Frame()->GetActiveView(), Frame()->GetPaneView(pane));
        }
        // The keys do the same as the commands.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QTRY_COMPARE(Frame()->GetActiveView(), Frame()->GetPaneView(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QTRY_COMPARE(Frame()->GetActiveView(), Frame()->GetPaneView(0));
    }

    void promptCoversTheStatusBar() {
        Start();
        QAction* action = Frame()->Router()->Action(ID_AGENDA_NIEUW);
        QVERIFY(action->showStatusText(Frame()));
        QCOMPARE(Frame()->statusBar()->currentMessage(),
                 QStringLiteral("Nieuwe Te doen actie invoeren"));
        // A temporary message hides the indicators; they come back when it is cleared.
        QTRY_VERIFY(!Frame()->StatusPane(4)->isVisible());
        Frame()->statusBar()->clearMessage();
        QTRY_VERIFY(Frame()->StatusPane(4)->isVisible());
    }

    void greyedCommandsNeverRun() {
        Start();
        CCommandRouter* router = Frame()->Router();
        // Nothing handles the framework's file commands: greyed, and keys do nothing.
        for (int id : {ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT}) {
            QVERIFY(!router->IsEnabled(id));
            QVERIFY(!router->Execute(id));
        }
        QVERIFY(router->IsEnabled(ID_INSTELLINGEN));
        QVERIFY(router->IsEnabled(ID_APP_ABOUT));
        const size_t boxes = MessageBoxLog().size();
        QTest::keyClick(Frame(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(Frame(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(MessageBoxLog().size(), boxes);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void minimiseWithoutTray() {
        Start();
        QVERIFY(Frame()->Tray());
        QVERIFY(!Frame()->Tray()->IsEnabled()); // the offscreen desktop has no tray
        Frame()->showMinimized();
        QTest::qWait(50);
        // Without a notification area the window stays in the taskbar.
        QVERIFY(Frame()->isVisible());
        QVERIFY(Frame()->Router()->Execute(ID_TRAY_OPEN));
        QTRY_VERIFY(!Frame()->isMinimized());
    }

    void trayEindeQuitsAtOnce() {
        Start();
        // "Einde" ends the program's own event loop at once; the application loop is run
        // here so that the end it asks for is the one the program would see.
        QTimer::singleShot(0, Frame(), [this] { Frame()->Router()->Execute(ID_TRAY_EINDE); });
        QTimer::singleShot(5000, Frame(), [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void aboutBox() {
        Start();
        ModalDriver driver;
        QString memory;
        QString disk;
        driver.Queue([&](QWidget* modal) {
            memory = ControlText(modal, CAboutDlg::IDC_GEHEUGEN);
            disk = ControlText(modal, CAboutDlg::IDC_RUIMTE);
            QCOMPARE(modal->windowTitle(), QStringLiteral("Informatie Tolvar"));
            ClickButton(modal, IDOK);
        });
        QVERIFY(Frame()->Router()->Execute(ID_APP_ABOUT));
        QVERIFY2(memory.contains(QRegularExpression(QStringLiteral("^[1-9][0-9]* KB$"))),
                 qPrintable(memory));
        QVERIFY2(disk.contains(QRegularExpression(QStringLiteral("^[0-9]+ KB vrij op [A-Z]:$"))),
                 qPrintable(disk));
        QCOMPARE(driver.Unexpected(), 0);
    }

    void aboutTexts() {
        // More than 4 GB free is shown in full.
        QCOMPARE(CAboutDlg::DiskText(std::uint64_t(6) << 40, 'C'),
                 QStringLiteral("6442450944 KB vrij op C:"));
        QCOMPARE(CAboutDlg::DiskText(std::nullopt, 'C'), QStringLiteral("<Onbekend>"));
        QCOMPARE(CAboutDlg::MemoryText(8589934592ULL + 1023), QStringLiteral("8388608 KB"));
        QCOMPARE(CAboutDlg::DriveLetterOf(QStringLiteral("/")), 'Z');
    }

    void helpWindow() {
        Start();
        QTest::keyClick(Frame(), Qt::Key_F1);
        QTRY_VERIFY(HelpBrowser() != nullptr);
        QVERIFY(HelpBrowser()->toPlainText().contains(QStringLiteral("werkruimte")));
        HelpBrowser()->window()->close();
    }

    void splashFollowsTheCommandLine() {
        Start({QStringLiteral("tolvar")});
        QVERIFY(CSplashScreen::Current() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(CSplashScreen::Current() == nullptr, 3000);
        cleanup();
        Start({QStringLiteral("tolvar"), QStringLiteral("/nologo")});
        QVERIFY(CSplashScreen::Current() == nullptr);
    }

    void commandLineSwitches() {
        QVERIFY(CCommandLineInfo::Parse({"tolvar"}).m_bShowSplash);
        QVERIFY(!CCommandLineInfo::Parse({"tolvar", "/nologo"}).m_bShowSplash);
        QVERIFY(!CCommandLineInfo::Parse({"tolvar", "-Embedding"}).m_bShowSplash);
        QVERIFY(CCommandLineInfo::Parse({"tolvar", "bestand.doc"}).m_bShowSplash);
    }
};

TOLVAR_TEST(MainFrameTest);

#include "tst_MainFrame.moc"
