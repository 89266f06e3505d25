#pragma once

#include "dialogs/KeuzeLijstDlg.h"

#include <memory>

namespace Ui {
class RelatieLijstDlg;
}

// "Relaties": picks one relation among those with at least one of the asked flags
// (customer, supplier, private). After OK the caller reads the chosen number, list name and
// full name.
class CRelatieLijstDlg : public CKeuzeLijstDlg {
    Q_OBJECT
public:
    enum { IDC_LIJST = 1057 };

    explicit CRelatieLijstDlg(QWidget* parent = nullptr);
    ~CRelatieLijstDlg() override;

    BOOL m_bKlanten = 0;
    BOOL m_bLeveranciers = 0;
    BOOL m_bPrive = 0;

    LONG m_lGekozenRelatie = 0;
    QString m_strGekozenKort;
    QString m_strGekozenNaam;

protected:
    bool OnInitDialog() override;
    void NeemKeuze(LONG lNummer, const QStringList& teksten) override;

private:
    std::unique_ptr<Ui::RelatieLijstDlg> m_ui;
};
