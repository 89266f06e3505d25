#include "dialogs/OrderDlg.h"

#include "store/RecOrder.h"

#include "ui_OrderDlg.h"

COrderDlg::COrderDlg(QWidget* parent)
    : CDocumentDlg(kIds, QStringLiteral("Er is geen relatie aan deze order gekoppeld"), parent),
      m_ui(std::make_unique<Ui::OrderDlg>()) {
    m_ui->setupUi(this);
    VerbindKnoppen();
}

COrderDlg::~COrderDlg() = default;

CRecDocument* COrderDlg::Document() const {
    return m_pSet;
}
