#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/MemoTekst.h"
#include "exchange/UitwisselBestand.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/dao/DaoDatabase.h"
#include "support/TestRegistry.h"
#include "TestDatabase.h"
#include "UitwisselHulp.h"

#include <QTemporaryDir>
#include <QTest>

using namespace UitwisselHulp;

namespace {

const char* const kRelatieKolommen =
    "szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, szBezoekPostcode, "
    "szBezoekWoonplaats, szTelefoon, szTeleFax, szEmailAdres, szHomePage, szBtwNummer, "
    "szAfleverStraat, szAfleverNummer, szAfleverPostcode, szAfleverPlaats, memAlgemeneMemo, "
    "szPostBus, bKlantJaNee, bLeverancierJaNee, bPriveJaNee, dtModificatie";
const char* const kPersoonKolommen =
    "r.szInLijst, p.szVoorNaam, p.szAchterNaam, p.szTelefoon, p.szAutoTelefoon, p.szTelefax, "
    "p.szEmail, p.szAfdeling, p.szFunctie";

QStringList Relaties(const QString& db) {
    return Rijen(db, QStringLiteral("SELECT %1 FROM Relaties ORDER BY szInLijst")
                         .arg(QLatin1String(kRelatieKolommen)));
}

QStringList Personen(const QString& db) {
    return Rijen(db, QStringLiteral("SELECT %1 FROM Personen p JOIN Relaties r ON "
                                    "r.lRelatieNummer = p.dwRelatieNummer ORDER BY 1, 2, 3")
                         .arg(QLatin1String(kPersoonKolommen)));
}

// Memos compared by what a reader sees: the RTF of the two sides is written by different
// writers.
QStringList Memos(const QString& db) {
    QStringList memos;
    for (const QString& rij :
         Rijen(db, "SELECT r.szInLijst, m.szInLijst, m.szTekst FROM MemoRelatie m JOIN "
                   "Relaties r ON r.lRelatieNummer = m.dwRelatieNr")) {
        memos << rij.section('|', 0, 1) + '|' + CMemoTekst::NaarTekst(rij.section('|', 2));
    }
    memos.sort();
    return memos;
}

// What an independent reader (Debian's python3-vobject) finds in an exported file, one
// line per card.
const char* const kVCardLezer = R"(
import sys, vobject
def tel(c, *soorten):
    for t in c.contents.get('tel', []):
        if any(s in [x.lower() for x in t.params.get('TYPE', [])] for s in soorten):
            return t.value
    return ''
def adr(c, soort):
    for a in c.contents.get('adr', []):
        if soort in [x.lower() for x in a.params.get('TYPE', [])]:
            return [a.value.street, a.value.city, a.value.code, a.value.box]
    return ['', '', '', '']
def v(c, naam):
    return c.contents[naam][0].value if naam in c.contents else ''
for c in vobject.readComponents(open(sys.argv[1], encoding='utf-8').read()):
    org = v(c, 'org') or ['']
    if 'n' in c.contents and (c.n.value.family or c.n.value.given):
        print('|'.join(['P', org[0], org[1] if len(org) > 1 else '', c.n.value.family,
                        c.n.value.given, v(c, 'title'), tel(c, 'voice'), tel(c, 'cell', 'car'),
                        tel(c, 'fax'), v(c, 'email')]))
    else:
        notes = c.contents.get('note', [])
        algemeen = [n.value for n in notes if 'X-TOLVAR-ONDERWERP' not in n.params]
        print('|'.join(['R', org[0], v(c, 'fn'), tel(c, 'voice'), tel(c, 'fax'), v(c, 'email'),
                        v(c, 'url')] + adr(c, 'work')[:3] + [adr(c, 'postal')[3]]
                       + adr(c, 'parcel')[:3] + [','.join(v(c, 'categories') or []),
                       algemeen[0] if algemeen else '', str(len(notes) - len(algemeen))]))
)";

