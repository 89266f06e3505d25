#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <QString>

namespace Ui {
class TeDoenDlg;
}
class CRecTeDoen;

// "Te Doen": edits the priority and the text of the to-do item on which the view's record
// set stands. The date and time it was entered are shown greyed, never changed. The icon
// beside the slider always shows the digit at the slider's position.
class CTeDoenDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 168,
        IDC_DATUM = 1106,
        IDC_TIJD = 1107,
        IDC_TEKST = 1109,
        IDC_PRIO = 1110,
        IDC_ICOON = 1111,
        MAX_TEKST = 250
    };

    explicit CTeDoenDlg(CRecTeDoen* pSet, QWidget* parent = nullptr);
    ~CTeDoenDlg() override;

    // The priority whose icon stands beside the slider.
    int GetGetoondePrio() const { return m_nGetoondePrio; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ToonIcoon(int nPrio);
    void OnSchuif();
    void BeperkTekst();

    std::unique_ptr<Ui::TeDoenDlg> m_ui;
    CRecTeDoen* m_pSet;
    int m_nPrio = 0;
    int m_nGetoondePrio = -1;
    int m_nVorigeLengte = 0;
    QString m_strDatum;
    QString m_strTijd;
};
