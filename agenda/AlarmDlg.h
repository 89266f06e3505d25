#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <QTimer>

namespace Ui {
class AlarmDlg;
}
class CRecLijstKalender;

// "Kalender afspraak": the alarm pop-up of a due appointment. It shows the text, which the
// user may change and keep with Enter; Escape or the close box leaves the text as it was.
// Opening it marks the appointment as reported either way. While it is open the alarm sound
// of the settings ("Geluiden"/"Kalender") plays at once and again every five seconds.
class CAlarmDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 188, IDC_TEKST = 1118, ID_GELUID_TIMER = 101, GELUID_PERIODE_MS = 5000 };
    enum { MAX_TEKST = 255 };

    explicit CAlarmDlg(CRecLijstKalender* pSet, QWidget* parent = nullptr);
    ~CAlarmDlg() override;

    // The repeat period of the sound; tests shorten it.
    void SetHerhaling(int nMilliseconden) { m_nHerhaling = nMilliseconden; }
    bool IsGeluidActief() const { return m_geluidTimer.isActive(); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The repeat ends with the window, however it was closed; a sound still playing is
    // left to finish.
    void hideEvent(QHideEvent* event) override;
    // The pop-up has no buttons: Enter accepts it, wherever the focus is.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Read afresh each time, so that a sound chosen while the pop-up is open is heard.
    static void SpeelGeluid();

    std::unique_ptr<Ui::AlarmDlg> m_ui;
    CRecLijstKalender* m_pSet;
    QTimer m_geluidTimer;
    int m_nHerhaling = GELUID_PERIODE_MS;
};
