#include "fixture/TestDatabase.h"
#include "platform/dao/DaoException.h"
#include "store/RecOfferte.h"
#include "store/RecOfferteMemo.h"
#include "store/RecOrder.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

template <typename Rec, typename Base>
QStringList Walk(Rec& rec, QString Base::*column, int limit = 1000) {
    QStringList names;
    while (names.size() < limit && rec.Volgende()) {
        names << rec.*column;
    }
    return names;
}

} // namespace

// Selecting and walking rows: which selections reopen, where a walk starts again, and the
// order rows come in.
class TestRecordSelectie : public QObject {
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<TestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void unchangedParentSelectionReopensNothing() {
        AddPersons(7, {"Bakker", "Jansen", "Visser"});
        CRecPersoon persoon;
        persoon.Selecteer(SEL_OUDER, 7);
        QCOMPARE(Walk(persoon, &CRecPersoon::szAchterNaam, 1), QStringList{"Bakker"});
        m_db->Exec("INSERT INTO Personen (dwRelatieNummer, szAchterNaam) VALUES (7, 'Aalders')");
        persoon.Selecteer(SEL_OUDER, 7);
        QCOMPARE(persoon.m_bVanafBegin, 0);
        QCOMPARE(persoon.szAchterNaam, QString("Bakker"));
        // The walk continues where it stopped, over the rows of the first open.
        QCOMPARE(Walk(persoon, &CRecPersoon::szAchterNaam), (QStringList{"Jansen", "Visser"}));
        // Having reached the end, a new walk over the same selection starts at the top.
        QCOMPARE(persoon.m_bVanafBegin, 1);
        QCOMPARE(Walk(persoon, &CRecPersoon::szAchterNaam).size(), 3);

        persoon.Selecteer(SEL_OUDER, 8);
        QCOMPARE(Walk(persoon, &CRecPersoon::szAchterNaam), QStringList{});
        persoon.Selecteer(SEL_OUDER, 7);
        QCOMPARE(Walk(persoon, &CRecPersoon::szAchterNaam).size(), 4);

        persoon.Close();
        persoon.Selecteer(SEL_OUDER, 7);
        QVERIFY(persoon.IsOpen());
        QCOMPARE(persoon.m_bVanafBegin, 1);
    }

    void relationParentSelectionAlwaysReopens() {
        CRecRelatie relatie;
        relatie.NieuwRecord();
        const LONG nummer = relatie.lRelatieNummer;
        relatie.Selecteer(SEL_OUDER, nummer);
        QVERIFY(relatie.Volgende());
        QCOMPARE(relatie.m_bVanafBegin, 0);
        relatie.Selecteer(SEL_OUDER, nummer);
        QCOMPARE(relatie.m_bVanafBegin, 1);
        QCOMPARE(relatie.m_strSort, QString("lRelatieNummer"));
        QCOMPARE(relatie.m_strFilter, QString("[lRelatieNummer] = %1").arg(nummer));
        QVERIFY(relatie.Volgende());
        QCOMPARE(relatie.lRelatieNummer, nummer);
        QVERIFY(!relatie.Volgende());
    }

    void missingNumberGivesAnOpenEmptySelection() {
        CRecOfferte offerte;
        offerte.Selecteer(SEL_NUMMER, 4711);
        QVERIFY(offerte.IsOpen());
        QVERIFY(offerte.IsBOF());
        QCOMPARE(offerte.Volgende(), 0);
        QCOMPARE(offerte.m_strFilter, QString("[dwIndex] = 4711"));
        QCOMPARE(offerte.m_strSort, QString("dwIndex"));
        QVERIFY_THROWS_EXCEPTION(CDaoException, offerte.VerwijderRecord(4711));
    }

    void numberSelectionSeesRowsStoredSinceTheLastOpen() {
        CRecOrder order;
        order.Selecteer(SEL_ALLES, 0);
        QCOMPARE(order.Volgende(), 0);
        m_db->Exec("INSERT INTO Orders (szInLijst) VALUES ('Later')");
        const LONG nummer = m_db->Scalar("SELECT max(dwIndex) FROM Orders").toInt();
        order.Selecteer(SEL_NUMMER, nummer);
        QCOMPARE(order.Volgende(), 1);
        QCOMPARE(order.szInLijst, QString("Later"));
    }

