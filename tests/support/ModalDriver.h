#pragma once

#include "platform/ui/MessageBox.h"

#include <deque>
#include <functional>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

// Drives modal dialogs and message boxes for real: each queued action runs, in order, on
// the next modal widget that appears. The driver polls for the active modal widget every few
// milliseconds, so an action never races the dialog's own start. A modal that shows up with
// no action queued is closed after the deadline and counted as unexpected.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget* modal)>;

    explicit ModalDriver(int deadlineMs = 5000);
    ~ModalDriver() override;

    void Queue(Action action);
    int Pending() const { return int(m_actions.size()); }
    int Unexpected() const { return m_unexpected; }
    QString LastUnexpectedTitle() const { return m_lastUnexpected; }

    // Waits (running the event loop) until every queued action has run or the time is up.
    bool WaitDone(int timeoutMs = 5000);

private:
    void Poll();

    QTimer m_timer;
    std::deque<Action> m_actions;
    QPointer<QWidget> m_handled;
    QPointer<QWidget> m_unexpectedSeen;
    qint64 m_unexpectedSince = 0;
    int m_deadlineMs;
    int m_unexpected = 0;
    QString m_lastUnexpected;
};

// Helpers for actions.
// Clicks the message box button with that answer (IDOK, IDCANCEL, IDYES, IDNO).
void AnswerMessageBox(QWidget* box, int answer);
// The action that answers the next message box so.
ModalDriver::Action Answer(int answer);
// The last message box shown.
const MessageBoxRecord& LastBox();
// Clicks a push button of the modal found by control id or, failing that, by its text.
void ClickButton(QWidget* modal, int id);
void ClickButtonText(QWidget* modal, const QString& text);
// Types text into the control with that id, replacing what it holds.
void SetControlText(QWidget* modal, int id, const QString& text);
QString ControlText(QWidget* modal, int id);
// Sends a key press to the widget that has the focus in the modal (or the modal itself).
void PressKey(QWidget* modal, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
