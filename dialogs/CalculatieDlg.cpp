#include "dialogs/CalculatieDlg.h"

#include "store/RecCalculatie.h"

#include "ui_CalculatieDlg.h"

CCalculatieDlg::CCalculatieDlg(QWidget* parent)
    : CDocumentDlg(kIds, QStringLiteral("Er is geen relatie aan deze calculatie gekoppeld"),
                   parent),
      m_ui(std::make_unique<Ui::CalculatieDlg>()) {
    m_ui->setupUi(this);
    VerbindKnoppen();
}

CCalculatieDlg::~CCalculatieDlg() = default;

CRecDocument* CCalculatieDlg::Document() const {
    return m_pSet;
}
