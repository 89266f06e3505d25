#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// A customer and supplier with something of every kind, and a neighbour that must survive.
struct Klant {
    int relatie, persoon, relatieMemo, offerte1, offerte2, offerteMemo, order, orderMemo,
        calculatie, bestelling, buur, buurOfferte, buurPersoon;
};

Klant MaakKlant(TestDatabase& db) {
    Klant k{};
    k.relatie = AddRelatie(db, "Bakker", true, true);
    k.persoon = AddPersoon(db, k.relatie, "Bakker", "Jan");
    k.relatieMemo = AddMemo(db, "MemoRelatie", k.relatie, "Kennismaking");
    k.offerte1 = AddDocument(db, "Offertes", k.relatie, "Brood", 0);
    k.offerte2 = AddDocument(db, "Offertes", k.relatie, "Taart", 2);
    k.offerteMemo = AddMemo(db, "MemoOfferte", k.offerte2, "Prijs");
    k.order = AddDocument(db, "Orders", k.relatie, "Levering");
    k.orderMemo = AddMemo(db, "MemoOrder", k.order, "Bezorgen");
    k.calculatie = AddDocument(db, "Calculaties", k.relatie, "Kosten");
    k.bestelling = AddDocument(db, "Bestelling", k.relatie, "Meel");
    k.buur = AddRelatie(db, "Visser", true);
    k.buurOfferte = AddDocument(db, "Offertes", k.buur, "Vis", 2);
    k.buurPersoon = AddPersoon(db, k.buur, "Visser", "Kees");
    return k;
}

// Every row the customer's cascade reaches, and the neighbour's.
QList<int> Rijen(CommandBench& b) {
    QList<int> rows;
    for (const char* table : {"Relaties", "Personen", "MemoRelatie", "Offertes", "MemoOfferte",
                              "Orders", "MemoOrder", "Calculaties", "Bestelling"}) {
        rows << b.Count(QString::fromLatin1(table));
    }
    return rows;
}

} // namespace

