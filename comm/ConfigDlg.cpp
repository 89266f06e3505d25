#include "comm/ConfigDlg.h"

#include "comm/DocumentKiezen.h"
#include "platform/profile/Profile.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"

#include "ui_ConfigDlg.h"

namespace {

const QString kBellen = QStringLiteral("Bellen");
const QString kCompoort = QStringLiteral("Compoort");
const QString kVoorloop = QStringLiteral("Voorloop");
const QString kGeluiden = QStringLiteral("Geluiden");
const QString kKalender = QStringLiteral("Kalender");

} // namespace

CConfigDlg::CConfigDlg(QWidget* parent) : CDialog(parent), m_ui(std::make_unique<Ui::ConfigDlg>()) {
    m_ui->setupUi(this);
    connect(m_ui->geluidKiezen, &QPushButton::clicked, this,
            GuardedSlot([this] { OnGeluidKiezen(); }, this));
}

CConfigDlg::~CConfigDlg() = default;

void CConfigDlg::Run(QWidget* parent) {
    CConfigDlg dialog(parent);
    dialog.DoModal();
}

bool CConfigDlg::OnInitDialog() {
    m_nCompoort = CProfile::GetProfileInt(kBellen, kCompoort, 1);
    m_strVoorloop = CProfile::GetProfileString(kBellen, kVoorloop, QString());
    m_strGeluid = CProfile::GetProfileString(kGeluiden, kKalender, QString());
    return CDialog::OnInitDialog();
}

void CConfigDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_COMPOORT, m_nCompoort);
    DDX_Text(pDX, IDC_VOORLOOP, m_strVoorloop);
    DDX_Text(pDX, IDC_GELUID, m_strGeluid);
}

void CConfigDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    // The dialog stays open when the settings cannot be stored, so nothing typed is lost.
    if (!CProfile::WriteProfileInt(kBellen, kCompoort, m_nCompoort) ||
        !CProfile::WriteProfileString(kBellen, kVoorloop, m_strVoorloop) ||
        !CProfile::WriteProfileString(kGeluiden, kKalender, m_strGeluid)) {
        MessageBox(this,
                   QStringLiteral("De instellingen kunnen niet worden opgeslagen in %1: %2")
                       .arg(CProfile::FileName(), CProfile::LastWriteError()),
                   QStringLiteral("Let Op"), MB_OK | MB_ICONSTOP);
        return;
    }
    EndDialog(IDOK);
}

void CConfigDlg::OnGeluidKiezen() {
    if (DocumentKiezen(QString(), QStringLiteral("Wav Bestanden (*.wav)|*.Wav||"), m_strGeluid)) {
        SetWindowText(GetDlgItem(IDC_GELUID), m_strGeluid);
    }
}
