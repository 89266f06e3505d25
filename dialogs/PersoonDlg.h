#pragma once

#include "platform/ui/Dialog.h"

#include <memory>

class CRecPersoon;

namespace Ui {
class PersoonDlg;
}

// "Persoons gegevens": views and edits one contact person in place on the caller's
// recordset. Dials either telephone number and mails the person with what the boxes hold at
// that moment.
class CPersoonDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDC_BEL = 1005,
        IDC_BEL_AUTO = 1006,
        IDC_MAIL = 1008,
        IDC_VOORNAAM = 1009,
        IDC_TELEFOON = 1010,
        IDC_ACHTERNAAM = 1011,
        IDC_FUNCTIE = 1012,
        IDC_AFDELING = 1013,
        IDC_AUTOTELEFOON = 1014,
        IDC_TELEFAX = 1015,
        IDC_EMAIL = 1016,
    };

    explicit CPersoonDlg(QWidget* parent = nullptr);
    ~CPersoonDlg() override;

    CRecPersoon* m_pSet = nullptr;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void Bel(int id);
    void OnMail();
    QString Tekst(int id) const;

    std::unique_ptr<Ui::PersoonDlg> m_ui;
};
