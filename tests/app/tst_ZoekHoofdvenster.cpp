#include "ModalDriver.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "controls/FullRowListCtrl.h"
#include "dialogs/RelatieDlg.h"
#include "platform/dao/DaoWriteObserver.h"
#include "platform/profile/Profile.h"
#include "platform/ui/ControlId.h"
#include "search/ZoekIndex.h"
#include "search/ZoekTabel.h"
#include "workspace/TolvarView.h"
#include "workspace/ZoekBalk.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

// The search line in the program's own window: an old database gets its index at start-up,
// Ctrl+F reaches the line from the window and from the workspace, Enter shows the record and
// Enter again opens it, and a record stored through its dialog is found at once.
class TestZoekHoofdvenster : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CTolvarApp> m_app;

    CMainFrame* Frame() { return m_app->GetMainWnd(); }
    CTolvarView* View() { return dynamic_cast<CTolvarView*>(Frame()->GetPaneView(0)); }
    QLineEdit* Veld() { return Frame()->ZoekBalk()->Veld(); }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec("INSERT INTO Relaties (szInLijst, szVolleNaam, szBezoekWoonplaats) VALUES "
                   "('Hendriks', 'Hendriks Tegels', 'Deventer'), "
                   "('Smeets', 'Smeets Dakwerken', 'Venlo')");
        m_db->Exec("INSERT INTO TeDoen (lPrio, szTekst, dtDatumTijd) VALUES "
                   "(3, 'Offerte Smeets nabellen', '2026-03-02 10:00:00'), "
                   "(5, 'Tegels bestellen', '2026-03-01 09:00:00')");
        m_db->AppointmentExec("INSERT INTO KalenderLijst (szTekst, dtDatumTijdAlarm, bGemeld) "
                              "VALUES ('Bezoek showroom Hendriks', '2030-05-01 14:00:00', 0), "
                              "('Tandarts', '2030-05-02 08:00:00', 0)");
        CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"),
                                     m_db->Path());
        m_app = std::make_unique<CTolvarApp>(StandardViews());
        QVERIFY(m_app->InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        QTRY_VERIFY(!Frame()->ZoekBalk()->IsBezig());
    }
    void cleanup() {
        m_app.reset();
        m_db.reset();
        CDaoWriteObserver::Install(nullptr);
    }

    void ctrlFEnterAndEnterAgain() {
        QVERIFY(CZoekIndex::Voor(m_db->Path(), ZoekTabel::Hoofdbestand())->IsActueel());
        QVERIFY(Veld()->isVisible());

        View()->Tree()->setFocus();
        QTest::keyClick(View()->Tree(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(Veld()->hasFocus());
        QTest::keyClicks(Veld(), "venlo");
        QCOMPARE(Frame()->ZoekBalk()->Lijst()->count(), 1);
        QTest::keyClick(Veld(), Qt::Key_Return);
        QTRY_VERIFY(View()->Tree()->hasFocus());
        const CTreeNodeData* node = View()->GetSelectedNode();
        QVERIFY(node);
        QCOMPARE(node->m_nKind, int(NODE_RELATIE));
        QCOMPARE(View()->Tree()->currentItem()->text(0), "Smeets");

        // Enter again is the window's Modify: the relation dialog opens on Smeets.
        QString naam;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            naam = GetDlgItem(dlg, CRelatieDlg::IDC_INLIJST)->property("text").toString();
            qobject_cast<QDialog*>(dlg)->reject();
        });
        QTest::keyClick(View()->Tree(), Qt::Key_Return);
        QVERIFY(driver.WaitDone());
        QCOMPARE(naam, "Smeets");

        // From the window itself as well; Escape gives the tree back.
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        Frame()->GetPaneView(1)->setFocus();
        QTest::keyClick(Frame()->GetPaneView(1), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(Veld()->hasFocus());
        QCOMPARE(Veld()->selectedText(), "venlo");
        QTest::keyClick(Veld(), Qt::Key_Escape);
        QTRY_VERIFY(View()->Tree()->hasFocus());
        QVERIFY(Veld()->text().isEmpty());
    }

    // To-do items and appointments (in their own file) are found too, and choosing one
    // selects its row in its list.
    void agendaRows() {
        QTest::keyClick(View()->Tree(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(Veld(), "nabel");
        QCOMPARE(Frame()->ZoekBalk()->Treffers().size(), size_t(1));
        QTest::keyClick(Veld(), Qt::Key_Return);
        auto* todo = dynamic_cast<CInfoDisplay*>(Frame()->GetPaneView(1))->GetListCtrl();
        QCOMPARE(todo->GetSelectedCount(), 1);
        QCOMPARE(todo->GetItemText(todo->GetSelectionMark(), 0), "Offerte Smeets nabellen");
        QTRY_VERIFY(todo->hasFocus());

        QTest::keyClick(todo, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(Veld(), "showroom");
        const auto& treffers = Frame()->ZoekBalk()->Treffers();
        QCOMPARE(treffers.size(), size_t(1));
        QCOMPARE(treffers[0].nSoort, int(ZoekTabel::AFSPRAAK));
        QTest::keyClick(Veld(), Qt::Key_Return);
        auto* afspraken = dynamic_cast<CLijstKalender*>(Frame()->GetPaneView(2))->GetListCtrl();
        QCOMPARE(afspraken->GetSelectedCount(), 1);
        QVERIFY(afspraken->GetItemText(afspraken->GetSelectionMark(), 2).contains("showroom"));
        // "hendriks" finds the relation by its name and the appointment by its text.
        Veld()->clear();
        QTest::keyClicks(Veld(), "hendriks");
        QCOMPARE(Frame()->ZoekBalk()->Treffers().size(), size_t(2));
        QCOMPARE(Frame()->ZoekBalk()->Treffers()[0].nSoort, int(ZoekTabel::RELATIE));
    }
};

TOLVAR_ENGINE_TEST(TestZoekHoofdvenster);
#include "tst_ZoekHoofdvenster.moc"
