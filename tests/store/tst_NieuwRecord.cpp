#include "fixture/TestDatabase.h"
#include "store/RecBestelling.h"
#include "store/RecBestellingMemo.h"
#include "store/RecCalculatie.h"
#include "store/RecCalculatieMemo.h"
#include "store/RecOfferte.h"
#include "store/RecOfferteMemo.h"
#include "store/RecOrder.h"
#include "store/RecOrderMemo.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

// The moment of a creation, to the second: a stored "now" must lie between the two.
struct Moment {
    QDateTime before;
    QDateTime after;
    static QDateTime Now() {
        QDateTime now = QDateTime::currentDateTime();
        now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
        return now;
    }
    void Begin() { before = Now(); }
    void End() { after = Now(); }
    bool Holds(const QVariant& stored) const {
        const QDateTime dt = QDateTime::fromString(stored.toString(), "yyyy-MM-dd HH:mm:ss");
        return dt.isValid() && before <= dt && dt <= after;
    }
    bool Holds(const COleDateTime& member) const { return Holds(QVariant(member.ToStorageText())); }
};

} // namespace

// New rows: the values each class stores, nulls where nothing is set, the new key in the
// key field, and counters that never come back.
class TestNieuwRecord : public QObject {
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<TestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void newRelation() {
        CRecRelatie relatie;
        relatie.Selecteer(SEL_ALLES, 0);
        m_moment.Begin();
        QCOMPARE(relatie.NieuwRecord(), 1);
        m_moment.End();
        QCOMPARE(relatie.lRelatieNummer, 1);
        QCOMPARE(Row("Relaties", "lRelatieNummer", 1,
                     "bKlantJaNee, bLeverancierJaNee, bPriveJaNee, szInLijst, szVolleNaam"),
                 QString("0|0|0|<Nieuwe Relatie>|<Volle Naam>"));
        QVERIFY(m_moment.Holds(Value("Relaties", "dtModificatie")));
        QVERIFY(m_moment.Holds(relatie.dtModificatie));
        for (const char* column : {"szPostBus", "szBezoekStraat", "szEmailAdres", "memAlgemeneMemo",
                                   "szAfleverPlaats"}) {
            QVERIFY2(Value("Relaties", column).isNull(), column);
        }
        QCOMPARE(relatie.szPostBus, QString());
        QCOMPARE(relatie.bKlantJaNee, 0);
    }

    void newPerson() {
        CRecPersoon persoon;
        QCOMPARE(persoon.NieuwRecord(7), 1);
        QCOMPARE(persoon.IDnr, 1);
        QCOMPARE(Row("Personen", "IDnr", 1,
                     "dwRelatieNummer, szVoorNaam, szAchterNaam, szTelefoon, szAutoTelefoon, "
                     "szTelefax, szEmail, szAfdeling"),
                 QString("7|<Voornaam>|<Achternaam>|<Telefoon>|<Autotelefoon>|<Telefax>|"
                         "<E-mail adres>|<Afdeling>"));
        QVERIFY(Value("Personen", "szFunctie").isNull());
        CRecPersoon ander;
        ander.Selecteer(SEL_OUDER, 7);
        QVERIFY(ander.Volgende());
        QCOMPARE(ander.szAchterNaam, QString("<Achternaam>"));
    }

    void newQuotation() {
        CRecOfferte offerte;
        m_moment.Begin();
        offerte.NieuwRecord();
        m_moment.End();
        QCOMPARE(offerte.dwIndex, 1);
        QCOMPARE(Row("Offertes", "dwIndex", 1,
                     "dwRelatieNummer, dwStatusOfferte, szDocument, szKontaktPersoon, "
                     "szInLijst, dwSoortDocument"),
                 QString("0|0|<Document>|<Kontakt Persoon>|<Nieuwe Offerte>|<Type Document>"));
        for (const char* column : {"dtCreateDatum", "dtModificatieDatum", "dtVervalDatum"}) {
            QVERIFY2(m_moment.Holds(Value("Offertes", column)), column);
        }
        QCOMPARE(offerte.m_bStatusGewijzigd, 0);
    }

    void newCalculationOrderAndPurchaseOrder() {
        CRecCalculatie calculatie;
        CRecOrder order;
        CRecBestelling bestelling;
        m_moment.Begin();
        calculatie.NieuwRecord();
        order.NieuwRecord();
        order.NieuwRecord();
        bestelling.NieuwRecord();
        m_moment.End();
        QCOMPARE(order.dwIndex, 2);
        const QString fixed = "|<Document>|<Kontakt Persoon>|0|<Type Document>";
        const QString columns = "szInLijst, szDocument, szKontaktPersoon, dwRelatieNummer, "
                                "dwSoortDocument";
        QCOMPARE(Row("Calculaties", "dwIndex", 1, columns), "<Nieuwe Calculatie>" + fixed);
        QCOMPARE(Row("Orders", "dwIndex", 2, columns), "<Nieuwe Order>" + fixed);
        QCOMPARE(Row("Bestelling", "dwIndex", 1, columns), "<Nieuwe Bestelling>" + fixed);
        for (const char* table : {"Calculaties", "Orders", "Bestelling"}) {
            QVERIFY(m_moment.Holds(Value(table, "dtCreateDatum")));
            QVERIFY(m_moment.Holds(Value(table, "dtModificatieDatum")));
        }
        QCOMPARE(bestelling.szInLijst, QString("<Nieuwe Bestelling>"));
    }

