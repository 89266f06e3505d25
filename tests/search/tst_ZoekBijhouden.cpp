#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "store/DatabasePath.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"
#include "support/TestRegistry.h"
#include "ZoekBank.h"

#include <QTest>

// The index follows every store, change and delete in the write's own transaction: it
// commits and rolls back with the rows, and a damaged index never costs a record.
class TestZoekBijhouden : public QObject {
    Q_OBJECT

private slots:
    void newModifyDelete() {
        ZoekBank b;
        CRecRelatie rel;
        rel.NieuwRecord();
        QCOMPARE(b.Vind("nieuwe relatie"), QStringList{"<Nieuwe Relatie>"});
        rel.Edit();
        rel.szInLijst = "Smit";
        rel.szBezoekWoonplaats = "Zwolle";
        rel.Update();
        QVERIFY(b.Vind("nieuwe").isEmpty());
        QCOMPARE(b.Vind("smit zwolle"), QStringList{"Smit"});

        const LONG memo = b.RelatieMemo(rel.lRelatieNummer, "Gesprek", "Over de tulpen.");
        QCOMPARE(b.Vind("tulpen"), QStringList{"Gesprek"});
        CRecRelatieMemo memos;
        memos.Selecteer(SEL_NUMMER, memo);
        QVERIFY(memos.Volgende());
        memos.Edit();
        memos.szTekst = ZoekBank::Rtf("Toch liever narcissen.");
        memos.Update();
        QVERIFY(b.Vind("tulpen").isEmpty());
        QCOMPARE(b.Vind("narcis"), QStringList{"Gesprek"});

        memos.Delete();
        QVERIFY(b.Vind("narcis").isEmpty());
        QCOMPARE(b.Vind("smit"), QStringList{"Smit"});
        // Upkeep kept the index current: opening the file again asks no rebuild.
        QVERIFY(b.index->IsActueel());
    }

    void rollbackTakesTheIndexAlong() {
        ZoekBank b;
        const LONG rel = b.Relatie("Bos", "Bos Hoveniers");
        const LONG persoon = b.Persoon(rel, "Bos", "Eva");
        CRecPersoon personen;
        personen.Selecteer(SEL_NUMMER, persoon);
        QVERIFY(personen.Volgende());
        personen.BeginTrans();
        personen.Delete();
        b.Relatie("Tijdelijk");
        QVERIFY(b.Vind("eva").isEmpty());
        QCOMPARE(b.Vind("tijdelijk"), QStringList{"Tijdelijk"});
        personen.Rollback();
        QCOMPARE(b.Vind("eva"), QStringList{"Bos, Eva"});
        QVERIFY(b.Vind("tijdelijk").isEmpty());
        QVERIFY(b.index->IsActueel());
    }

    // A write the engine refuses leaves no trace in the index either.
    void refusedWriteLeavesIndexAlone() {
        ZoekBank b;
        const LONG rel = b.Relatie("Kok", "Kok Catering");
        b.db.Exec("CREATE TRIGGER geen_wijziging BEFORE UPDATE ON Relaties "
                  "BEGIN SELECT RAISE(ABORT, 'vergrendeld'); END");
        CRecRelatie rels;
        rels.Selecteer(SEL_NUMMER, rel);
        QVERIFY(rels.Volgende());
        rels.Edit();
        rels.szInLijst = "Kokkerel";
        QVERIFY_THROWS_EXCEPTION(CDaoException, rels.Update());
        QVERIFY(b.Vind("kokkerel").isEmpty());
        QCOMPARE(b.Vind("kok"), QStringList{"Kok"});
        QVERIFY(b.index->IsActueel());
    }

    // A damaged or missing index: the record is stored all the same, and the next opening
    // rebuilds the index from the tables.
    void damagedIndexNeverCostsARecord() {
        ZoekBank b;
        b.Relatie("Groen", "Groen Installatie");
        b.db.Exec("DELETE FROM ZoekTekst_data");
        const LONG rel = b.Relatie("Blauw", "Blauw Schilders");
        QCOMPARE(b.db.Scalar(QStringLiteral("SELECT szInLijst FROM Relaties WHERE "
                                            "lRelatieNummer = %1")
                                 .arg(rel))
                     .toString(),
                 "Blauw");
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QCOMPARE(b.Vind("blauw"), QStringList{"Blauw"});
        QCOMPARE(b.Vind("groen"), QStringList{"Groen"});

        b.db.Exec("DROP TABLE ZoekTekst");
        const LONG geel = b.Relatie("Geel");
        QVERIFY(geel > 0);
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QCOMPARE(b.Vind("geel"), QStringList{"Geel"});
        QVERIFY(b.index->IsActueel());
    }
};

TOLVAR_TEST(TestZoekBijhouden);
#include "tst_ZoekBijhouden.moc"
