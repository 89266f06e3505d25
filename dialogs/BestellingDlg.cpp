#include "dialogs/BestellingDlg.h"

#include "store/RecBestelling.h"

#include "ui_BestellingDlg.h"

CBestellingDlg::CBestellingDlg(QWidget* parent)
    : CDocumentDlg(kIds, QStringLiteral("Er is geen relatie aan deze bestelling gekoppeld"),
                   parent),
      m_ui(std::make_unique<Ui::BestellingDlg>()) {
    m_ui->setupUi(this);
    VerbindKnoppen();
}

CBestellingDlg::~CBestellingDlg() = default;

CRecDocument* CBestellingDlg::Document() const {
    return m_pSet;
}