// The same lines as the reader should give them, straight from the database.
QStringList VerwachteKaarten(const QString& db) {
    QStringList regels = Rijen(
        db, "SELECT 'R', szInLijst, COALESCE(NULLIF(szVolleNaam, ''), szInLijst), "
            "COALESCE(szTelefoon, ''), COALESCE(szTeleFax, ''), COALESCE(szEmailAdres, ''), "
            "COALESCE(szHomePage, ''), TRIM(COALESCE(szBezoekStraat, '') || ' ' || "
            "COALESCE(szBezoekNummer, '')), COALESCE(szBezoekWoonplaats, ''), "
            "COALESCE(szBezoekPostcode, ''), COALESCE(szPostBus, ''), "
            "TRIM(COALESCE(szAfleverStraat, '') || ' ' || COALESCE(szAfleverNummer, '')), "
            "COALESCE(szAfleverPlaats, ''), COALESCE(szAfleverPostcode, ''), "
            "TRIM(CASE WHEN bKlantJaNee THEN 'Klant,' ELSE '' END || CASE WHEN "
            "bLeverancierJaNee THEN 'Leverancier,' ELSE '' END || CASE WHEN bPriveJaNee THEN "
            "'Privé,' ELSE '' END, ','), COALESCE(memAlgemeneMemo, ''), (SELECT count(*) FROM "
            "MemoRelatie m WHERE m.dwRelatieNr = lRelatieNummer) FROM Relaties");
    regels += Rijen(db, "SELECT 'P', r.szInLijst, COALESCE(p.szAfdeling, ''), p.szAchterNaam, "
                        "p.szVoorNaam, COALESCE(p.szFunctie, ''), COALESCE(p.szTelefoon, ''), "
                        "COALESCE(p.szAutoTelefoon, ''), COALESCE(p.szTelefax, ''), "
                        "COALESCE(p.szEmail, '') FROM Personen p JOIN Relaties r ON "
                        "r.lRelatieNummer = p.dwRelatieNummer");
    regels.sort();
    return regels;
}

QString Python() {
    return QFile::exists("/usr/bin/python3") ? QStringLiteral("/usr/bin/python3")
                                             : QStringLiteral("python3");
}

} // namespace

