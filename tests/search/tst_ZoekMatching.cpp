#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"
#include "support/TestRegistry.h"
#include "ZoekBank.h"

#include <QTest>

// What a Dutch user expects of the search line, on records made by the record classes.
class TestZoekMatching : public QObject {
    Q_OBJECT

private slots:
    void caseAccentsAndPrefixes() {
        ZoekBank b;
        b.Relatie("Café de Zwaan", "Café de Zwaan B.V.");
        b.Relatie("IJssalon Venezia", "IJssalon Venezia");
        b.Relatie("Jansen Bouw", "Jansen Bouw en Onderhoud");
        b.Relatie("Cafetaria Smit", QString());

        QCOMPARE(b.Vind("cafe zwaan"), QStringList{"Café de Zwaan"});
        QCOMPARE(b.Vind("CAFÉ ZWAAN"), QStringList{"Café de Zwaan"});
        QCOMPARE(b.Vind("ijs"), QStringList{"IJssalon Venezia"});
        QCOMPARE(b.Vind("jans"), QStringList{"Jansen Bouw"});
        QCOMPARE(b.Vind("onderh jans"), QStringList{"Jansen Bouw"});
        // "caf" starts both; a word that occurs nowhere empties the list.
        QCOMPARE(b.Vind("caf").size(), 2);
        QVERIFY(b.Vind("caf bakker").isEmpty());
        // Only the start of a word matches, not its middle.
        QVERIFY(b.Vind("ansen").isEmpty());
        QVERIFY(b.Vind("   ").isEmpty());
    }

    void phoneNumbersWithoutSeparators() {
        ZoekBank b;
        const LONG rel = b.Relatie("Visser", "Visser Transport", "038-422 11 00");
        b.Persoon(rel, "Visser", "Kees", "06-12 34 56 78");
        b.Relatie("Mulder", "Mulder", "038-999 00 00");

        QCOMPARE(b.Vind("0384221100"), QStringList{"Visser"});
        QCOMPARE(b.Vind("038422"), QStringList{"Visser"});
        QCOMPARE(b.Vind("038-4221"), QStringList{"Visser"});
        QCOMPARE(b.Vind("422 11"), QStringList{"Visser"});
        QCOMPARE(b.Vind("0612345678"), QStringList{"Visser, Kees"});
        QCOMPARE(b.Vind("038").size(), 2);
    }

    // Names before memo texts, every kind of record findable, and the relation each belongs
    // to, with the matched words marked in the piece of text shown.
    void rankingKindsAndRelations() {
        ZoekBank b;
        const LONG bakker = b.Relatie("Bakker", "Bakkerij Stoel");
        const LONG memo = b.RelatieMemo(bakker, "Telefoongesprek",
                                        "Hij belde over de 24 stoelen voor de kantine.");
        const LONG offerte = b.Offerte(bakker, "Stoelen kantine", "Piet Stoel");
        const LONG persoon = b.Persoon(bakker, "Stoel", "Anna");

        const auto treffers = b.index->Zoek("stoel", 200);
        QCOMPARE(int(treffers.size()), 4);
        // The three found by name come first, the memo found in its text last.
        for (int i = 0; i < 3; ++i) {
            QVERIFY(treffers[size_t(i)].bInNaam);
        }
        QCOMPARE(treffers[3].nSoort, int(ZoekTabel::RELATIEMEMO));
        QCOMPARE(treffers[3].lNummer, memo);
        QVERIFY(!treffers[3].bInNaam);
        QCOMPARE(treffers[3].strNaam, "Telefoongesprek");
        QCOMPARE(treffers[3].strRelatie, "Bakker");
        QVERIFY2(treffers[3].strFragment.contains(QString(CZoekTreffer::kBegin) + "stoelen" +
                                                  CZoekTreffer::kEinde),
                 qPrintable(treffers[3].strFragment));
        QStringList sleutels = b.Sleutels("stoel");
        sleutels.sort();
        QStringList verwacht{QStringLiteral("%1:%2").arg(ZoekTabel::RELATIE).arg(bakker),
                             QStringLiteral("%1:%2").arg(ZoekTabel::PERSOON).arg(persoon),
                             QStringLiteral("%1:%2").arg(ZoekTabel::RELATIEMEMO).arg(memo),
                             QStringLiteral("%1:%2").arg(ZoekTabel::OFFERTE).arg(offerte)};
        verwacht.sort();
        QCOMPARE(sleutels, verwacht);
        for (const CZoekTreffer& treffer : treffers) {
            if (treffer.nSoort != ZoekTabel::RELATIE) {
                QCOMPARE(treffer.strRelatie, "Bakker");
            }
        }
        // Words from the memo text only, and the memo's number as one word of it.
        QCOMPARE(b.Vind("24 kantine"), QStringList{"Telefoongesprek"});
        QCOMPARE(b.Vind("kantine").size(), 2);
        QCOMPARE(b.Vind("kantine").first(), "Stoelen kantine");
    }

