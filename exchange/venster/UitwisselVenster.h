#pragma once

#include "platform/dao/DaoTypes.h"

#include <QString>

class QWidget;

// The exchange commands as the window offers them: a file chosen in the desktop's file
// dialog, the progress window on long runs, and before an import the summary of what is new,
// stored only when the user confirms it. A path given by the caller skips the file dialog.
class CUitwisselVenster {
public:
    static void ExporteerVCard(QWidget* owner, bool bVersie3, LONG lRelatie = 0,
                               QString pad = QString());
    static void ExporteerICal(QWidget* owner, QString pad = QString());
    // tabblad: one of CCsvExport::Tabbladen(); empty asks the user which list.
    static void ExporteerCsv(QWidget* owner, QString tabblad = QString(), QString pad = QString());
    // True when something was stored, so that the caller shows it.
    static bool ImporteerVCard(QWidget* owner, QString pad = QString());
    static bool ImporteerICal(QWidget* owner, QString pad = QString());
    // A list of relations, or of persons, from a spreadsheet: stored only after the preview
    // dialog, in which the user sees the rows, chooses the columns and confirms.
    static bool ImporteerCsv(QWidget* owner, bool bPersonen, QString pad = QString());

    // Runs of at least this many records show the progress window.
    static constexpr int kVoortgangVanaf = 200;

private:
    static QString KiesOpslaan(QWidget* owner, const QString& titel, const QString& naam,
                               const QString& filter);
    static QString KiesOpenen(QWidget* owner, const QString& titel, const QString& filter);
    static void Gereed(QWidget* owner, const QString& tekst);
    static void Fout(QWidget* owner, const QString& tekst);
    template <typename Import>
    static bool Bevestig(QWidget* owner, const Import& import, bool bIetsNieuw);
};
