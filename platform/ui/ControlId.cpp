#include "platform/ui/ControlId.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

void SetCtrlId(QWidget* control, int id) {
    control->setProperty("ctrlId", id);
}

int GetCtrlId(const QObject* control) {
    const QVariant id = control ? control->property("ctrlId") : QVariant();
    return id.isValid() ? id.toInt() : 0;
}

QWidget* GetDlgItem(const QWidget* parent, int id) {
    if (!parent) {
        return nullptr;
    }
    const auto children = parent->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (GetCtrlId(child) == id) {
            return child;
        }
    }
    return nullptr;
}

QString GetWindowText(const QWidget* control) {
    if (auto edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto combo = qobject_cast<const QComboBox*>(control)) {
        return combo->currentText();
    }
    if (auto button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (auto plain = qobject_cast<const QPlainTextEdit*>(control)) {
        return plain->toPlainText();
    }
    if (auto rich = qobject_cast<const QTextEdit*>(control)) {
        return rich->toPlainText();
    }
    if (auto group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    return control ? control->windowTitle() : QString();
}

void SetWindowText(QWidget* control, const QString& text) {
    if (auto edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        edit->home(false);
    } else if (auto combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
            combo->lineEdit()->home(false);
        } else {
            combo->setCurrentIndex(combo->findText(text));
        }
    } else if (auto button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->setPlainText(text);
    } else if (auto rich = qobject_cast<QTextEdit*>(control)) {
        rich->setPlainText(text);
    } else if (auto group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (control) {
        control->setWindowTitle(text);
    }
}
