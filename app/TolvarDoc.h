#pragma once

// The program's single document. All data lives in the database file; the document holds
// nothing, is never saved and never reloaded. It exists because the window model has one.
#include <QString>

class CTolvarDoc {
public:
    // Looks at the database and the appointment file before the panes read them, so that a
    // file that cannot be used, or can only be read, is said once, by ReportStartProblems.
    bool OnNewDocument();
    // Shows what OnNewDocument found, in one box over the main window.
    void ReportStartProblems();

private:
    QString m_strStartProblems;
};
