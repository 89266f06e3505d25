#pragma once

// The program's single document. All data lives in the database file; the document holds
// nothing, is never saved and never reloaded. It exists because the window model has one.
class CTolvarDoc {
public:
    // Looks at the database and the appointment file before the panes read them: a file
    // that cannot be used, or can only be read, is said here, in one box.
    bool OnNewDocument();
};
