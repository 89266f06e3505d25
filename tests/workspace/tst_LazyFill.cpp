#include "PgServer.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "WorkspaceProbe.h"

#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "workspace/TolvarView.h"

#include <climits>
#include <functional>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr int kRelaties = 60;

// A demo database of its own, on the engine the tests run on, named in g_strDatabasePath.
bool UseDemo(TestDatabase& db) {
    const QString path = TestDatabase::OnServer() ? PgServer::Shared().NewDatabase()
                                                  : db.Folder() + QStringLiteral("/demo.doc");
    g_strDatabasePath = path;
    return QProcess::execute(QStringLiteral(TOLVAR_NEWDB),
                             {QStringLiteral("--demo"), QString::number(kRelaties), path}) == 0;
}

struct DemoView {
    explicit DemoView(int nVolledigTot) {
        view.m_nVolledigTot = nVolledigTot;
        view.resize(500, 300);
        view.show();
        view.OnInitialUpdate();
    }
    CTolvarView view;
};

// Unfolds every item left unread, as the user would, until none is left.
void UnfoldAll(CTolvarView& view) {
    std::function<void(QTreeWidgetItem*)> unfold = [&](QTreeWidgetItem* item) {
        if (CTolvarView::IsUnread(item)) {
            item->setExpanded(true);
        }
        for (int i = 0; i < item->childCount(); ++i) {
            unfold(item->child(i));
        }
    };
    for (int i = 0; i < view.Tree()->topLevelItemCount(); ++i) {
        unfold(view.Tree()->topLevelItem(i));
    }
}

int UnreadCount(const CTolvarView& view) {
    int count = 0;
    for (const auto& node : const_cast<CTolvarView&>(view).NodeList()) {
        count += CTolvarView::IsUnread(node->m_hItem) ? 1 : 0;
    }
    return count;
}

// A record below a top-level node, with the number of that node's record.
struct Child {
    LONG lNumber = 0;
    LONG lOuder = 0;
};

struct DeepCase {
    const char* name;
    int nSoort;
    int nKind;
    int nTopFirst;
    int nTopLast;
    std::function<std::vector<Child>(CTolvarView&)> records;
};

template <class Set, class Number, class Parent>
std::vector<Child> Records(Set& set, Number number, Parent parent) {
    std::vector<Child> records;
    set.Selecteer(SEL_ALLES, 0);
    while (set.Volgende()) {
        records.push_back({number(set), parent(set)});
    }
    return records;
}

} // namespace

// A large tab shows its top-level records at once and reads what lies below each one when
// it is unfolded; what the user then sees is what a complete fill shows.
class LazyFillTest : public QObject {
    Q_OBJECT

private slots:
    void unfoldedTreeMatchesCompleteFillInEveryTab() {
        TestDatabase db;
        QVERIFY(UseDemo(db));
        DemoView complete(INT_MAX);
        DemoView lazy(0);
        for (int tab = 0; tab < CTolvarView::kTabCount; ++tab) {
            complete.view.FillTab(tab);
            QCOMPARE(UnreadCount(complete.view), 0);
            const QStringList expected = TreeDump(complete.view);
            const QString selected = NodeLine(complete.view, complete.view.Tree()->currentItem());

            lazy.view.FillTab(tab);
            QVERIFY2(UnreadCount(lazy.view) > 1, qPrintable(QString::number(tab)));
            QVERIFY(lazy.view.NodeList().size() < complete.view.NodeList().size());
            QCOMPARE(NodeLine(lazy.view, lazy.view.Tree()->currentItem()), selected);
            UnfoldAll(lazy.view);
            QCOMPARE(UnreadCount(lazy.view), 0);
            QCOMPARE(TreeDump(lazy.view), expected);
        }
    }

    // The search shows a person or memo whose relation or document was not read yet: the
    // way down is read and unfolded, and the record's node is selected.
    void searchSelectsADeepNodeInAnUnreadSubtree() {
        TestDatabase db;
        QVERIFY(UseDemo(db));
        DemoView shown(0);
        const DeepCase cases[] = {
            {"person", ZoekTabel::PERSOON, NODE_PERSOON, NODE_RELATIE, NODE_RELATIE,
             [](CTolvarView& v) {
                 return Records(
                     v.m_setPersoon, [](auto& s) { return s.IDnr; },
                     [](auto& s) { return s.dwRelatieNummer; });
             }},
            {"relation memo", ZoekTabel::RELATIEMEMO, NODE_RELATIEMEMO, NODE_RELATIE, NODE_RELATIE,
             [](CTolvarView& v) {
                 return Records(
                     v.m_setRelatieMemo, [](auto& s) { return s.dwIndex; },
                     [](auto& s) { return s.dwRelatieNr; });
             }},
            {"quotation memo", ZoekTabel::OFFERTEMEMO, NODE_OFFERTEMEMO, NODE_OFFERTE_TEVERSTUREN,
             NODE_OFFERTE_VERVALLEN,
             [](CTolvarView& v) {
                 return Records(
                     v.m_setOfferteMemo, [](auto& s) { return s.dwIndex; },
                     [](auto& s) { return s.dwOfferteNr; });
             }},
            {"order memo", ZoekTabel::ORDERMEMO, NODE_ORDERMEMO, NODE_ORDER, NODE_ORDER,
             [](CTolvarView& v) {
                 return Records(
                     v.m_setOrderMemo, [](auto& s) { return s.dwIndex; },
                     [](auto& s) { return s.dwOfferteNr; });
             }},
        };
        for (const DeepCase& c : cases) {
            const int nTab = c.nTopFirst == NODE_RELATIE ? CTolvarView::TAB_RELATIES
                             : c.nTopFirst == NODE_ORDER ? CTolvarView::TAB_ORDERS
                                                         : CTolvarView::TAB_OFFERTES;
            shown.view.Tabs()->setCurrentIndex(nTab);
            shown.view.FillTab(nTab);
            Child deep;
            QTreeWidgetItem* top = nullptr;
            for (const Child& child : c.records(shown.view)) {
                top = shown.view.FindRecordNode(c.nTopFirst, c.nTopLast, child.lOuder);
                if (CTolvarView::IsUnread(top)) {
                    deep = child;
                    break;
                }
            }
            QVERIFY2(deep.lNumber != 0, c.name);
            QVERIFY2(shown.view.ToonRecord(c.nSoort, deep.lNumber), c.name);
            const CTreeNodeData* node = shown.view.GetSelectedNode();
            QVERIFY2(node && node->m_nKind == c.nKind && node->m_lNumber == deep.lNumber, c.name);
            QVERIFY(!CTolvarView::IsUnread(top));
            for (QTreeWidgetItem* item = node->m_hItem->parent(); item; item = item->parent()) {
                QVERIFY2(item->isExpanded(), c.name);
            }
        }
    }
};

TOLVAR_ENGINE_TEST(LazyFillTest);
#include "tst_LazyFill.moc"
