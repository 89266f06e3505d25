#include "agenda/AfspraakDlg.h"
#include "agenda/AlarmDlg.h"
#include "agenda/LijstKalender.h"
#include "AgendaHulp.h"
#include "controls/FullRowListCtrl.h"
#include "fixture/LockHolder.h"
#include "fixture/TestDatabase.h"
#include "KalenderBank.h"
#include "platform/dao/DaoException.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/Heartbeat.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <memory>
#include <QTest>

using namespace AgendaHulp;

// The alarm watch of the appointment list, on a clock the test moves: pending, none
// pending and showing, one pop-up after another, and pop-ups while an edit is open.
class KalenderAlarmTest : public QObject, KalenderBank {
    Q_OBJECT

    QStringList m_getoond;

    // An action that notes the pop-up's text and closes it with Escape.
    ModalDriver::Action Noteer() {
        return [this](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Kalender afspraak"));
            m_getoond << ControlText(modal, CAlarmDlg::IDC_TEKST);
            PressKey(modal, Qt::Key_Escape);
        };
    }

private slots:
    void init() {
        Begin();
        m_getoond.clear();
    }
    void cleanup() { Eind(); }

    void wachtTotDeTijd() {
        Afspraak("Later", Om(10, 0, 30));
        Start();
        ModalDriver driver;
        QVERIFY(!m_view->IsAlarmIdle());
        QCOMPARE(m_view->GetVolgendAlarm(), Ole(Om(10, 0, 30)));
        QCOMPARE(m_view->GetVolgendAlarmRecord(), LONG(Veld("dwIndex", "Later").toInt()));
        QTest::qWait(700);
        QVERIFY(m_getoond.isEmpty());
        QCOMPARE(Veld("bGemeld", "Later").toInt(), 0);

        driver.Queue(Noteer());
        m_nu = Om(10, 0, 30); // due exactly now
        QVERIFY(driver.WaitDone(2000));
        QCOMPARE(m_getoond, QStringList({"Later"}));
        QCOMPARE(Veld("bGemeld", "Later").toInt(), 1);
        QCOMPARE(Lijst().GetItemImage(0), int(CLijstKalender::IMG_GEMELD));
        QVERIFY(m_view->IsAlarmIdle());
        QTest::qWait(700); // reported appointments never pop up again
        QCOMPARE(driver.Unexpected(), 0);
    }

    // After a time without the program, every overdue appointment comes up, earliest first;
    // equal times come in the order they were stored. Reported ones and those ahead wait.
    void achterstalligeEenVoorEen() {
        Afspraak("Negen", Om(9));
        Afspraak("Acht", Om(8));
        Afspraak("Negen ook", Om(9));
        Afspraak("Al gemeld", Om(7), true);
        Afspraak("Straks", Om(11));
        Start();
        ModalDriver driver;
        for (int n = 0; n < 3; ++n) {
            driver.Queue(Noteer());
        }
        QVERIFY(driver.WaitDone(4000));
        QCOMPARE(m_getoond, QStringList({"Acht", "Negen", "Negen ook"}));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(m_view->GetVolgendAlarm(), Ole(Om(11)));
        QVERIFY(!m_view->IsAlarmIdle());
        QCOMPARE(
            m_db->AppointmentScalar("SELECT count(*) FROM KalenderLijst WHERE bGemeld = 1").toInt(),
            4);
        QTest::qWait(700);
        QCOMPARE(driver.Unexpected(), 0);
    }

