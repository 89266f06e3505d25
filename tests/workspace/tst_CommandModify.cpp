#include "dialogs/OfferteDlg.h"
#include "dialogs/PersoonDlg.h"
#include "dialogs/RelatieDlg.h"
#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"

namespace {

QStringList Texts(const QList<QTreeWidgetItem*>& items) {
    QStringList texts;
    for (const QTreeWidgetItem* item : items) {
        texts << item->text(0);
    }
    return texts;
}

void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

// Modify: the record's own dialog, every node of the record renamed in place, and a refill
// where the change moves records between folders.
class TestCommandModify : public QObject {
    Q_OBJECT

private slots:
    void renamingARelationRenamesAllItsNodes() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Mol", true);
        for (const char* naam : {"Aanbouw", "Dak", "Zolder"}) {
            AddDocument(b.db, "Offertes", relatie, QString::fromLatin1(naam), 1);
        }
        b.Open(CTolvarView::TAB_OFFERTES);
        const auto nodes = FindItems(*b.view, NODE_RELATIE, relatie);
        QCOMPARE(nodes.size(), 3);
        QList<int> places;
        for (QTreeWidgetItem* node : nodes) {
            places << node->parent()->indexOfChild(node);
        }
        b.Select(nodes[1]);

        ModalDriver cancel;
        cancel.Queue([](QWidget* dlg) {
            SetControlText(dlg, CRelatieDlg::IDC_INLIJST, QStringLiteral("Weg"));
            ClickButton(dlg, IDCANCEL);
        });
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, cancel));
        QCOMPARE(Texts(FindItems(*b.view, NODE_RELATIE, relatie)),
                 (QStringList{"Mol", "Mol", "Mol"}));
        QCOMPARE(b.Text("SELECT szInLijst FROM Relaties"), "Mol");

        const int nodesBefore = b.Nodes();
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CRelatieDlg::IDC_INLIJST, QStringLiteral("Mol & Zn"));
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, driver));
        QCOMPARE(b.Text("SELECT szInLijst FROM Relaties"), "Mol & Zn");
        const auto after = FindItems(*b.view, NODE_RELATIE, relatie);
        QCOMPARE(after, nodes);
        QCOMPARE(Texts(after), (QStringList{"Mol & Zn", "Mol & Zn", "Mol & Zn"}));
        for (int i = 0; i < after.size(); ++i) {
            QCOMPARE(after[i]->parent()->indexOfChild(after[i]), places[i]);
        }
        QCOMPARE(b.Nodes(), nodesBefore);
        QCOMPARE(b.view->Tree()->currentItem(), nodes[1]);
    }

    void customerFlagRebuildsTheTab() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Smit");
        AddDocument(b.db, "Orders", relatie, "Hek");
        b.Open();
        QCOMPARE(b.view->Tree()->topLevelItem(0)->childCount(), 2);
        b.Select(b.Item(NODE_RELATIE, relatie));
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            ClickButton(dlg, CRelatieDlg::IDC_KLANT);
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, driver));
        QCOMPARE(b.Count("Relaties", "bKlantJaNee <> 0"), 1);
        QTreeWidgetItem* item = b.Item(NODE_RELATIE, relatie);
        QCOMPARE(item->childCount(), 5);
        QCOMPARE(b.Folder(item, NODE_ORDERS)->child(0)->text(0), "Hek");
        QVERIFY(b.NodesMatchTree());
    }

    void quotationStatusStepMovesItsNode() {
        CommandBench b;
        const int teVersturen = AddDocument(b.db, "Offertes", 0, "Kozijn", 0);
        const int positief = AddDocument(b.db, "Offertes", 0, "Deur", 2);
        b.db.Exec("UPDATE Offertes SET dwRelatieNummer = 99");
        b.Open(CTolvarView::TAB_OFFERTES);
        b.Select(b.Item(NODE_OFFERTE_TEVERSTUREN, teVersturen));
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { ClickLater(dlg, COfferteDlg::IDC_VERSTUURD); });
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, driver));
        QCOMPARE(b.Text(QStringLiteral("SELECT dwStatusOfferte FROM Offertes WHERE dwIndex = %1")
                            .arg(teVersturen)),
                 "1");
        QVERIFY(!b.Item(NODE_OFFERTE_TEVERSTUREN, teVersturen));
        QCOMPARE(b.Item(NODE_OFFERTE_VERSTUURD, teVersturen)->parent()->text(0), "Verstuurd");

        // A quotation that is done has no status steps: its node is renamed in place.
        QTreeWidgetItem* item = b.Item(NODE_OFFERTE_POSITIEF, positief);
        b.Select(item);
        ModalDriver rename;
        rename.Queue([](QWidget* dlg) {
            SetControlText(dlg, COfferteDlg::kIds.omschrijving, QStringLiteral("Voordeur"));
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, rename));
        QCOMPARE(b.Item(NODE_OFFERTE_POSITIEF, positief), item);
        QCOMPARE(item->text(0), "Voordeur");
    }

    void personAndMemoAreRenamed() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Kok");
        const int persoon = AddPersoon(b.db, relatie, "Kok", "Karel");
        const int memo = AddMemo(b.db, "MemoRelatie", relatie, "Eerste");
        b.Open();
        b.Select(b.Item(NODE_PERSOON, persoon));
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CPersoonDlg::IDC_VOORNAAM, QStringLiteral("Carla"));
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, driver));
        QCOMPARE(b.Item(NODE_PERSOON, persoon)->text(0), "Kok, Carla");
        QCOMPARE(b.Text("SELECT szVoorNaam FROM Personen"), "Carla");

        b.Select(b.Item(NODE_RELATIEMEMO, memo));
        ModalDriver memoDriver;
        memoDriver.Queue(SaveMemo(QStringLiteral("Gesprek")));
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, memoDriver));
        QCOMPARE(b.Item(NODE_RELATIEMEMO, memo)->text(0), "Gesprek");
        QCOMPARE(b.Text("SELECT szInLijst FROM MemoRelatie"), "Gesprek");
    }

    void doubleClickOpensTheRecord() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Kok");
        const int persoon = AddPersoon(b.db, relatie, "Kok", "Karel");
        b.Open();
        QString title;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            title = ControlText(dlg, CPersoonDlg::IDC_ACHTERNAAM);
            ClickButton(dlg, IDCANCEL);
        });
        DoubleClick(b.view->Tree(), b.Item(NODE_PERSOON, persoon));
        QVERIFY(driver.WaitDone());
        QCOMPARE(driver.Unexpected(), 0);
        QCOMPARE(title, "Kok");
    }

    // A record deleted behind the view's back is reported, and nothing is edited.
    void recordGoneFromTheStore() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Kok");
        const int persoon = AddPersoon(b.db, relatie, "Kok", "Karel");
        b.Open();
        b.db.Exec("DELETE FROM Personen");
        b.Select(b.Item(NODE_PERSOON, persoon));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_WIJZIG, driver));
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(LastBox().text, "Dit record staat niet meer in de database.");
        QCOMPARE(b.Count("Personen"), 0);
    }
};

TOLVAR_ENGINE_TEST(TestCommandModify);
#include "tst_CommandModify.moc"
