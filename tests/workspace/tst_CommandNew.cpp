#include "dialogs/CalculatieDlg.h"
#include "dialogs/OfferteDlg.h"
#include "dialogs/OrderDlg.h"
#include "dialogs/PersoonDlg.h"
#include "dialogs/RelatieDlg.h"
#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"

// New: the confirmations, the record and its first edit, the row taken away again on
// Cancel, and the tree kept in step without a refill.
class TestCommandNew : public QObject {
    Q_OBJECT

private slots:
    // Every kind of record: Cancel in its first edit (or in the confirmation) leaves the
    // store and the tree as they were.
    void cancelLeavesNoRow() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bakker", true, true);
        const int order = AddDocument(b.db, "Orders", relatie, "Levering");
        b.Open();
        QTreeWidgetItem* item = b.Item(NODE_RELATIE, relatie);
        struct Geval {
            const char* table;
            QTreeWidgetItem* node;
            bool confirm;
        };
        const QList<Geval> gevallen = {
            {"Relaties", item, true},
            {"Personen", b.Folder(item, NODE_PERSONEN), false},
            {"MemoRelatie", b.Folder(item, NODE_RELATIEMEMOS), false},
            {"Offertes", b.Folder(b.Folder(item, NODE_OFFERTES), NODE_TEVERSTUREN), true},
            {"Orders", b.Folder(item, NODE_ORDERS), true},
            {"MemoOrder", b.Folder(b.Item(NODE_ORDER, order), NODE_ORDERMEMOS), false},
            {"Calculaties", b.Folder(item, NODE_CALCULATIES), true},
            {"Bestelling", b.Folder(item, NODE_BESTELLINGEN), true},
        };
        const QStringList boom = TreeDump(*b.view);
        for (const Geval& geval : gevallen) {
            const QString table = QString::fromLatin1(geval.table);
            const int voor = b.Count(table);
            b.Select(geval.node);
            QVERIFY2(b.Enabled(ID_RECORD_NIEUW), geval.table);
            ModalDriver driver;
            if (geval.confirm) {
                driver.Queue(Answer(IDOK));
            }
            driver.Queue(Cancel());
            QVERIFY2(b.RunDriven(ID_RECORD_NIEUW, driver), geval.table);
            QCOMPARE(b.Count(table), voor);
            QCOMPARE(TreeDump(*b.view), boom);
            if (geval.confirm) {
                ModalDriver nee;
                nee.Queue(Answer(IDCANCEL));
                QVERIFY(b.RunDriven(ID_RECORD_NIEUW, nee));
                QCOMPARE(b.Count(table), voor);
            }
        }
        QCOMPARE(MessageBoxLog().size(), size_t(10));
    }

    void personUnderEveryFolderOfItsRelation() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Kok", true);
        const int bestaand = AddPersoon(b.db, relatie, "Kok", "Karel");
        AddDocument(b.db, "Offertes", relatie, "Diner", 0);
        AddDocument(b.db, "Offertes", relatie, "Lunch", 2);
        b.Open(CTolvarView::TAB_OFFERTES);
        QTreeWidgetItem* folder = b.Folder(b.Item(NODE_RELATIE, relatie, 1), NODE_PERSONEN);
        b.Select(folder);
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CPersoonDlg::IDC_ACHTERNAAM, QStringLiteral("Kok"));
            SetControlText(dlg, CPersoonDlg::IDC_VOORNAAM, QStringLiteral("Els"));
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QVERIFY(MessageBoxLog().empty());
        const int persoon = b.db.Scalar("SELECT max(IDnr) FROM Personen").toInt();
        QCOMPARE(b.Text(QStringLiteral("SELECT dwRelatieNummer || szAchterNaam || szVoorNaam "
                                       "FROM Personen WHERE IDnr = %1")
                            .arg(persoon)),
                 QStringLiteral("%1KokEls").arg(relatie));
        // Last child of both "Personen" folders; the selection stays.
        const auto nodes = FindItems(*b.view, NODE_PERSOON, persoon);
        QCOMPARE(nodes.size(), 2);
        for (QTreeWidgetItem* node : nodes) {
            QCOMPARE(node->parent()->indexOfChild(node), 1);
            QCOMPARE(NodeLine(*b.view, node),
                     QStringLiteral("Kok, Els|3|%1|%2|2|2").arg(persoon).arg(relatie));
            QCOMPARE(node->parent()->child(0)->text(0), "Kok, Karel");
        }
        QCOMPARE(FindItems(*b.view, NODE_PERSOON, bestaand).size(), 2);
        QCOMPARE(b.view->Tree()->currentItem(), folder);
        QVERIFY(b.NodesMatchTree());
    }

    // In the quotations tab a new quotation has no relation; the dialog insists on one.
    void quotationInTheQuotationsTab() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Zwart", true);
        AddPersoon(b.db, relatie, "Zwart", "Piet");
        b.Open(CTolvarView::TAB_OFFERTES);
        QTreeWidgetItem* folder = b.view->Tree()->topLevelItem(0);
        b.Select(folder);
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, COfferteDlg::kIds.omschrijving, QStringLiteral("Schutting"));
            ClickLater(dlg, IDOK);
        });
        driver.Queue(Answer(IDOK));
        QueueRelationAndOk(driver, COfferteDlg::kIds.relatieKiezen);
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(MessageBoxLog()[0].text, "U wilt een nieuwe offerte aanmaken ?");
        QCOMPARE(MessageBoxLog()[0].caption, "Nieuwe offerte");
        QCOMPARE(MessageBoxLog()[0].type, MB_OKCANCEL | MB_ICONQUESTION);
        QCOMPARE(MessageBoxLog()[1].text, "Er is geen relatie aan deze offerte gekoppeld");

        QCOMPARE(b.Count("Offertes"), 1);
        const int offerte = b.db.Scalar("SELECT dwIndex FROM Offertes").toInt();
        QCOMPARE(b.Text("SELECT dwRelatieNummer || szInLijst || dwStatusOfferte FROM Offertes"),
                 QStringLiteral("%1Schutting0").arg(relatie));
        QTreeWidgetItem* item = b.Item(NODE_OFFERTE_TEVERSTUREN, offerte);
        QVERIFY(item);
        QCOMPARE(item->parent(), folder);
        const QStringList dump = ItemDump(*b.view, item);
        QCOMPARE(dump.mid(0, 3), (QStringList{QStringLiteral("Schutting|11|%1|0|7|13").arg(offerte),
                                              QStringLiteral("  Memo's|15|%1|%1|11|3").arg(offerte),
                                              QStringLiteral("  Zwart|1|%1|0|0|0").arg(relatie)}));
        QVERIFY(dump.contains(QStringLiteral("      Zwart, Piet|3|%1|%2|2|2")
                                  .arg(b.db.Scalar("SELECT IDnr FROM Personen").toInt())
                                  .arg(relatie)));
    }

    // In the relations tab the quotation belongs to the relation; a status step in its
    // first edit moves it to its status folder by a refill.
    void quotationOfARelationWithAStatusStep() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Groen", true);
        b.Open();
        QTreeWidgetItem* offertes = b.Folder(b.Item(NODE_RELATIE, relatie), NODE_OFFERTES);
        b.Select(b.Folder(offertes, NODE_TEVERSTUREN));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) { ClickLater(dlg, COfferteDlg::IDC_VERSTUURD); });
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(b.Text("SELECT dwRelatieNummer || '/' || dwStatusOfferte FROM Offertes"),
                 QStringLiteral("%1/1").arg(relatie));
        const int offerte = b.db.Scalar("SELECT dwIndex FROM Offertes").toInt();
        QVERIFY(b.Item(NODE_OFFERTE_TEVERSTUREN, offerte) == nullptr);
        QTreeWidgetItem* item = b.Item(NODE_OFFERTE_VERSTUURD, offerte);
        QVERIFY(item);
        QCOMPARE(item->parent()->text(0), "Verstuurd");
        QCOMPARE(CTolvarView::NodeData(item)->m_lOwnerNumber, relatie);
    }

    void quotationMemoStartsWithTheContact() {
        CommandBench b;
        const int offerte = AddDocument(b.db, "Offertes", 0, "Keuken", 1);
        b.db.Exec("UPDATE Offertes SET szKontaktPersoon = 'Piet Zwart'");
        b.Open(CTolvarView::TAB_OFFERTES);
        b.Select(b.Folder(b.Item(NODE_OFFERTE_VERSTUURD, offerte), NODE_OFFERTEMEMOS));
        QString contact;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            contact = ControlText(dlg, CMemoEditDlg::IDC_KOP + 2);
            SaveMemo(QStringLiteral("Tekening"))(dlg);
        });
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(contact, "Piet Zwart");
        QCOMPARE(b.Text("SELECT dwOfferteNr || szInLijst || szKontaktPersoon FROM MemoOfferte"),
                 QStringLiteral("%1TekeningPiet Zwart").arg(offerte));
        const int memo = b.db.Scalar("SELECT dwIndex FROM MemoOfferte").toInt();
        QCOMPARE(NodeLine(*b.view, b.Item(NODE_OFFERTEMEMO, memo)),
                 QStringLiteral("Tekening|16|%1|%2|15|4").arg(memo).arg(offerte));

        // Other documents' memos keep the placeholder.
        const int order = AddDocument(b.db, "Orders", 0, "Kast");
        b.db.Exec("UPDATE Orders SET szKontaktPersoon = 'Piet Zwart'");
        b.view->Tabs()->setCurrentIndex(CTolvarView::TAB_ORDERS);
        b.Select(b.Folder(b.Item(NODE_ORDER, order), NODE_ORDERMEMOS));
        ModalDriver order_driver;
        order_driver.Queue(SaveMemo(QStringLiteral("Maten")));
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, order_driver));
        QCOMPARE(b.Text("SELECT szKontaktPersoon FROM MemoOrder"), "<Kontakt persoon>");
    }

    // The first record of an empty tab is made from that tab.
    void firstCalculationOfAnEmptyTab() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bouw", true);
        b.Open(CTolvarView::TAB_CALCULATIES);
        QCOMPARE(b.view->GetSelectedKind(), -1);
        QVERIFY(b.Enabled(ID_RECORD_NIEUW));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QueueRelationAndOk(driver, CCalculatieDlg::kIds.relatieKiezen);
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(MessageBoxLog()[0].text, "U wilt een nieuwe calculatie aanmaken ?");
        QCOMPARE(MessageBoxLog()[0].caption, "Nieuwe calculatie");
        QCOMPARE(b.Count("Calculaties", QStringLiteral("dwRelatieNummer = %1").arg(relatie)), 1);
        const int calculatie = b.db.Scalar("SELECT dwIndex FROM Calculaties").toInt();
        QTreeWidgetItem* item = b.Item(NODE_CALCULATIE, calculatie);
        QCOMPARE(b.view->Tree()->topLevelItem(0), item);
        QVERIFY(b.Item(NODE_RELATIE, relatie));

        // An empty orders tab asks too; Cancel there makes nothing.
        b.view->Tabs()->setCurrentIndex(CTolvarView::TAB_ORDERS);
        ModalDriver nee;
        nee.Queue(Answer(IDCANCEL));
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, nee));
        QCOMPARE(LastBox().caption, "Nieuwe order");
        QCOMPARE(b.Count("Orders"), 0);
    }

    // A calculation node starts a new calculation only in its own tab; an order node does
    // nothing outside the orders tab.
    void documentNodesOutsideTheirTab() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bouw", true);
        const int calculatie = AddDocument(b.db, "Calculaties", relatie, "Garage");
        const int order = AddDocument(b.db, "Orders", relatie, "Dak");
        b.Open();
        b.Select(b.Item(NODE_CALCULATIE, calculatie));
        QVERIFY(!b.Enabled(ID_RECORD_NIEUW));
        b.Select(b.Item(NODE_ORDER, order));
        QVERIFY(b.Enabled(ID_RECORD_NIEUW));
        b.Run(ID_RECORD_NIEUW);
        QVERIFY(MessageBoxLog().empty());

        b.view->Tabs()->setCurrentIndex(CTolvarView::TAB_CALCULATIES);
        b.Select(b.Item(NODE_CALCULATIE, calculatie));
        QVERIFY(b.Enabled(ID_RECORD_NIEUW));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QueueRelationAndOk(driver, CCalculatieDlg::kIds.relatieKiezen, 0, [](QWidget* dlg) {
            SetControlText(dlg, CCalculatieDlg::kIds.omschrijving, QStringLiteral("Schuur"));
        });
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(b.Count("Calculaties"), 2);
        const int nieuw = b.db.Scalar("SELECT max(dwIndex) FROM Calculaties").toInt();
        QTreeWidgetItem* item = b.Item(NODE_CALCULATIE, nieuw);
        QVERIFY(item && !item->parent());
        QCOMPARE(item->text(0), "Schuur");
        QCOMPARE(b.view->Tree()->currentItem(), item);
        QVERIFY(item->isExpanded());
    }

    void relationAtTheRoot() {
        CommandBench b;
        const int bestaand = AddRelatie(b.db, "Appel");
        b.Open();
        b.Select(b.Item(NODE_RELATIE, bestaand));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CRelatieDlg::IDC_INLIJST, QStringLiteral("Zeeman"));
            ClickButton(dlg, CRelatieDlg::IDC_KLANT);
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(MessageBoxLog()[0].text, "U wilt een nieuwe relatie aanmaken ?");
        QCOMPARE(MessageBoxLog()[0].caption, "Nieuwe Relatie");
        QCOMPARE(b.Count("Relaties", "szInLijst = 'Zeeman' AND bKlantJaNee <> 0"), 1);
        const int relatie = b.db.Scalar("SELECT max(lRelatieNummer) FROM Relaties").toInt();
        QTreeWidgetItem* item = b.Item(NODE_RELATIE, relatie);
        QCOMPARE(b.view->Tree()->currentItem(), item);
        QStringList folders;
        for (int i = 0; i < item->childCount(); ++i) {
            folders << item->child(i)->text(0);
        }
        QCOMPARE(folders, (QStringList{"Personen", "Memo's", "Offertes", "Orders", "Calculaties"}));
    }

    void orderInARelationsFolder() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bakker", true);
        b.Open();
        QTreeWidgetItem* folder = b.Folder(b.Item(NODE_RELATIE, relatie), NODE_ORDERS);
        b.Select(folder);
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, COrderDlg::kIds.omschrijving, QStringLiteral("Taarten"));
            ClickButton(dlg, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_NIEUW, driver));
        QCOMPARE(LastBox().text, "U wilt een nieuwe order aanmaken ?");
        QCOMPARE(b.Text("SELECT dwRelatieNummer || szInLijst FROM Orders"),
                 QStringLiteral("%1Taarten").arg(relatie));
        const int order = b.db.Scalar("SELECT dwIndex FROM Orders").toInt();
        QCOMPARE(folder->childCount(), 1);
        QCOMPARE(NodeLine(*b.view, folder->child(0)),
                 QStringLiteral("Taarten|18|%1|%2|17|15").arg(order).arg(relatie));
    }
};

TOLVAR_ENGINE_TEST(TestCommandNew);
#include "tst_CommandNew.moc"