    void allRowsInListOrderWithoutReopeningWhenUnchanged() {
        m_db->Exec("INSERT INTO Orders (szInLijst, dwRelatieNummer) VALUES ('zaag', 1), "
                   "('Émaille', 2), ('appel', 0), ('Boor', 3), ('email', 1)");
        CRecOrder order;
        order.Selecteer(SEL_OUDER, 1);
        order.Selecteer(SEL_ALLES, 99);
        QCOMPARE(order.m_strFilter, QString());
        const QStringList expected = {"appel", "Boor", "email", "Émaille", "zaag"};
        QCOMPARE(Walk(order, &CRecOrder::szInLijst), expected);
        // Already open in list order: only the walk starts again.
        QCOMPARE(Walk(order, &CRecOrder::szInLijst, 2), (QStringList{"appel", "Boor"}));
        m_db->Exec("INSERT INTO Orders (szInLijst) VALUES ('aaa')");
        order.Selecteer(SEL_ALLES, 0);
        QCOMPARE(order.m_bVanafBegin, 1);
        QCOMPARE(Walk(order, &CRecOrder::szInLijst), expected);
    }

    void personsListByLastNameAndEqualNamesKeepEngineOrder() {
        AddPersons(1, {"Visser", "de Vries", "Bakker"});
        m_db->Exec("INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam) VALUES "
                   "(2, 'Eerste', 'Jansen'), (3, 'Tweede', 'Jansen')");
        CRecPersoon persoon;
        persoon.Selecteer(SEL_ALLES, 0);
        QCOMPARE(persoon.m_strSort, QString("szAchterNaam"));
        QCOMPARE(Walk(persoon, &CRecPersoon::szAchterNaam),
                 (QStringList{"Bakker", "de Vries", "Jansen", "Jansen", "Visser"}));
        persoon.Selecteer(SEL_ALLES, 0);
        persoon.Volgende();
        persoon.Volgende();
        persoon.Volgende();
        QCOMPARE(persoon.szVoorNaam, QString("Eerste"));
    }

    void memosOfOneParentAndUnknownModes() {
        m_db->Exec("INSERT INTO MemoOfferte (dwOfferteNr, szInLijst) VALUES (5, 'a'), (6, 'b'), "
                   "(5, 'c')");
        CRecOfferteMemo memo;
        memo.Selecteer(SEL_OUDER, 5);
        QCOMPARE(memo.m_strFilter, QString("[dwOfferteNr] = 5"));
        QCOMPARE(Walk(memo, &CRecOfferteMemo::szInLijst), (QStringList{"a", "c"}));
        memo.Selecteer(3, 6);
        QCOMPARE(memo.m_strFilter, QString("[dwOfferteNr] = 5"));
        CRecPersoon closed;
        closed.Selecteer(-1, 0);
        QVERIFY(!closed.IsOpen());
    }

    void deleteByNumberRemovesOnlyThatRow() {
        m_db->Exec("INSERT INTO Offertes (szInLijst) VALUES ('een'), ('twee')");
        CRecOfferte offerte;
        QCOMPARE(offerte.VerwijderRecord(1), 1);
        QCOMPARE(m_db->Scalar("SELECT min(szInLijst) || '/' || count(*) FROM Offertes").toString(),
                 QString("twee/1"));
    }

private:
    void AddPersons(int relatie, const QStringList& names) {
        for (const QString& name : names) {
            m_db->Exec(QString("INSERT INTO Personen (dwRelatieNummer, szAchterNaam) VALUES "
                               "(%1, '%2')")
                           .arg(relatie)
                           .arg(name));
        }
    }

    std::unique_ptr<TestDatabase> m_db;
};

TOLVAR_ENGINE_TEST(TestRecordSelectie);
#include "tst_RecordSelectie.moc"
