#pragma once

#include "platform/ui/Dialog.h"
#include "store/ReserveKopieen.h"

#include <memory>
#include <vector>

namespace Ui {
class TerugzetDlg;
}

// "Reservekopie terugzetten": the program's copies of its data files, newest first, with
// date, time, size and what each holds. OK (or a double click) chooses the marked copy.
class CTerugzetDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDC_KOPIEEN = 1200 };
    enum { KOLOM_GEGEVENS, KOLOM_DATUM, KOLOM_TIJD, KOLOM_GROOTTE, KOLOM_INHOUD, KOLOM_SOORT };

    // One copy in the list: the data file it belongs to and what that file holds.
    struct Regel {
        QString strBestand;
        QString strGegevens;
        CReserveKopieen::Kopie kopie;
    };

    CTerugzetDlg(std::vector<Regel> regels, QWidget* parent = nullptr);
    ~CTerugzetDlg() override;

    void OnOK() override;
    // The chosen copy after OK; null before.
    const Regel* GetGekozen() const { return m_pGekozen; }

protected:
    bool OnInitDialog() override;

private:
    std::unique_ptr<Ui::TerugzetDlg> m_ui;
    std::vector<Regel> m_regels;
    const Regel* m_pGekozen = nullptr;
};
