#include "app/TolvarApp.h"

#include "app/AboutDlg.h"
#include "app/JetStart.h"
#include "app/StartControle.h"
#include "app/TolvarDoc.h"
#include "controls/SplashScreen.h"
#include "dialogs/DialoogBewerker.h"
#include "platform/dao/DaoFailureScope.h"
#include "platform/profile/Profile.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "store/DatabasePath.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QTranslator>

CCommandLineInfo CCommandLineInfo::Parse(const QStringList& arguments) {
    CCommandLineInfo info;
    for (const QString& argument : arguments.mid(1)) {
        const QString name =
            argument.toLower().remove(QRegularExpression(QStringLiteral("^[-/]+")));
        if (name == QLatin1String("nologo") || name == QLatin1String("embedding") ||
            name == QLatin1String("automation")) {
            info.m_bShowSplash = false;
        }
    }
    return info;
}

CTolvarApp::CTolvarApp(CMainFrame::ViewFactory views) : m_views(std::move(views)) {
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

CTolvarApp::~CTolvarApp() = default;

void CTolvarApp::LoadTranslations() {
    // The framework's own dialogs and buttons speak Dutch like the rest of the program.
    for (const char* name : {"qtbase_nl", "qt_nl"}) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(QString::fromLatin1(name),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    }
}

bool CTolvarApp::InitInstance(const QStringList& arguments) {
    const CCommandLineInfo commandLine = CCommandLineInfo::Parse(arguments);
    CDialoogBewerker::Installeer();
    CSplashScreen::EnableSplash(commandLine.m_bShowSplash);
    CSplashScreen::InstallPreTranslate(qApp);
    LoadTranslations();
    QApplication::setApplicationName(QStringLiteral("Tolvar"));
    QApplication::setOrganizationName(QStringLiteral("Merivon"));
    CProfile::SetRegistryKey(QStringLiteral("Merivon"));
    g_strDatabasePath = CProfile::GetProfileString(
        QStringLiteral("Location"), QStringLiteral("DataBase"), QStringLiteral("Tolvar.Doc"));
    // An empty path would open a nameless temporary database and report its tables missing.
    if (g_strDatabasePath.isEmpty()) {
        AfxMessageBox(QStringLiteral("De instelling \"DataBase\" in de sectie [Location] van het "
                                     "instellingenbestand %1 is leeg.\nVul daar het pad van het "
                                     "databasebestand in, bijvoorbeeld DataBase=Tolvar.Doc.")
                          .arg(CProfile::FileName()),
                      MB_ICONSTOP);
        return false;
    }
    if (!CJetStart::Uitvoeren(CStartControle::DataBestanden())) {
        return false;
    }
    CStartControle startControle;
    if (!startControle.Uitvoeren()) {
        return false;
    }

    // One failure of a file gives one box (and one wait for a lock) during start-up, however
    // many panes read the file.
    CDaoFailureScope startup;
    m_pDocument = std::make_unique<CTolvarDoc>();
    m_pDocument->OnNewDocument();
    m_pMainFrame = std::make_unique<CMainFrame>(m_views, this);
    if (!m_pMainFrame->Create()) {
        m_pMainFrame.reset();
        return false;
    }
    SetMessageBoxOwner(m_pMainFrame.get());
    // Without a window manager a request to maximise is not honoured; the window is given
    // the screen's size first so that it fills the screen either way.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m_pMainFrame->setGeometry(screen->availableGeometry());
    }
    m_pMainFrame->showMaximized();
    m_pMainFrame->repaint();
    // Reading whole files waits until the window is there.
    startControle.StartAchtergrond(m_pMainFrame.get());
    m_pDocument->ReportStartProblems();
    return true;
}

void CTolvarApp::OnAppAbout() {
    CAboutDlg about(m_pMainFrame.get());
    about.DoModal();
}
