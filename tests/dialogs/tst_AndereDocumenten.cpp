#include "dialogs/BestellingDlg.h"
#include "dialogs/CalculatieDlg.h"
#include "dialogs/OrderDlg.h"
#include "DialoogHulp.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/MessageBox.h"
#include "store/RecBestelling.h"
#include "store/RecCalculatie.h"
#include "store/RecOrder.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <QTreeWidget>

// The calculation, order and purchase-order dialogs: the same edit without a status, each
// with its own ids and OK message; all three offer customers as relations.
class TestAndereDocumenten : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    // Edits document 1; the last edit of a test checks that every queued action ran.
    template <class Rec> int Wijzig(Rec& rec, ModalDriver& driver, bool laatste = true) {
        rec.Selecteer(SEL_NUMMER, 1);
        rec.Volgende();
        const int result = rec.WijzigRecord();
        if (laatste) {
            [&] { QVERIFY(driver.WaitDone()); }();
        }
        [&] { QCOMPARE(driver.Unexpected(), 0); }();
        return result;
    }

    QString Rij(const QString& tabel) {
        return m_db
            ->Scalar(QStringLiteral("SELECT dwRelatieNummer || dtCreateDatum || "
                                    "dtModificatieDatum || szDocument || szInLijst || "
                                    "szKontaktPersoon || dwSoortDocument FROM %1")
                         .arg(tabel))
            .toString();
    }

    // A new document without relation: OK shows the dialog's own message and keeps it open;
    // choosing a customer then lets OK store; reopening shows the names and a locked button.
    template <class Dlg, class Rec> void NieuwKiesRelatieEnHeropen(const QString& bericht) {
        constexpr DocumentIds ids = Dlg::kIds;
        Rec rec;
        rec.NieuwRecord();
        bool knopNieuw = false, knopHeropend = true;
        QStringList relaties, heropend;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            knopNieuw = Aan(dlg, ids.relatieKiezen);
            KlikStraks(dlg, IDOK);
        });
        driver.Queue(Answer(IDOK));
        driver.Queue([&](QWidget* dlg) { KlikStraks(dlg, ids.relatieKiezen); });
        driver.Queue([&](QWidget* picker) {
            auto* lijst = picker->findChild<QTreeWidget*>();
            for (int i = 0; i < lijst->topLevelItemCount(); ++i) {
                relaties << lijst->topLevelItem(i)->text(0);
            }
            lijst->setFocus();
            lijst->setCurrentItem(lijst->topLevelItem(1));
            PressKey(picker, Qt::Key_Return);
        });
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
        driver.Queue([&](QWidget* dlg) {
            heropend << ControlText(dlg, ids.relatie) << ControlText(dlg, ids.relatieKort)
                     << ControlText(dlg, ids.omschrijving);
            knopHeropend = Aan(dlg, ids.relatieKiezen);
            ClickButton(dlg, IDCANCEL);
        });
        QCOMPARE(Wijzig(rec, driver, false), 1);
        QCOMPARE(Wijzig(rec, driver), 0);
        QVERIFY(knopNieuw);
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(MessageBoxLog()[0].text, bericht);
        QCOMPARE(MessageBoxLog()[0].caption, "Let Op");
        QCOMPARE(relaties, (QStringList{"Appel", "Zwart"}));
        QCOMPARE(rec.dwRelatieNummer, 1);
        QCOMPARE(heropend[0], "Zwart en Zonen");
        QCOMPARE(heropend[1], "Zwart");
        QVERIFY(heropend[2].startsWith("<Nieuwe "));
        QVERIFY(!knopHeropend);
    }

    // Everything the buttons and boxes change is abandoned by Annuleer, dates included.
    template <class Dlg, class Rec> void AnnuleerLaatRijStaan(const QString& tabel) {
        constexpr DocumentIds ids = Dlg::kIds;
        m_db->Exec(QStringLiteral("INSERT INTO %1 (dwRelatieNummer, dtCreateDatum, "
                                  "dtModificatieDatum, szDocument, szInLijst, szKontaktPersoon, "
                                  "dwSoortDocument) VALUES (0, '2003-04-05 06:07:08', "
                                  "'2003-05-06 07:08:09', '/doc.dwg', 'Titel', 'Iemand', 'Paint')")
                       .arg(tabel));
        const QString voor = Rij(tabel);
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) { KlikStraks(dlg, ids.relatieKiezen); });
        driver.Queue([](QWidget* picker) {
            auto* lijst = picker->findChild<QTreeWidget*>();
            lijst->setCurrentItem(lijst->topLevelItem(0));
            emit lijst->itemDoubleClicked(lijst->topLevelItem(0), 0);
        });
        driver.Queue([&](QWidget* dlg) { KlikStraks(dlg, ids.persoonKiezen); });
        driver.Queue([](QWidget* picker) {
            auto* lijst = picker->findChild<QTreeWidget*>();
            lijst->setCurrentItem(lijst->topLevelItem(0));
            emit lijst->itemDoubleClicked(lijst->topLevelItem(0), 0);
        });
        driver.Queue([&](QWidget* dlg) { KlikStraks(dlg, ids.documentKiezen); });
        driver.Queue([](QWidget* kiezer) { qobject_cast<QDialog*>(kiezer)->reject(); });
        driver.Queue([&](QWidget* dlg) {
            QCOMPARE(ControlText(dlg, ids.document), "/doc.dwg");
            QCOMPARE(ControlText(dlg, ids.soortDocument), "Paint Document");
            QCOMPARE(ControlText(dlg, ids.kontaktPersoon), "Anna Appel");
            SetControlText(dlg, ids.omschrijving, "weg");
            ClickButton(dlg, IDCANCEL);
        });
        Rec rec;
        QCOMPARE(Wijzig(rec, driver), 0);
        QCOMPARE(Rij(tabel), voor);
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec("INSERT INTO Relaties (szInLijst, szVolleNaam, bKlantJaNee, "
                   "bLeverancierJaNee) VALUES ('Zwart', 'Zwart en Zonen', 1, 0), "
                   "('Mol', 'Mol Leveranties', 0, 1), ('Appel', 'Appel BV', 1, 0)");
        m_db->Exec("INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam) VALUES "
                   "(3, 'Anna', 'Appel'), (2, 'Mies', 'Mol')");
        MessageBoxLog().clear();
    }
    void cleanup() { m_db.reset(); }

    void calculatie() {
        NieuwKiesRelatieEnHeropen<CCalculatieDlg, CRecCalculatie>(
            "Er is geen relatie aan deze calculatie gekoppeld");
    }
    void order() {
        NieuwKiesRelatieEnHeropen<COrderDlg, CRecOrder>(
            "Er is geen relatie aan deze order gekoppeld");
    }
    void bestellingBiedtKlantenAan() {
        NieuwKiesRelatieEnHeropen<CBestellingDlg, CRecBestelling>(
            "Er is geen relatie aan deze bestelling gekoppeld");
    }

    void annuleerCalculatie() {
        AnnuleerLaatRijStaan<CCalculatieDlg, CRecCalculatie>("Calculaties");
    }
    void annuleerOrder() { AnnuleerLaatRijStaan<COrderDlg, CRecOrder>("Orders"); }
    void annuleerBestelling() {
        AnnuleerLaatRijStaan<CBestellingDlg, CRecBestelling>("Bestelling");
    }

    void okZetModificatieDatum() {
        m_db->Exec("INSERT INTO Orders (dwRelatieNummer, dtCreateDatum, dtModificatieDatum) "
                   "VALUES (2, '2003-04-05 06:07:08', '2003-05-06 07:08:09')");
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
        const QString voor = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
        CRecOrder rec;
        QCOMPARE(Wijzig(rec, driver), 1);
        QVERIFY(m_db->Scalar("SELECT dtModificatieDatum FROM Orders").toString() >= voor);
        QCOMPARE(m_db->Scalar("SELECT dtCreateDatum FROM Orders").toString(),
                 "2003-04-05 06:07:08");
    }
};

TOLVAR_TEST(TestAndereDocumenten);
#include "tst_AndereDocumenten.moc"
