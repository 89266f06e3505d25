#include "support/TestRegistry.h"
#include "TestDatabase.h"
#include "UitwisselHulp.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace UitwisselHulp;

namespace {

int Aantal(TestDatabase& db, const char* tabel) {
    return db.Scalar(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(tabel)).toInt();
}

} // namespace

// The command-line program as scripts use it: what it prints, its exit status, and that a
// failed or trial import stores nothing.
class ExchangeCommandTest : public QObject {
    Q_OBJECT

private slots:
    void usageAndUnknownArguments() {
        for (const QStringList& args :
             {QStringList{}, QStringList{"export-vcard", "a"},
              QStringList{"export-vcard", "a", "b", "--version", "2.1"},
              QStringList{"import-vcard", "a", "b", "--dry"}, QStringList{"verstuur", "a", "b"},
              QStringList{"export-csv", "a", "b"}}) {
            const Uitkomst uit = Exchange(args);
            QCOMPARE(uit.code, 2);
            QVERIFY(uit.fout.startsWith("Gebruik: tolvar-exchange export-vcard"));
        }
        TestDatabase db;
        QTemporaryDir map;
        const Uitkomst uit =
            Exchange({"export-vcard", map.filePath("bestaat-niet.doc"), map.filePath("uit.vcf")});
        QCOMPARE(uit.code, 1);
        QVERIFY(uit.fout.startsWith("tolvar-exchange: "));
        QVERIFY(!QFile::exists(map.filePath("uit.vcf")));
        QVERIFY(!QFile::exists(map.filePath("bestaat-niet.doc")));
    }

    // Every kind of broken input ends with a Dutch sentence and a non-zero status, and the
    // database is left as it was.
    void badInputStoresNothing() {
        TestDatabase db;
        QTemporaryDir map;
        QByteArray binair(4096, '\0');
        for (int i = 0; i < binair.size(); ++i) {
            binair[i] = char(i * 7919 % 251);
        }
        const QByteArray lang =
            "BEGIN:VCARD\nVERSION:3.0\nFN:Lang\nNOTE:" + QByteArray(10 * 1024 * 1024, 'a') +
            "\nEND:VCARD\n";
        const struct {
            const char* naam;
            QByteArray inhoud;
            const char* melding;
        } gevallen[] = {
            {"binair.vcf", binair, "binaire gegevens"},
            {"zonder-einde.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Jan\n", "END:VCARD"},
            {"lang.vcf", lang, "is langer dan"},
            {"versie.vcf", "BEGIN:VCARD\nVERSION:1.0\nFN:Jan\nEND:VCARD\n",
             "onbekende vCard-versie 1.0"},
            {"leeg.vcf", "", "geen enkele kaart"},
        };
        for (const auto& geval : gevallen) {
            const Uitkomst uit =
                Exchange({"import-vcard", db.Path(), Schrijf(map, geval.naam, geval.inhoud)});
            QVERIFY2(uit.code == 1, geval.naam);
            QVERIFY2(uit.fout.contains(geval.melding), qPrintable(uit.fout));
            QVERIFY2(uit.fout.contains("niets") || !uit.fout.contains("Kaart op regel"),
                     qPrintable(uit.fout));
        }
        QCOMPARE(Aantal(db, "Relaties"), 0);
        QCOMPARE(Aantal(db, "Personen"), 0);

        const Uitkomst zonderStart = Exchange(
            {"import-ical", db.AppointmentPath(),
             Schrijf(map, "start.ics",
                     "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Zonder "
                     "begin\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")});
        QCOMPARE(zonderStart.code, 1);
        QVERIFY(
            zonderStart.fout.contains("Afspraak \"Zonder begin\" heeft geen geldige begintijd"));
        const Uitkomst geenKalender =
            Exchange({"import-ical", db.AppointmentPath(), Schrijf(map, "bin.ics", binair)});
        QCOMPARE(geenKalender.code, 1);
        QVERIFY(geenKalender.fout.contains("geen iCalendar-bestand"));
        QCOMPARE(db.AppointmentScalar("SELECT count(*) FROM KalenderLijst").toInt(), 0);
    }

    // A trial run only tells; the real run stores and tells the same; the damaged cards of
    // a partly good file are named while the good ones are stored.
    void dryRunThenImportWithAPartlyDamagedFile() {
        TestDatabase db;
        QTemporaryDir map;
        const QString pad =
            Schrijf(map, "mix.vcf",
                    DataBestand("vcard/vobject-vcard40-full.vcf") +
                        "BEGIN:VCARD\nVERSION:9.9\nFN:Kapot\nEND:VCARD\n" +
                        DataBestand("vcard/sabre-quoted-printable-2.1-accents.vcf"));
        const QString samenvatting =
            "2 relaties, 2 personen nieuw; 0 overgeslagen omdat ze al bestaan\n";
        Uitkomst uit = Exchange({"import-vcard", db.Path(), pad, "--dry-run"});
        QCOMPARE(uit.code, 0);
        QCOMPARE(uit.uit, samenvatting);
        QVERIFY(uit.fout.contains("Kaart op regel 40: onbekende vCard-versie 9.9"));
        QCOMPARE(Aantal(db, "Relaties"), 0);
        uit = Exchange({"import-vcard", db.Path(), pad});
        QCOMPARE(uit.code, 0);
        QCOMPARE(uit.uit, samenvatting);
        QCOMPARE(Aantal(db, "Relaties"), 2);
        QCOMPARE(Aantal(db, "Personen"), 2);
        uit = Exchange({"import-vcard", db.Path(), pad});
        QCOMPARE(uit.uit, QString("0 relaties, 0 personen nieuw; 2 overgeslagen omdat ze al "
                                  "bestaan\n"));
    }

