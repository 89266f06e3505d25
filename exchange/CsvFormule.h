#pragma once

#include <QString>

// A spreadsheet opening a CSV file runs a cell that starts like a formula. The export puts
// an apostrophe before such a cell, which makes the spreadsheet show it as text, and the
// import takes off exactly that apostrophe: a value that already started with apostrophes
// before a formula gets one more, so that the two directions undo each other for every text.
class CCsvFormule {
public:
    static QString Bescherm(const QString& waarde);
    static QString Herstel(const QString& waarde);

private:
    static bool IsFormule(QStringView waarde);
    static bool IsBeschermd(QStringView waarde);
};
