#include "dialogs/RelatieDlg.h"

#include "comm/BellenDlg.h"
#include "comm/DocumentLauncher.h"
#include "dialogs/IcoonKnop.h"
#include "dialogs/StuurMail.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "store/RecRelatie.h"

#include "ui_RelatieDlg.h"

#include <QLineEdit>
#include <QPushButton>

CRelatieDlg::CRelatieDlg(QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::RelatieDlg>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(m_ui->bellen, &QPushButton::clicked, this, GuardedSlot([this] { OnBellen(); }, this));
    connect(m_ui->email, &QPushButton::clicked, this, GuardedSlot([this] { OnEmail(); }, this));
    connect(m_ui->homepageKnop, &QPushButton::clicked, this,
            GuardedSlot([this] { OnHomepage(); }, this));
}

CRelatieDlg::~CRelatieDlg() = default;

bool CRelatieDlg::OnInitDialog() {
    UpdateData(false);
    ZetKnopIcoon(m_ui->homepageKnop, QStringLiteral("dlg_homepage"));
    ZetKnopIcoon(m_ui->bellen, QStringLiteral("dlg_telefoon"));
    ZetKnopIcoon(m_ui->email, QStringLiteral("dlg_mail"));
    m_bKlantOud = m_pSet->bKlantJaNee;
    m_bLeverancierOud = m_pSet->bLeverancierJaNee;
    connect(m_ui->homePage, &QLineEdit::textChanged, this,
            GuardedSlot([this] { OnHomepageGewijzigd(); }, this));
    return true;
}

void CRelatieDlg::DoDataExchange(CDataExchange* pDX) {
    CRecRelatie* p = m_pSet;
    DDX_Text(pDX, IDC_RELATIENUMMER, p->lRelatieNummer);
    DDX_Text(pDX, IDC_MODIFICATIE, p->dtModificatie);
    DDX_Text(pDX, IDC_INLIJST, p->szInLijst);
    DDX_Text(pDX, IDC_BTWNUMMER, p->szBtwNummer);
    DDX_Text(pDX, IDC_VOLLENAAM, p->szVolleNaam);
    DDX_Text(pDX, IDC_TELEFOON, p->szTelefoon);
    DDX_Text(pDX, IDC_TELEFAX, p->szTeleFax);
    DDX_Text(pDX, IDC_EMAILADRES, p->szEmailAdres);
    DDX_Text(pDX, IDC_HOMEPAGE, p->szHomePage);
    DDX_Check(pDX, IDC_KLANT, p->bKlantJaNee);
    DDX_Check(pDX, IDC_LEVERANCIER, p->bLeverancierJaNee);
    DDX_Check(pDX, IDC_PRIVE, p->bPriveJaNee);
    DDX_Text(pDX, IDC_BEZOEK_STRAAT, p->szBezoekStraat);
    DDX_Text(pDX, IDC_BEZOEK_NUMMER, p->szBezoekNummer);
    DDX_Text(pDX, IDC_BEZOEK_POSTCODE, p->szBezoekPostcode);
    DDX_Text(pDX, IDC_BEZOEK_PLAATS, p->szBezoekWoonplaats);
    DDX_Text(pDX, IDC_AFLEVER_STRAAT, p->szAfleverStraat);
    DDX_Text(pDX, IDC_AFLEVER_NUMMER, p->szAfleverNummer);
    DDX_Text(pDX, IDC_AFLEVER_POSTCODE, p->szAfleverPostcode);
    DDX_Text(pDX, IDC_POSTBUS, p->szPostBus);
    DDX_Text(pDX, IDC_AFLEVER_PLAATS, p->szAfleverPlaats);
    DDX_Text(pDX, IDC_MEMO, p->memAlgemeneMemo);
    // The exchange only ever enables the button: a failing test leaves the template's state.
    if (IsHomepage()) {
        m_ui->homepageKnop->setEnabled(true);
    }
}

QString CRelatieDlg::Tekst(int id) const {
    return GetWindowText(GetDlgItem(id));
}

bool CRelatieDlg::IsHomepage() const {
    const QString text = Tekst(IDC_HOMEPAGE);
    return text.size() >= 5 &&
           (text.contains(QLatin1String("www.")) || text.contains(QLatin1String("WWW.")));
}

void CRelatieDlg::OnHomepageGewijzigd() {
    m_ui->homepageKnop->setEnabled(IsHomepage());
}

void CRelatieDlg::OnHomepage() {
    if (IsHomepage()) {
        OpenDocument(this, Tekst(IDC_HOMEPAGE));
    }
}

void CRelatieDlg::OnBellen() {
    CBellenDlg dlg(Tekst(IDC_TELEFOON));
    dlg.DoModal();
}

void CRelatieDlg::OnEmail() {
    StuurMail(Tekst(IDC_VOLLENAAM), Tekst(IDC_EMAILADRES));
}

void CRelatieDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    EndDialog(IDOK);
    const bool gelijk =
        m_pSet->bKlantJaNee == m_bKlantOud && m_pSet->bLeverancierJaNee == m_bLeverancierOud;
    m_bSoortGewijzigd = gelijk ? 0 : 1;
}
