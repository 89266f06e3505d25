#include "platform/dao/DaoDatabase.h"
#include "search/SqliteZoekIndex.h"
#include "search/ZoekTabel.h"
#include "support/TestRegistry.h"
#include "ZoekBank.h"

#include <QTest>

namespace {

// Every stored table as text, to show that building the index changes none of them.
QString Tabellen(TestDatabase& db) {
    QString alles;
    if (TestDatabase::OnServer()) {
        for (const char* tabel :
             {"Relaties", "Personen", "MemoRelatie", "Offertes", "MemoOfferte", "Calculaties",
              "MemoCalculatie", "Orders", "MemoOrder", "Bestelling", "MemoBestelling", "TeDoen"}) {
            alles += db.Scalar(QStringLiteral("SELECT count(*) || coalesce(string_agg(t::text, "
                                              "'#' ORDER BY t::text), '') FROM %1 t")
                                   .arg(QLatin1String(tabel)))
                         .toString();
        }
        return alles;
    }
    for (const char* tabel : {"Relaties", "Personen", "MemoRelatie", "Offertes", "MemoOfferte",
                              "Calculaties", "MemoCalculatie", "Orders", "MemoOrder", "Bestelling",
                              "MemoBestelling", "TeDoen", "KalenderLijst"}) {
        const QString kolommen =
            db.Scalar(QStringLiteral("SELECT group_concat('quote(' || name || ')', ' || ''|'' "
                                     "|| ') FROM pragma_table_info('%1')")
                          .arg(QLatin1String(tabel)))
                .toString();
        alles += db.Scalar(QStringLiteral("SELECT count(*) || coalesce(group_concat(%1, '#'), '') "
                                          "FROM %2")
                               .arg(kolommen, QLatin1String(tabel)))
                     .toString();
    }
    return alles;
}

} // namespace

// Opening a database: one made by an older Tolvar has no index, one changed by another
// program has an index that no longer agrees; both are rebuilt, and nothing else changes.
class TestZoekOpenen : public QObject {
    Q_OBJECT

private slots:
    void oldDatabaseWithoutIndex() {
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst, szVolleNaam, szTelefoon) VALUES "
                "('Willems', 'Willems Glas', '050-123 45 67');"
                "INSERT INTO MemoRelatie (dwRelatieNr, szInLijst, szTekst) VALUES "
                "(1, 'Ruit', '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Nieuwe ruit "
                "voor de caf\\''e9 ingezet\\par}');");
        auto index = CZoekIndex::Voor(db.Path(), ZoekTabel::Hoofdbestand());
        QVERIFY(!index->IsActueel());
        const QString voor = Tabellen(db);
        long nLaatste = 0, nTotaal = 0;
        index->Herbouw([&](const QString&, long nGedaan, long nAlles) {
            nLaatste = nGedaan;
            nTotaal = nAlles;
        });
        QCOMPARE(nLaatste, 2L);
        QCOMPARE(nTotaal, 2L);
        QVERIFY(index->IsActueel());
        QCOMPARE(Tabellen(db), voor);
        QCOMPARE(index->Zoek("0501234567", 10).size(), size_t(1));
        // The memo's RTF was read with the program's reader: the escape is an accent.
        const auto ruit = index->Zoek("cafe ingezet", 10);
        QCOMPARE(ruit.size(), size_t(1));
        QCOMPARE(ruit[0].strNaam, "Ruit");
        QCOMPARE(ruit[0].strRelatie, "Willems");
    }

    // Another program adds, removes or (as an older Tolvar does, stamping the time) changes
    // a record: the index is out of date. A later version's index is rebuilt too.
    void changesByOtherPrograms() {
        ZoekBank b;
        b.Relatie("Peters", "Peters BV");
        b.Relatie("Dekker", "Dekker BV");
        QVERIFY(b.index->IsActueel());

        b.db.Exec("INSERT INTO TeDoen (lPrio, szTekst) VALUES (1, 'Offerte nabellen')");
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QCOMPARE(b.Vind("nabel"), QStringList{"Offerte nabellen"});

        b.db.Exec("DELETE FROM Relaties WHERE szInLijst = 'Dekker'");
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QVERIFY(b.Vind("dekker").isEmpty());

        b.db.Exec("UPDATE Relaties SET szInLijst = 'Petersen', dtModificatie = "
                  "'2999-01-01 00:00:00' WHERE szInLijst = 'Peters'");
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QCOMPARE(b.Vind("peters"), QStringList{"Petersen"});

        b.db.Exec(TestDatabase::OnServer()
                      ? QStringLiteral("UPDATE zoekversie SET versie = versie + 1")
                      : QStringLiteral("UPDATE ZoekStand SET aantal = %1 WHERE tabel = '#versie'")
                            .arg(CSqliteZoekIndex::kVersie + 1));
        QVERIFY(!b.index->IsActueel());
        b.Bouw();
        QVERIFY(b.index->IsActueel());
    }

    // A build beside the index on a connection of its own while the program saves: what is
    // saved while the first reading goes on, or during every reading (the build then holds
    // the lock throughout), is in the finished index.
    void buildWhileSaving() {
        for (const int nOpslagen : {1, 3}) {
            ZoekBank b;
            b.Relatie("Peters", "Peters BV");
            const auto bouw =
                CZoekIndex::Voor(CDaoDatabase::OpenPrivate(b.db.Path()), ZoekTabel::Hoofdbestand());
            QStringList opgeslagen;
            int nLezingen = 0;
            bouw->Bouw([&](const QString&, long nGedaan, long) {
                if (nGedaan == 1 && ++nLezingen <= nOpslagen) {
                    opgeslagen << QStringLiteral("Nieuwkomer%1").arg(QChar('a' + nLezingen));
                    b.Relatie(opgeslagen.back());
                }
            });
            QCOMPARE(nLezingen, nOpslagen + 1);
            QVERIFY(b.index->IsActueel());
            for (const QString& naam : opgeslagen) {
                QCOMPARE(b.Vind(naam), QStringList{naam});
            }
            QCOMPARE(b.Vind("peters"), QStringList{"Peters"});
        }
    }
};

TOLVAR_ENGINE_TEST(TestZoekOpenen);
#include "tst_ZoekOpenen.moc"
