#pragma once

#include "platform/dao/OleDateTime.h"
#include "platform/ui/Dialog.h"

#include <QString>

namespace Ui {
class KalenderDlg;
}

// "Kalender": picks one date from a month calendar. After OK the caller reads the date and
// the same date as date-only text in the user's locale; after Cancel it reads nothing.
class CKalenderDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDC_KALENDER = 1019 };

    explicit CKalenderDlg(QWidget* parent = nullptr);
    ~CKalenderDlg() override;

    void OnOK() override;

    COleDateTime m_dtDatum;
    QString m_strDatum;

private:
    Ui::KalenderDlg* m_ui;
};
