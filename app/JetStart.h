#pragma once

#include <QStringList>

// The start-up step for a firm coming from the Windows version: a data file that is still
// in the old format (known by its header, whatever its name) is offered for conversion in
// one box. Yes converts it, keeps the old file beside it as NAAM-windows.mdb and puts the
// new database under the old name, so that the settings stay as they are; No ends the
// program and leaves every file as it was.
class CJetStart {
public:
    // False when the program must end: the user said no, or a conversion failed (said
    // in a box; nothing was changed).
    static bool Uitvoeren(const QStringList& bestanden);

    // Where the old file is kept: beside it, with "-windows.mdb" after its base name, and a
    // number added when that name is taken.
    static QString BewaarNaam(const QString& bestand);

private:
    static bool Zet(const QStringList& oud, QStringList& verslag);
};
