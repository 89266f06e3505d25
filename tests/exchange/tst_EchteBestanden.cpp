#include "exchange/ICalImport.h"
#include "exchange/MemoTekst.h"
#include "exchange/VCardImport.h"
#include "platform/dao/DaoDatabase.h"
#include "support/TestRegistry.h"
#include "TestDatabase.h"
#include "UitwisselHulp.h"

#include <QDateTime>
#include <QTest>

using namespace UitwisselHulp;

namespace {

// Imports one file of tests/data into db and answers the import for its counts.
struct Geimporteerd {
    int relaties;
    int personen;
    int overgeslagen;
    QStringList fouten;
};

Geimporteerd ImporteerKaarten(const TestDatabase& db, const QString& naam) {
    const auto database = CDaoDatabase::OpenShared(db.Path());
    CVCardImport import(database.get());
    import.Lees(DataBestand(naam));
    import.Bewaar();
    return {import.NieuweRelaties(), import.NieuwePersonen(), import.Overgeslagen(),
            import.Fouten()};
}

QString Relatie(const TestDatabase& db, const QString& naam, const QString& kolommen) {
    return Rijen(
               db.Path(),
               QStringLiteral("SELECT %1 FROM Relaties WHERE szInLijst = '%2'").arg(kolommen, naam))
        .join(QLatin1Char('\n'));
}

QString Persoon(const TestDatabase& db, const QString& achternaam, const QString& kolommen) {
    return Rijen(db.Path(),
                 QStringLiteral("SELECT %1 FROM Personen p JOIN Relaties r ON r.lRelatieNummer = "
                                "p.dwRelatieNummer WHERE p.szAchterNaam = '%2'")
                     .arg(kolommen, achternaam))
        .join(QLatin1Char('\n'));
}

} // namespace

// Files that other programs wrote, from the test suites of well-known libraries and
// servers (tests/data/SOURCES.md), read the way a user moving an address book or a
// calendar would expect.
class RealFilesTest : public QObject {
    Q_OBJECT

private slots:
    void quotedPrintableCardsOfVersion21() {
        TestDatabase db;
        Geimporteerd uit = ImporteerKaarten(db, "vcard/sabre-quoted-printable-2.1-accents.vcf");
        QCOMPARE(uit.relaties, 1);
        QCOMPARE(uit.personen, 1);
        QCOMPARE(Relatie(db, "John Doe",
                         "szVolleNaam, szBezoekStraat, szBezoekNummer, szBezoekPostcode, "
                         "szBezoekWoonplaats, bPriveJaNee"),
                 QStringLiteral("John Doe|Münster Str.|1|48143|Münster|1"));
        QCOMPARE(Persoon(db, "Doe", "p.szVoorNaam, r.szInLijst"), QStringLiteral("John|John Doe"));

        // UTF-8 split over quoted-printable soft line breaks, in the middle of a letter.
        uit = ImporteerKaarten(db, "vcard/radicale-quoted-printable-2.1.vcf");
        QCOMPARE(uit.relaties, 1);
        QCOMPARE(Relatie(db, "黄世勇", "szHomePage, szBezoekWoonplaats"),
                 QStringLiteral("http://weibo.com/3094900433?闪闪H红星|北京 丰台区"));
        QCOMPARE(Persoon(db, "黄", "p.szVoorNaam"), QStringLiteral("世勇"));
    }

    void groupsFoldedLinesAndVersion4() {
        TestDatabase db;
        Geimporteerd uit = ImporteerKaarten(db, "vcard/vobject-groups-folded-3.0.vcf");
        QCOMPARE(uit.fouten, QStringList());
        QCOMPARE(Relatie(db, "Meister Berger", "szTeleFax, szEmailAdres, memAlgemeneMemo"),
                 QStringLiteral("+49 3581 123456|mb@goerlitz.de|"));
        // A note of two lines does not fit the one-line general memo: it becomes a memo.
        // What has no field of its own goes into a memo of its own too.
        const QStringList memo = Rijen(db.Path(), "SELECT szInLijst, szTekst FROM MemoRelatie "
                                                  "ORDER BY szInLijst");
        QCOMPARE(memo.size(), 2);
        QVERIFY(CMemoTekst::NaarTekst(memo[1].section('|', 1))
                    .contains("Verjaardag: 1963-09-21\nO: Universitæt Görlitz\nFunctie: "
                              "Burgermeister"));
        QVERIFY(memo[0].startsWith("Notitie|{\\rtf1"));
        QCOMPARE(CMemoTekst::NaarTekst(memo[0].section('|', 1)),
                 QStringLiteral("The Mayor of the great city of Goerlitz in the great country "
                                "of Germany.\nNext line."));

        uit = ImporteerKaarten(db, "vcard/vobject-vcard40-full.vcf");
        QCOMPARE(uit.relaties, 1);
        QCOMPARE(uit.personen, 1);
        QCOMPARE(Relatie(db, "Example Corp.", "szVolleNaam, bPriveJaNee"),
                 QStringLiteral("Example Corp.|0"));
        QCOMPARE(Persoon(db, "Public",
                         "p.szVoorNaam, p.szAfdeling, p.szFunctie, p.szTelefoon, "
                         "p.szAutoTelefoon, p.szEmail, r.szInLijst"),
                 QStringLiteral("John Quinlan|North Division|CEO|+1-555-555-5555|+1-555-123-"
                                "4567|john.public@example.com|Example Corp."));

        uit = ImporteerKaarten(db, "vcard/vobject-simple-4.0.vcf");
        QCOMPARE(uit.personen, 1);
        QCOMPARE(Persoon(db, "Smith", "p.szEmail, p.szAutoTelefoon, r.szInLijst"),
                 QStringLiteral("work@myemail.com|+1-111-555-1236|Some Company"));

        // "VERSION: 4.0" with a space, and a card without any version.
        uit = ImporteerKaarten(db, "vcard/libical-test.vcf");
        QCOMPARE(uit.fouten, QStringList());
        QCOMPARE(uit.personen, 2);
        QCOMPARE(Persoon(db, "Perreault", "p.szTelefoon, r.szInLijst"),
                 QStringLiteral("+1-418-656-9254;ext=102|Viagenie"));
        QCOMPARE(Relatie(db, "Mickey Mouse", "bPriveJaNee"), QStringLiteral("1"));
    }

