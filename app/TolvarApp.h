#pragma once

#include "app/MainFrame.h"
#include "platform/ui/CmdTarget.h"

#include <memory>
#include <QStringList>

class CTolvarDoc;

// What the command line asks of the framework. The program has no switches of its own;
// the framework's own "no logo" switch (and starting as an embedded server) turn the splash
// screen off.
struct CCommandLineInfo {
    bool m_bShowSplash = true;
    static CCommandLineInfo Parse(const QStringList& arguments);
};

// The application: start-up, the settings branch, the database path, the document and the
// main window, and the application's own commands (the about box).
class CTolvarApp : public CCmdTarget {
public:
    explicit CTolvarApp(CMainFrame::ViewFactory views);
    ~CTolvarApp() override;

    // Start-up; false when the main window cannot be made (the program then ends).
    bool InitInstance(const QStringList& arguments);

    CMainFrame* GetMainWnd() const { return m_pMainFrame.get(); }
    CTolvarDoc* GetDocument() const { return m_pDocument.get(); }

    void OnAppAbout();

private:
    void LoadTranslations();

    CMainFrame::ViewFactory m_views;
    std::unique_ptr<CTolvarDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
