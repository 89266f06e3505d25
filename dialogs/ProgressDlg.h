#pragma once

#include "platform/dao/DaoTypes.h"
#include "platform/ui/Dialog.h"

#include <memory>
#include <QElapsedTimer>

namespace Ui {
class ProgressDlg;
}

// The small window without a caption that names the collection being read, counts its
// records and shows a percentage and a bar while the workspace reads a whole table. Its
// owner keeps the object and shows the window only for the length of one read.
class CProgressDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 135,
        IDC_VERZAMELING = 1022,
        IDC_RECORDNR = 1023,
        IDC_AANTAL = 1024,
        IDC_VOORTGANG = 1025,
        IDC_PROCENT = 1027,
    };
    // The bar counts in thousandths.
    static constexpr int kBarRange = 1000;
    // Milliseconds at most between two paints during a run, so that it counts ten times a
    // second with room for the paint itself.
    static constexpr qint64 kToonInterval = 80;
    // Milliseconds at most that Create waits for the display to show the window.
    static constexpr qint64 kToonWacht = 200;

    explicit CProgressDlg(QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Shows the window modelessly in front of its owner's window, without taking the focus.
    void Create();
    // Takes the window away; does nothing when it is already gone.
    void DestroyWindow();
    bool IsWindow() const { return m_bWindow; }

    // Begins a run of nTotaal records; a total of 0 leaves everything as it was.
    void StartVerzameling(const QString& strNaam, DWORD nTotaal);
    // Reports one record read. Without the window only the count goes on.
    void VolgendRecord();
    // Puts the count, the percentage and the bar in the window; returns the bar's position.
    DWORD ToonStand();

    DWORD m_nTotaal = 0;
    DWORD m_nTeller = 0; // set to 0 by the owner before each run

private:
    void SetColours();

    std::unique_ptr<Ui::ProgressDlg> m_ui;
    bool m_bWindow = false;
    DWORD m_nGetoondProcent = 0;
    QElapsedTimer m_laatstGetoond;
};
