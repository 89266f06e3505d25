#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<QWidget>& Owner() {
    static QPointer<QWidget> owner;
    return owner;
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonChoice {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonChoice> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

} // namespace

std::vector<MessageBoxRecord>& MessageBoxLog() {
    static std::vector<MessageBoxRecord> log;
    return log;
}

int& MessageBeepCount() {
    static int count = 0;
    return count;
}

void SetMessageBoxOwner(QWidget* owner) {
    Owner() = owner;
}
QWidget* MessageBoxOwner() {
    return Owner();
}

int MessageBox(QWidget* owner, const QString& text, const QString& caption, UINT type) {
    if (!owner) {
        owner = Owner();
    }
    const QString title = caption.isEmpty() ? QStringLiteral("Tolvar") : caption;
    QMessageBox box(IconOf(type), title, text, QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("TolvarMessageBox"));
    const auto buttons = ButtonsOf(type);
    std::vector<QAbstractButton*> added;
    for (const auto& choice : buttons) {
        added.push_back(box.addButton(choice.button));
    }
    const size_t defaultIndex =
        ((type & MB_DEFMASK) >> 8) < buttons.size() ? (type & MB_DEFMASK) >> 8 : 0;
    box.setDefaultButton(static_cast<QPushButton*>(added[defaultIndex]));
    // Escape answers Cancel where there is one, else the only button.
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].answer == IDCANCEL || buttons.size() == 1) {
            box.setEscapeButton(added[i]);
        }
    }
    MessageBoxLog().push_back({text, title, type, 0});
    const size_t logIndex = MessageBoxLog().size() - 1;
    box.exec();
    int answer = buttons.size() == 1 ? buttons[0].answer : IDCANCEL;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == added[i]) {
            answer = buttons[i].answer;
        }
    }
    MessageBoxLog()[logIndex].answer = answer;
    return answer;
}

int AfxMessageBox(const QString& text, UINT type) {
    return MessageBox(nullptr, text, QString(), type);
}

void MessageBeep(UINT) {
    ++MessageBeepCount();
    QApplication::beep();
}
