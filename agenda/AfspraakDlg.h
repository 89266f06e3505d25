#pragma once

#include "platform/dao/OleDateTime.h"
#include "platform/ui/Dialog.h"

#include <memory>

namespace Ui {
class AfspraakDlg;
}
class CRecLijstKalender;

// "Kalender Afspraak": edits the alarm time and the text of the appointment on which the
// view's record set stands. Time and date have pickers of their own, so the alarm time is
// split into a time part and a date part on the way in and joined again on OK.
class CAfspraakDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 187, IDC_DATUM = 1115, IDC_TIJD = 1116, IDC_TEKST = 1117, MAX_TEKST = 255 };

    // nu is the current date and time: what both pickers show for a new appointment.
    CAfspraakDlg(CRecLijstKalender* pSet, const COleDateTime& nu, QWidget* parent = nullptr);
    ~CAfspraakDlg() override;

    // 30 December 1899 at the hour, minute and second of dt.
    static COleDateTime TijdDeel(const COleDateTime& dt);
    // The year, month and day of dt at midnight.
    static COleDateTime DatumDeel(const COleDateTime& dt);
    // The day of datum at the time of day of tijd.
    static COleDateTime Samen(const COleDateTime& datum, const COleDateTime& tijd);

    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ZetFormaten();

    std::unique_ptr<Ui::AfspraakDlg> m_ui;
    CRecLijstKalender* m_pSet;
    COleDateTime m_tijd;
    COleDateTime m_datum;
};