// Demo relations out and back in, in both vCard versions, and the appointments likewise;
// and what an independent reader makes of the files.
class RoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_map.isValid());
        m_demo = DemoDatabase(m_map.path(), 40);
        QVERIFY(QFile::exists(m_demo));
        // Relations are known by name, so the comparison holds only for distinct names.
        QCOMPARE(Rijen(m_demo, "SELECT count(DISTINCT szInLijst) FROM Relaties"),
                 QStringList{"40"});
    }

    void relationsPersonsAndMemosComeBackFieldForField() {
        for (const bool versie3 : {false, true}) {
            TestDatabase db;
            const auto bron = CDaoDatabase::OpenShared(m_demo);
            const auto doel = CDaoDatabase::OpenShared(db.Path());
            CVCardExport exp(bron.get(), versie3);
            const QByteArray kaarten = exp.Exporteer();
            CVCardImport imp(doel.get());
            imp.Lees(kaarten);
            QCOMPARE(imp.Fouten(), QStringList());
            QCOMPARE(imp.NieuweRelaties(), 40);
            QCOMPARE(imp.NieuwePersonen(),
                     Rijen(m_demo, "SELECT count(*) FROM Personen").value(0).toInt());
            QCOMPARE(imp.NieuweRelaties() + imp.NieuwePersonen(), exp.AantalKaarten());
            imp.Bewaar();
            QCOMPARE(Relaties(db.Path()), Relaties(m_demo));
            QCOMPARE(Personen(db.Path()), Personen(m_demo));
            QCOMPARE(Memos(db.Path()), Memos(m_demo));

            // The same file again: everything is known already.
            CVCardImport nogmaals(doel.get());
            nogmaals.Lees(kaarten);
            QCOMPARE(nogmaals.Samenvatting(),
                     QStringLiteral("0 relaties, 0 personen nieuw; %1 overgeslagen omdat ze al "
                                    "bestaan")
                         .arg(exp.AantalKaarten()));
        }
    }

    void oneRelationsCards() {
        const auto bron = CDaoDatabase::OpenShared(m_demo);
        const QString nummer = Rijen(m_demo, "SELECT dwRelatieNummer FROM Personen GROUP BY 1 "
                                             "HAVING count(*) >= 2 LIMIT 1")
                                   .value(0);
        CVCardExport exp(bron.get(), false);
        const QByteArray kaarten = exp.Exporteer(nummer.toInt());
        const QString naam = Rijen(m_demo, "SELECT szInLijst FROM Relaties WHERE lRelatieNummer "
                                           "= " +
                                               nummer)
                                 .value(0);
        QCOMPARE(
            exp.AantalKaarten(),
            1 + Rijen(m_demo, "SELECT count(*) FROM Personen WHERE dwRelatieNummer = " + nummer)
                    .value(0)
                    .toInt());
        QCOMPARE(kaarten.count("BEGIN:VCARD"), exp.AantalKaarten());
        QCOMPARE(kaarten.count("\r\nORG:"), exp.AantalKaarten());
        QVERIFY(kaarten.contains(QString("ORG:" + naam).replace(",", "\\,").toUtf8()));
    }

    void independentReaderFindsTheSameValues() {
        const auto bron = CDaoDatabase::OpenShared(m_demo);
        for (const bool versie3 : {false, true}) {
            const QString pad = m_map.filePath(versie3 ? "v3.vcf" : "v4.vcf");
            CUitwisselBestand::Schrijf(pad, CVCardExport(bron.get(), versie3).Exporteer());
            QProcess proces;
            proces.start(Python(), {"-c", kVCardLezer, pad});
            QVERIFY(proces.waitForFinished(60000));
            QCOMPARE(QString::fromUtf8(proces.readAllStandardError()), QString());
            QStringList gelezen =
                QString::fromUtf8(proces.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            gelezen.sort();
            QCOMPARE(gelezen, VerwachteKaarten(m_demo));
        }
    }

    void appointmentsComeBackAndReadElsewhere() {
        TestDatabase db;
        const auto bron = CDaoDatabase::OpenShared(m_demo);
        const auto doel = CDaoDatabase::OpenShared(db.AppointmentPath());
        CICalExport exp(bron.get());
        const QByteArray kalender = exp.Exporteer();
        QVERIFY(exp.AantalAfspraken() > 0);
        CICalImport imp(doel.get());
        imp.Lees(kalender);
        QCOMPARE(imp.NieuweAfspraken(), exp.AantalAfspraken());
        imp.Bewaar();
        const char* const sql = "SELECT szTekst, dtDatumTijdAlarm FROM KalenderLijst ORDER BY 2, 1";
        QCOMPARE(Rijen(db.AppointmentPath(), sql), Rijen(m_demo, sql));
        // Future appointments still raise their alarm; past ones are reported already.
        QCOMPARE(Rijen(db.AppointmentPath(), "SELECT count(*) FROM KalenderLijst WHERE bGemeld "
                                             "<> (dtDatumTijdAlarm < datetime('now', "
                                             "'localtime'))"),
                 QStringList{"0"});

        const QString pad = m_map.filePath("agenda.ics");
        CUitwisselBestand::Schrijf(pad, kalender);
        QProcess proces;
        proces.start(Python(), {"-c",
                                "import sys, vobject\n"
                                "c = vobject.readOne(open(sys.argv[1]).read())\n"
                                "for e in c.vevent_list:\n"
                                "    assert e.valarm.trigger.value.total_seconds() == 0\n"
                                "    print(e.summary.value + '|' + e.dtstart.value.astimezone()"
                                ".strftime('%Y-%m-%d %H:%M:%S'))\n",
                                pad});
        QVERIFY(proces.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(proces.readAllStandardError()), QString());
        QStringList gelezen =
            QString::fromUtf8(proces.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        gelezen.sort();
        QStringList verwacht = Rijen(m_demo, "SELECT szTekst, dtDatumTijdAlarm FROM KalenderLijst");
        verwacht.sort();
        QCOMPARE(gelezen, verwacht);
    }

    // An imported note is a memo like one typed in the editor: RTF in a named font, and
    // read back letter for letter.
    void notesBecomeRtfMemos() {
        for (const QString& tekst : {QStringLiteral("Café {accolades} \\ backslash € ☺"),
                                     QStringLiteral("regel 1\nregel 2\n\tingesprongen")}) {
            const QString rtf = CMemoTekst::NaarRtf(tekst);
            QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
            QVERIFY(rtf.contains("Arial;"));
            QCOMPARE(CMemoTekst::NaarTekst(rtf), tekst);
        }
    }

private:
    QTemporaryDir m_map;
    QString m_demo;
};

TOLVAR_TEST(RoundTripTest);
#include "tst_RondeReis.moc"