    // The zone of the file is converted to the local time of the machine, whatever that is.
    void calendarTimesBecomeLocalTime() {
        TestDatabase db;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TZ", "Asia/Tokyo");
        Uitkomst uit = Exchange(
            {"import-ical", db.AppointmentPath(), DataPad("ical/radicale-event1.ics")}, env);
        QCOMPARE(uit.code, 0);
        QCOMPARE(uit.uit, QString("1 afspraken nieuw; 0 overgeslagen omdat ze al bestaan\n"));
        QCOMPARE(Rijen(db.AppointmentPath(), "SELECT szTekst, dtDatumTijdAlarm, bGemeld FROM "
                                             "KalenderLijst"),
                 QStringList{"Event|2013-09-02 01:00:00|1"});
        QTemporaryDir map;
        // Zones named but not described in the file: by their IANA or their Windows name.
        uit = Exchange(
            {"import-ical", db.AppointmentPath(),
             Schrijf(map, "zones.ics",
                     "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\nSUMMARY:"
                     "Iana\r\nDTSTART;TZID=America/New_York:20300115T090000\r\nEND:VEVENT\r\n"
                     "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:Windows\r\nDTSTART;TZID=W. Europe "
                     "Standard Time:20300715T090000\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:c"
                     "\r\nSUMMARY:Hele dag\r\nDTSTART;VALUE=DATE:20300301\r\nEND:VEVENT\r\n"
                     "END:VCALENDAR\r\n")},
            env);
        QCOMPARE(uit.code, 0);
        QCOMPARE(Rijen(db.AppointmentPath(), "SELECT szTekst, dtDatumTijdAlarm, bGemeld FROM "
                                             "KalenderLijst WHERE dwIndex > 1 ORDER BY 1"),
                 QStringList({"Hele dag|2030-03-01 00:00:00|0", "Iana|2030-01-15 23:00:00|0",
                              "Windows|2030-07-15 16:00:00|0"}));
        uit = Exchange({"export-ical", db.AppointmentPath(), map.filePath("a.ics")}, env);
        QCOMPARE(uit.code, 0);
        QFile bestand(map.filePath("a.ics"));
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        QVERIFY(bestand.readAll().contains("DTSTART:20130901T160000Z"));
    }

    // Every tab as the Dutch spreadsheet defaults read it.
    void csvOfEveryTab() {
        QTemporaryDir map;
        const QString demo = DemoDatabase(map.path(), 30);
        const QRegularExpression datum("^\\d\\d-\\d\\d-\\d{4}$");
        for (const char* tab :
             {"relaties", "personen", "offertes", "calculaties", "orders", "bestellingen"}) {
            const QString pad = map.filePath(QString(tab) + ".csv");
            const Uitkomst uit = Exchange({"export-csv", demo, tab, pad});
            QCOMPARE(uit.code, 0);
            QFile bestand(pad);
            QVERIFY(bestand.open(QIODevice::ReadOnly));
            const QByteArray inhoud = bestand.readAll();
            QVERIFY(inhoud.startsWith("\xEF\xBB\xBF"));
            const QStringList regels =
                QString::fromUtf8(inhoud.mid(3)).split("\r\n", Qt::SkipEmptyParts);
            const QString tabel = QString(tab) == "bestellingen" ? "Bestelling"
                                  : QString(tab) == "personen"   ? "Personen"
                                                                 : QString(tab);
            QCOMPARE(regels.size() - 1,
                     Rijen(demo, "SELECT count(*) FROM " + tabel).value(0).toInt());
            const int kolommen = int(regels[0].count(';'));
            const int datumKolom = int(regels[0].split(';').indexOf("Gewijzigd"));
            for (const QString& regel : regels.mid(1)) {
                QCOMPARE(int(regel.count(';')), kolommen);
                if (datumKolom >= 0) {
                    QVERIFY2(datum.match(regel.split(';')[datumKolom]).hasMatch(),
                             qPrintable(regel));
                }
            }
        }
        // RFC 4180 quoting of separators, quotes and line breaks.
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst, szVolleNaam, memAlgemeneMemo, bKlantJaNee, "
                "dtModificatie) VALUES ('Jansen; Zn.', 'De \"Beste\"', 'regel 1\nregel 2', 1, "
                "'2024-02-29 10:00:00')");
        const QString pad = map.filePath("lastig.csv");
        QCOMPARE(Exchange({"export-csv", db.Path(), "relaties", pad}).code, 0);
        QFile bestand(pad);
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        const QByteArray inhoud = bestand.readAll();
        QVERIFY(inhoud.contains(";\"Jansen; Zn.\";\"De \"\"Beste\"\"\";"));
        QVERIFY(inhoud.contains(";ja;nee;nee;\"regel 1\nregel 2\";29-02-2024\r\n"));
        QCOMPARE(Exchange({"export-csv", db.Path(), "facturen", pad}).code, 1);
    }
};

TOLVAR_TEST(ExchangeCommandTest);
#include "tst_ExchangeCommand.moc"
