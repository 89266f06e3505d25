#include "app/MainFrame.h"

#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "app/HelpWindow.h"
#include "app/ReserveKopieMenu.h"
#include "app/ViewExSplitWnd.h"
#include "comm/ConfigDlg.h"
#include "controls/SplashScreen.h"
#include "controls/SystemTray.h"
#include "exchange/venster/UitwisselVenster.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/View.h"
#include "res/Resource.h"
#include "search/ZoekTabel.h"
#include "workspace/TolvarView.h"
#include "workspace/ZoekBalk.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>
#include <QWindowStateChangeEvent>

namespace {

struct CommandText {
    int id;
    const char* text;
    const char* prompt;
    const char* icon;
};

// Menu texts and prompts: the part of a prompt before "\n" goes to the status bar, the part
// after it is the button's tooltip.
const CommandText kCommands[] = {
    {ID_EDIT_DOC, "Edit document", "Editten van dit document", "tb_edit_doc"},
    {ID_PRINT_DOC, "Print Document", "Printen van dit document", "tb_print_doc"},
    {ID_INSTELLINGEN, "&Instellingen...", "Diverse instellingen\nInstellingen", nullptr},
    {ID_RESERVEKOPIE_MAKEN, "Reservekopie &maken...",
     "Kopie van de gegevens op een gekozen plaats bewaren\nReservekopie maken", nullptr},
    {ID_RESERVEKOPIE_TERUGZETTEN, "Reservekopie &terugzetten...",
     "Gegevens terugzetten uit een reservekopie\nReservekopie terugzetten", nullptr},
    {ID_APP_EXIT, "&Einde", "Stoppen van het programma\nEinde", nullptr},
    {ID_RECORD_NIEUW, "Toevoegen", "Nieuw record toevoegen", "tb_new"},
    {ID_RECORD_VERWIJDER, "&Verwijderen", "Verwijderen van record", "tb_delete"},
    {ID_RECORD_WIJZIG, "&Wijzigen", "Wijzigen huidig record", "tb_modify"},
    {ID_AGENDA_NIEUW, "Nieuwe ToDo/Afspraak", "Nieuwe Te doen actie invoeren\nNieuwe te doen",
     "tb_todo_new"},
    {ID_AGENDA_VERWIJDER, "Verwijder ToDo/Afspraak",
     "Te doen actie verwijderen\nVerwijder Tedoen actie", "tb_todo_delete"},
    {ID_AGENDA_WIJZIG, "Verander ToDo/Afspraak", "Verander te doen\nVerander te doen",
     "tb_todo_modify"},
    {ID_VIEW_TOOLBAR, "&Toolbar", "Toolbar weergeven/verbergen\nToggle ToolBar", nullptr},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Status bar weergeven /verbergen\nToggle StatusBar",
     nullptr},
    {ID_NEXT_PANE, "Switch window", "Switchen van venster\nSwitch van scherm", "tb_next_pane"},
    {ID_PREV_PANE, "Previous pane", "Switch back to the previous window pane\nPrevious Pane",
     nullptr},
    {ID_HELP_INDEX, "&Help onderwerpen", "Help onderwerpen\nHelp onderwerpen", nullptr},
    {ID_HELP, "Help", "Help voor momenteel venster\nHelp", nullptr},
    {ID_CONTEXT_HELP, "Help", "Help over buttons, tekst velden e.d. windows\nHelp",
     "tb_context_help"},
    {ID_APP_ABOUT, "&Informatie Tolvar...", "Programma-informatie en versie van Tolvar\nInformatie",
     "tb_about"},
    {ID_TRAY_OPEN, "Open Tolvar", "Window restoren", nullptr},
    {ID_ZOEKEN, "&Zoeken...", "Zoeken in relaties, personen, documenten en memo's\nZoeken",
     nullptr},
    {ID_TRAY_EINDE, "Einde", "Stoppen van het programma\nEinde", nullptr},
    {ID_FILE_NEW, "Nieuw", "", nullptr},
    {ID_FILE_OPEN, "Openen", "", nullptr},
    {ID_FILE_SAVE, "Opslaan", "", nullptr},
    {ID_FILE_PRINT, "Afdrukken", "", nullptr},
    {ID_EDIT_COPY, "Kopiëren", "", nullptr},
    {ID_EDIT_CUT, "Knippen", "", nullptr},
    {ID_EDIT_PASTE, "Plakken", "", nullptr},
    {ID_EDIT_UNDO, "Ongedaan maken", "", nullptr},
    {ID_EXPORTEER_VCARD, "Relaties als &vCard...",
     "Alle relaties en personen opslaan als vCard-bestand\nvCard exporteren", nullptr},
    {ID_EXPORTEER_VCARD3, "Relaties als vCard &3.0 (oudere telefoons)...",
     "Alle relaties en personen opslaan als vCard-bestand van versie 3.0\nvCard 3.0 exporteren",
     nullptr},
    {ID_EXPORTEER_ICAL, "&Afspraken als iCalendar...",
     "Alle afspraken opslaan als iCalendar-bestand\niCalendar exporteren", nullptr},
    {ID_EXPORTEER_CSV, "&Lijst als CSV...",
     "Een lijst opslaan voor een spreadsheet\nCSV exporteren", nullptr},
    {ID_IMPORTEER_VCARD, "Relaties uit &vCard...",
     "Relaties en personen inlezen uit een vCard-bestand\nvCard importeren", nullptr},
    {ID_IMPORTEER_ICAL, "&Afspraken uit iCalendar...",
     "Afspraken inlezen uit een iCalendar-bestand\niCalendar importeren", nullptr},
    {ID_IMPORTEER_CSV_RELATIES, "&Relaties uit CSV...",
     "Relaties inlezen uit een lijst van een spreadsheet\nRelaties uit CSV", nullptr},
    {ID_IMPORTEER_CSV_PERSONEN, "&Personen uit CSV...",
     "Personen inlezen uit een lijst van een spreadsheet\nPersonen uit CSV", nullptr},
};