    void newMemos() {
        CRecRelatieMemo relatieMemo;
        CRecOfferteMemo offerteMemo;
        CRecCalculatieMemo calculatieMemo;
        CRecOrderMemo orderMemo;
        CRecBestellingMemo bestellingMemo;
        m_moment.Begin();
        QCOMPARE(relatieMemo.NieuweMemo(11, 0), 1);
        offerteMemo.NieuweMemo(12, 0);
        calculatieMemo.NieuweMemo(13, 0);
        orderMemo.NieuweMemo(14, 0);
        bestellingMemo.NieuweMemo(15, 0);
        m_moment.End();
        QCOMPARE(relatieMemo.dwRelatieNr, 11);
        QCOMPARE(bestellingMemo.dwOfferteNr, 15);
        QCOMPARE(bestellingMemo.dwIndex, 1);
        QCOMPARE(Row("MemoRelatie", "dwIndex", 1,
                     "dwRelatieNr, szKontaktPersoon, szInLijst, iGestuurdVia, szTekst"),
                 QString("11|<Kontakt persoon>|Nieuwe memo|0|NULL"));
        int parent = 12;
        for (const char* table : {"MemoOfferte", "MemoCalculatie", "MemoOrder", "MemoBestelling"}) {
            QCOMPARE(Row(table, "dwIndex", 1,
                         "dwOfferteNr, szKontaktPersoon, szInLijst, iGestuurdVia, szTekst"),
                     QString("%1|<Kontakt persoon>|Nieuwe memo|0|NULL").arg(parent++));
            QVERIFY(m_moment.Holds(Value(table, "dtDatumCreatie")));
            QVERIFY(m_moment.Holds(Value(table, "dtModificatie")));
        }
        QCOMPARE(relatieMemo.KopPaneel(), 139);
        QCOMPARE(offerteMemo.KopPaneel(), 138);
        QCOMPARE(calculatieMemo.KopPaneel(), 154);
        QCOMPARE(orderMemo.KopPaneel(), 162);
        QCOMPARE(bestellingMemo.KopPaneel(), 163);
    }

    void rowIsSeenByRecordsetsOpenedAfterwards() {
        CRecRelatie eerste;
        eerste.Selecteer(SEL_ALLES, 0);
        eerste.NieuwRecord();
        eerste.Edit();
        eerste.szInLijst = "Bakkerij Smit";
        eerste.Update();
        CRecRelatie tweede;
        tweede.Selecteer(SEL_ALLES, 0);
        QVERIFY(tweede.Volgende());
        QCOMPARE(tweede.szInLijst, QString("Bakkerij Smit"));
        QCOMPARE(tweede.lRelatieNummer, eerste.lRelatieNummer);
    }

    void countersAreNeverReused() {
        CRecOfferte offerte;
        offerte.NieuwRecord();
        offerte.NieuwRecord();
        QCOMPARE(offerte.dwIndex, 2);
        offerte.VerwijderRecord(2);
        offerte.VerwijderRecord(1);
        CRecOfferte later;
        later.NieuwRecord();
        QCOMPARE(later.dwIndex, 3);
        QCOMPARE(m_db->Scalar("SELECT dwIndex FROM Offertes").toInt(), 3);
    }

    void manyNewRowsOnOneRecordset() {
        CRecPersoon persoon;
        persoon.Selecteer(SEL_OUDER, 3);
        for (int i = 1; i <= 50; ++i) {
            persoon.NieuwRecord(3);
            QCOMPARE(persoon.IDnr, i);
        }
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM Personen WHERE dwRelatieNummer = 3").toInt(),
                 50);
    }

private:
    QVariant Value(const char* table, const char* column) {
        return m_db->Scalar(QString("SELECT %1 FROM %2").arg(column, table));
    }
    // The columns of one row joined with "|", a null shown as NULL.
    QString Row(const char* table, const char* key, int number, const QString& columns) {
        QStringList terms;
        for (const QString& column : columns.split(", ")) {
            terms << QString("coalesce(CAST(%1 AS TEXT), 'NULL')").arg(column);
        }
        return m_db
            ->Scalar(QString("SELECT %1 FROM %2 WHERE %3 = %4")
                         .arg(terms.join(" || '|' || "), table, key)
                         .arg(number))
            .toString();
    }

    std::unique_ptr<TestDatabase> m_db;
    Moment m_moment;
};

TOLVAR_ENGINE_TEST(TestNieuwRecord);
#include "tst_NieuwRecord.moc"
