#include "fixture/TestDatabase.h"
#include "platform/ui/ControlId.h"
#include "support/TestRegistry.h"
#include "workspace/TolvarView.h"
#include "WorkspaceProbe.h"

#include <QLabel>
#include <QProgressBar>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

// A workspace as the frame makes it: shown, then given its initial update (tab 0).
struct ShownView {
    explicit ShownView(int width = 500, int height = 300) {
        view.resize(width, height);
        view.show();
        view.OnInitialUpdate();
    }
    CTolvarView view;
};

QString Text(const CTolvarView& view, int id) {
    return GetWindowText(GetDlgItem(&const_cast<CTolvarView&>(view).ProgressDlg(), id));
}

} // namespace

// The five tabs filled from a real database file, node by node.
class TestWorkspaceFill : public QObject {
    Q_OBJECT

private slots:
    void emptyRelationTableCreatesPlaceholder() {
        TestDatabase db;
        ShownView shown;
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 1);
        QCOMPARE(db.Scalar("SELECT szVolleNaam FROM Relaties").toString(), "<Volle Naam>");
        QCOMPARE(TreeDump(shown.view), (QStringList{"<Nieuwe Relatie>|1|1|0|0|0",
                                                    "  Personen|2|1|1|1|1", "  Memo's|4|1|1|1|3"}));
        QCOMPARE(shown.view.GetSelectedKind(), int(NODE_RELATIE));
        QVERIFY(shown.view.Tree()->topLevelItem(0)->isExpanded());
    }

    void relationsTabShowsFoldersByKind() {
        TestDatabase db;
        const int gamma = AddRelatie(db, "Gamma", true, false);
        const int alpha = AddRelatie(db, "Alpha");
        const int beta = AddRelatie(db, "beta", true, true);
        AddPersoon(db, alpha, "Jansen", "Piet");
        AddPersoon(db, alpha, "Bakker", "");
        AddMemo(db, "MemoRelatie", alpha, "Bel terug");
        AddDocument(db, "Offertes", beta, "Offerte A", 0);
        const int b = AddDocument(db, "Offertes", beta, "Offerte B", 2);
        AddMemo(db, "MemoOfferte", b, "Akkoord");
        AddMemo(db, "MemoOrder", AddDocument(db, "Orders", beta, "Order A"), "Levering");
        AddDocument(db, "Calculaties", beta, "Calc A");
        AddMemo(db, "MemoBestelling", AddDocument(db, "Bestelling", beta, "Best A"), "Spoed");
        AddDocument(db, "Bestelling", gamma, "Niet onder een klant");

        ShownView shown;
        const QStringList expected = {
            "Alpha|1|2|0|0|0",
            "  Personen|2|2|2|1|1",
            "    Jansen, Piet|3|1|2|2|2",
            "    Bakker, |3|2|2|2|2",
            "  Memo's|4|2|2|1|3",
            "    Bel terug|5|1|2|4|4",
            "beta|1|3|0|0|0",
            "  Personen|2|3|3|1|1",
            "  Memo's|4|3|3|1|3",
            "  Offertes|6|-1|3|1|5",
            "    Te versturen|7|3|3|6|6",
            "      Offerte A|11|1|3|7|13",
            "        Memo's|15|1|1|11|3",
            "    Verstuurd|8|3|3|6|7",
            "    Positief|9|3|3|6|8",
            "      Offerte B|13|2|3|9|13",
            "        Memo's|15|2|2|13|3",
            "          Akkoord|16|1|2|15|4",
            "    Vervallen|10|3|3|6|9",
            "  Orders|17|3|3|1|14",
            "    Order A|18|1|3|17|15",
            "      Memo's|19|1|1|18|3",
            "        Levering|20|1|1|19|4",
            "  Calculaties|21|3|3|1|11",
            "    Calc A|22|1|3|21|12",
            "      Memo's|23|1|1|22|3",
            "  Bestellingen|25|3|3|1|16",
            "    Best A|26|1|3|25|17",
            "      Memo's|27|1|1|26|3",
            "        Spoed|28|1|1|27|4",
            "Gamma|1|1|0|0|0",
            "  Personen|2|1|1|1|1",
            "  Memo's|4|1|1|1|3",
            "  Offertes|6|-1|1|1|5",
            "    Te versturen|7|1|1|6|6",
            "    Verstuurd|8|1|1|6|7",
            "    Positief|9|1|1|6|8",
            "    Vervallen|10|1|1|6|9",
            "  Orders|17|1|1|1|14",
            "  Calculaties|21|1|1|1|11",
        };
        QCOMPARE(TreeDump(shown.view), expected);

        // The node list holds every node once, each after its parent (insertion order: the
        // four status folders come before the quotations under them), and every node knows
        // its own item and its parent's.
        const auto& nodes = shown.view.NodeList();
        QStringList listed;
        QSet<const QTreeWidgetItem*> seen;
        for (const auto& node : nodes) {
            QCOMPARE(CTolvarView::NodeData(node->m_hItem), node.get());
            QCOMPARE(node->m_hParentItem, node->m_hItem->parent());
            QVERIFY(!node->m_hParentItem || seen.contains(node->m_hParentItem));
            seen.insert(node->m_hItem);
            listed << NodeLine(shown.view, node->m_hItem);
        }
        QCOMPARE(listed.mid(10, 5),
                 (QStringList{"Te versturen|7|3|3|6|6", "Verstuurd|8|3|3|6|7", "Positief|9|3|3|6|8",
                              "Vervallen|10|3|3|6|9", "Offerte A|11|1|3|7|13"}));
        QStringList trimmed;
        for (const QString& line : expected) {
            trimmed << line.trimmed();
        }
        trimmed.sort();
        listed.sort();
        QCOMPARE(listed, trimmed);
    }

    void quotationsTabWithoutQuotationsShowsStatusFolders() {
        TestDatabase db;
        AddRelatie(db, "Alpha", true);
        ShownView shown;
        shown.view.FillTab(CTolvarView::TAB_OFFERTES);
        QCOMPARE(TreeDump(shown.view), (QStringList{"Te versturen|7|0|0|6|6", "Verstuurd|8|0|0|6|7",
                                                    "Positief|9|0|0|6|8", "Vervallen|10|0|0|6|9"}));
        QVERIFY(!shown.view.ProgressDlg().IsWindow());
        QVERIFY(!shown.view.ProgressDlg().isVisible());

        shown.view.FillTab(CTolvarView::TAB_CALCULATIES);
        QCOMPARE(shown.view.Tree()->topLevelItemCount(), 0);
        QCOMPARE(shown.view.GetSelectedKind(), -1);
        QVERIFY(shown.view.NodeList().empty());
    }

    void relationIsShownUnderEachOfItsQuotations() {
        TestDatabase db;
        const int klant = AddRelatie(db, "Klant", true);
        AddPersoon(db, klant, "Jansen", "Piet");
        for (int i = 0; i < 10; ++i) {
            AddDocument(db, "Offertes", klant,
                        QStringLiteral("Offerte %1").arg(i, 2, 10, QChar('0')), i % 4);
        }
        ShownView shown;
        shown.view.FillTab(CTolvarView::TAB_OFFERTES);

        const auto relations = FindItems(shown.view, NODE_RELATIE, klant);
        QCOMPARE(relations.size(), 10);
        for (QTreeWidgetItem* relation : relations) {
            QTreeWidgetItem* quotation = relation->parent();
            QCOMPARE(quotation->indexOfChild(relation), 1);
            QVERIFY(relation->isExpanded());
            QVERIFY(quotation->isExpanded());
            QVERIFY(quotation->parent()->isExpanded());
        }
        const QTreeWidgetItem* last = FindItems(shown.view, NODE_OFFERTE_VERSTUURD, 10).value(0);
        QVERIFY(last);
        QCOMPARE(ItemDump(shown.view, last),
                 (QStringList{"Offerte 09|12|10|0|8|13", "  Memo's|15|10|10|12|3",
                              "  Klant|1|1|0|0|0", "    Personen|2|1|1|1|1",
                              "      Jansen, Piet|3|1|1|2|2", "    Memo's|4|1|1|1|3"}));
        // The relation under the last quotation read ("Offerte 09") is selected.
        QCOMPARE(shown.view.Tree()->currentItem(), last->child(1));
        QCOMPARE(shown.view.ProgressDlg().m_nTotaal, DWORD(10));
        QCOMPARE(shown.view.ProgressDlg().m_nTeller, DWORD(10));
        QCOMPARE(Text(shown.view, CProgressDlg::IDC_VERZAMELING), QString("Offertes's"));
    }

    void unknownQuotationStatusCountsAsToBeSent() {
        TestDatabase db;
        const int klant = AddRelatie(db, "Klant", true);
        const int vreemd = AddDocument(db, "Offertes", klant, "Vreemd", 7);
        AddDocument(db, "Offertes", klant, "Negatief", -1);
        ShownView shown;
        auto underToBeSent = [&](int number) {
            const auto items = FindItems(shown.view, NODE_OFFERTE_TEVERSTUREN, number);
            return items.size() == 1 &&
                   CTolvarView::NodeData(items[0]->parent())->m_nKind == NODE_TEVERSTUREN;
        };
        QVERIFY(underToBeSent(vreemd));
        QVERIFY(underToBeSent(vreemd + 1));
        shown.view.FillTab(CTolvarView::TAB_OFFERTES);
        QVERIFY(underToBeSent(vreemd));
        QVERIFY(underToBeSent(vreemd + 1));
    }

    void documentTabsShowTheirRelationOrNone_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("memoTable");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("image");
        QTest::addRow("calculaties") << 2 << "Calculaties"
                                     << "MemoCalculatie" << 22 << 12;
        QTest::addRow("orders") << 3 << "Orders"
                                << "MemoOrder" << 18 << 15;
        QTest::addRow("bestellingen") << 4 << "Bestelling"
                                      << "MemoBestelling" << 26 << 17;
    }

    void documentTabsShowTheirRelationOrNone() {
        QFETCH(int, tab);
        QFETCH(QString, table);
        QFETCH(QString, memoTable);
        QFETCH(int, kind);
        QFETCH(int, image);
        TestDatabase db;
        const int klant = AddRelatie(db, "Klant", true, true);
        AddMemo(db, memoTable, AddDocument(db, table, klant, "Met relatie"), "Notitie");
        AddDocument(db, table, 999, "Wees");
        ShownView shown;
        shown.view.FillTab(tab);
        const QString document = QStringLiteral("%1|%2|%3|0|%4|%5");
        const QString folder = QStringLiteral("  Memo's|%1|%2|%2|%3|3");
        QCOMPARE(TreeDump(shown.view),
                 (QStringList{document.arg("Met relatie").arg(kind).arg(1).arg(kind - 1).arg(image),
                              folder.arg(kind + 1).arg(1).arg(kind),
                              QStringLiteral("    Notitie|%1|1|1|%2|4").arg(kind + 2).arg(kind + 1),
                              "  Klant|1|1|0|0|0", "    Personen|2|1|1|1|1", "    Memo's|4|1|1|1|3",
                              document.arg("Wees").arg(kind).arg(2).arg(kind - 1).arg(image),
                              folder.arg(kind + 1).arg(2).arg(kind)}));
        // The document without a relation comes last, so the relation stays selected.
        QCOMPARE(shown.view.GetSelectedNode()->m_nKind, int(NODE_RELATIE));
        QCOMPARE(shown.view.ProgressDlg().m_nTeller, DWORD(2));
    }

    void lastRelationIsExpandedSelectedAndAtTheTop() {
        TestDatabase db;
        for (int i = 0; i < 30; ++i) {
            AddRelatie(db, QStringLiteral("Relatie %1").arg(29 - i, 2, 10, QChar('0')));
        }
        // The alphabetically last relation has six folders, enough rows to come to the top.
        db.Exec("UPDATE Relaties SET bKlantJaNee = 1, bLeverancierJaNee = 1 WHERE "
                "szInLijst = 'Relatie 29'");
        ShownView shown(400, 140);
        QTreeWidget* tree = shown.view.Tree();
        QTreeWidgetItem* last = tree->topLevelItem(29);
        QCOMPARE(last->text(0), QString("Relatie 29"));
        QVERIFY(last->isExpanded());
        QVERIFY(!tree->topLevelItem(28)->isExpanded());
        QCOMPARE(tree->currentItem(), last);
        QVERIFY(last->isSelected());
        QCOMPARE(tree->itemAt(5, 2), last);
    }

    void progressCountsTheTopLevelRecords() {
        TestDatabase db;
        for (const char* name : {"A", "B", "C"}) {
            AddPersoon(db, AddRelatie(db, name, true), "P", "");
        }
        ShownView shown;
        CProgressDlg& progress = shown.view.ProgressDlg();
        QCOMPARE(progress.m_nTotaal, DWORD(3));
        QCOMPARE(progress.m_nTeller, DWORD(3));
        QCOMPARE(Text(shown.view, CProgressDlg::IDC_VERZAMELING), QString("Relatie's"));
        QCOMPARE(Text(shown.view, CProgressDlg::IDC_AANTAL), QString("3"));
        QCOMPARE(Text(shown.view, CProgressDlg::IDC_RECORDNR), QString("3"));
        QCOMPARE(Text(shown.view, CProgressDlg::IDC_PROCENT), QString("100%"));
        QCOMPARE(qobject_cast<QProgressBar*>(GetDlgItem(&progress, CProgressDlg::IDC_VOORTGANG))
                     ->value(),
                 1000);
        QVERIFY(!progress.isVisible());
    }

    void tabChangeRefillsFromTheFileAsItIsNow() {
        TestDatabase db;
        AddRelatie(db, "Alpha");
        ShownView shown;
        AddRelatie(db, "Aaron");
        shown.view.Tabs()->setCurrentIndex(CTolvarView::TAB_ORDERS);
        QCOMPARE(shown.view.Tree()->topLevelItemCount(), 0);
        shown.view.Tabs()->setCurrentIndex(CTolvarView::TAB_RELATIES);
        QCOMPARE(shown.view.Tree()->topLevelItemCount(), 2);
        QCOMPARE(shown.view.Tree()->topLevelItem(0)->text(0), QString("Aaron"));
        QCOMPARE(int(shown.view.NodeList().size()), 6);
    }
};

TOLVAR_ENGINE_TEST(TestWorkspaceFill);

#include "tst_WorkspaceFill.moc"
