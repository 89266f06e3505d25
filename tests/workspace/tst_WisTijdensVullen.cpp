#include "fixture/TestDatabase.h"
#include "fixture/TweedeWerkplek.h"
#include "platform/dao/DaoDatabase.h"
#include "store/DatabasePath.h"
#include "support/TestRegistry.h"
#include "workspace/NodeKinds.h"
#include "workspace/TolvarView.h"
#include "WorkspaceProbe.h"

#include <QTest>
#include <unistd.h>

namespace {

constexpr int kRelaties = 6;

// Deletes every relation with its persons and memos, each in one transaction with pauses
// between the tables, as a slow cascade on another desk would.
int WisAlles() {
    const auto database = CDaoDatabase::OpenShared(g_strDatabasePath);
    for (int relatie = 1; relatie <= kRelaties; ++relatie) {
        database->BeginTrans();
        for (const char* sql : {"DELETE FROM Personen WHERE dwRelatieNummer = %1",
                                "DELETE FROM MemoRelatie WHERE dwRelatieNr = %1",
                                "DELETE FROM Relaties WHERE lRelatieNummer = %1"}) {
            database->Execute(QString::fromLatin1(sql).arg(relatie));
            ::usleep(30000);
        }
        database->CommitTrans();
    }
    return 0;
}

} // namespace

// One desk deletes relations with everything below them while the other fills its tree
// again and again: every fill shows each relation whole or not at all.
class TestWisTijdensVullen : public QObject {
    Q_OBJECT

private slots:
    void fillNeverShowsHalfASubtree() {
        TestDatabase db;
        for (int i = 1; i <= kRelaties; ++i) {
            const int relatie = AddRelatie(db, QStringLiteral("Relatie %1").arg(i));
            for (int p = 0; p < 3; ++p) {
                AddPersoon(db, relatie, QStringLiteral("Achter%1").arg(p), QStringLiteral("V"));
            }
            AddMemo(db, "MemoRelatie", relatie, QStringLiteral("memo a"));
            AddMemo(db, "MemoRelatie", relatie, QStringLiteral("memo b"));
        }
        TweedeWerkplek ander(WisAlles);
        QVERIFY(ander.Started());

        CTolvarView view;
        view.resize(600, 400);
        view.show();
        view.OnInitialUpdate();
        view.FillTab(CTolvarView::TAB_RELATIES);
        const QList<QTreeWidgetItem*> eerste = FindItems(view, NODE_RELATIE, 1);
        QCOMPARE(eerste.size(), 1);
        const qsizetype heel = ItemDump(view, eerste.first()).size();
        QCOMPARE(heel, qsizetype(1 + 1 + 3 + 1 + 2));

        ander.Go();
        int vullingen = 0;
        while (ander.Running() && vullingen < 500) {
            view.FillTab(CTolvarView::TAB_RELATIES);
            ++vullingen;
            for (int relatie = 1; relatie <= kRelaties; ++relatie) {
                for (QTreeWidgetItem* item : FindItems(view, NODE_RELATIE, relatie)) {
                    QCOMPARE(ItemDump(view, item).size(), heel);
                }
            }
        }
        QCOMPARE(ander.Finish(), 0);
        QVERIFY(vullingen > 1);
        view.FillTab(CTolvarView::TAB_RELATIES);
        QVERIFY(FindItems(view, NODE_RELATIE, kRelaties).isEmpty());
    }
};

TOLVAR_ENGINE_TEST(TestWisTijdensVullen);
#include "tst_WisTijdensVullen.moc"
