#include "agenda/AfspraakDlg.h"

#include "platform/ui/EnterPressesDefault.h"
#include "platform/ui/MessageBox.h"
#include "store/RecLijstKalender.h"
#include "ui_AfspraakDlg.h"

#include <QLocale>
#include <QRegularExpression>

CAfspraakDlg::CAfspraakDlg(CRecLijstKalender* pSet, const COleDateTime& nu, QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::AfspraakDlg>()), m_pSet(pSet), m_tijd(nu),
      m_datum(nu) {
    m_ui->setupUi(this);
    ZetFormaten();
    CEnterPressesDefault::Install(m_ui->tekst);
}

CAfspraakDlg::~CAfspraakDlg() = default;

// The pickers show time and date as the user's locale writes them; the long time format
// also names the time zone, which means nothing for an alarm on this machine.
void CAfspraakDlg::ZetFormaten() {
    const QLocale locale;
    QString strTijd = locale.timeFormat(QLocale::LongFormat);
    strTijd.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    m_ui->tijd->setDisplayFormat(strTijd.trimmed());
    m_ui->datum->setDisplayFormat(locale.dateFormat(QLocale::LongFormat));
}

COleDateTime CAfspraakDlg::TijdDeel(const COleDateTime& dt) {
    return COleDateTime(1899, 12, 30, dt.GetHour(), dt.GetMinute(), dt.GetSecond());
}

COleDateTime CAfspraakDlg::DatumDeel(const COleDateTime& dt) {
    return COleDateTime(dt.GetYear(), dt.GetMonth(), dt.GetDay(), 0, 0, 0);
}

COleDateTime CAfspraakDlg::Samen(const COleDateTime& datum, const COleDateTime& tijd) {
    return COleDateTime(datum.GetYear(), datum.GetMonth(), datum.GetDay(), tijd.GetHour(),
                        tijd.GetMinute(), tijd.GetSecond());
}

void CAfspraakDlg::DoDataExchange(CDataExchange* pDX) {
    if (!pDX->m_bSaveAndValidate && m_pSet->dtDatumTijdAlarm.IsValid()) {
        m_tijd = TijdDeel(m_pSet->dtDatumTijdAlarm);
        m_datum = DatumDeel(m_pSet->dtDatumTijdAlarm);
    }
    DDX_DateTimeCtrl(pDX, IDC_TIJD, m_tijd);
    DDX_Text(pDX, IDC_TEKST, m_pSet->szTekst);
    DDV_MaxChars(pDX, m_pSet->szTekst, MAX_TEKST);
    DDX_DateTimeCtrl(pDX, IDC_DATUM, m_datum);
}

void CAfspraakDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    m_pSet->dtDatumTijdAlarm = Samen(m_datum, m_tijd);
    EndDialog(IDOK);
}
