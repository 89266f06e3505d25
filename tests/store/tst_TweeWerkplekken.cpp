#include "fixture/TestDatabase.h"
#include "fixture/TweedeWerkplek.h"
#include "platform/dao/DaoException.h"
#include "store/DatabasePath.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

int BewaarNaam(const QString& naam) {
    CRecRelatie relatie;
    relatie.Selecteer(SEL_NUMMER, 1);
    relatie.Edit();
    relatie.szInLijst = naam;
    relatie.Update();
    return 0;
}

int MaakRelaties(int n) {
    CRecRelatie relatie;
    relatie.Selecteer(SEL_ALLES, 0);
    for (int i = 0; i < n; ++i) {
        relatie.NieuwRecord();
    }
    return 0;
}

} // namespace

// Two workstations on one database: neither overwrites what the other stored since it read
// the row, and counters stay unique while both add rows at once.
class TestTweeWerkplekken : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec("INSERT INTO Relaties (szInLijst, szTelefoon) VALUES ('Bakker', '010')");
    }
    void cleanup() { m_db.reset(); }

    void editOfARowChangedSinceItWasReadIsRefused() {
        TweedeWerkplek ander([] { return BewaarNaam(QStringLiteral("Bakker & Zn")); });
        QVERIFY(ander.Started());
        CRecRelatie relatie;
        relatie.Selecteer(SEL_NUMMER, 1);
        relatie.Edit();
        relatie.szInLijst = QStringLiteral("Bakkerij");
        QCOMPARE(ander.Finish(), 0);
        try {
            relatie.Update();
            QFAIL("Update stored over another workstation's change");
        } catch (const CDaoException& e) {
            QCOMPARE(e.GetErrorMessage(),
                     QString("Dit record is intussen door een andere gebruiker gewijzigd. Uw "
                             "wijzigingen zijn niet opgeslagen; open het record opnieuw."));
            QCOMPARE(e.m_kind, DaoErrorKind::ChangedByOther);
        }
        QCOMPARE(m_db->Scalar("SELECT szInLijst FROM Relaties").toString(), QString("Bakker & Zn"));

        // Read afresh, the same edit stores; a change of another column by the other desk
        // does not stand in the way of this one.
        relatie.CancelUpdate();
        relatie.Selecteer(SEL_NUMMER, 1);
        relatie.Edit();
        relatie.szTelefoon = QStringLiteral("020");
        m_db->Exec("UPDATE Relaties SET szVolleNaam = 'Bakker BV'");
        relatie.Update();
        QCOMPARE(
            m_db->Scalar("SELECT szInLijst || szTelefoon || szVolleNaam FROM Relaties").toString(),
            QString("Bakker & Zn020Bakker BV"));
    }

    void editOfARowDeletedByAnotherIsRefused() {
        TweedeWerkplek ander([] {
            CRecRelatie relatie;
            return relatie.VerwijderRecord(1) == 1 ? 0 : 1;
        });
        CRecRelatie relatie;
        relatie.Selecteer(SEL_NUMMER, 1);
        relatie.Edit();
        relatie.szInLijst = QStringLiteral("Bakkerij");
        QCOMPARE(ander.Finish(), 0);
        try {
            relatie.Update();
            QFAIL("Update of a deleted row reported success");
        } catch (const CDaoException& e) {
            QCOMPARE(e.GetErrorMessage(), QString("Dit record staat niet meer in de database."));
        }
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Relaties").toInt(), 0);
    }

    void bothCreateFiveHundredRelationsAtOnce() {
        TweedeWerkplek ander([] { return MaakRelaties(500); });
        ander.Go();
        MaakRelaties(500);
        QCOMPARE(ander.Finish(), 0);
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Relaties").toInt(), 1001);
        QCOMPARE(m_db->Scalar("SELECT count(DISTINCT lRelatieNummer) FROM Relaties").toInt(), 1001);
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Relaties WHERE szInLijst = '<Nieuwe Relatie>'")
                     .toInt(),
                 1000);
    }

private:
    std::unique_ptr<TestDatabase> m_db;
};

TOLVAR_ENGINE_TEST(TestTweeWerkplekken);
#include "tst_TweeWerkplekken.moc"
