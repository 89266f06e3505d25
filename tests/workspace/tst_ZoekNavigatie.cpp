#include "fixture/PgServer.h"
#include "platform/dao/DaoWriteObserver.h"
#include "search/ZoekIndex.h"
#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"
#include "workspace/ZoekBalk.h"
#include "workspace/ZoekResultaatDelegate.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

// A customer and supplier with a record of every kind, each with a word of its own.
struct Alles {
    int relatie, persoon, relatieMemo, offerte, offerteMemo, order, orderMemo, calculatie,
        calculatieMemo, bestelling, bestellingMemo, buur;
};

Alles MaakAlles(TestDatabase& db) {
    Alles a{};
    a.relatie = AddRelatie(db, "Bakkerij Zonneveld", true, true);
    a.persoon = AddPersoon(db, a.relatie, "Zonneveld", "Griet");
    a.relatieMemo = AddMemo(db, "MemoRelatie", a.relatie, "Kennismaking");
    a.offerte = AddDocument(db, "Offertes", a.relatie, "Broodkasten", 2);
    a.offerteMemo = AddMemo(db, "MemoOfferte", a.offerte, "Prijsafspraak");
    a.order = AddDocument(db, "Orders", a.relatie, "Ovenlevering");
    a.orderMemo = AddMemo(db, "MemoOrder", a.order, "Bezorgtijden");
    a.calculatie = AddDocument(db, "Calculaties", a.relatie, "Kostprijs");
    a.calculatieMemo = AddMemo(db, "MemoCalculatie", a.calculatie, "Marge");
    a.bestelling = AddDocument(db, "Bestelling", a.relatie, "Meelsilo");
    a.bestellingMemo = AddMemo(db, "MemoBestelling", a.bestelling, "Levertermijn");
    a.buur = AddRelatie(db, "Visserij Noordzee", true);
    AddDocument(db, "Offertes", a.buur, "Viskraam", 2);
    return a;
}

struct ZoekBench : CommandBench {
    std::unique_ptr<CZoekBalk> balk;

    void OpenZoek(int nTab = CTolvarView::TAB_RELATIES) {
        Open(nTab);
        balk = std::make_unique<CZoekBalk>(view.get(), view.get());
        balk->show();
        balk->OpenIndex();
        QTRY_VERIFY(!balk->IsBezig());
    }
    ~ZoekBench() {
        balk.reset();
        CDaoWriteObserver::Install(nullptr);
    }
    void Typ(const QString& tekst) {
        balk->Veld()->setFocus();
        balk->Veld()->clear();
        QTest::keyClicks(balk->Veld(), tekst);
    }
    QStringList Gevonden() {
        QStringList namen;
        for (const CZoekTreffer& t : balk->Treffers()) {
            namen << t.strNaam;
        }
        return namen;
    }
    const CTreeNodeData* Gekozen() { return view->GetSelectedNode(); }
    bool WegOpen(QTreeWidgetItem* item) {
        for (QTreeWidgetItem* p = item ? item->parent() : nullptr; p; p = p->parent()) {
            if (!p->isExpanded()) {
                return false;
            }
        }
        return item != nullptr;
    }
};

} // namespace

// The search line with the workspace: an old database gets its index when the line opens
// it, a chosen result is selected in the tab where it has its own place, Escape gives the
// tree back, and deletes through the workspace keep the index true.
class TestZoekNavigatie : public QObject {
    Q_OBJECT

private slots:
    void choosingSelectsTheNodeInEveryTab() {
        ZoekBench b;
        const Alles a = MaakAlles(b.db);
        b.OpenZoek(CTolvarView::TAB_BESTELLINGEN);
        QVERIFY(CZoekIndex::Voor(g_strDatabasePath, ZoekTabel::Hoofdbestand())->IsActueel());

        struct Geval {
            const char* vraag;
            int tab, kind, nummer;
        };
        const Geval gevallen[] = {
            {"zonneveld bakk", CTolvarView::TAB_RELATIES, NODE_RELATIE, a.relatie},
            {"griet", CTolvarView::TAB_RELATIES, NODE_PERSOON, a.persoon},
            {"kennism", CTolvarView::TAB_RELATIES, NODE_RELATIEMEMO, a.relatieMemo},
            {"broodk", CTolvarView::TAB_OFFERTES, NODE_OFFERTE_POSITIEF, a.offerte},
            {"prijsafs", CTolvarView::TAB_OFFERTES, NODE_OFFERTEMEMO, a.offerteMemo},
            {"kostpr", CTolvarView::TAB_CALCULATIES, NODE_CALCULATIE, a.calculatie},
            {"marge", CTolvarView::TAB_CALCULATIES, NODE_CALCULATIEMEMO, a.calculatieMemo},
            {"ovenlev", CTolvarView::TAB_ORDERS, NODE_ORDER, a.order},
            {"bezorgt", CTolvarView::TAB_ORDERS, NODE_ORDERMEMO, a.orderMemo},
            {"meelsilo", CTolvarView::TAB_BESTELLINGEN, NODE_BESTELLING, a.bestelling},
            {"levert", CTolvarView::TAB_BESTELLINGEN, NODE_BESTELLINGMEMO, a.bestellingMemo},
        };
        for (const Geval& g : gevallen) {
            b.Typ(QString::fromLatin1(g.vraag));
            QCOMPARE(b.balk->Treffers().size(), size_t(1));
            QVERIFY(b.balk->Lijst()->isVisible());
            QTest::keyClick(b.balk->Veld(), Qt::Key_Return);
            QVERIFY2(!b.balk->Lijst()->isVisible(), g.vraag);
            QCOMPARE(b.view->GetSelectedTab(), g.tab);
            const CTreeNodeData* node = b.Gekozen();
            QVERIFY2(node, g.vraag);
            QCOMPARE(node->m_nKind, g.kind);
            QCOMPARE(node->m_lNumber, g.nummer);
            QVERIFY2(b.WegOpen(node->m_hItem), g.vraag);
        }
        QVERIFY(b.NodesMatchTree());
    }

