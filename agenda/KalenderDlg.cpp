#include "agenda/KalenderDlg.h"

#include "agenda/Calendar.h"
#include "platform/ui/MessageBox.h"
#include "ui_KalenderDlg.h"

namespace {

// Whatever the control reports is taken as it is: a value that is not a date gives an
// invalid date and the (empty) text of one.
COleDateTime DatumVan(const QVariant& value) {
    const QDate date = value.toDate();
    if (!date.isValid()) {
        COleDateTime invalid;
        invalid.SetStatus(COleDateTime::invalid);
        return invalid;
    }
    return COleDateTime(QDateTime(date, QTime(0, 0)));
}

} // namespace

CKalenderDlg::CKalenderDlg(QWidget* parent) : CDialog(parent), m_ui(new Ui::KalenderDlg) {
    m_ui->setupUi(this);
    m_dtDatum = COleDateTime(0.0);
    // Choosing a day with a double click or Enter is the same as choosing it and pressing OK.
    connect(m_ui->kalender, &QCalendarWidget::activated, this, [this] { accept(); });
}

CKalenderDlg::~CKalenderDlg() {
    delete m_ui;
}

void CKalenderDlg::OnOK() {
    m_dtDatum = DatumVan(m_ui->kalender->GetValue());
    m_strDatum = m_dtDatum.Format(COleDateTime::VAR_DATEVALUEONLY);
    EndDialog(IDOK);
}