// Delete: the questions, the cascade under a relation, what stays in the store, and a store
// failure half-way that leaves every row.
class TestCommandDelete : public QObject {
    Q_OBJECT

private slots:
    void customerGoesWithEverythingBelowIt() {
        CommandBench b;
        const Klant k = MaakKlant(b.db);
        b.Open();
        b.Select(b.Item(NODE_RELATIE, k.relatie));
        QVERIFY(b.Enabled(ID_RECORD_VERWIJDER));
        bool cancelIsDefault = false;
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue([&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            cancelIsDefault = message->defaultButton() == message->button(QMessageBox::Cancel);
            AnswerMessageBox(box, IDOK);
        });
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));

        QCOMPARE(MessageBoxLog().size(), size_t(2));
        QCOMPARE(MessageBoxLog()[0].text,
                 "Weet u het zekers dat u deze\nRelatie wilt verwijderen ?\n");
        QCOMPARE(MessageBoxLog()[0].caption, "Verwijderen");
        QCOMPARE(MessageBoxLog()[0].type, MB_OKCANCEL | MB_ICONQUESTION);
        QCOMPARE(MessageBoxLog()[1].text,
                 "Alle offertes, orders, bestellingen, memo's\nen calculaties worden dan ook "
                 "verwijderd");
        QCOMPARE(MessageBoxLog()[1].caption, "LET OP !!");
        QCOMPARE(MessageBoxLog()[1].type, MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2);
        QVERIFY(cancelIsDefault);
        QCOMPARE(b.view->m_nDeleteRootKind, int(NODE_RELATIE));

        // Only the neighbour is left, in the store and in the tree.
        QCOMPARE(Rijen(b), (QList<int>{1, 1, 0, 1, 0, 0, 0, 0, 0}));
        QCOMPARE(b.Text("SELECT szInLijst FROM Offertes"), "Vis");
        QCOMPARE(b.view->Tree()->topLevelItemCount(), 1);
        QVERIFY(FindItems(*b.view, NODE_PERSOON, k.persoon).isEmpty());
        QVERIFY(b.NodesMatchTree());
    }

    void cancelRemovesNothing() {
        CommandBench b;
        const Klant k = MaakKlant(b.db);
        b.Open();
        const QList<int> voor = Rijen(b);
        const QStringList boom = TreeDump(*b.view);
        for (bool eerste : {true, false}) {
            b.Select(b.Item(NODE_RELATIE, k.relatie));
            ModalDriver driver;
            if (!eerste) {
                driver.Queue(Answer(IDOK));
            }
            driver.Queue(Answer(IDCANCEL));
            QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
            QCOMPARE(Rijen(b), voor);
            QCOMPARE(TreeDump(*b.view), boom);
        }
    }

    // Quotations are under a relation only when it is a customer; the cascade takes them
    // all the same, by key, so that no quotation is left pointing to a relation that is gone.
    void relationThatIsNoCustomerTakesItsQuotations() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Particulier");
        AddPersoon(b.db, relatie, "Smit", "Anna");
        const int offerte = AddDocument(b.db, "Offertes", relatie, "Dakkapel", 1);
        AddMemo(b.db, "MemoOfferte", offerte, "Schets");
        b.Open();
        b.Select(b.Item(NODE_RELATIE, relatie));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
        for (const char* tabel : {"Relaties", "Personen", "Offertes", "MemoOfferte"}) {
            QVERIFY2(b.Count(tabel) == 0, tabel);
        }
    }

    void calculationGoesButItsRelationStays() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bouw", true);
        const int persoon = AddPersoon(b.db, relatie, "Bouw", "Bob");
        const int weg = AddDocument(b.db, "Calculaties", relatie, "Aanbouw");
        AddMemo(b.db, "MemoCalculatie", weg, "Eerste");
        AddMemo(b.db, "MemoCalculatie", weg, "Tweede");
        const int blijft = AddDocument(b.db, "Calculaties", relatie, "Zolder");
        const int blijftMemo = AddMemo(b.db, "MemoCalculatie", blijft, "Trap");
        b.Open(CTolvarView::TAB_CALCULATIES);
        b.Select(b.Item(NODE_CALCULATIE, weg));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
        QCOMPARE(LastBox().text, "Weet u het zekers dat u deze\ncalculatie wilt verwijderen ?");
        QCOMPARE(b.view->m_nDeleteRootKind, int(NODE_CALCULATIE));

        QCOMPARE(b.Count("Calculaties"), 1);
        QCOMPARE(b.Count("MemoCalculatie"), 1);
        QCOMPARE(b.Count("MemoCalculatie", QStringLiteral("dwIndex = %1").arg(blijftMemo)), 1);
        QCOMPARE(b.Count("Relaties"), 1);
        QCOMPARE(b.Count("Personen"), 1);
        // The relation still shows under the calculation that is left.
        QCOMPARE(b.view->Tree()->topLevelItemCount(), 1);
        QCOMPARE(FindItems(*b.view, NODE_RELATIE, relatie).size(), 1);
        QCOMPARE(FindItems(*b.view, NODE_PERSOON, persoon).size(), 1);
        QVERIFY(b.NodesMatchTree());
    }

    void quotationsToSendCannotBeDeleted() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Groen", true);
        const int teVersturen = AddDocument(b.db, "Offertes", relatie, "Tuin", 0);
        const int verstuurd = AddDocument(b.db, "Offertes", relatie, "Vijver", 1);
        const int positief = AddDocument(b.db, "Offertes", relatie, "Schuur", 2);
        b.Open(CTolvarView::TAB_OFFERTES);
        for (auto [kind, number] : {std::pair{NODE_OFFERTE_TEVERSTUREN, teVersturen},
                                    std::pair{NODE_OFFERTE_VERSTUURD, verstuurd}}) {
            b.Select(b.Item(kind, number));
            QVERIFY(!b.Enabled(ID_RECORD_VERWIJDER));
            b.Run(ID_RECORD_VERWIJDER);
        }
        QVERIFY(MessageBoxLog().empty());
        QCOMPARE(b.Count("Offertes"), 3);

        b.Select(b.Item(NODE_OFFERTE_POSITIEF, positief));
        QVERIFY(b.Enabled(ID_RECORD_VERWIJDER));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
        QCOMPARE(LastBox().text, "Weet u het zekers dat u deze\nofferte wilt verwijderen ?");
        QCOMPARE(b.Count("Offertes"), 2);
        QCOMPARE(b.Count("Relaties"), 1);
        QVERIFY(b.Item(NODE_OFFERTE_POSITIEF, positief) == nullptr);
    }

    // A person shown under several documents goes from every place at once.
    void personGoesFromEveryNode() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Kok", true);
        const int persoon = AddPersoon(b.db, relatie, "Kok", "Karel");
        AddDocument(b.db, "Offertes", relatie, "Diner", 0);
        AddDocument(b.db, "Offertes", relatie, "Lunch", 3);
        b.Open(CTolvarView::TAB_OFFERTES);
        QCOMPARE(FindItems(*b.view, NODE_PERSOON, persoon).size(), 2);
        b.Select(b.Item(NODE_PERSOON, persoon));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
        QCOMPARE(LastBox().text, "Weet u het zekers dat u deze\npersoon wilt verwijderen ?");
        QCOMPARE(b.Count("Personen"), 0);
        QVERIFY(FindItems(*b.view, NODE_PERSOON, persoon).isEmpty());
        QCOMPARE(FindItems(*b.view, NODE_RELATIE, relatie).size(), 2);
        QVERIFY(b.NodesMatchTree());
    }

    // The order memo cannot be deleted: persons, the relation memo and a quotation went
    // before it in the cascade, and all of them must be back.
    void storeFailureHalfWayDeletesNothing() {
        CommandBench b;
        const Klant k = MaakKlant(b.db);
        b.db.RefuseDeletes("MemoOrder", "ordermemo is vergrendeld");
        b.Open();
        const QList<int> voor = Rijen(b);
        const QStringList boom = TreeDump(*b.view);
        b.Select(b.Item(NODE_RELATIE, k.relatie));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        driver.Queue(Answer(IDOK));
        driver.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, driver));
        QCOMPARE(MessageBoxLog().size(), size_t(3));
        QVERIFY2(LastBox().text.contains("ordermemo is vergrendeld"), qPrintable(LastBox().text));
        QCOMPARE(Rijen(b), voor);
        QCOMPARE(TreeDump(*b.view), boom);
        QVERIFY(b.NodesMatchTree());

        // The view goes on working: once the lock is gone the same delete succeeds.
        b.db.AllowDeletes("MemoOrder");
        b.Select(b.Item(NODE_RELATIE, k.relatie));
        ModalDriver again;
        again.Queue(Answer(IDOK));
        again.Queue(Answer(IDOK));
        QVERIFY(b.RunDriven(ID_RECORD_VERWIJDER, again));
        QCOMPARE(Rijen(b), (QList<int>{1, 1, 0, 1, 0, 0, 0, 0, 0}));
    }
};

TOLVAR_ENGINE_TEST(TestCommandDelete);
#include "tst_CommandDelete.moc"
