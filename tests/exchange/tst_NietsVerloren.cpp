#include "exchange/ICalImport.h"
#include "exchange/MemoTekst.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/dao/DaoDatabase.h"
#include "support/TestRegistry.h"
#include "TestDatabase.h"
#include "UitwisselHulp.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

using namespace UitwisselHulp;

namespace {

struct Import {
    int relaties = 0;
    int personen = 0;
    QStringList fouten;
};

Import Importeer(const QString& database, const QByteArray& kaarten) {
    const auto db = CDaoDatabase::OpenShared(database);
    CVCardImport imp(db.get());
    imp.Lees(kaarten);
    imp.Bewaar();
    return {imp.NieuweRelaties(), imp.NieuwePersonen(), imp.Fouten()};
}

QByteArray Exporteer(const QString& database, bool bVersie3) {
    const auto db = CDaoDatabase::OpenShared(database);
    return CVCardExport(db.get(), bVersie3).Exporteer();
}

QStringList Memos(const QString& database) {
    QStringList memos;
    for (const QString& rij :
         Rijen(database, "SELECT r.szInLijst, m.szInLijst, m.dtDatumCreatie, m.dtModificatie, "
                         "m.szTekst FROM MemoRelatie m JOIN Relaties r ON r.lRelatieNummer = "
                         "m.dwRelatieNr ORDER BY 1, 2")) {
        memos << rij.section('|', 0, 3) + '|' + CMemoTekst::NaarTekst(rij.section('|', 4));
    }
    return memos;
}

} // namespace

// A card export that another program, or Tolvar itself, reads back gives every value back,
// whatever it holds; a card read in keeps what it has, in a field or in a memo.
class VCardKeepsEverythingTest : public QObject {
    Q_OBJECT

private slots:
    void hostileValuesSmuggleNoCardIn() {
        const struct {
            const char* kolom;
            QString waarde;
            QString terug;
        } gevallen[] = {
            {"szHomePage", "http://a.nl\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Nep BV\r\nORG:Nep BV",
             "http://a.nl\nEND:VCARD\nBEGIN:VCARD\nFN:Nep BV\nORG:Nep BV"},
            {"szHomePage", "http://b.nl/?a=1;b=2,c\\d", "http://b.nl/?a=1;b=2,c\\d"},
            {"szVolleNaam", "Naam\rmet CR", "Naam\nmet CR"},
            {"szTelefoon", QString("06\x01\x1b") + "123\x7f", "06123"},
            {"memAlgemeneMemo", "a\nEND:VCARD\nb\\n;,", "a\nEND:VCARD\nb\\n;,"},
            {"szBtwNummer", "NL;1,2\\", "NL;1,2\\"},
            {"szBezoekWoonplaats", "Ede\nBEGIN:VCARD", "Ede\nBEGIN:VCARD"},
        };
        TestDatabase bron;
        int nummer = 0;
        for (const auto& geval : gevallen) {
            bron.Exec(QStringLiteral("INSERT INTO Relaties (szInLijst, %1) VALUES ('R%2', '%3')")
                          .arg(QString::fromLatin1(geval.kolom))
                          .arg(++nummer)
                          .arg(QString(geval.waarde).replace('\'', "''")));
        }
        bron.Exec(QStringLiteral("INSERT INTO MemoRelatie (dwRelatieNr, szInLijst, szTekst) "
                                 "VALUES (1, 'Zei \"ja\"\r\nEND:VCARD', '%1')")
                      .arg(CMemoTekst::NaarRtf("x")));
        for (const bool versie3 : {false, true}) {
            QTemporaryDir map;
            const QString doel = DemoDatabase(map.path(), 0);
            const QByteArray kaarten = Exporteer(bron.Path(), versie3);
            QCOMPARE(kaarten.count("BEGIN:VCARD\r\nVERSION:"), nummer);
            const Import uit = Importeer(doel, kaarten);
            QCOMPARE(uit.fouten, QStringList());
            QCOMPARE(uit.relaties, nummer);
            nummer = 0;
            for (const auto& geval : gevallen) {
                QCOMPARE(Rijen(doel, QStringLiteral("SELECT %1 FROM Relaties WHERE szInLijst = "
                                                    "'R%2'")
                                         .arg(QString::fromLatin1(geval.kolom))
                                         .arg(++nummer))
                             .join('\n'),
                         geval.terug);
            }
            QCOMPARE(Rijen(doel, "SELECT szInLijst FROM MemoRelatie"),
                     QStringList{"Zei 'ja'  END:VCARD"});
        }
    }

    // The general memo stays the general memo, even over several lines; a memo keeps its
    // subject and dates.
    void memosComeBackAsTheyWere() {
        TestDatabase bron;
        bron.Exec("INSERT INTO Relaties (szInLijst, memAlgemeneMemo) VALUES ('Smit', 'eerste "
                  "regel\ntweede regel')");
        bron.Exec(QStringLiteral("INSERT INTO MemoRelatie (dwRelatieNr, szInLijst, szTekst, "
                                 "dtDatumCreatie, dtModificatie) VALUES (1, 'Offerte besproken', "
                                 "'%1', '2020-01-02 03:04:05', '2021-06-07 08:09:10')")
                      .arg(CMemoTekst::NaarRtf("Prijs\nen levertijd")));
        for (const bool versie3 : {false, true}) {
            QTemporaryDir map;
            const QString doel = DemoDatabase(map.path(), 0);
            Importeer(doel, Exporteer(bron.Path(), versie3));
            QCOMPARE(Rijen(doel, "SELECT memAlgemeneMemo FROM Relaties").join('\n'),
                     QString("eerste regel\ntweede regel"));
            QCOMPARE(Memos(doel), Memos(bron.Path()));
        }
    }

