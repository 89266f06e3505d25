#include "agenda/TeDoenDlg.h"

#include "agenda/PrioIcoon.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/EnterPressesDefault.h"
#include "platform/ui/MessageBox.h"
#include "store/RecTeDoen.h"
#include "ui_TeDoenDlg.h"

#include <algorithm>
#include <QTextCursor>

CTeDoenDlg::CTeDoenDlg(CRecTeDoen* pSet, QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::TeDoenDlg>()), m_pSet(pSet) {
    m_ui->setupUi(this);
    CEnterPressesDefault::Install(m_ui->tekst);
    connect(m_ui->prioriteit, &QSlider::valueChanged, this,
            GuardedSlot([this] { OnSchuif(); }, this));
    connect(m_ui->tekst, &QPlainTextEdit::textChanged, this,
            GuardedSlot([this] { BeperkTekst(); }, this));
}

CTeDoenDlg::~CTeDoenDlg() = default;

bool CTeDoenDlg::OnInitDialog() {
    m_ui->prioriteit->setRange(0, CPrioIcoon::AANTAL - 1);
    CDialog::OnInitDialog();
    ToonIcoon(m_pSet->lPrio);
    return true;
}

void CTeDoenDlg::DoDataExchange(CDataExchange* pDX) {
    if (!pDX->m_bSaveAndValidate) {
        m_nPrio = m_pSet->lPrio;
    }
    m_strDatum = m_pSet->dtDatumTijd.Format(COleDateTime::VAR_DATEVALUEONLY);
    m_strTijd = m_pSet->dtDatumTijd.Format(COleDateTime::VAR_TIMEVALUEONLY);
    DDX_Text(pDX, IDC_DATUM, m_strDatum);
    DDX_Text(pDX, IDC_TIJD, m_strTijd);
    DDX_Slider(pDX, IDC_PRIO, m_nPrio);
    if (!pDX->m_bSaveAndValidate) {
        m_nVorigeLengte = int(m_pSet->szTekst.size());
    }
    DDX_Text(pDX, IDC_TEKST, m_pSet->szTekst);
    DDV_MaxChars(pDX, m_pSet->szTekst, MAX_TEKST);
    if (pDX->m_bSaveAndValidate) {
        m_pSet->lPrio = m_nPrio;
    }
}

void CTeDoenDlg::ToonIcoon(int nPrio) {
    if (!CPrioIcoon::IsPrio(nPrio)) {
        return;
    }
    m_ui->icoon->setPixmap(CPrioIcoon::Prio(nPrio).pixmap(16, 16));
    m_nGetoondePrio = nPrio;
}

void CTeDoenDlg::OnSchuif() {
    const int nPositie = m_ui->prioriteit->value();
    if (nPositie != m_nGetoondePrio) {
        ToonIcoon(nPositie);
    }
}

// A multi-line box has no length limit of its own: what is typed or pasted beyond the
// limit is taken out again, with the platform's beep, as a limited edit box would refuse it.
// A stored text that is already longer is not cut: it can only shrink, and OK then tells
// the user it is too long.
void CTeDoenDlg::BeperkTekst() {
    QPlainTextEdit* pTekst = m_ui->tekst;
    const int nLengte = int(pTekst->toPlainText().size());
    const int nTeVeel = nLengte - std::max<int>(MAX_TEKST, m_nVorigeLengte);
    m_nVorigeLengte = std::min(nLengte, std::max<int>(MAX_TEKST, m_nVorigeLengte));
    if (nTeVeel <= 0) {
        return;
    }
    QTextCursor cursor = pTekst->textCursor();
    const int nPositie = cursor.position();
    if (nPositie >= nTeVeel) {
        cursor.setPosition(nPositie - nTeVeel);
        cursor.setPosition(nPositie, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(MAX_TEKST);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    pTekst->setTextCursor(cursor);
    MessageBeep(MB_OK);
}