struct Accelerator {
    int id;
    QKeyCombination keys;
};

// The accelerator table of the main window; it applies whichever pane has the focus.
const Accelerator kAccelerators[] = {
    {ID_RECORD_NIEUW, Qt::Key_Insert},
    {ID_RECORD_VERWIJDER, Qt::Key_Delete},
    {ID_RECORD_WIJZIG, Qt::Key_Return},
    {ID_RECORD_WIJZIG, Qt::Key_Enter},
    {ID_EDIT_DOC, Qt::Key_F5},
    {ID_PRINT_DOC, Qt::CTRL | Qt::Key_F5},
    {ID_AGENDA_NIEUW, Qt::Key_F4},
    {ID_AGENDA_VERWIJDER, Qt::CTRL | Qt::Key_F4},
    {ID_AGENDA_WIJZIG, Qt::CTRL | Qt::Key_Return},
    {ID_AGENDA_WIJZIG, Qt::CTRL | Qt::Key_Enter},
    {ID_NEXT_PANE, Qt::Key_F6},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
    {ID_HELP, Qt::Key_F1},
    {ID_CONTEXT_HELP, Qt::SHIFT | Qt::Key_F1},
    {ID_FILE_NEW, Qt::CTRL | Qt::Key_N},
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    {ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    {ID_EDIT_CUT, Qt::SHIFT | Qt::Key_Delete},
    {ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    {ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    {ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    {ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    {ID_APP_EXIT, Qt::ALT | Qt::Key_F4},
    {ID_ZOEKEN, Qt::CTRL | Qt::Key_F},
};

// Reads a keyboard lock light where the system shows it (Linux input LEDs); false elsewhere.
bool LockLightOn(const QString& name) {
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const auto entries = leds.entryList({QStringLiteral("*::") + name}, QDir::Dirs | QDir::System);
    for (const QString& entry : entries) {
        QFile brightness(leds.filePath(entry) + QStringLiteral("/brightness"));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0") {
            return true;
        }
    }
    return false;
}

// A tab strip is read out by its own name, which Qt leaves empty: it takes that of its tab
// widget.
void NameTabStrips(QWidget* window) {
    for (auto* tabs : window->findChildren<QTabWidget*>()) {
        if (tabs->tabBar()->accessibleName().isEmpty()) {
            tabs->tabBar()->setAccessibleName(tabs->accessibleName());
        }
    }
}

} // namespace

CMainFrame::CMainFrame(ViewFactory views, CCmdTarget* application)
    : m_views(std::move(views)), m_pApplication(application) {
    setWindowTitle(QStringLiteral("Tolvar"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tolvar.svg")));
    m_pRouter = new CCommandRouter(this);
    m_pRouter->SetChain([this] {
        return std::vector<CCmdTarget*>{GetActiveView(), this, m_pApplication};
    });
}

// The window's own destruction moves the focus and fires timers; nothing may ask the
// enabling rules of a frame that is half gone.
CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    m_pRouter->SetChain({});
}

bool CMainFrame::Create() {
    CreateCommands();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CSplashScreen::ShowSplash(this);
    CreateTrayIcon();
    if (!CreateLayout()) {
        return false;
    }
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (CView* view = CView::ViewOf(now)) {
            m_pLastActive = view;
        }
        m_pRouter->UpdateAll();
        UpdateIndicators();
    });
    // The enabling rules and the indicators are asked again at idle, as menus expect.
    auto* idle = new QTimer(this);
    idle->setInterval(250);
    connect(idle, &QTimer::timeout, this, [this] {
        m_pRouter->UpdateAll();
        UpdateIndicators();
    });
    idle->start();
    for (CView* view : m_panes) {
        Guarded([view] { view->OnInitialUpdate(); }, this);
    }
    CreateSearchBar();
    NameTabStrips(this);
    m_pRouter->UpdateAll();
    UpdateIndicators();
    return true;
}

void CMainFrame::CreateCommands() {
    for (const CommandText& command : kCommands) {
        QAction* action = m_pRouter->AddCommand(command.id, QString::fromUtf8(command.text),
                                                QString::fromUtf8(command.prompt));
        if (command.icon) {
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(command.icon)));
        }
    }
    std::map<int, QList<QKeySequence>> keys;
    for (const Accelerator& accelerator : kAccelerators) {
        keys[accelerator.id].append(QKeySequence(accelerator.keys));
    }
    for (auto& [id, sequences] : keys) {
        QAction* action = m_pRouter->Action(id);
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    m_pRouter->Action(ID_VIEW_TOOLBAR)->setCheckable(true);
    m_pRouter->Action(ID_VIEW_STATUS_BAR)->setCheckable(true);

    OnCommand(ID_INSTELLINGEN, [this] { CConfigDlg::Run(this); });
    OnCommand(ID_RESERVEKOPIE_MAKEN, [this] { CReserveKopieMenu::Maken(this); });
    OnCommand(ID_RESERVEKOPIE_TERUGZETTEN, [this] { CReserveKopieMenu::Terugzetten(this); });
    OnCommand(ID_TRAY_OPEN, [this] { OnTrayOpen(); });
    OnCommand(ID_TRAY_EINDE, [] { QCoreApplication::exit(0); });
    OnCommand(ID_APP_EXIT, [this] { close(); });
    OnCommand(
        ID_VIEW_TOOLBAR, [this] { m_pToolBar->setVisible(!m_pToolBar->isVisible()); },
        [this](CCmdUI* ui) { ui->SetCheck(m_pToolBar->isVisible()); });
    OnCommand(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this](CCmdUI* ui) { ui->SetCheck(statusBar()->isVisible()); });
    OnCommand(ID_EXPORTEER_VCARD, [this] { CUitwisselVenster::ExporteerVCard(this, false); });
    OnCommand(ID_EXPORTEER_VCARD3, [this] { CUitwisselVenster::ExporteerVCard(this, true); });
    OnCommand(ID_EXPORTEER_ICAL, [this] { CUitwisselVenster::ExporteerICal(this); });
    OnCommand(ID_EXPORTEER_CSV, [this] { CUitwisselVenster::ExporteerCsv(this); });
    // What an import stored shows at once: the workspace tab, or the appointment list.
    OnCommand(ID_IMPORTEER_VCARD, [this] {
        auto* workspace = dynamic_cast<CTolvarView*>(GetPaneView(0));
        if (CUitwisselVenster::ImporteerVCard(this) && workspace) {
            workspace->FillTab(workspace->GetSelectedTab());
        }
    });
    for (const bool bPersonen : {false, true}) {
        OnCommand(bPersonen ? ID_IMPORTEER_CSV_PERSONEN : ID_IMPORTEER_CSV_RELATIES,
                  [this, bPersonen] {
                      auto* workspace = dynamic_cast<CTolvarView*>(GetPaneView(0));
                      if (CUitwisselVenster::ImporteerCsv(this, bPersonen) && workspace) {
                          workspace->FillTab(workspace->GetSelectedTab());
                      }
                  });
    }
    OnCommand(ID_IMPORTEER_ICAL, [this] {
        auto* afspraken = dynamic_cast<CLijstKalender*>(GetPaneView(2));
        if (CUitwisselVenster::ImporteerICal(this) && afspraken) {
            afspraken->Herlaad();
        }
    });
    OnCommand(ID_NEXT_PANE, [this] { OnNextPane(false); });
    OnCommand(ID_PREV_PANE, [this] { OnNextPane(true); });
    OnCommand(ID_HELP_INDEX, [this] { OnHelpTopics(); });
    OnCommand(ID_HELP, [this] { OnHelpTopics(); });
    OnCommand(ID_CONTEXT_HELP, [this] {
        statusBar()->showMessage(QStringLiteral("Selecteer een onderwerp om help op te vragen"));
        QWhatsThis::enterWhatsThisMode();
    });
}

