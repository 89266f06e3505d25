#pragma once

#include "platform/ui/Dialog.h"

#include <memory>

class CRecRelatie;

namespace Ui {
class RelatieDlg;
}

// "Relatie gegevens": views and edits one relation in place on the caller's recordset, which
// stands on the row in edit mode. Dials, mails and opens the home page with what the boxes
// hold at that moment, and tells the caller whether the customer or supplier flag changed.
class CRelatieDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDC_RELATIENUMMER = 1010,
        IDC_MODIFICATIE = 1011,
        IDC_INLIJST = 1012,
        IDC_VOLLENAAM = 1013,
        IDC_KLANT = 1014,
        IDC_LEVERANCIER = 1015,
        IDC_PRIVE = 1016,
        IDC_TELEFOON = 1017,
        IDC_TELEFAX = 1018,
        IDC_EMAILADRES = 1019,
        IDC_HOMEPAGE = 1020,
        IDC_BTWNUMMER = 1021,
        IDC_MEMO = 1022,
        IDC_BEZOEK_STRAAT = 1023,
        IDC_BEZOEK_POSTCODE = 1024,
        IDC_BEZOEK_NUMMER = 1025,
        IDC_BEZOEK_PLAATS = 1026,
        IDC_AFLEVER_STRAAT = 1027,
        IDC_AFLEVER_POSTCODE = 1028,
        IDC_AFLEVER_NUMMER = 1029,
        IDC_AFLEVER_PLAATS = 1030,
        IDC_POSTBUS = 1031,
        IDC_BELLEN = 1032,
        IDC_EMAIL = 1033,
        IDC_HOMEPAGE_KNOP = 1034,
    };

    explicit CRelatieDlg(QWidget* parent = nullptr);
    ~CRelatieDlg() override;

    // Whether the text of the Homepage box can be opened as a home page: at least five
    // characters holding "www." or "WWW." (only these two forms).
    bool IsHomepage() const;

    void OnOK() override;

    CRecRelatie* m_pSet = nullptr;
    BOOL m_bKlantOud = 0;
    BOOL m_bLeverancierOud = 0;
    BOOL m_bSoortGewijzigd = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnHomepageGewijzigd();
    void OnHomepage();
    void OnBellen();
    void OnEmail();
    QString Tekst(int id) const;

    std::unique_ptr<Ui::RelatieDlg> m_ui;
};
