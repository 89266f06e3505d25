#pragma once

#include "app/AchtergrondControle.h"
#include "store/ReserveKopieen.h"

#include <QString>
#include <QStringList>

class QMainWindow;

// The start-up step that guards the data files before anything reads or writes them: each
// file's header and first page are checked at once, and a damaged file is never opened for
// writing: the user is told which file it is and which copy is the newest good one, and
// chooses between restoring that copy and ending the program. The check of every page and,
// on the first start of the day, the copy of each file that passed follow in the background
// once the window shows (CAchtergrondControle).
class CStartControle {
public:
    explicit CStartControle(CReserveKopieen kopieen = CReserveKopieen());

    // The data files of the program: the database of the "DataBase" setting and the
    // appointment file, each once, as local paths. A server database has no file here.
    static QStringList DataBestanden();

    // Checks the files at once; false when the program must end.
    bool Uitvoeren(const QStringList& bestanden = DataBestanden());
    // Starts the full check and the daily copies of the files that passed, reporting in
    // the frame's status bar (also what this step had to report: a restored file); the
    // work belongs to the frame, which it answers.
    CAchtergrondControle* StartAchtergrond(QMainWindow* frame) const;

private:
    bool Controleer(const QString& strBestand);
    bool HerstelBijStart(const QString& strBestand, const CReserveKopieen::Kopie& kopie);

    CReserveKopieen m_kopieen;
    QStringList m_gezond;
    QStringList m_meldingen;
};
