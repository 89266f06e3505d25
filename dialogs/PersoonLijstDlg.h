#pragma once

#include "dialogs/KeuzeLijstDlg.h"

#include <memory>

namespace Ui {
class PersoonLijstDlg;
}

// "Personen": picks one contact person of a relation, or of all relations when the filter is
// -1. After OK the caller reads the chosen number and the name as "first last".
class CPersoonLijstDlg : public CKeuzeLijstDlg {
    Q_OBJECT
public:
    enum { IDC_LIJST = 1060 };

    explicit CPersoonLijstDlg(QWidget* parent = nullptr);
    ~CPersoonLijstDlg() override;

    LONG m_lFilterRelatie = -1;

    LONG m_lGekozenPersoon = 0;
    QString m_strGekozenPersoon;

protected:
    bool OnInitDialog() override;
    void NeemKeuze(LONG lNummer, const QStringList& teksten) override;

private:
    std::unique_ptr<Ui::PersoonLijstDlg> m_ui;
};
