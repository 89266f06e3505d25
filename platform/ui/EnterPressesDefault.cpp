#include "platform/ui/EnterPressesDefault.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

QPushButton* DefaultButton(const QWidget* window) {
    const auto buttons = window->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->isDefault() && button->isVisible() && button->isEnabled()) {
            return button;
        }
    }
    return nullptr;
}

void InsertLineBreak(QObject* box) {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->insertPlainText(QStringLiteral("\n"));
    } else if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        rich->insertPlainText(QStringLiteral("\n"));
    }
}

} // namespace

void CEnterPressesDefault::Install(QWidget* box) {
    box->installEventFilter(new CEnterPressesDefault(box));
}

bool CEnterPressesDefault::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
        return false;
    }
    // The keypad's Enter carries the keypad modifier; only Ctrl decides.
    if (key->modifiers() & Qt::ControlModifier) {
        InsertLineBreak(watched);
        return true;
    }
    if (QPushButton* button = DefaultButton(static_cast<QWidget*>(watched)->window())) {
        button->click();
    }
    return true;
}
