#include "platform/ui/Dialog.h"

#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/FontScale.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>

CDialog::CDialog(QWidget* parent) : QDialog(parent) {}

int CDialog::DoModal() {
    ConnectStandardButtons();
    bool initialised = false;
    Guarded([&] { initialised = OnInitDialog(); }, this);
    (void)initialised;
    ScaleWindowToFont(this);
    return exec();
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return false;
    }
    return true;
}

QWidget* CDialog::GetDlgItem(int id) const {
    return ::GetDlgItem(this, id);
}

void CDialog::EndDialog(int result) {
    done(result);
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::accept() {
    Guarded([this] { OnOK(); }, this);
}

void CDialog::reject() {
    Guarded([this] { OnCancel(); }, this);
}

void CDialog::ConnectStandardButtons() {
    if (m_bButtonsConnected) {
        return;
    }
    m_bButtonsConnected = true;
    if (auto ok = qobject_cast<QAbstractButton*>(GetDlgItem(IDOK))) {
        connect(ok, &QAbstractButton::clicked, this, [this] { accept(); });
    }
    if (auto cancel = qobject_cast<QAbstractButton*>(GetDlgItem(IDCANCEL))) {
        connect(cancel, &QAbstractButton::clicked, this, [this] { reject(); });
    }
}
