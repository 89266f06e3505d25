#include "dialogs/PersoonDlg.h"

#include "comm/BellenDlg.h"
#include "dialogs/IcoonKnop.h"
#include "dialogs/StuurMail.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "store/RecPersoon.h"

#include "ui_PersoonDlg.h"

#include <QPushButton>

CPersoonDlg::CPersoonDlg(QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::PersoonDlg>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(m_ui->bel, &QPushButton::clicked, this,
            GuardedSlot([this] { Bel(IDC_TELEFOON); }, this));
    connect(m_ui->belAuto, &QPushButton::clicked, this,
            GuardedSlot([this] { Bel(IDC_AUTOTELEFOON); }, this));
    connect(m_ui->mail, &QPushButton::clicked, this, GuardedSlot([this] { OnMail(); }, this));
}

CPersoonDlg::~CPersoonDlg() = default;

bool CPersoonDlg::OnInitDialog() {
    m_ui->bel->setAccessibleName(QStringLiteral("Bel telefoon"));
    m_ui->belAuto->setAccessibleName(QStringLiteral("Bel autotelefoon"));
    ZetKnopIcoon(m_ui->bel, QStringLiteral("dlg_telefoon"));
    ZetKnopIcoon(m_ui->belAuto, QStringLiteral("dlg_telefoon"));
    ZetKnopIcoon(m_ui->mail, QStringLiteral("dlg_mail"));
    UpdateData(false);
    return true;
}

void CPersoonDlg::DoDataExchange(CDataExchange* pDX) {
    CRecPersoon* p = m_pSet;
    DDX_Text(pDX, IDC_VOORNAAM, p->szVoorNaam);
    DDX_Text(pDX, IDC_ACHTERNAAM, p->szAchterNaam);
    DDX_Text(pDX, IDC_FUNCTIE, p->szFunctie);
    DDX_Text(pDX, IDC_AFDELING, p->szAfdeling);
    DDX_Text(pDX, IDC_TELEFOON, p->szTelefoon);
    DDX_Text(pDX, IDC_AUTOTELEFOON, p->szAutoTelefoon);
    DDX_Text(pDX, IDC_TELEFAX, p->szTelefax);
    DDX_Text(pDX, IDC_EMAIL, p->szEmail);
}

QString CPersoonDlg::Tekst(int id) const {
    return GetWindowText(GetDlgItem(id));
}

void CPersoonDlg::Bel(int id) {
    CBellenDlg dlg(Tekst(id));
    dlg.DoModal();
}

void CPersoonDlg::OnMail() {
    StuurMail(Tekst(IDC_VOORNAAM) + QLatin1Char(' ') + Tekst(IDC_ACHTERNAAM), Tekst(IDC_EMAIL));
}
