#pragma once

#include "store/ReserveKopieen.h"

#include <QString>
#include <QStringList>

class QMainWindow;

// The start-up step that guards the data files before anything reads or writes them: each
// file gets the engine's quick check, and a damaged one is never opened for writing: the
// user is told which file it is and which copy is the newest good one, and chooses between
// restoring that copy and ending the program. Then, on the first start of the day, each
// file that passed is copied. A copy that fails never stops the start; it is reported once in
// the status bar.
class CStartControle {
public:
    explicit CStartControle(CReserveKopieen kopieen = CReserveKopieen());

    // The data files of the program: the database of the "DataBase" setting and the
    // appointment file, each once, as local paths. A server database has no file here.
    static QStringList DataBestanden();

    // Checks the files and makes the daily copies; false when the program must end.
    bool Uitvoeren(const QStringList& bestanden = DataBestanden());
    // Shows what the step has to report (a failed copy, a restored file) in the frame's
    // status bar, once.
    void Meld(QMainWindow* frame) const;

private:
    bool Controleer(const QString& strBestand);
    bool HerstelBijStart(const QString& strBestand, const CReserveKopieen::Kopie& kopie);
    void MaakDagelijks(const QString& strBestand);

    CReserveKopieen m_kopieen;
    QStringList m_gezond;
    QStringList m_meldingen;
    bool m_bKopieMislukt = false;
};
