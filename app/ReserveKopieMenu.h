#pragma once

#include <QString>

class CMainFrame;

// The two backup commands of the "Bestand" menu. "Reservekopie maken..." copies the data
// files into a folder the user chooses. "Reservekopie terugzetten..." lists the program's
// own copies; the chosen one is checked, the current file is kept as a copy itself, and
// then the chosen copy's contents take its place, after which every pane reads its data
// again.
class CReserveKopieMenu {
public:
    static void Maken(CMainFrame* frame);
    static void Terugzetten(CMainFrame* frame);

    // Puts copy strKopie in the place of data file strBestand as described above; answers
    // the path under which the replaced contents were kept. Throws CDaoException, with
    // nothing changed, when the copy is damaged or the current file cannot be kept.
    static QString ZetTerug(const QString& strBestand, const QString& strKopie);

private:
    static bool IsServer(CMainFrame* frame);
    static void Herlaad(CMainFrame* frame);
};