    // What the user types is text, never the engine's query language; placeholders of new
    // records are not content; the number of results is bounded.
    void typedSyntaxPlaceholdersAndLimit() {
        ZoekBank b;
        b.Relatie("De \"Ster\"", "AND OR NOT");
        b.Relatie("Van 't Hek", "'s-Hertogenbosch \\ Den Bosch");
        b.Offerte(0, "Zomer-actie");
        for (const char* vraag :
             {"\"", "ster\"", "(ster", "AND", "NOT ster", "ster*", "{naam}:", "-", "NEAR(ster)",
              "^ster", "'", "\\", "ster:*A", "ster <-> de", "!ster", "ster & | de"}) {
            b.index->Zoek(QString::fromLatin1(vraag), 200);
        }
        QCOMPARE(b.Vind("\"ster"), QStringList{"De \"Ster\""});
        QCOMPARE(b.Vind("not"), QStringList{"De \"Ster\""});
        QCOMPARE(b.Vind("zomer-act"), QStringList{"Zomer-actie"});
        QCOMPARE(b.Vind("'t he"), QStringList{"Van 't Hek"});
        QCOMPARE(b.Vind("'s-herto \\"), QStringList{"Van 't Hek"});
        // "<Document>" and "<Kontakt Persoon>" of the new quotation are not searched.
        QVERIFY(b.Vind("document").isEmpty());
        QVERIFY(b.Vind("kontakt").isEmpty());

        for (int i = 0; i < 12; ++i) {
            b.Relatie(QStringLiteral("Hoekstra %1").arg(i));
        }
        QCOMPARE(b.Vind("hoekstra", 5).size(), 5);
        QCOMPARE(b.Vind("hoekstra").size(), 12);
    }

    // A memo longer than any index keeps word by word, with a word too long to be one: it is
    // stored, and found by its first and its last words.
    void longMemo() {
        ZoekBank b;
        const LONG rel = b.Relatie("Lange", "Lange Verslagen");
        QStringList woorden{QStringLiteral("aanhef"), QString(3000, QLatin1Char('x'))};
        for (int i = 0; i < 20000; ++i) {
            woorden << QStringLiteral("regel%1 herhaling").arg(i % 900);
        }
        woorden << QStringLiteral("slotwoord");
        b.RelatieMemo(rel, "Verslag", woorden.join(QLatin1Char(' ')));
        QCOMPARE(b.Vind("aanhef"), QStringList{"Verslag"});
        // The piece shown is short, starts at the match and says the text goes on.
        const QString stuk = b.index->Zoek("aanhef", 1).at(0).strFragment;
        QVERIFY2(stuk.startsWith(QString(CZoekTreffer::kBegin) + "aanhef" + CZoekTreffer::kEinde) &&
                     stuk.endsWith(QStringLiteral("…")) && stuk.size() < 3200,
                 qPrintable(stuk.left(80)));
        QCOMPARE(b.Vind("slotwoord regel899"), QStringList{"Verslag"});
        QCOMPARE(b.Vind("herhaling lange"), QStringList{});
        QVERIFY(b.index->IsActueel());
    }

    // A text longer than a search line takes, on either engine, or one the server refuses to
    // run, is an error of the query: it says so and the index is left as it was.
    void tooLongTextIsAQueryError() {
        ZoekBank b;
        b.Relatie("Smit", "Smit BV");
        QStringList veel;
        for (int i = 0; i < 15000; ++i) {
            veel << QStringLiteral("smi%1").arg(i);
        }
        const QStringList teLang = {veel.join(' '),
                                    veel.mid(0, CZoekVraag::kMeesteWoorden + 1).join(' '),
                                    QString(CZoekVraag::kMeesteTekens + 1, QLatin1Char('s'))};
        for (const QString& tekst : teLang) {
            try {
                b.index->Zoek(tekst, 10);
                QFAIL("searched");
            } catch (const CDaoException& e) {
                QCOMPARE(e.m_kind, DaoErrorKind::QueryTooLong);
                QVERIFY(e.GetErrorMessage().startsWith("De zoektekst is te lang."));
            }
            QVERIFY(b.index->IsActueel());
        }
        QCOMPARE(b.Vind(QStringList(CZoekVraag::kMeesteWoorden, "smi").join(' ')),
                 QStringList{"Smit"});
        if (TestDatabase::OnServer()) {
            // Such a text's query, on a server with little stack, as a busy server may have.
            const auto database = CDaoDatabase::OpenShared(b.db.Path());
            database->Execute("SET max_stack_depth = '100kB'");
            const auto zoek =
                database->Prepare("SELECT count(*) FROM zoektekst WHERE woorden @@ ?::tsquery");
            zoek->BindText(1, veel.join(" <-> "));
            try {
                zoek->Step();
                QFAIL("the server ran it");
            } catch (const CDaoException& e) {
                QCOMPARE(e.m_kind, DaoErrorKind::QueryTooLong);
            }
            database->Execute("RESET max_stack_depth");
            QVERIFY(b.index->IsActueel());
        }
    }
};

TOLVAR_ENGINE_TEST(TestZoekMatching);
#include "tst_ZoekMatching.moc"