    // Escape leaves the text as it was but the appointment still counts as reported;
    // Enter keeps what the user typed.
    void escapeEnEnter() {
        Afspraak("Eerste", Om(8));
        Afspraak("Tweede", Om(9));
        Start();
        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CAlarmDlg::IDC_TEKST, "Weggegooid");
            PressKey(modal, Qt::Key_Escape);
        });
        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CAlarmDlg::IDC_TEKST, "Tweede, verzet naar morgen");
            PressKey(modal, Qt::Key_Return);
        });
        QVERIFY(driver.WaitDone(3000));
        QTRY_VERIFY(m_view->IsAlarmIdle() && !QApplication::activeModalWidget());
        QCOMPARE(Veld("bGemeld", "Eerste").toInt(), 1);
        QVERIFY(!Veld("bGemeld", "Weggegooid").isValid());
        QCOMPARE(Veld("bGemeld", "Tweede, verzet naar morgen").toInt(), 1);
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"Eerste", "Tweede, verzet naar morgen"}));
    }

    void nieuwInHetVerledenKomtMeteen() {
        Start();
        QVERIFY(m_view->IsAlarmIdle());
        ModalDriver driver;
        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, Om(9, 30), "Vergeten");
            ClickButton(modal, IDOK);
        });
        driver.Queue(Noteer());
        m_view->OnCmdMsg(ID_AGENDA_NIEUW);
        QVERIFY(driver.WaitDone(3000));
        QCOMPARE(m_getoond, QStringList({"Vergeten"}));
        QCOMPARE(Veld("bGemeld", "Vergeten").toInt(), 1);
    }

    // The appointment the watch waits for was deleted behind its back: no pop-up, and
    // nothing pending until the list is filled again.
    void verdwenenAfspraakGeeftGeenAlarm() {
        Afspraak("Weg", Om(10, 0, 1));
        Start();
        m_db->AppointmentExec("DELETE FROM KalenderLijst");
        ModalDriver driver(300);
        m_nu = Om(10, 1);
        QTRY_VERIFY(m_view->IsAlarmIdle());
        QTest::qWait(600);
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY(MessageBoxLog().empty());
    }

    // A report the file refuses is said once, kept while the fault lasts (no pop-up comes
    // again, no box repeats), stored once the fault is gone, and the next one then follows.
    void mislukteMeldingWordtLaterOpgeslagen() {
        Afspraak("Eerste", Om(8));
        Afspraak("Tweede", Om(9));
        m_db->AppointmentExec("CREATE TRIGGER Weigeren BEFORE UPDATE ON KalenderLijst BEGIN "
                              "SELECT RAISE(ABORT, 'schrijven geweigerd'); END");
        Start();
        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CAlarmDlg::IDC_TEKST, "Eerste, gezien");
            PressKey(modal, Qt::Key_Return);
        });
        driver.Queue(Answer(IDOK));
        QVERIFY(driver.WaitDone(3000));
        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(MessageBoxLog()[0].text, "Er is een fout opgetreden in databasebestand " +
                                              m_db->AppointmentPath() +
                                              ".\n\nMelding van de database: schrijven geweigerd");
        QTest::qWait(1200);
        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(driver.Unexpected(), 0);
        QCOMPARE(Veld("bGemeld", "Eerste").toInt(), 0);

        m_db->AppointmentExec("DROP TRIGGER Weigeren");
        driver.Queue(Noteer());
        QVERIFY(driver.WaitDone(3000));
        QTRY_VERIFY(m_view->IsAlarmIdle() && !QApplication::activeModalWidget());
        QCOMPARE(m_getoond, QStringList({"Tweede"}));
        QCOMPARE(Veld("bGemeld", "Eerste, gezien").toInt(), 1);
        QCOMPARE(Veld("bGemeld", "Tweede").toInt(), 1);
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"Eerste, gezien", "Tweede"}));
        QCOMPARE(int(MessageBoxLog().size()), 1);
    }

    // Another program holds the appointment file when the pop-up closes: one box soon, no
    // frozen window while the watch waits, and the report stored after the lock is gone.
    void slotTijdensMeldingWachtEnSlaatLaterOp() {
        Afspraak("Eerste", Om(8));
        Afspraak("Tweede", Om(9));
        Start();
        Heartbeat heartbeat;
        std::unique_ptr<LockHolder> ander;
        bool bSlot = false;
        ModalDriver driver;
        driver.Queue([&](QWidget* modal) {
            ander = std::make_unique<LockHolder>(m_db->AppointmentPath(), 3000);
            bSlot = ander->IsHolding();
            PressKey(modal, Qt::Key_Escape);
        });
        driver.Queue(Answer(IDOK));
        driver.Queue(Noteer());
        QVERIFY(driver.WaitDone(12000));
        QVERIFY(bSlot);
        QCOMPARE(m_getoond, QStringList({"Tweede"}));
        QCOMPARE(int(MessageBoxLog().size()), 1);
        QCOMPARE(MessageBoxLog()[0].text,
                 CDaoException::KindSentence(DaoErrorKind::InUse, m_db->AppointmentPath()) +
                     "\n\nMelding van de database: database is locked");
        QTRY_VERIFY(m_view->IsAlarmIdle() && !QApplication::activeModalWidget());
        QCOMPARE(Veld("bGemeld", "Eerste").toInt(), 1);
        QCOMPARE(Veld("bGemeld", "Tweede").toInt(), 1);
        QVERIFY2(heartbeat.Longest() < 2200, qPrintable(QString::number(heartbeat.Longest())));
    }

    // An alarm that comes due while another appointment is being changed pops up over the
    // dialog, is reported, and the change is stored when the dialog is confirmed.
    void alarmTijdensWijzigenVanEenAndere() {
        Afspraak("Komt zo", Om(10, 0, 30));
        Afspraak("Wordt gewijzigd", Om(12));
        Start();
        Selecteer(Lijst(), {1});
        ModalDriver driver;
        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, Om(13), "Gewijzigd");
            m_nu = Om(10, 0, 30);
        });
        driver.Queue(Noteer());
        driver.Queue([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Kalender Afspraak"));
            QCOMPARE(ControlText(modal, CAfspraakDlg::IDC_TEKST), QString("Gewijzigd"));
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone(3000));
        QCOMPARE(m_getoond, QStringList({"Komt zo"}));
        QCOMPARE(Veld("bGemeld", "Komt zo").toInt(), 1);
        QCOMPARE(Veld("dtDatumTijdAlarm", "Gewijzigd").toString(), Opslag(Om(13)));
        QCOMPARE(Veld("bGemeld", "Gewijzigd").toInt(), 0);
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"Komt zo", "Gewijzigd"}));
        QCOMPARE(m_view->GetVolgendAlarm(), Ole(Om(13)));
    }

    // The appointment being changed is the one that comes due: its pop-up still shows and
    // reports it, and the change made in the dialog is what is stored.
    void alarmTijdensWijzigenVanDezelfde() {
        Afspraak("Zelfde", Om(10, 0, 30));
        Start();
        Selecteer(Lijst(), {0});
        ModalDriver driver;
        driver.Queue([this](QWidget* modal) {
            SetControlText(modal, CAfspraakDlg::IDC_TEKST, "Zelfde, met agenda");
            m_nu = Om(10, 0, 30);
        });
        driver.Queue(Noteer());
        driver.Queue([](QWidget* modal) { ClickButton(modal, IDOK); });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone(3000));
        QCOMPARE(m_getoond, QStringList({"Zelfde"}));
        QCOMPARE(Veld("bGemeld", "Zelfde, met agenda").toInt(), 1);
        QCOMPARE(Veld("dtDatumTijdAlarm", "Zelfde, met agenda").toString(), Opslag(Om(10, 0, 30)));
        QVERIFY(m_view->IsAlarmIdle());
    }

    // Moved ahead while its own pop-up reports it, the appointment is armed again.
    void alarmTijdensVerzettenVanDezelfde() {
        Afspraak("Verzet", Om(10, 0, 30));
        Start();
        Selecteer(Lijst(), {0});
        ModalDriver driver;
        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, Om(11), "Verzet");
            m_nu = Om(10, 0, 30);
        });
        driver.Queue(Noteer());
        driver.Queue([](QWidget* modal) { ClickButton(modal, IDOK); });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone(3000));
        QCOMPARE(m_getoond, QStringList({"Verzet"}));
        QCOMPARE(Veld("dtDatumTijdAlarm", "Verzet").toString(), Opslag(Om(11)));
        QCOMPARE(Veld("bGemeld", "Verzet").toInt(), 0);
        QCOMPARE(Lijst().GetItemImage(0), int(CLijstKalender::IMG_WACHT));
        QVERIFY(!m_view->IsAlarmIdle());
        QCOMPARE(m_view->GetVolgendAlarm(), Ole(Om(11)));
    }
};

TOLVAR_TEST(KalenderAlarmTest);

#include "tst_KalenderAlarm.moc"
