#include "fixture/TestDatabase.h"
#include "fixture/TweedeWerkplek.h"
#include "platform/dao/DaoException.h"
#include "store/RecOfferteMemo.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <QThread>

namespace {

// The other desk deletes relation 1 with everything under it, as the Delete command does.
int VerwijderRelatie() {
    CRecRelatie relatie;
    relatie.BeginTrans();
    relatie.VerwijderMetKinderen(1);
    relatie.CommitTrans();
    return 0;
}

} // namespace

// Two desks, one adding under a relation while the other deletes it: no row is ever left
// without its parent, and the desk that came too late hears why in Dutch.
class TestVerwantschap : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec("INSERT INTO Relaties (szInLijst) VALUES ('Bakker');"
                   "INSERT INTO Offertes (dwRelatieNummer, szInLijst) VALUES (1, 'Brood');"
                   "INSERT INTO MemoOfferte (dwOfferteNr, szInLijst) VALUES (1, 'Prijs');"
                   "INSERT INTO Personen (dwRelatieNummer, szAchterNaam) VALUES (1, 'Jansen');"
                   "INSERT INTO Relaties (szInLijst) VALUES ('Smid');"
                   "INSERT INTO Personen (dwRelatieNummer, szAchterNaam) VALUES (2, 'Smid')");
    }
    void cleanup() { m_db.reset(); }

    // What this desk adds while the other is deleting: the delete waits for the add and
    // then takes the new rows with it.
    void toevoegingTijdensVerwijderenGaatMee() {
        struct Geval {
            const char* naam;
            std::function<void(TweedeWerkplek&)> voegToe;
        };
        const std::vector<Geval> gevallen{{"persoon",
                                           [](TweedeWerkplek& ander) {
                                               CRecPersoon persoon;
                                               persoon.NieuwOnder(1, [&] {
                                                   persoon.NieuwRecord(1);
                                                   ander.Go();
                                                   QThread::msleep(400);
                                               });
                                           }},
                                          {"offertememo", [](TweedeWerkplek& ander) {
                                               CRecOfferteMemo memo;
                                               memo.NieuwOnder(1, [&] {
                                                   memo.NieuweMemo(1, 0);
                                                   ander.Go();
                                                   QThread::msleep(400);
                                               });
                                           }}};
        for (const Geval& geval : gevallen) {
            init();
            TweedeWerkplek ander(VerwijderRelatie);
            QVERIFY(ander.Started());
            geval.voegToe(ander);
            QVERIFY2(ander.Finish() == 0, geval.naam);
            QVERIFY2(Wezen() == 0, geval.naam);
            QCOMPARE(m_db->Scalar("SELECT count(*) FROM Personen").toInt(), 1);
        }
    }

    // A relation another desk has deleted gets nothing more under it.
    void toevoegenNaVerwijderenWordtGeweigerd() {
        TweedeWerkplek ander(VerwijderRelatie);
        QCOMPARE(ander.Finish(), 0);
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Relaties").toInt(), 1);
        CRecPersoon persoon;
        try {
            persoon.NieuwOnder(1, [&] { persoon.NieuwRecord(1); });
            QFAIL("a person was added to a deleted relation");
        } catch (const CDaoException& e) {
            QVERIFY2(e.GetErrorMessage().startsWith("De relatie waaronder dit zou komen bestaat "
                                                    "niet meer"),
                     qPrintable(e.GetErrorMessage()));
        }
        QCOMPARE(persoon.GetEditMode(), int(CDaoRecordset::dbEditNone));
        QCOMPARE(Wezen(), 0);
        // Under a relation that is there, the same add stores.
        persoon.NieuwOnder(2, [&] { persoon.NieuwRecord(2); });
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Personen WHERE dwRelatieNummer = 2").toInt(),
                 2);
    }

private:
    // Rows whose parent is not there.
    int Wezen() {
        return m_db
            ->Scalar("SELECT (SELECT count(*) FROM Personen WHERE dwRelatieNummer NOT IN "
                     "(SELECT lRelatieNummer FROM Relaties)) + (SELECT count(*) FROM Offertes "
                     "WHERE dwRelatieNummer NOT IN (SELECT lRelatieNummer FROM Relaties)) + "
                     "(SELECT count(*) FROM MemoOfferte WHERE dwOfferteNr NOT IN (SELECT "
                     "dwIndex FROM Offertes))")
            .toInt();
    }

    std::unique_ptr<TestDatabase> m_db;
};

TOLVAR_ENGINE_TEST(TestVerwantschap);
#include "tst_Verwantschap.moc"