void CMainFrame::CreateMenus() {
    auto add = [this](QMenu* menu, int id, const QString& keys = QString()) {
        QAction* action = m_pRouter->Action(id);
        menu->addAction(action);
        if (!keys.isEmpty()) {
            // The key is shown in the menu; the frame's accelerators carry it out.
            action->setText(action->text().section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t') +
                            keys);
        }
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Bestand"));
    add(file, ID_EDIT_DOC, QStringLiteral("F5"));
    add(file, ID_PRINT_DOC, QStringLiteral("Ctrl+F5"));
    file->addSeparator();
    QMenu* exporteren = file->addMenu(QStringLiteral("E&xporteren"));
    for (int id : {ID_EXPORTEER_VCARD, ID_EXPORTEER_VCARD3, ID_EXPORTEER_ICAL, ID_EXPORTEER_CSV}) {
        add(exporteren, id);
    }
    QMenu* importeren = file->addMenu(QStringLiteral("I&mporteren"));
    for (int id : {ID_IMPORTEER_VCARD, ID_IMPORTEER_ICAL, ID_IMPORTEER_CSV_RELATIES,
                   ID_IMPORTEER_CSV_PERSONEN}) {
        add(importeren, id);
    }
    file->addSeparator();
    add(file, ID_RESERVEKOPIE_MAKEN);
    add(file, ID_RESERVEKOPIE_TERUGZETTEN);
    file->addSeparator();
    add(file, ID_INSTELLINGEN);
    add(file, ID_APP_EXIT, QStringLiteral("Alt+F4"));

    QMenu* record = menuBar()->addMenu(QStringLiteral("&Record"));
    add(record, ID_RECORD_NIEUW, QStringLiteral("Ins"));
    add(record, ID_RECORD_VERWIJDER, QStringLiteral("Del"));
    add(record, ID_RECORD_WIJZIG, QStringLiteral("Enter"));
    record->addSeparator();
    add(record, ID_AGENDA_NIEUW, QStringLiteral("F4"));
    add(record, ID_AGENDA_VERWIJDER, QStringLiteral("Ctrl+F4"));
    add(record, ID_AGENDA_WIJZIG, QStringLiteral("Ctrl+Enter"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("B&eeld"));
    add(view, ID_VIEW_TOOLBAR);
    add(view, ID_VIEW_STATUS_BAR);
    view->addSeparator();
    add(view, ID_NEXT_PANE, QStringLiteral("F6"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, ID_HELP_INDEX);
    help->addSeparator();
    add(help, ID_APP_ABOUT);

    for (QMenu* menu : {file, exporteren, importeren, record, view, help}) {
        connect(menu, &QMenu::aboutToShow, m_pRouter, &CCommandRouter::UpdateAll);
        // Menu actions show their shortcut text already; keep Qt from adding its own.
        for (QAction* action : menu->actions()) {
            action->setShortcutVisibleInContextMenu(false);
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_pToolBar->setObjectName(QStringLiteral("toolbar128"));
    m_pToolBar->setIconSize(QSize(16, 16));
    const int layout[] = {
        ID_NEXT_PANE,   0, ID_RECORD_NIEUW, ID_RECORD_VERWIJDER, ID_RECORD_WIJZIG, 0, ID_EDIT_DOC,
        ID_PRINT_DOC,   0, ID_AGENDA_NIEUW, ID_AGENDA_VERWIJDER, ID_AGENDA_WIJZIG, 0, ID_APP_ABOUT,
        ID_CONTEXT_HELP};
    for (int id : layout) {
        if (id == 0) {
            m_pToolBar->addSeparator();
        } else {
            m_pToolBar->addAction(m_pRouter->Action(id));
        }
    }
}

// What each pane of the status bar tells, for a screen reader that reads only its letters.
constexpr const char* kStatusPaneNames[5] = {"Melding", "Hoofdletters vast", "Numeriek toetsenblok",
                                             "Scroll lock", "Actief venster"};

void CMainFrame::CreateStatusBar() {
    // The prompt of a menu item or button is a temporary message: it covers the whole bar,
    // indicators included, and they come back when the menu closes.
    const QString texts[5] = {QStringLiteral("Tolvar relatiebeheer"), QStringLiteral("CAP"),
                              QStringLiteral("NUM"), QStringLiteral("SCRL"),
                              QStringLiteral("AFSPRAAK")};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(texts[i], statusBar());
        if (i > 0) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(label->sizeHint().width() + 8);
        }
        label->setAccessibleName(QString::fromUtf8(kStatusPaneNames[i]));
        statusBar()->addWidget(label, i == 0 ? 1 : 0);
        m_statusPanes[i] = label;
    }
}

bool CMainFrame::CreateLayout() {
    const QRect screen = QApplication::primaryScreen()
                             ? QApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const int w = screen.width();
    const int h = screen.height();

    m_pOuter = new CViewExSplitWnd(2, 1, this);
    m_panes[0] = m_views.workspace(m_pOuter);
    m_pInner = new CViewExSplitWnd(1, 2, m_pOuter);
    m_panes[1] = m_views.todo(m_pInner);
    m_panes[2] = m_views.appointments(m_pInner);
    if (!m_panes[0] || !m_panes[1] || !m_panes[2]) {
        delete m_pOuter;
        m_pOuter = nullptr;
        return false;
    }
    m_pOuter->addWidget(m_panes[0]);
    m_pOuter->addWidget(m_pInner);
    m_pInner->addWidget(m_panes[1]);
    m_pInner->addWidget(m_panes[2]);
    m_pOuter->setSizes({2 * h / 4, h - 2 * h / 4});
    m_pInner->setSizes({w / 2, w - w / 2});
    setCentralWidget(m_pOuter);
    CViewExSplitWnd::SetSplitters(m_pOuter, m_pInner);
    m_pLastActive = m_panes[0];
    return true;
}

CView* CMainFrame::GetActiveView() const {
    if (CView* view = CView::ViewOf(QApplication::focusWidget())) {
        for (CView* pane : m_panes) {
            if (pane == view) {
                return view;
            }
        }
    }
    return m_pLastActive;
}

CView* CMainFrame::GetPaneView(int index) const {
    return index >= 0 && index < 3 ? m_panes[index] : nullptr;
}

QLabel* CMainFrame::StatusPane(int index) const {
    return index >= 0 && index < 5 ? m_statusPanes[index] : nullptr;
}

QString CMainFrame::ActivePaneIndicator() const {
    const CView* view = GetActiveView();
    if (view && view == m_panes[1]) {
        return QStringLiteral("TE DOEN");
    }
    if (view && view == m_panes[2]) {
        return QStringLiteral("AFSPRAAK");
    }
    return QStringLiteral("TOLVAR");
}

void CMainFrame::UpdateIndicators() {
    m_statusPanes[1]->setText(LockLightOn(QStringLiteral("capslock")) ? QStringLiteral("CAP")
                                                                      : QString());
    m_statusPanes[2]->setText(LockLightOn(QStringLiteral("numlock")) ? QStringLiteral("NUM")
                                                                     : QString());
    m_statusPanes[3]->setText(LockLightOn(QStringLiteral("scrolllock")) ? QStringLiteral("SCRL")
                                                                        : QString());
    m_statusPanes[4]->setText(ActivePaneIndicator());
}

void CMainFrame::OnNextPane(bool previous) {
    CView* active = GetActiveView();
    CViewExSplitWnd* splitter = CViewExSplitWnd::SplitterOf(active);
    if (!splitter) {
        splitter = m_pOuter;
        active = nullptr;
    }
    splitter->ActivateNext(previous, active);
}

void CMainFrame::OnHelpTopics() {
    CHelpWindow::Show(this);
}

// Most Linux desktops have no notification area. Without one the program still starts, and
// minimising leaves the window in the taskbar, so that it can never be lost.
void CMainFrame::CreateTrayIcon() {
    m_pTray = new CSystemTray(this);
    m_pTray->HideTrayIcon();
    m_pTray->AddTrayIcon(QStringLiteral("Tolvar: Rechtermuistoets"), windowIcon(), 189);
    connect(m_pTray, &CSystemTray::Command, this, [this](int id) { m_pRouter->Execute(id); });
}

void CMainFrame::FollowSizeWithTray() {
    if (!m_pTray->IsEnabled()) {
        return;
    }
    if (isMinimized()) {
        m_pTray->ShowTrayIcon();
        // Hiding inside the state change would be undone by the window system's own
        // handling of it; do it right after.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                hide();
            }
        });
    } else {
        m_pTray->HideTrayIcon();
    }
}

