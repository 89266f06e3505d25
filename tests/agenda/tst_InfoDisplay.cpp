#include "agenda/InfoDisplay.h"
#include "agenda/PrioIcoon.h"
#include "agenda/TeDoenDlg.h"
#include "AgendaHulp.h"
#include "controls/FullRowListCtrl.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <memory>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

using namespace AgendaHulp;

namespace {

bool ToontPrio(QWidget* modal, int nPrio) {
    auto* label = qobject_cast<QLabel*>(GetDlgItem(modal, CTeDoenDlg::IDC_ICOON));
    return label->pixmap().toImage() == CPrioIcoon::Prio(nPrio).pixmap(16, 16).toImage();
}

QSlider* Schuif(QWidget* modal) {
    return qobject_cast<QSlider*>(GetDlgItem(modal, CTeDoenDlg::IDC_PRIO));
}

} // namespace

// The to-do list: columns, icons, sorting by header and the three commands, and its dialog.
class InfoDisplayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CInfoDisplay> m_view;

    CFullRowListCtrl& Lijst() { return *m_view->GetListCtrl(); }

    void Actie(int nPrio, const QString& strTekst, const QString& strWanneer) {
        m_db->Exec(QStringLiteral("INSERT INTO TeDoen (lPrio, szTekst, dtDatumTijd) VALUES "
                                  "(%1, '%2', '%3')")
                       .arg(nPrio)
                       .arg(strTekst, strWanneer));
    }
    QVariant Veld(const QString& strVeld, const QString& strTekst) {
        return m_db->Scalar(
            QStringLiteral("SELECT %1 FROM TeDoen WHERE szTekst = '%2'").arg(strVeld, strTekst));
    }
    void Start() {
        m_view = std::make_unique<CInfoDisplay>();
        m_view->resize(600, 300);
        m_view->show();
        QVERIFY(Guarded([this] { m_view->OnInitialUpdate(); }, m_view.get()));
    }
    void KlikKop(int nKolom) {
        QHeaderView* kop = Lijst().header();
        const QPoint punt(kop->sectionViewportPosition(nKolom) + 5, kop->height() / 2);
        QTest::mouseClick(kop->viewport(), Qt::LeftButton, {}, punt);
    }
    void Standaard() {
        Actie(7, "Kopen", "2024-05-03 08:00:00");
        Actie(2, "Bellen", "2024-05-01 12:30:00");
        Actie(9, "Archief", "2024-04-20 17:45:10");
        Actie(2, "Dossier", "2024-05-02 09:00:00");
    }

