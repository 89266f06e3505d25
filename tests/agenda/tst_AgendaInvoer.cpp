#include "agenda/AfspraakDlg.h"
#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "agenda/TeDoenDlg.h"
#include "AgendaHulp.h"
#include "controls/FullRowListCtrl.h"
#include "controls/ShortenText.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <memory>
#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>

using namespace AgendaHulp;

// What the agenda's boxes and lists take and show: Enter in the text boxes presses OK and
// Ctrl+Enter breaks the line; date and time columns show their values whole at the normal
// and at a one-and-a-half times larger resolution.
class AgendaInvoerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    template <class View> std::unique_ptr<View> Start() {
        auto view = std::make_unique<View>();
        view->resize(600, 300);
        view->show();
        [&] { QVERIFY(Guarded([&] { view->OnInitialUpdate(); }, view.get())); }();
        return view;
    }

    // Types two lines with Ctrl+Enter between them into the dialog's text box, then Enter;
    // a dialog that Enter left open is closed and reported.
    static QStringList TypTweeRegels(QWidget* modal, int nId, Qt::Key enter,
                                     Qt::KeyboardModifiers extra) {
        auto* tekst = qobject_cast<QPlainTextEdit*>(GetDlgItem(modal, nId));
        tekst->setPlainText(QString());
        tekst->setFocus();
        QTest::keyClicks(tekst, "Lunch");
        QTest::keyClick(tekst, enter, Qt::ControlModifier | extra);
        QTest::keyClicks(tekst, "met Jansen");
        QTest::keyClick(tekst, enter, extra);
        if (!modal->isVisible()) {
            return {};
        }
        const QString open = modal->windowTitle() + ": " + tekst->toPlainText();
        qobject_cast<QDialog*>(modal)->reject();
        return {open};
    }

    // The columns of a list whose values are shortened when drawn.
    static QStringList Afgekort(const CFullRowListCtrl& lijst,
                                std::initializer_list<int> kolommen) {
        const QFontMetrics metrics = lijst.fontMetrics();
        QStringList fout;
        for (int nKolom : kolommen) {
            const QString tekst = lijst.GetItemText(0, nKolom);
            if (ShortenText(tekst, lijst.GetColumnWidth(nKolom), 12, [&](const QString& s) {
                    return metrics.horizontalAdvance(s);
                }) != tekst) {
                fout << tekst;
            }
        }
        return fout;
    }

private slots:
    void init() {
        MessageBoxLog().clear();
        m_db = std::make_unique<TestDatabase>();
    }
    void cleanup() { m_db.reset(); }

    void enterKiestOkCtrlEnterBreektRegel_data() {
        QTest::addColumn<Qt::Key>("enter");
        QTest::addColumn<Qt::KeyboardModifiers>("extra");
        QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("Enter op het numerieke deel")
            << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void enterKiestOkCtrlEnterBreektRegel() {
        QFETCH(Qt::Key, enter);
        QFETCH(Qt::KeyboardModifiers, extra);
        ModalDriver driver;
        QStringList open;
        auto kalender = Start<CLijstKalender>();
        driver.Queue([&](QWidget* modal) {
            ZetAfspraak(modal, QDateTime(QDate(2099, 1, 2), QTime(9, 0)), QString());
            open << TypTweeRegels(modal, CAfspraakDlg::IDC_TEKST, enter, extra);
        });
        QVERIFY(kalender->OnCmdMsg(ID_AGENDA_NIEUW));
        QVERIFY(driver.WaitDone());
        kalender.reset();

        auto todo = Start<CInfoDisplay>();
        driver.Queue([&](QWidget* modal) {
            open << TypTweeRegels(modal, CTeDoenDlg::IDC_TEKST, enter, extra);
        });
        QVERIFY(todo->OnCmdMsg(ID_AGENDA_NIEUW));
        QVERIFY(driver.WaitDone());

        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY2(open.isEmpty(), qPrintable(open.join(" | ")));
        QCOMPARE(
            m_db->AppointmentScalar("SELECT group_concat(szTekst) FROM KalenderLijst").toString(),
            QString("Lunch\nmet Jansen"));
        QCOMPARE(m_db->Scalar("SELECT group_concat(szTekst) FROM TeDoen").toString(),
                 QString("Lunch\nmet Jansen"));
    }

    void datumEnTijdPassenInKolom_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("96 dpi") << 1.0;
        QTest::newRow("144 dpi") << 1.5;
    }
    void datumEnTijdPassenInKolom() {
        QFETCH(double, factor);
        const QFont oud = QApplication::font();
        QFont font = oud;
        font.setPointSizeF(oud.pointSizeF() * factor);
        QApplication::setFont(font);
        m_db->Exec("INSERT INTO TeDoen (lPrio, szTekst, dtDatumTijd) VALUES "
                   "(9, 'Offerte', '2026-12-05 20:48:58')");
        m_db->AppointmentExec("INSERT INTO KalenderLijst (szTekst, dtDatumTijdAlarm, bGemeld) "
                              "VALUES ('Zaal', '2099-12-05 20:48:58', 0)");
        auto todo = Start<CInfoDisplay>();
        auto kalender = Start<CLijstKalender>();
        const QStringList fout =
            Afgekort(*todo->GetListCtrl(), {CInfoDisplay::KOLOM_PRIO, CInfoDisplay::KOLOM_DATUM,
                                            CInfoDisplay::KOLOM_TIJD}) +
            Afgekort(*kalender->GetListCtrl(), {0, 1});
        QApplication::setFont(oud);
        QCOMPARE(todo->GetListCtrl()->GetItemText(0, CInfoDisplay::KOLOM_DATUM),
                 QString("05-12-2026"));
        QVERIFY2(fout.isEmpty(), qPrintable(fout.join(" | ")));
    }
};

TOLVAR_TEST(AgendaInvoerTest);

#include "tst_AgendaInvoer.moc"
