#pragma once

// The program's single document. All data lives in the database file; the document holds
// nothing, is never saved and never reloaded. It exists because the window model has one.
class CTolvarDoc {
public:
    bool OnNewDocument() { return true; }
};
