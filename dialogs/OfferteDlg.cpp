#include "dialogs/OfferteDlg.h"

#include "agenda/KalenderDlg.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"
#include "store/RecOfferte.h"

#include "ui_OfferteDlg.h"

COfferteDlg::COfferteDlg(QWidget* parent)
    : CDocumentDlg(kIds, QStringLiteral("Er is geen relatie aan deze offerte gekoppeld"), parent),
      m_ui(std::make_unique<Ui::OfferteDlg>()) {
    m_ui->setupUi(this);
    VerbindKnoppen();
    Verbind(IDC_VERSTUURD, [this] {
        StatusStap(1, QStringLiteral("Offertestatus wijzigen van\nTe versturen naar Verstuurd"),
                   MB_ICONINFORMATION);
    });
    Verbind(IDC_POSITIEF, [this] {
        StatusStap(2, QStringLiteral("Offertestatus wijzigen van\nIs Verstuurd naar Positief"),
                   MB_ICONINFORMATION);
    });
    Verbind(IDC_VERVALLEN, [this] {
        StatusStap(3, QStringLiteral("Offertestatus wijzigen van\nIs Verstuurd naar Vervallen"),
                   MB_ICONSTOP);
    });
    Verbind(IDC_VERVAL_KNOP, [this] { OnVervalDatum(); });
}

COfferteDlg::~COfferteDlg() = default;

CRecDocument* COfferteDlg::Document() const {
    return m_pSet;
}

void COfferteDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_STATUS, m_strStatus);
    // The expiry date is shown, never read back: only the calendar changes it.
    if (!pDX->m_bSaveAndValidate) {
        SetWindowText(GetDlgItem(IDC_VERVALDATUM),
                      m_pSet->dtVervalDatum.Format(COleDateTime::VAR_DATEVALUEONLY));
    }
    CDocumentDlg::DoDataExchange(pDX);
}

void COfferteDlg::ZetStatusKnoppen(bool verstuurd, bool afgerond, bool relatie) {
    m_ui->verstuurd->setEnabled(verstuurd);
    m_ui->positief->setEnabled(afgerond);
    m_ui->vervallen->setEnabled(afgerond);
    m_ui->relatieKiezen->setEnabled(relatie);
}

void COfferteDlg::PasToestandAan() {
    const LONG lStatus = m_pSet->dwStatusOfferte;
    if (lStatus >= 0 && lStatus <= 3) {
        m_strStatus = CRecOfferte::StatusTekst(lStatus);
        SetWindowText(GetDlgItem(IDC_STATUS), m_strStatus);
        ZetStatusKnoppen(lStatus == 0, lStatus == 1, lStatus == 0);
    }
    CDocumentDlg::PasToestandAan();
}

void COfferteDlg::StatusStap(LONG lNieuw, const QString& strVraag, UINT nIcoon) {
    if (MessageBox(this, strVraag, QStringLiteral("Status Wijzigen"), MB_OKCANCEL | nIcoon) !=
        IDOK) {
        return;
    }
    m_pSet->dwStatusOfferte = lNieuw;
    UpdateData(true);
    m_bStatusGewijzigd = 1;
}

void COfferteDlg::OnVervalDatum() {
    CKalenderDlg dlg;
    if (dlg.DoModal() != IDOK) {
        return;
    }
    m_pSet->dtVervalDatum = dlg.m_dtDatum;
    SetWindowText(GetDlgItem(IDC_VERVALDATUM), dlg.m_strDatum);
}
