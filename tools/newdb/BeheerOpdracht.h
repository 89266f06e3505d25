#pragma once

#include <QStringList>

// The options of tolvar-newdb for administrators and scripts: "--check BESTAND" checks a
// data file, "--backup BESTAND DOEL" copies one consistently while the program may be
// using it. Exit status 0 on success, 1 when the file is damaged or the copy failed, 2 for
// a command line that does not fit; every message is Dutch.
class CBeheerOpdracht {
public:
    static bool Herkent(const QStringList& args);
    static int Uitvoeren(const QStringList& args);
    static const char* Gebruik();

private:
    static int OpServer(const QString& adres);
    static int Controleer(const QString& bestand);
    static int MaakKopie(const QString& bestand, const QString& doel);
};
