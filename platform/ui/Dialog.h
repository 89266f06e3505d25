#pragma once

#include "platform/ui/DataExchange.h"

#include <QDialog>

// A modal dialog with the platform's life cycle: OnInitDialog fills the controls before
// the dialog shows, OK exchanges them back and closes only when that succeeds, Cancel and
// Escape close without exchanging. Controls with id 1 and 2 are the OK and Cancel buttons.
class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(QWidget* parent = nullptr);

    // Runs the dialog modally and answers IDOK or IDCANCEL (or what EndDialog was given).
    int DoModal();
    // Exchanges every control with its member; false when the input was refused.
    bool UpdateData(bool saveAndValidate = true);
    QWidget* GetDlgItem(int id) const;
    void EndDialog(int result);

    virtual void OnOK();
    virtual void OnCancel();

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);

    void accept() override;
    void reject() override;

private:
    void ConnectStandardButtons();
    bool m_bButtonsConnected = false;
};