    // A card without a name is listed and nothing of it is stored; reading the same files
    // again adds nothing.
    void namelessCardsAndRepeatedImports() {
        TestDatabase db;
        Geimporteerd uit = ImporteerKaarten(db, "vcard/radicale-broken-no-name.vcf");
        QCOMPARE(uit.relaties + uit.personen, 0);
        QCOMPARE(uit.fouten, QStringList{"Kaart op regel 1: de kaart heeft geen naam."});
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 0);

        const auto database = CDaoDatabase::OpenShared(db.Path());
        CVCardImport groep(database.get());
        groep.Lees("BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Klanten\r\nMEMBER:urn:"
                   "uuid:03a0e51f\r\nEND:VCARD\r\n");
        QCOMPARE(groep.Fouten(), QStringList{"Kaart op regel 1: een groep wordt niet ingelezen, "
                                             "alleen de kaarten van de leden."});
        QCOMPARE(groep.NieuweRelaties() + groep.Overgeslagen(), 0);

        ImporteerKaarten(db, "vcard/libical-test.vcf");
        uit = ImporteerKaarten(db, "vcard/libical-test.vcf");
        QCOMPARE(uit.relaties + uit.personen, 0);
        QCOMPARE(uit.overgeslagen, 2);
        QCOMPARE(db.Scalar("SELECT count(*) FROM Personen").toInt(), 2);
    }

    // Times as the file states them: a described zone, floating local times; a past
    // appointment comes in as reported, and only events become appointments.
    void calendarsWithTimeZones() {
        TestDatabase db;
        const auto afspraken = CDaoDatabase::OpenShared(db.AppointmentPath());
        CICalImport import(afspraken.get());
        import.Lees(DataBestand("ical/radicale-event1.ics"));
        import.Lees(DataBestand("ical/radicale-event-multiple.ics"));
        import.Lees(DataBestand("ical/libical-user-cal.ics"));
        QCOMPARE(import.Fouten(), QStringList());
        QCOMPARE(import.NieuweAfspraken(), 6);
        import.Bewaar();
        const auto lokaal = [](const char* utc) {
            QDateTime tijd = QDateTime::fromString(QLatin1String(utc), Qt::ISODate);
            tijd.setTimeSpec(Qt::UTC);
            return tijd.toLocalTime().toString("yyyy-MM-dd HH:mm:ss");
        };
        QCOMPARE(Rijen(db.AppointmentPath(),
                       "SELECT szTekst, dtDatumTijdAlarm, bGemeld FROM KalenderLijst "
                       "WHERE szTekst = 'Event' ORDER BY dtDatumTijdAlarm"),
                 QStringList({"Event|" + lokaal("2013-09-01T16:00:00") + "|1",
                              "Event|" + lokaal("2013-09-01T17:00:00") + "|1"}));
        QCOMPARE(Rijen(db.AppointmentPath(),
                       "SELECT dtDatumTijdAlarm FROM KalenderLijst WHERE szTekst LIKE "
                       "'%aphasiac%'"),
                 QStringList{"2000-05-27 15:00:00"});
        QCOMPARE(db.AppointmentScalar("SELECT count(*) FROM KalenderLijst WHERE szTekst = "
                                      "'Todo'")
                     .toInt(),
                 0);
    }
};

TOLVAR_TEST(RealFilesTest);
#include "tst_EchteBestanden.moc"