    // A phone's card of a person at a firm brings the firm with the card's work address;
    // what has no field is listed in a memo, never dropped.
    void personCardsKeepAddressesAndTheRest() {
        TestDatabase db;
        Import uit = Importeer(db.Path(), DataBestand("vcard/vobject-vcard40-full.vcf"));
        QCOMPARE(uit.relaties, 1);
        QCOMPARE(Rijen(db.Path(), "SELECT szInLijst, szBezoekStraat, szBezoekWoonplaats, "
                                  "szBezoekPostcode FROM Relaties"),
                 QStringList{"Example Corp.|123 Main Street|Any Town|91921-1234"});
        const QStringList memos = Memos(db.Path());
        QCOMPARE(memos.size(), 1);
        QVERIFY(memos[0].startsWith("Example Corp.|Uit vCard|"));
        for (const char* regel :
             {"\nAdres (thuis): 456 Oak Lane, 10001 Somewhere, NY, U.S.A.\n",
              "|John Quinlan Public\n", "\nVerjaardag: 19850415\n",
              "\nE-mail (thuis): johnny@personal.example.org\n",
              "\nNotitie: This is a note about John.\nHe likes vCards.\n",
              "\nWebsite: http://www.example.com/~jqpublic\n", "\nRol: Executive\n"}) {
            QVERIFY2(memos[0].contains(regel), regel);
        }
        QVERIFY(!memos[0].contains("Main Street"));

        // The same person at a firm that exists already: its address is not the firm's.
        QTemporaryDir map;
        const QString tweede = DemoDatabase(map.path(), 0);
        Importeer(tweede, "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:org\r\nFN:Example Corp.\r\nORG:"
                          "Example Corp.\r\nEND:VCARD\r\n");
        Importeer(tweede, DataBestand("vcard/vobject-vcard40-full.vcf"));
        QCOMPARE(Rijen(tweede, "SELECT count(*) FROM Relaties WHERE szBezoekStraat IS NULL"),
                 QStringList{"1"});
        QVERIFY(Memos(tweede).value(0).contains("\nAdres (werk): 123 Main Street, 91921-1234 Any "
                                                "Town, CA, U.S.A.\n"));

        // Old Mac address books end their lines with CR alone.
        QByteArray mac = DataBestand("vcard/libical-test.vcf");
        mac.replace("\r\n", "\r").replace('\n', '\r');
        uit = Importeer(map.filePath("leeg.doc"), mac);
        QCOMPARE(uit.fouten, QStringList());
        QCOMPARE(uit.personen, 2);
    }
};

// A repeating appointment comes in as its occurrences of the coming year, each with its
// alarm moved forward as the file asks.
class ICalRepeatTest : public QObject {
    Q_OBJECT

private slots:
    void occurrencesOfTheComingYearWithTheirAlarm() {
        const QDate morgen = QDate::currentDate().addDays(1);
        const auto tijd = [](QDate dag, const char* uur) {
            return dag.toString("yyyyMMdd") + 'T' + uur;
        };
        const QString kalender =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:w\r\nSUMMARY:Wekelijks\r\n"
            "DTSTART:" +
            tijd(morgen, "100000") +
            "\r\nRRULE:FREQ=WEEKLY\r\nEXDATE:" + tijd(morgen.addDays(7), "100000") +
            "\r\nRDATE:" + tijd(morgen.addDays(3), "140000") +
            "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:o\r\nSUMMARY:Voorbij\r\nDTSTART:20000103T090000\r\nRRULE:FREQ="
            "DAILY;COUNT=3\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:e\r\nSUMMARY:Eenmalig\r\nDTSTART:"
            "20300101T120000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:m\r\nSUMMARY:Minuut\r\nDTSTART:20300101T120000\r\nRRULE:FREQ="
            "MINUTELY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        QStringList verwacht{"Eenmalig|2030-01-01 11:00:00",
                             "Wekelijks|" + morgen.addDays(3).toString("yyyy-MM-dd") + " 13:45:00"};
        for (QDate dag = morgen; dag < QDate::currentDate().addYears(1); dag = dag.addDays(7)) {
            if (dag != morgen.addDays(7)) {
                verwacht << "Wekelijks|" + dag.toString("yyyy-MM-dd") + " 09:45:00";
            }
        }
        verwacht.sort();
        TestDatabase db;
        const auto afspraken = CDaoDatabase::OpenShared(db.AppointmentPath());
        CICalImport imp(afspraken.get());
        imp.Lees(kalender.toUtf8());
        QCOMPARE(imp.Fouten(), QStringList{"Afspraak \"Minuut\" herhaalt zich elke seconde of "
                                           "minuut en is overgeslagen."});
        QCOMPARE(imp.Samenvatting(),
                 QStringLiteral("%1 afspraken nieuw; 0 overgeslagen omdat ze al bestaan; %2 "
                                "daarvan zijn de keren van 2 herhaalde afspraken, van vandaag "
                                "tot over een jaar")
                     .arg(verwacht.size())
                     .arg(verwacht.size() - 1));
        imp.Bewaar();
        QCOMPARE(Rijen(db.AppointmentPath(), "SELECT szTekst, dtDatumTijdAlarm FROM KalenderLijst "
                                             "ORDER BY 1, 2"),
                 verwacht);
    }
};

TOLVAR_TEST(VCardKeepsEverythingTest);
TOLVAR_TEST(ICalRepeatTest);
#include "tst_NietsVerloren.moc"
