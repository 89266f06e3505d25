#pragma once

#include "dialogs/DocumentDlg.h"

#include <memory>

class CRecOfferte;

namespace Ui {
class OfferteDlg;
}

// "Offerte": a quotation with its status workflow (to be sent, sent, then accepted or
// lapsed; each step confirmed by the user) and its expiry date. After OK the caller reads
// whether a status step was confirmed.
class COfferteDlg : public CDocumentDlg {
    Q_OBJECT
public:
    static constexpr DocumentIds kIds{1041, 1038, 1039, 1043, 1044, 1046, 1047,
                                      1048, 1049, 1050, 1051, 1056, 3};
    enum {
        IDC_VERVALDATUM = 1040,
        IDC_STATUS = 1042,
        IDC_VERSTUURD = 1053,
        IDC_POSITIEF = 1054,
        IDC_VERVALLEN = 1055,
        IDC_VERVAL_KNOP = 1062,
    };

    explicit COfferteDlg(QWidget* parent = nullptr);
    ~COfferteDlg() override;

    CRecOfferte* m_pSet = nullptr;
    QString m_strStatus;
    BOOL m_bStatusGewijzigd = 0;

protected:
    CRecDocument* Document() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    void PasToestandAan() override;

private:
    void ZetStatusKnoppen(bool verstuurd, bool afgerond, bool relatie);
    void StatusStap(LONG lNieuw, const QString& strVraag, UINT nIcoon);
    void OnVervalDatum();

    std::unique_ptr<Ui::OfferteDlg> m_ui;
};