    // The arrows choose among several results without leaving the line; a double click
    // chooses as Enter does; Escape clears and gives the tree the focus.
    void keyboardAndMouse() {
        ZoekBench b;
        const Alles a = MaakAlles(b.db);
        b.OpenZoek();
        b.balk->window()->activateWindow();
        b.Typ("zonneveld");
        // The relation and the person by name.
        QCOMPARE(b.Gevonden().size(), 2);
        // Each row: the name in bold with its relation, the matched words marked, and a plain
        // text for screen readers; the name is not repeated on the second line.
        for (int rij = 0; rij < 2; ++rij) {
            const QListWidgetItem* item = b.balk->Lijst()->item(rij);
            const QString html = item->data(CZoekResultaatDelegate::kHtmlRole).toString();
            QVERIFY(!item->icon().isNull());
            if (b.balk->Treffers()[size_t(rij)].nSoort == ZoekTabel::PERSOON) {
                QVERIFY2(html.contains("<b>Zonneveld, Griet</b> &nbsp;—&nbsp; Bakkerij "
                                       "Zonneveld<br><b>Zonneveld</b> Griet"),
                         qPrintable(html));
                QCOMPARE(item->text(), "Zonneveld, Griet — Bakkerij Zonneveld — Zonneveld Griet");
            } else {
                QVERIFY2(html.contains("<b>Bakkerij Zonneveld</b><br></div>"), qPrintable(html));
                QCOMPARE(item->text(), "Bakkerij Zonneveld");
            }
        }
        QCOMPARE(b.balk->Lijst()->currentRow(), 0);
        QTest::keyClick(b.balk->Veld(), Qt::Key_Down);
        QCOMPARE(b.balk->Lijst()->currentRow(), 1);
        QTest::keyClick(b.balk->Veld(), Qt::Key_Down);
        QCOMPARE(b.balk->Lijst()->currentRow(), 1);
        QCOMPARE(b.balk->Veld()->text(), "zonneveld");
        const int persoonRij = b.balk->Treffers()[1].lNummer == a.persoon ? 1 : 0;
        b.balk->Lijst()->setCurrentRow(persoonRij);
        QTest::keyClick(b.balk->Veld(), Qt::Key_Return);
        QCOMPARE(b.Gekozen()->m_nKind, int(NODE_PERSOON));

        b.Typ("viskraam");
        QListWidget* lijst = b.balk->Lijst();
        const QPoint midden = lijst->visualItemRect(lijst->item(0)).center();
        QTest::mouseClick(lijst->viewport(), Qt::LeftButton, {}, midden);
        QCOMPARE(b.view->GetSelectedTab(), int(CTolvarView::TAB_RELATIES));
        QTest::mouseDClick(lijst->viewport(), Qt::LeftButton, {}, midden);
        QCOMPARE(b.view->GetSelectedTab(), int(CTolvarView::TAB_OFFERTES));
        QCOMPARE(b.Gekozen()->m_nKind, int(NODE_OFFERTE_POSITIEF));

        b.Typ("noordzee");
        QTest::keyClick(b.balk->Veld(), Qt::Key_Escape);
        QVERIFY(b.balk->Veld()->text().isEmpty());
        QVERIFY(!lijst->isVisible());
        QCOMPARE(b.view->window()->focusWidget(), b.view->Tree());

        b.Typ("qqq");
        QVERIFY(b.balk->Treffers().empty());
        QCOMPARE(lijst->count(), 1);
        QCOMPARE(lijst->item(0)->text(), "Niets gevonden");

        // A relation added by another program while the line is open is found once the user
        // turns to the line again.
        const int nieuw = AddRelatie(b.db, "Qqq Nieuwkomer");
        b.Typ("qqq");
        b.balk->Activeer();
        QTRY_VERIFY(!b.balk->IsBezig());
        QTest::keyClick(b.balk->Veld(), Qt::Key_Backspace);
        QTest::keyClicks(b.balk->Veld(), "q");
        QCOMPARE(b.Gevonden(), QStringList{"Qqq Nieuwkomer"});
        QVERIFY(nieuw > 0);
        QTest::keyClick(b.balk->Veld(), Qt::Key_Return);
        QVERIFY(MessageBoxLog().empty());
        QCOMPARE(b.balk->Veld()->accessibleName(), "Zoeken");
        QCOMPARE(lijst->accessibleName(), "Zoekresultaten");
    }

