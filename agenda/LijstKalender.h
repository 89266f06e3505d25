#pragma once

#include "platform/dao/OleDateTime.h"
#include "platform/ui/View.h"
#include "store/RecLijstKalender.h"

#include <functional>
#include <optional>
#include <QBasicTimer>
#include <QDeadlineTimer>

class CDaoException;
class CFullRowListCtrl;

// The appointment list: every appointment in order of its alarm time, with a pending
// (digit 8) or reported (digit 0) icon. It watches the clock twice a second and pops up
// the earliest unreported appointment once it is due; after the pop-up closes the next one
// follows, so overdue appointments come one after another, earliest first. A failure of
// the file never stops the watch: what a pop-up leaves is stored once the fault is gone,
// and the watch then carries on with the next appointment.
class CLijstKalender : public CView {
    Q_OBJECT
public:
    enum { IDC_LIJST = 1114, ID_ALARM_TIMER = 100, ALARM_PERIODE_MS = 500 };
    enum { WACHT_NA_SLOT_MS = 5000 };
    enum { IMG_GEMELD = 0, IMG_WACHT = 1 };
    using Klok = std::function<COleDateTime()>;

    explicit CLijstKalender(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // The clock of the alarm check and of Modify's re-arm rule; the local time by default.
    void SetKlok(Klok klok) { m_klok = std::move(klok); }
    // The repeat period of the alarm sound in the pop-ups this view opens.
    void SetGeluidHerhaling(int nMilliseconden) { m_nGeluidHerhaling = nMilliseconden; }

    CFullRowListCtrl* GetListCtrl() const { return m_pLijst; }
    // The alarm watch: idle while nothing is pending or a pop-up is open; otherwise the
    // next alarm is due at GetVolgendAlarm for record GetVolgendAlarmRecord.
    bool IsAlarmIdle() const { return m_bAlarmIdle || m_bAlarmBezig; }
    COleDateTime GetVolgendAlarm() const { return m_dtVolgendAlarm; }
    LONG GetVolgendAlarmRecord() const { return m_nVolgendAlarm; }

    void OnNieuw();
    void OnWijzig();
    void OnVerwijder();
    // Clears the list and fills it again from the table, choosing the next alarm anew.
    void Herlaad() { Herlaad(m_set); }

protected:
    void timerEvent(QTimerEvent* event) override;
    virtual void OnTimer(int nIDEvent);

private:
    void MaakKolommen();
    void Vul(CRecLijstKalender& set);
    void VoegRijToe(int nRij, const CRecLijstKalender& set);
    void Herlaad(CRecLijstKalender& set);
    void AlarmControle();
    void AlarmStappen();
    void ToonAlarm();
    void SchrijfMelding();
    void OnthoudFout(const CDaoException& e);
    void ZetGemeld(BOOL bGemeld);

    // What a pop-up left to be stored for one appointment: the reported mark, and the text
    // when the user changed it (an unchanged text must not undo another's change).
    struct Melding {
        LONG dwIndex;
        BOOL bGemeld;
        std::optional<QString> szTekst;
    };

    CFullRowListCtrl* m_pLijst;
    // The commands' set, which holds an appointment while its dialog is open.
    CRecLijstKalender m_set;
    // The alarm check's own set, so that a pop-up never takes over an edit in progress.
    CRecLijstKalender m_alarmSet;
    QBasicTimer m_alarmTimer;
    Klok m_klok;
    int m_nGeluidHerhaling;
    COleDateTime m_dtVolgendAlarm;
    LONG m_nVolgendAlarm = 0;
    bool m_bAlarmIdle = true;
    // A pop-up or a failure of the watch is on screen; the timer keeps running meanwhile.
    bool m_bAlarmBezig = false;
    // The list could not be read; the watch reads it before it chooses again.
    bool m_bHerladen = false;
    std::optional<Melding> m_uitstaand;
    // The watch shows a failure once, not again at every tick while the fault lasts.
    QString m_strGetoondeFout;
    // After the file was found in use, the watch waits before it tries again, so that the
    // lock's wait does not take most of the window's time.
    QDeadlineTimer m_volgendePoging;
};
