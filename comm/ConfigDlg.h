#pragma once

#include "platform/ui/Dialog.h"

#include <memory>

namespace Ui {
class ConfigDlg;
}

// "Congiguratie": the modem's port and dial prefix and the alarm sound. Reads the settings
// when it opens and writes all three only when the user confirms.
class CConfigDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDC_COMPOORT = 1113, IDC_VOORLOOP = 1114, IDC_GELUID = 1119, IDC_GELUID_KIEZEN = 1120 };

    explicit CConfigDlg(QWidget* parent = nullptr);
    ~CConfigDlg() override;

    // The settings command of the main frame: runs the dialog; the result is not needed.
    static void Run(QWidget* parent = nullptr);

    void OnOK() override;

    int m_nCompoort = 1;
    QString m_strVoorloop;
    QString m_strGeluid;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnGeluidKiezen();

    std::unique_ptr<Ui::ConfigDlg> m_ui;
};
