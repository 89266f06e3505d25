#include "fixture/TweedeWerkplek.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekBijwerker.h"
#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"
#include "support/TestRegistry.h"
#include "ZoekBank.h"

#include <QElapsedTimer>
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
        b.db.Exec(TestDatabase::OnServer()
                      ? "CREATE FUNCTION geen_wijziging() RETURNS trigger LANGUAGE plpgsql AS $$ "
                        "BEGIN RAISE EXCEPTION 'vergrendeld'; END $$; CREATE TRIGGER "
                        "geen_wijziging BEFORE UPDATE ON Relaties FOR EACH ROW EXECUTE "
                        "FUNCTION geen_wijziging()"
                      : "CREATE TRIGGER geen_wijziging BEFORE UPDATE ON Relaties "
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

        b.db.RefuseDeletes("Relaties", "bewaard");
        QVERIFY_THROWS_EXCEPTION(CDaoException, CRecRelatie().VerwijderRecord(rel));
        QCOMPARE(b.Vind("kok"), QStringList{"Kok"});
        QVERIFY(b.index->IsActueel());
    }

    // An index taken away (by hand, or by a program that knows no better) never costs a
    // record: it is stored all the same, and the next opening rebuilds the index.
    void missingIndexNeverCostsARecord() {
        ZoekBank b;
        b.Relatie("Groen", "Groen Installatie");
        b.db.Exec("DROP TABLE ZoekTekst");
        const LONG geel = b.Relatie("Geel");
        QCOMPARE(b.db.Scalar(QStringLiteral("SELECT szInLijst FROM Relaties WHERE "
                                            "lRelatieNummer = %1")
                                 .arg(geel))
                     .toString(),
                 "Geel");
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QCOMPARE(b.Vind("geel"), QStringList{"Geel"});
        QCOMPARE(b.Vind("groen"), QStringList{"Groen"});
        QVERIFY(b.index->IsActueel());
    }

    // What another desk stores is found here as soon as it commits, and the index it kept
    // needs no rebuild.
    void anotherDeskKeepsTheIndex() {
        TestDatabase db;
        TweedeWerkplek ander([] {
            CZoekBijwerker::Installeer();
            CRecRelatie rel;
            rel.NieuwRecord();
            rel.Edit();
            rel.szInLijst = QStringLiteral("Verhoeven");
            rel.szBezoekWoonplaats = QStringLiteral("Kampen");
            rel.Update();
            return 0;
        });
        QVERIFY(ander.Started());
        CZoekBijwerker::Installeer();
        auto index = CZoekIndex::Voor(db.Path(), ZoekTabel::Hoofdbestand());
        index->Herbouw({});
        QVERIFY(!index->DoorAnderenGewijzigd());
        QVERIFY(index->Zoek("kampen", 10).empty());
        QCOMPARE(ander.Finish(), 0);
        QVERIFY(index->DoorAnderenGewijzigd());
        QVERIFY(index->IsActueel());
        const auto treffers = index->Zoek("kampen", 10);
        QCOMPARE(treffers.size(), size_t(1));
        QCOMPARE(treffers[0].strNaam, "Verhoeven");
        index.reset();
        CDaoWriteObserver::Install(nullptr);
    }
};

// What only a database file has: another program's lock on the whole file, and the
// engine's own tables under the index.
class TestZoekBestand : public QObject {
    Q_OBJECT

private slots:
    // While another program holds the file, typing does not wait for it: the search shows
    // what the index holds, and the waiting record follows once the file is free.
    void searchDoesNotWaitForAnotherProgram() {
        ZoekBank b;
        b.Relatie("Vermeulen", "Vermeulen Glas");
        b.db.Exec("BEGIN IMMEDIATE");
        QElapsedTimer klok;
        klok.start();
        const QStringList tijdensSlot = b.Vind("vermeulen");
        QVERIFY2(klok.elapsed() < 2000, qPrintable(QString::number(klok.elapsed())));
        QVERIFY(tijdensSlot.isEmpty());
        b.db.Exec("COMMIT");
        QCOMPARE(b.Vind("vermeulen"), QStringList{"Vermeulen"});
    }

    // A damaged index: the record is stored all the same, and the next opening rebuilds the
    // index from the tables.
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

        // A queue that refuses the number: the record is still stored, the index goes.
        b.db.Exec("CREATE TRIGGER geen_wachtrij BEFORE INSERT ON ZoekWachtrij "
                  "BEGIN SELECT RAISE(ABORT, 'wachtrij vergrendeld'); END");
        const LONG paars = b.Relatie("Paars");
        QCOMPARE(b.db.Scalar(QStringLiteral("SELECT szInLijst FROM Relaties WHERE "
                                            "lRelatieNummer = %1")
                                 .arg(paars))
                     .toString(),
                 "Paars");
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QCOMPARE(b.Vind("paars"), QStringList{"Paars"});
        QVERIFY(b.index->IsActueel());
    }
};

TOLVAR_ENGINE_TEST(TestZoekBijhouden);
TOLVAR_TEST(TestZoekBestand);
#include "tst_ZoekBijhouden.moc"