private slots:
    void init() {
        MessageBoxLog().clear();
        m_db = std::make_unique<TestDatabase>();
    }
    void cleanup() {
        m_view.reset();
        m_db.reset();
    }

    void kolommenEnIconen() {
        Standaard();
        Start();
        const QStringList koppen = {"Wat te doen", "Prioiteit", "Datum", "Tijd"};
        for (int n = 0; n < 4; ++n) {
            QCOMPARE(Lijst().model()->headerData(n, Qt::Horizontal).toString(), koppen[n]);
        }
        QCOMPARE(m_view->GetSorteerKolom(), int(CInfoDisplay::KOLOM_PRIO));
        QCOMPARE(Kolom(Lijst(), 0), QStringList({"Bellen", "Dossier", "Kopen", "Archief"}));
        QCOMPARE(Kolom(Lijst(), 1), QStringList({"  2", "  2", "  7", "  9"}));
        QCOMPARE(Lijst().GetItemImage(2), 7);
        QCOMPARE(Lijst().GetItemText(3, 2), QString("20-04-2024"));
        QCOMPARE(Lijst().GetItemText(3, 3),
                 COleDateTime(2024, 4, 20, 17, 45, 10).Format(COleDateTime::VAR_TIMEVALUEONLY));
        QCOMPARE(Lijst().GetItemData(0), qintptr(Veld("dwIndex", "Bellen").toLongLong()));
    }

    void tienVerschillendeIconen() {
        QList<QImage> beelden;
        for (int p = 0; p < 10; ++p) {
            beelden << CPrioIcoon::Prio(p).pixmap(16, 16).toImage();
            QVERIFY(!beelden.back().isNull());
            for (int q = 0; q < p; ++q) {
                QVERIFY(beelden[q] != beelden[p]);
            }
        }
        QVERIFY(CPrioIcoon::Laad(169).isNull());
        QVERIFY(CPrioIcoon::Laad(180).isNull());
    }

    // Every sort stays in force after New, Modify and Delete.
    void sorterenOpKolomkop() {
        Standaard();
        Start();
        KlikKop(CInfoDisplay::KOLOM_DATUM);
        const QStringList opDatum = {"Archief", "Bellen", "Dossier", "Kopen"};
        QCOMPARE(Kolom(Lijst(), 0), opDatum);
        KlikKop(CInfoDisplay::KOLOM_PRIO);
        KlikKop(CInfoDisplay::KOLOM_TIJD);
        QCOMPARE(Kolom(Lijst(), 0), opDatum);
        QCOMPARE(m_view->GetSorteerKolom(), int(CInfoDisplay::KOLOM_TIJD));
        KlikKop(CInfoDisplay::KOLOM_TEKST);
        QCOMPARE(Kolom(Lijst(), 0), QStringList({"Archief", "Bellen", "Dossier", "Kopen"}));

        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CTeDoenDlg::IDC_TEKST, "Cadeau");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_NIEUW);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Kolom(Lijst(), 0),
                 QStringList({"Archief", "Bellen", "Cadeau", "Dossier", "Kopen"}));

        Selecteer(Lijst(), {0});
        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CTeDoenDlg::IDC_TEKST, "Zolder");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Kolom(Lijst(), 0),
                 QStringList({"Bellen", "Cadeau", "Dossier", "Kopen", "Zolder"}));

        Selecteer(Lijst(), {1});
        m_view->OnCmdMsg(ID_AGENDA_VERWIJDER);
        QCOMPARE(Kolom(Lijst(), 0), QStringList({"Bellen", "Dossier", "Kopen", "Zolder"}));
    }

    // A new action starts at priority 0, entered now; the date and time are shown greyed.
    void nieuweActie() {
        Start();
        const QDateTime voor = QDateTime::currentDateTime().addSecs(-1);
        ModalDriver driver;
        QString strDatum;
        driver.Queue([&](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Te Doen"));
            QCOMPARE(Schuif(modal)->value(), 0);
            QCOMPARE(Schuif(modal)->maximum(), 9);
            QVERIFY(ToontPrio(modal, 0));
            QVERIFY(!GetDlgItem(modal, CTeDoenDlg::IDC_DATUM)->isEnabled());
            QVERIFY(!GetDlgItem(modal, CTeDoenDlg::IDC_TIJD)->isEnabled());
            strDatum = ControlText(modal, CTeDoenDlg::IDC_DATUM);
            QVERIFY(!ControlText(modal, CTeDoenDlg::IDC_TIJD).isEmpty());
            Schuif(modal)->setValue(4);
            SetControlText(modal, CTeDoenDlg::IDC_TEKST, "Facturen");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_NIEUW);
        QVERIFY(driver.WaitDone());
        QCOMPARE(strDatum, COleDateTime::GetCurrentTime().Format(COleDateTime::VAR_DATEVALUEONLY));
        QCOMPARE(Veld("lPrio", "Facturen").toInt(), 4);
        const QDateTime opgeslagen = QDateTime::fromString(
            Veld("dtDatumTijd", "Facturen").toString(), "yyyy-MM-dd HH:mm:ss");
        QVERIFY(opgeslagen >= voor && opgeslagen <= QDateTime::currentDateTime());
        QCOMPARE(Kolom(Lijst(), 1), QStringList({"  4"}));
        QCOMPARE(Lijst().GetItemImage(0), 4);

        driver.Queue([](QWidget* modal) {
            SetControlText(modal, CTeDoenDlg::IDC_TEKST, "Vergeten");
            ClickButton(modal, IDCANCEL);
        });
        m_view->OnCmdMsg(ID_AGENDA_NIEUW);
        QVERIFY(driver.WaitDone());
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM TeDoen").toInt(), 1);
    }

    // The icon follows the slider everywhere; Modify keeps the entry date and time.
    void wijzigMetSchuif() {
        Actie(5, "Offerte", "2024-05-01 12:30:00");
        Start();
        Selecteer(Lijst(), {0});
        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            QCOMPARE(Schuif(modal)->value(), 5);
            QVERIFY(ToontPrio(modal, 5));
            QCOMPARE(ControlText(modal, CTeDoenDlg::IDC_DATUM), QString("01-05-2024"));
            for (int p : {9, 0, 3, 8, 1, 2, 7, 6, 4, 5}) {
                Schuif(modal)->setValue(p);
                QVERIFY2(ToontPrio(modal, p), qPrintable(QString::number(p)));
            }
            Schuif(modal)->setFocus();
            QTest::keyClick(Schuif(modal), Qt::Key_Right);
            QVERIFY(ToontPrio(modal, 6));
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("lPrio", "Offerte").toInt(), 6);
        QCOMPARE(Veld("dtDatumTijd", "Offerte").toString(), QString("2024-05-01 12:30:00"));
        QCOMPARE(Lijst().GetItemImage(0), 6);

        Selecteer(Lijst(), {0});
        driver.Queue([](QWidget* modal) {
            Schuif(modal)->setValue(1);
            ClickButton(modal, IDCANCEL);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(Veld("lPrio", "Offerte").toInt(), 6);
    }

    // No more than 250 characters go in, typed or pasted.
    void tekstGrens() {
        Actie(1, "Kort", "2024-05-01 12:30:00");
        Start();
        Selecteer(Lijst(), {0});
        ModalDriver driver;
        const QString lang(300, QChar('x'));
        driver.Queue([&](QWidget* modal) {
            auto* tekst = qobject_cast<QPlainTextEdit*>(GetDlgItem(modal, CTeDoenDlg::IDC_TEKST));
            tekst->moveCursor(QTextCursor::End);
            tekst->insertPlainText(lang);
            QCOMPARE(tekst->toPlainText().size(), 250);
            QVERIFY(tekst->toPlainText().startsWith("Kort"));
            tekst->setFocus();
            QTest::keyClicks(tekst, "abc");
            QCOMPARE(tekst->toPlainText().size(), 250);
            ClickButton(modal, IDOK);
        });
        const int nBeep = MessageBeepCount();
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QVERIFY(MessageBeepCount() > nBeep);
        QCOMPARE(m_db->Scalar("SELECT length(szTekst) FROM TeDoen").toInt(), 250);
    }

    // A stored text that is already too long is shown whole; OK then refuses it with the
    // standard message and the dialog stays open.
    void teLangeOpgeslagenTekst() {
        Actie(1, QString(260, QChar('y')), "2024-05-01 12:30:00");
        Start();
        Selecteer(Lijst(), {0});
        ModalDriver driver;
        driver.Queue([](QWidget* modal) {
            QCOMPARE(ControlText(modal, CTeDoenDlg::IDC_TEKST).size(), 260);
            // The refusal is a modal of its own: click after this action has returned.
            QTimer::singleShot(0, modal, [modal] { ClickButton(modal, IDOK); });
        });
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Te Doen"));
            SetControlText(modal, CTeDoenDlg::IDC_TEKST, "Ingekort");
            ClickButton(modal, IDOK);
        });
        m_view->OnCmdMsg(ID_AGENDA_WIJZIG);
        QVERIFY(driver.WaitDone());
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(MessageBoxLog().front().text, QString("Voer niet meer dan 250 tekens in."));
        QCOMPARE(Kolom(Lijst(), 0), QStringList({"Ingekort"}));
    }

    void activeringEnVerwijderen() {
        Standaard();
        Start();
        QVERIFY(IsActief(*m_view, ID_AGENDA_NIEUW));
        QVERIFY(!IsActief(*m_view, ID_AGENDA_VERWIJDER));
        QVERIFY(!IsActief(*m_view, ID_AGENDA_WIJZIG));
        Selecteer(Lijst(), {0});
        QVERIFY(IsActief(*m_view, ID_AGENDA_WIJZIG));
        Selecteer(Lijst(), {0, 1, 3});
        QVERIFY(IsActief(*m_view, ID_AGENDA_VERWIJDER));
        QVERIFY(!IsActief(*m_view, ID_AGENDA_WIJZIG));
        QVERIFY(m_view->OnCmdMsg(ID_AGENDA_VERWIJDER));
        QVERIFY(MessageBoxLog().empty());
        QCOMPARE(Kolom(Lijst(), 0), QStringList({"Kopen"}));
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM TeDoen").toInt(), 1);
        QVERIFY(!IsActief(*m_view, ID_AGENDA_VERWIJDER));
    }
};

TOLVAR_TEST(InfoDisplayTest);

#include "tst_InfoDisplay.moc"
