#include "dialogs/DocumentDlg.h"

#include "comm/DocumentKiezen.h"
#include "comm/DocumentLauncher.h"
#include "dialogs/IcoonKnop.h"
#include "dialogs/PersoonLijstDlg.h"
#include "dialogs/RelatieLijstDlg.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "store/RecDocument.h"
#include "store/RecRelatie.h"

#include <QAbstractButton>
#include <QComboBox>

const QString CDocumentDlg::kDocumentFilter = QStringLiteral(
    "Exel Bestanden (*.xls)|*.xls|Word Bestanden (*.doc)|*.doc|Text Bestanden (*.txt)|*.txt|"
    "Autocad Bestanden (*.dwg)|*.dwg|Alle Bestanden (*.*)|*.*||");

CDocumentDlg::CDocumentDlg(const DocumentIds& ids, const QString& strGeenRelatie, QWidget* parent)
    : CDialog(parent), m_ids(ids), m_strGeenRelatie(strGeenRelatie) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void CDocumentDlg::Verbind(int id, std::function<void()> handler) {
    connect(qobject_cast<QAbstractButton*>(GetDlgItem(id)), &QAbstractButton::clicked, this,
            GuardedSlot(std::move(handler), this));
}

void CDocumentDlg::VerbindKnoppen() {
    Verbind(m_ids.documentKiezen, [this] { OnDocumentKiezen(); });
    Verbind(m_ids.relatieKiezen, [this] { OnRelatieKiezen(); });
    Verbind(m_ids.persoonKiezen, [this] { OnPersoonKiezen(); });
    Verbind(m_ids.editDoc, [this] { OnEditDoc(); });
    // Typed text stays as typed: no completion towards an entry, no entry added.
    if (auto* soort = qobject_cast<QComboBox*>(GetDlgItem(m_ids.soortDocument))) {
        soort->setCompleter(nullptr);
    }
}

bool CDocumentDlg::OnInitDialog() {
    for (int id : {m_ids.documentKiezen, m_ids.relatieKiezen, m_ids.persoonKiezen}) {
        ZetKnopIcoon(qobject_cast<QAbstractButton*>(GetDlgItem(id)), QStringLiteral("dlg_kiezen"));
    }
    UpdateData(false);
    ZoekRelatie();
    return true;
}

void CDocumentDlg::DoDataExchange(CDataExchange* pDX) {
    CRecDocument* p = Document();
    DDX_Text(pDX, m_ids.nummer, p->dwIndex);
    DDX_Text(pDX, m_ids.creatieDatum, p->dtCreateDatum);
    DDX_Text(pDX, m_ids.modificatieDatum, p->dtModificatieDatum);
    DDX_Text(pDX, m_ids.omschrijving, p->szInLijst);
    DDX_Text(pDX, m_ids.document, p->szDocument);
    DDX_CBString(pDX, m_ids.soortDocument, p->dwSoortDocument);
    DDX_Text(pDX, m_ids.relatie, m_strRelatieNaam);
    DDX_Text(pDX, m_ids.kontaktPersoon, p->szKontaktPersoon);
    DDX_Text(pDX, m_ids.relatieKort, m_strRelatieKort);
    PasToestandAan();
}

void CDocumentDlg::PasToestandAan() {
    if (Document()->dwRelatieNummer != 0) {
        GetDlgItem(m_ids.relatieKiezen)->setEnabled(false);
    }
}

void CDocumentDlg::ToonRelatie(const QString& naam, const QString& kort) {
    m_strRelatieNaam = naam;
    m_strRelatieKort = kort;
    SetWindowText(GetDlgItem(m_ids.relatie), naam);
    SetWindowText(GetDlgItem(m_ids.relatieKort), kort);
}

// A document whose relation no longer exists simply shows none.
void CDocumentDlg::ZoekRelatie() {
    CRecRelatie relatie;
    relatie.Selecteer(SEL_NUMMER, Document()->dwRelatieNummer);
    if (relatie.Volgende()) {
        ToonRelatie(relatie.szVolleNaam, relatie.szInLijst);
    }
}

void CDocumentDlg::OnDocumentKiezen() {
    CRecDocument* p = Document();
    if (DocumentKiezen(QString(), kDocumentFilter, p->szDocument)) {
        SetWindowText(GetDlgItem(m_ids.document), p->szDocument);
    }
}

void CDocumentDlg::OnRelatieKiezen() {
    CRelatieLijstDlg dlg;
    dlg.m_bKlanten = TRUE;
    if (dlg.DoModal() != IDOK) {
        return;
    }
    Document()->dwRelatieNummer = dlg.m_lGekozenRelatie;
    ToonRelatie(dlg.m_strGekozenNaam, dlg.m_strGekozenKort);
}

void CDocumentDlg::OnPersoonKiezen() {
    CRecDocument* p = Document();
    CPersoonLijstDlg dlg;
    dlg.m_lFilterRelatie = p->dwRelatieNummer > 0 ? p->dwRelatieNummer : -1;
    if (dlg.DoModal() != IDOK) {
        return;
    }
    p->szKontaktPersoon = dlg.m_strGekozenPersoon;
    SetWindowText(GetDlgItem(m_ids.kontaktPersoon), p->szKontaktPersoon);
}

void CDocumentDlg::OnEditDoc() {
    OpenDocument(this, Document()->szDocument);
}

void CDocumentDlg::OnOK() {
    if (Document()->dwRelatieNummer == 0) {
        MessageBox(this, m_strGeenRelatie, QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    CDialog::OnOK();
}