void CMainFrame::OnTrayOpen() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        FollowSizeWithTray();
        emit WindowStateChanged(isMinimized());
    }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FollowSizeWithTray();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A key is matched against the accelerators only after this override event: asking the
    // enabling rules here means a key never acts on a stale greyed or enabled state.
    if (event->type() == QEvent::ShortcutOverride) {
        m_pRouter->UpdateAll();
    }
    return QMainWindow::eventFilter(watched, event);
}

// The search line has a bar of its own at the right end of the toolbar row, so that it stays
// when the toolbar is hidden. A menu bar's corner would be out of reach of assistive
// technology, which sees only a menu bar's menus. It needs the workspace to show what it
// finds, so a frame with another kind of top pane has none.
void CMainFrame::CreateSearchBar() {
    auto* workspace = dynamic_cast<CTolvarView*>(m_panes[0]);
    if (!workspace) {
        return;
    }
    auto* balk = addToolBar(QStringLiteral("Zoekbalk"));
    balk->setObjectName(QStringLiteral("zoekbalk"));
    balk->setAccessibleName(QStringLiteral("Zoekbalk"));
    balk->setMovable(false);
    balk->toggleViewAction()->setVisible(false);
    auto* ruimte = new QWidget(balk);
    ruimte->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    balk->addWidget(ruimte);
    m_pZoekBalk = new CZoekBalk(workspace, this, balk);
    balk->addWidget(m_pZoekBalk);
    if (auto* todo = dynamic_cast<CInfoDisplay*>(m_panes[1])) {
        m_pZoekBalk->ZetAgendaLijst(ZoekTabel::TEDOEN, todo->GetListCtrl());
    }
    if (auto* afspraken = dynamic_cast<CLijstKalender*>(m_panes[2])) {
        m_pZoekBalk->ZetAgendaLijst(ZoekTabel::AFSPRAAK, afspraken->GetListCtrl());
    }
    Guarded([this] { m_pZoekBalk->OpenIndex(); }, this);
    OnCommand(ID_ZOEKEN, [this] { m_pZoekBalk->Activeer(); });
}