    // A relation deleted with its subtree leaves nothing in the index; a cascade the store
    // refuses half-way leaves every record findable.
    void deletesThroughTheWorkspace() {
        ZoekBench b;
        const Alles a = MaakAlles(b.db);
        b.db.RefuseDeletes("MemoOrder", "ordermemo is vergrendeld");
        b.OpenZoek();
        const QStringList woorden{"zonneveld", "griet",    "kennism", "broodk",
                                  "prijsafs",  "ovenlev",  "bezorgt", "kostpr",
                                  "marge",     "meelsilo", "levert"};
        const auto vindbaar = [&] {
            int n = 0;
            for (const QString& woord : woorden) {
                b.Typ(woord);
                n += int(b.balk->Treffers().size());
            }
            return n;
        };
        QCOMPARE(vindbaar(), 12);
        for (int poging = 0; poging < 2; ++poging) {
            b.Select(b.Item(NODE_RELATIE, a.relatie));
            ModalDriver driver;
            driver.Queue(Answer(IDOK));
            driver.Queue(Answer(IDOK));
            if (poging == 0) {
                driver.Queue(Answer(IDOK));
            }
            QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
            if (poging == 0) {
                QVERIFY(LastBox().text.contains("ordermemo is vergrendeld"));
                QCOMPARE(vindbaar(), 12);
                b.db.AllowDeletes("MemoOrder");
            }
        }
        QCOMPARE(vindbaar(), 0);
        b.Typ("noordzee");
        QCOMPARE(b.Gevonden(), QStringList{"Visserij Noordzee"});
        QVERIFY(CZoekIndex::Voor(g_strDatabasePath, ZoekTabel::Hoofdbestand())->IsActueel());
    }

    // An index that goes missing while the line is open is built again on a thread: the list
    // says so meanwhile and the results follow by themselves. Closing the line during a build
    // leaves nothing half-built behind.
    void indexBuiltInTheBackground() {
        ZoekBench b;
        MaakAlles(b.db);
        b.OpenZoek();
        for (const bool bSluiten : {false, true}) {
            b.db.Exec(TestDatabase::OnServer() ? "DROP TABLE zoektekst" : "DROP TABLE ZoekTekst");
            b.Typ("zonneveld");
            QVERIFY(b.Gevonden().isEmpty());
            QCOMPARE(b.balk->Lijst()->count(), 1);
            QCOMPARE(b.balk->Lijst()->item(0)->text(),
                     "De zoekindex wordt opgebouwd; zoeken kan zo dadelijk.");
            if (bSluiten) {
                b.balk.reset();
            } else {
                QTRY_COMPARE(b.Gevonden().size(), 2);
                QVERIFY(b.balk->Lijst()->isVisible());
            }
        }
        QCOMPARE(b.db.Scalar(TestDatabase::OnServer()
                                 ? "SELECT count(*) FROM pg_class WHERE relname = 'zoekbouw'"
                                 : "SELECT count(*) FROM sqlite_master WHERE name LIKE 'ZoekBouw%' "
                                   "OR name LIKE 'ZoekOud%'")
                     .toInt(),
                 0);
        QVERIFY(MessageBoxLog().empty());
    }

    // The server out of reach while the user types: the list says why, without a box or a
    // rebuild at every key press; once the server is back, turning to the line searches
    // again.
    void serverOutOfReachWhileTyping() {
        if (!TestDatabase::OnServer()) {
            QSKIP("a database file does not go out of reach while it is open");
        }
        ZoekBench b;
        MaakAlles(b.db);
        b.OpenZoek();
        b.Typ("zonneveld");
        QCOMPARE(b.Gevonden().size(), 2);
        PgServer::Shared().Stop();
        ModalDriver driver(300);
        MessageBoxLog().clear();
        b.Typ("griet");
        // A failure that a new index might mend has one built, which fails as well.
        QTRY_VERIFY(!b.balk->IsBezig());
        QVERIFY(b.Gevonden().isEmpty());
        QCOMPARE(b.balk->Lijst()->count(), 1);
        QVERIFY2(b.balk->Lijst()->item(0)->text().startsWith("Zoeken lukt nu niet. "),
                 qPrintable(b.balk->Lijst()->item(0)->text()));
        QVERIFY(MessageBoxLog().empty());
        QCOMPARE(driver.Unexpected(), 0);

        QVERIFY2(PgServer::Shared().Start(), qPrintable(PgServer::Shared().Error()));
        b.balk->Activeer();
        b.Typ("griet");
        QCOMPARE(b.Gevonden(), QStringList{"Zonneveld, Griet"});
        QVERIFY(MessageBoxLog().empty());
    }
};

TOLVAR_ENGINE_TEST(TestZoekNavigatie);
#include "tst_ZoekNavigatie.moc"
