#include "platform/ui/DataExchange.h"

#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>
#include <stdexcept>

QWidget* CDataExchange::PrepareCtrl(int id) {
    QWidget* control = GetDlgItem(m_pDlgWnd, id);
    if (!control) {
        throw std::logic_error("dialog control " + std::to_string(id) + " does not exist");
    }
    m_pLastControl = control;
    return control;
}

void CDataExchange::Fail() {
    if (m_pLastControl) {
        m_pLastControl->setFocus();
        if (auto edit = qobject_cast<QLineEdit*>(m_pLastControl)) {
            edit->selectAll();
        }
    }
    throw CUserException();
}

QString ParseIntMessage() {
    return QCoreApplication::translate("CDataExchange", "Voer een geheel getal in.");
}

void DDX_Text(CDataExchange* pDX, int id, QString& value) {
    QWidget* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        value = GetWindowText(control);
    } else {
        SetWindowText(control, value);
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    QWidget* control = pDX->PrepareCtrl(id);
    if (auto spin = qobject_cast<QSpinBox*>(control)) {
        if (pDX->m_bSaveAndValidate) {
            value = spin->value();
        } else {
            spin->setValue(value);
        }
        return;
    }
    if (!pDX->m_bSaveAndValidate) {
        SetWindowText(control, QString::number(value));
        return;
    }
    bool ok = false;
    const int parsed = GetWindowText(control).trimmed().toInt(&ok);
    if (!ok) {
        MessageBox(pDX->m_pDlgWnd, ParseIntMessage(), QString(), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = parsed;
}

void DDX_Text(CDataExchange* pDX, int id, long& value) {
    int v = int(value);
    DDX_Text(pDX, id, v);
    value = v;
}

void DDX_Text(CDataExchange* pDX, int id, COleDateTime& value) {
    QWidget* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        const QString text = GetWindowText(control).trimmed();
        if (text.isEmpty()) {
            value = COleDateTime::Null();
        }
    } else {
        SetWindowText(control, value.Format());
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    auto* button = qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(id));
    if (!button) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = button->isChecked() ? 1 : 0;
    } else {
        button->setChecked(value != 0);
    }
}

void DDX_CBString(CDataExchange* pDX, int id, QString& value) {
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(id));
    if (!combo) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = combo->currentText();
        return;
    }
    // The platform selects the first entry that begins with the text, case ignored, and
    // otherwise shows the text as it stands.
    int found = -1;
    for (int i = 0; i < combo->count() && !value.isEmpty(); ++i) {
        if (combo->itemText(i).startsWith(value, Qt::CaseInsensitive)) {
            found = i;
            break;
        }
    }
    if (found >= 0) {
        combo->setCurrentIndex(found);
    } else if (combo->isEditable()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(value);
    }
    if (combo->lineEdit()) {
        combo->lineEdit()->home(false);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(id));
    if (!combo) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        index = combo->currentIndex();
    } else {
        combo->setCurrentIndex(index);
    }
}

void DDX_Slider(CDataExchange* pDX, int id, int& value) {
    auto* slider = qobject_cast<QAbstractSlider*>(pDX->PrepareCtrl(id));
    if (!slider) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = slider->value();
    } else {
        slider->setValue(value);
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value) {
    auto* picker = qobject_cast<QDateTimeEdit*>(pDX->PrepareCtrl(id));
    if (!picker) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = COleDateTime(picker->dateTime());
    } else if (value.IsValid()) {
        picker->setDateTime(value.ToQDateTime());
    }
}

void DDV_MaxChars(CDataExchange* pDX, const QString& value, int count) {
    if (!pDX->m_bSaveAndValidate) {
        if (auto edit = qobject_cast<QLineEdit*>(pDX->m_pLastControl)) {
            edit->setMaxLength(count);
        }
        return;
    }
    if (value.size() > count) {
        MessageBox(pDX->m_pDlgWnd,
                   QCoreApplication::translate("CDataExchange", "Voer niet meer dan %1 tekens in.")
                       .arg(count),
                   QString(), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
