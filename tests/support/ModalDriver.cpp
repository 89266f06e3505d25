#include "ModalDriver.h"

#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QTest>

ModalDriver::ModalDriver(int deadlineMs) : m_deadlineMs(deadlineMs) {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
    m_timer.start();
}

ModalDriver::~ModalDriver() {
    m_timer.stop();
}

void ModalDriver::Queue(Action action) {
    m_actions.push_back(std::move(action));
}

void ModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_handled) {
        return;
    }
    if (!m_actions.empty()) {
        m_handled = modal;
        Action action = std::move(m_actions.front());
        m_actions.pop_front();
        action(modal);
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != m_unexpectedSeen) {
        m_unexpectedSeen = modal;
        m_unexpectedSince = now;
        return;
    }
    if (now - m_unexpectedSince > m_deadlineMs) {
        ++m_unexpected;
        m_lastUnexpected = modal->windowTitle();
        if (auto box = qobject_cast<QMessageBox*>(modal)) {
            m_lastUnexpected += QStringLiteral(": ") + box->text();
        }
        m_handled = modal;
        if (auto dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
}

bool ModalDriver::WaitDone(int timeoutMs) {
    return QTest::qWaitFor([this] { return m_actions.empty(); }, timeoutMs);
}

void AnswerMessageBox(QWidget* box, int answer) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    if (!messageBox) {
        qWarning("AnswerMessageBox: the modal is no message box but '%s'",
                 qPrintable(box->windowTitle()));
        return;
    }
    QMessageBox::StandardButton wanted = QMessageBox::Ok;
    switch (answer) {
    case IDCANCEL:
        wanted = QMessageBox::Cancel;
        break;
    case IDYES:
        wanted = QMessageBox::Yes;
        break;
    case IDNO:
        wanted = QMessageBox::No;
        break;
    case IDRETRY:
        wanted = QMessageBox::Retry;
        break;
    case IDABORT:
        wanted = QMessageBox::Abort;
        break;
    case IDIGNORE:
        wanted = QMessageBox::Ignore;
        break;
    default:
        break;
    }
    if (QAbstractButton* button = messageBox->button(wanted)) {
        button->click();
    } else {
        qWarning("AnswerMessageBox: no such button");
        messageBox->reject();
    }
}

void ClickButton(QWidget* modal, int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(modal, id));
    if (!button) {
        qWarning("ClickButton: no button %d in '%s'", id, qPrintable(modal->windowTitle()));
        return;
    }
    button->click();
}

void ClickButtonText(QWidget* modal, const QString& text) {
    const auto buttons = modal->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    qWarning("ClickButtonText: no button '%s'", qPrintable(text));
}

void SetControlText(QWidget* modal, int id, const QString& text) {
    QWidget* control = GetDlgItem(modal, id);
    if (!control) {
        qWarning("SetControlText: no control %d", id);
        return;
    }
    SetWindowText(control, text);
}

QString ControlText(QWidget* modal, int id) {
    return GetWindowText(GetDlgItem(modal, id));
}

void PressKey(QWidget* modal, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target || !modal->isAncestorOf(target)) {
        target = modal;
    }
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

ModalDriver::Action Answer(int answer) {
    return [answer](QWidget* box) { AnswerMessageBox(box, answer); };
}

const MessageBoxRecord& LastBox() {
    return MessageBoxLog().back();
}
