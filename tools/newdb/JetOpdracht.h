#pragma once

#include <QStringList>

// "tolvar-newdb --van-jet JETBESTAND DOEL": takes a database file of the Windows version
// over into a new database file or an empty database on a server, and prints what came
// along per table. Exit status 0 on success, 1 when nothing could be taken over, 2 for a
// command line that does not fit.
class CJetOpdracht {
public:
    static bool Herkent(const QStringList& args);
    static int Uitvoeren(const QStringList& args);
    static const char* Gebruik();
};
