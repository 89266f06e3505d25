#include "agenda/AfspraakDlg.h"
#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "AgendaHulp.h"
#include "controls/FullRowListCtrl.h"
#include "fixture/TestDatabase.h"
#include "KalenderBank.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <memory>
#include <QDateEdit>
#include <QFile>
#include <QTest>
#include <QTimeEdit>

using namespace AgendaHulp;

// The appointment list: what it shows, and its New, Modify and Delete commands.
class LijstKalenderTest : public QObject, KalenderBank {
    Q_OBJECT

private slots:
    void init() { Begin(); }
    void cleanup() { Eind(); }

    void toontAfsprakenOpAlarmtijd() {
        Afspraak("Tandarts", Om(14, 30));
        Afspraak("Overleg", Om(9, 15), true);
        Afspraak("Bellen", QDateTime(QDate(2024, 4, 30), QTime(16, 5, 7)), true);
        Start(600);
        QCOMPARE(Lijst().GetColumnCount(), 3);
        QCOMPARE(Lijst().model()->headerData(0, Qt::Horizontal).toString(), QString("Tijd"));
        QCOMPARE(Lijst().model()->headerData(1, Qt::Horizontal).toString(), QString("Datum"));
        QCOMPARE(Lijst().model()->headerData(2, Qt::Horizontal).toString(), QString("Afspraak"));
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"Bellen", "Overleg", "Tandarts"}));
        const COleDateTime bellen(2024, 4, 30, 16, 5, 7);
        QCOMPARE(Lijst().GetItemText(0, 0), bellen.Format(COleDateTime::VAR_TIMEVALUEONLY));
        QCOMPARE(Lijst().GetItemText(0, 1), bellen.Format(COleDateTime::VAR_DATEVALUEONLY));
        QCOMPARE(Lijst().GetItemText(0, 1), QString("30-04-2024"));
        QCOMPARE(Lijst().GetItemImage(0), int(CLijstKalender::IMG_GEMELD));
        QCOMPARE(Lijst().GetItemImage(2), int(CLijstKalender::IMG_WACHT));
        QCOMPARE(Lijst().GetItemData(2), qintptr(Veld("dwIndex", "Tandarts").toLongLong()));
        QVERIFY(!m_view->IsAlarmIdle());
        QCOMPARE(m_view->GetVolgendAlarm(), Ole(Om(14, 30)));
    }

    void legeLijstZonderAlarm() {
        Start(600);
        QCOMPARE(Lijst().GetItemCount(), 0);
        QVERIFY(m_view->IsAlarmIdle());
    }

    void nieuweAfspraak() {
        Afspraak("Bestaand", Om(12));
        Start(600);
        ModalDriver driver;
        driver.Queue([this](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Kalender Afspraak"));
            ZetAfspraak(modal, Om(11, 45), "Lunch met Jansen");
            ClickButton(modal, IDOK);
        });
        QVERIFY(m_view->OnCmdMsg(ID_AGENDA_NIEUW));
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("dtDatumTijdAlarm", "Lunch met Jansen").toString(), Opslag(Om(11, 45)));
        QCOMPARE(Veld("bGemeld", "Lunch met Jansen").toLongLong(), 0);
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"Lunch met Jansen", "Bestaand"}));
        QCOMPARE(Lijst().GetItemImage(0), int(CLijstKalender::IMG_WACHT));

        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, Om(13), "Niet bewaard");
            ClickButton(modal, IDCANCEL);
        });
        m_view->OnCmdMsg(ID_AGENDA_NIEUW);
        QVERIFY(driver.WaitDone());
        QCOMPARE(m_db->AppointmentScalar("SELECT count(*) FROM KalenderLijst").toInt(), 2);
        QCOMPARE(Lijst().GetItemCount(), 2);
    }

    // The pickers edit the time and the date apart; OK joins them again.
    void wijzigSplitstEnVoegtSamen() {
        Afspraak("Zaal", QDateTime(QDate(2024, 5, 8), QTime(10, 20, 30)));
        Start(600);
        Selecteer(Lijst(), {0});
        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            auto* tijd = qobject_cast<QTimeEdit*>(GetDlgItem(modal, CAfspraakDlg::IDC_TIJD));
            auto* datum = qobject_cast<QDateEdit*>(GetDlgItem(modal, CAfspraakDlg::IDC_DATUM));
            QCOMPARE(tijd->time(), QTime(10, 20, 30));
            QCOMPARE(datum->date(), QDate(2024, 5, 8));
            QCOMPARE(ControlText(modal, CAfspraakDlg::IDC_TEKST), QString("Zaal"));
            datum->setDate(QDate(2024, 6, 2));
            ClickButton(modal, IDOK);
        });
        QVERIFY(m_view->OnCmdMsg(ID_AGENDA_WIJZIG));
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("dtDatumTijdAlarm", "Zaal").toString(), QString("2024-06-02 10:20:30"));
    }

    // A time in the past counts as given at once; a time ahead arms the alarm again.
    void wijzigNaarVerledenEnToekomst() {
        Afspraak("Verplaatst", Om(15));
        Start(600);
        ModalDriver driver;
        Selecteer(Lijst(), {0});
        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, Om(9), "Verplaatst");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("bGemeld", "Verplaatst").toLongLong(), 1);
        QCOMPARE(Lijst().GetItemImage(0), int(CLijstKalender::IMG_GEMELD));
        QVERIFY(m_view->IsAlarmIdle());
        QTest::qWait(700); // no pop-up for an appointment moved into the past
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY(!QApplication::activeModalWidget());

        Selecteer(Lijst(), {0});
        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, Om(10, 1), "Verplaatst");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("bGemeld", "Verplaatst").toLongLong(), 0);
        QCOMPARE(Lijst().GetItemImage(0), int(CLijstKalender::IMG_WACHT));
        QVERIFY(!m_view->IsAlarmIdle());

        // Exactly now is not after now: reported.
        Selecteer(Lijst(), {0});
        driver.Queue([this](QWidget* modal) {
            ZetAfspraak(modal, m_nu, "Verplaatst");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("bGemeld", "Verplaatst").toLongLong(), 1);
    }

    void activering() {
        Afspraak("A", Om(11));
        Afspraak("B", Om(12));
        Afspraak("C", Om(13));
        Start(600);
        QVERIFY(IsActief(*m_view, ID_AGENDA_NIEUW));
        QVERIFY(!IsActief(*m_view, ID_AGENDA_VERWIJDER));
        QVERIFY(!IsActief(*m_view, ID_AGENDA_WIJZIG));
        Selecteer(Lijst(), {1});
        QVERIFY(IsActief(*m_view, ID_AGENDA_VERWIJDER));
        QVERIFY(IsActief(*m_view, ID_AGENDA_WIJZIG));
        Selecteer(Lijst(), {0, 2});
        QVERIFY(IsActief(*m_view, ID_AGENDA_VERWIJDER));
        QVERIFY(!IsActief(*m_view, ID_AGENDA_WIJZIG));
        // A greyed command does not run.
        ModalDriver driver(300);
        QVERIFY(m_view->OnCmdMsg(ID_AGENDA_WIJZIG));
        QTest::qWait(500);
        QCOMPARE(driver.Unexpected(), 0);
    }

    void verwijdertAlleGeselecteerdeZonderVraag() {
        Afspraak("A", Om(11));
        Afspraak("B", Om(12));
        Afspraak("C", Om(13));
        Afspraak("D", Om(14));
        Start(600);
        Selecteer(Lijst(), {0, 2, 3});
        QVERIFY(m_view->OnCmdMsg(ID_AGENDA_VERWIJDER));
        QVERIFY(MessageBoxLog().empty());
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"B"}));
        QCOMPARE(
            m_db->AppointmentScalar("SELECT group_concat(szTekst) FROM KalenderLijst").toString(),
            QString("B"));
        QCOMPARE(m_view->GetVolgendAlarm(), Ole(Om(12)));
    }

    void dubbelklikWijzigt() {
        Afspraak("Klik", Om(11));
        Start(600);
        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CAfspraakDlg::IDC_TEKST, "Geklikt");
            ClickButton(modal, IDOK);
        });
        const QPoint punt = Lijst().GetFullRowRect(0).center();
        QTest::mouseClick(Lijst().viewport(), Qt::LeftButton, {}, punt);
        QTest::mouseDClick(Lijst().viewport(), Qt::LeftButton, {}, punt);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Kolom(Lijst(), 2), QStringList({"Geklikt"}));
    }

    // A row whose appointment is gone ends Modify without a word.
    void wijzigVerdwenenAfspraak() {
        Afspraak("Weg", Om(11));
        Start(600);
        m_db->AppointmentExec("DELETE FROM KalenderLijst");
        Selecteer(Lijst(), {0});
        ModalDriver driver(300);
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QTest::qWait(500);
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY(MessageBoxLog().empty());
    }

    // Without the appointment file the appointments report the engine's error once, and
    // the to-do list, which lives in the database file, carries on.
    void zonderAfsprakenbestand() {
        QVERIFY(QFile::remove(m_db->AppointmentPath()));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        m_view = std::make_unique<CLijstKalender>();
        m_view->SetKlok([this] { return Ole(m_nu); });
        QVERIFY(!Guarded([this] { m_view->OnInitialUpdate(); }, m_view.get()));
        QVERIFY(driver.WaitDone());
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QVERIFY(MessageBoxLog().front().text.contains(m_db->AppointmentPath()));
        QVERIFY(!QFile::exists(m_db->AppointmentPath()));
        QTest::qWait(700); // the alarm watch does not repeat the error
        QCOMPARE(MessageBoxLog().size(), size_t(1));

        m_db->Exec("INSERT INTO TeDoen (lPrio, szTekst, dtDatumTijd) VALUES "
                   "(3, 'Offerte nabellen', '2024-05-01 09:00:00')");
        CInfoDisplay todo;
        QVERIFY(Guarded([&] { todo.OnInitialUpdate(); }, &todo));
        QCOMPARE(Kolom(*todo.GetListCtrl(), 0), QStringList({"Offerte nabellen"}));
        QCOMPARE(driver.Unexpected(), 0);
    }
};

TOLVAR_TEST(LijstKalenderTest);

#include "tst_LijstKalender.moc"
