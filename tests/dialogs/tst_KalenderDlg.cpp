#include "agenda/KalenderDlg.h"
#include "platform/ui/MessageBox.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <QCalendarWidget>
#include <QTest>

// The calendar dialog opens on the date of its stored state, never on today, and hands back
// the chosen date with its date-only text only on OK.
class TestKalenderDlg : public QObject {
    Q_OBJECT

private slots:
    void okZonderKeuzeGeeftOpgeslagenDatum() {
        int jaar = 0, maand = 0;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            auto* kalender = dlg->findChild<QCalendarWidget*>();
            jaar = kalender->yearShown();
            maand = kalender->monthShown();
            ClickButton(dlg, IDOK);
        });
        CKalenderDlg dlg;
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QCOMPARE(jaar, 1999);
        QCOMPARE(maand, 9);
        QCOMPARE(dlg.m_dtDatum.ToQDateTime(), QDateTime(QDate(1999, 9, 26), QTime(0, 0)));
        QCOMPARE(dlg.m_strDatum, QLocale().toString(QDate(1999, 9, 26), QLocale::ShortFormat));
    }

    void gekozenDatumEnAnnuleer() {
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            dlg->findChild<QCalendarWidget*>()->setSelectedDate(QDate(2024, 2, 29));
            ClickButton(dlg, IDOK);
        });
        driver.Queue([](QWidget* dlg) {
            dlg->findChild<QCalendarWidget*>()->setSelectedDate(QDate(2030, 1, 1));
            ClickButton(dlg, IDCANCEL);
        });
        CKalenderDlg gekozen;
        QCOMPARE(gekozen.DoModal(), int(IDOK));
        QCOMPARE(gekozen.m_dtDatum.ToQDate(), QDate(2024, 2, 29));
        QVERIFY(gekozen.m_strDatum.contains("2024"));
        CKalenderDlg geannuleerd;
        QCOMPARE(geannuleerd.DoModal(), int(IDCANCEL));
        QVERIFY(geannuleerd.m_strDatum.isEmpty());
        QCOMPARE(geannuleerd.m_dtDatum.m_dt, 0.0);
    }
};

TOLVAR_TEST(TestKalenderDlg);
#include "tst_KalenderDlg.moc"
