#pragma once

#include "platform/serial/SerialPort.h"
#include "platform/ui/Dialog.h"

#include <memory>
#include <QBasicTimer>

namespace Ui {
class BellenDlg;
}

// "Bellen": dials a number through the modem on the serial port of the settings, so that the
// user can pick up the telephone on the same line. One step of the modem dialogue runs per
// tick of a 20 ms timer: reset, dial as a voice call, hang up, close. Failures stay on screen
// until the user presses the button.
class CBellenDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDC_STATUS = 1112 };
    enum Step { kStopped = 101, kFailed = 102 };
    // The longest prefix plus number sent to the modem; longer ones are refused, since a
    // modem's command line holds about that many characters and a cut number would ring
    // someone else.
    static constexpr int kMaxDialString = 40;
    static constexpr int kMaxReads = 100;

    explicit CBellenDlg(const QString& nummer, QWidget* parent = nullptr);
    ~CBellenDlg() override;

    void OnCancel() override;
    void done(int result) override;

protected:
    bool OnInitDialog() override;
    void timerEvent(QTimerEvent* event) override;
    void reject() override;

private:
    void RunStep();
    void OpenPort();
    bool ApplyPortSettings();
    void Send(const QByteArray& command);
    void StartWaiting(int nextStep);
    bool ReplyArrived();
    void Fail();
    void ShowStatus(const QString& text);
    void SetButtonEnabled(bool enabled);

    std::unique_ptr<Ui::BellenDlg> m_ui;
    QBasicTimer m_timer;
    CSerialPort m_port;
    int m_nStep = 0;
    int m_nPoort;
    QString m_strVoorloop;
    QString m_strNummer;
    int m_nReadCount = 0;
};
