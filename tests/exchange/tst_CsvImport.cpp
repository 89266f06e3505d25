#include "exchange/CsvExport.h"
#include "exchange/CsvFormule.h"
#include "exchange/CsvLezer.h"
#include "ReadOnlyFile.h"
#include "support/TestRegistry.h"
#include "TestDatabase.h"
#include "UitwisselHulp.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace UitwisselHulp;

namespace {

QStringList Regels(const CsvTabel& tabel) {
    QStringList regels{tabel.kop.join('|')};
    for (const CsvRij& rij : tabel.rijen) {
        regels << QString::number(rij.regel) + ':' + rij.velden.join('|');
    }
    return regels;
}

const char* const kRelatieKolommen =
    "szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, szBezoekPostcode, "
    "szBezoekWoonplaats, szTelefoon, szTeleFax, szEmailAdres, szHomePage, szBtwNummer, "
    "szAfleverStraat, szAfleverNummer, szAfleverPostcode, szAfleverPlaats, memAlgemeneMemo, "
    "szPostBus, bKlantJaNee, bLeverancierJaNee, bPriveJaNee, date(dtModificatie)";

} // namespace

// The file as spreadsheets and accounting programs save it, read without asking; and the
// cells a spreadsheet would run as formulas.
class CsvReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsWhatSpreadsheetsWrite() {
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        const QByteArray utf16Bestand =
            "\xFF\xFE" + QByteArray(utf16(QStringLiteral("Naam\tPlaats\r\nCafé\tÜden\r\n")));
        const struct {
            const char* naam;
            QByteArray inhoud;
            const char* codering;
            QChar scheiding;
            QStringList regels;
        } gevallen[] = {
            {"utf-8 met bom en crlf",
             "\xEF\xBB\xBFNaam;Plaats\r\nCaf\xC3\xA9;Delft\r\n",
             "UTF-8",
             ';',
             {"Naam|Plaats", "2:Café|Delft"}},
            {"utf-8 met komma en lf",
             "Naam,Plaats\nJansen,Delft\n",
             "UTF-8",
             ',',
             {"Naam|Plaats", "2:Jansen|Delft"}},
            {"windows-1252",
             "Naam;Plaats\r\nCaf\xE9 \x80;Delft\r\n",
             "Windows-1252",
             ';',
             {"Naam|Plaats", "2:Café €|Delft"}},
            {"utf-16 met tab", utf16Bestand, "UTF-16", '\t', {"Naam|Plaats", "2:Café|Üden"}},
            {"aanhalingstekens",
             "Naam;Memo\r\n\"A;B\";\"zei \"\"ja\"\"\r\nen nee\"\r\nC;\r\n",
             "UTF-8",
             ';',
             {"Naam|Memo", "2:A;B|zei \"ja\"\r\nen nee", "4:C|"}},
            {"komma in aanhalingstekens kiest geen komma",
             "\"Naam, kort\";Plaats\nA;B\n",
             "UTF-8",
             ';',
             {"Naam, kort|Plaats", "2:A|B"}},
            {"alleen cr en lege regels",
             "Naam;Plaats\r\rA;B\r;;\rC;D",
             "UTF-8",
             ';',
             {"Naam|Plaats", "3:A|B", "5:C|D"}},
        };
        for (const auto& geval : gevallen) {
            const CsvTabel tabel = CCsvLezer::Lees(geval.inhoud);
            QCOMPARE(tabel.codering, QString(geval.codering));
            QCOMPARE(tabel.scheiding, geval.scheiding);
            QVERIFY2(tabel.fouten.isEmpty(), geval.naam);
            QCOMPARE(Regels(tabel), geval.regels);
        }
    }

    void formulaCellsShowAsTextAndComeBack() {
        const struct {
            QString waarde;
            QByteArray cel;
        } gevallen[] = {
            {"=HYPERLINK(\"http://x\";\"klik\")", "\"'=HYPERLINK(\"\"http://x\"\";\"\"klik\"\")\""},
            {"@SUM(1)", "'@SUM(1)"},
            {"-1+2", "'-1+2"},
            {"+A1", "'+A1"},
            {"- punt", "'- punt"},
            {"\tx", "'\tx"},
            {"\rx", "\"'\rx\""},
            {"'=1", "''=1"},
            {"''@x", "'''@x"},
            {"+31 20 123 4567", "+31 20 123 4567"},
            {"-12,50", "-12,50"},
            {"06-12345678", "06-12345678"},
            {"'gewoon", "'gewoon"},
            {"-", "-"},
            {"a=b", "a=b"},
        };
        for (const auto& geval : gevallen) {
            QCOMPARE(CCsvExport::Veld(geval.waarde), geval.cel);
            QCOMPARE(CCsvFormule::Herstel(CCsvFormule::Bescherm(geval.waarde)), geval.waarde);
        }
    }
};

// The import as a script runs it: what comes in, what is skipped, what is listed, and that
// a Tolvar export comes back as it went out.
class CsvImportTest : public QObject {
    Q_OBJECT

private slots:
    void exportImportsBackUnchanged() {
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, "
                "szBezoekPostcode, szBezoekWoonplaats, szTelefoon, szEmailAdres, szHomePage, "
                "szBtwNummer, szPostBus, memAlgemeneMemo, bKlantJaNee, bLeverancierJaNee, "
                "bPriveJaNee, dtModificatie) VALUES "
                "('=HYPERLINK(\"http://x\";\"klik\")', '@SUM(1)', 'Kerkstraat', '12a', "
                "'1234 AB', 'Delft', '+31 20 123 4567', 'a@b.nl', 'www.a.nl', 'NL1', 'PB 5', "
                "'regel 1\nregel 2; \"citaat\"', 1, 1, 0, '2024-02-29 00:00:00'),"
                "('-1+2', 'Jansen; Zn.', 'Spatie', '', '', 'Ürk', '-12,50', '', '', '', '', "
                "'''=oud', 0, 0, 1, '2023-01-05 00:00:00')");
        db.Exec("INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam, szTelefoon, "
                "szAutoTelefoon, szEmail, szAfdeling, szFunctie) VALUES "
                "(1, 'Jan', 'de Vries', '06-12345678', '+31 6 1', 'jan@b.nl', 'Inkoop', "
                "'=chef'), (2, 'Els', '@Bos', '', '', '', '', '')");
        QTemporaryDir map;
        const QString doel = DemoDatabase(map.path(), 0);
        for (const QString tab : {"relaties", "personen"}) {
            const QString pad = map.filePath(tab + ".csv");
            QCOMPARE(Exchange({"export-csv", db.Path(), tab, pad}).code, 0);
            const Uitkomst uit = Exchange({"import-csv", doel, tab, pad});
            // Numbers are the database's own: a new one is given.
            QCOMPARE(uit.fout, tab == "relaties" ? "tolvar-exchange: de kolom 'Relatienummer' "
                                                   "wordt niet ingelezen\n"
                                                 : QString());
            QCOMPARE(uit.uit, "2 " + tab +
                                  " nieuw, 0 overgeslagen omdat ze al bestaan, 0 regels "
                                  "niet leesbaar\n");
            QCOMPARE(Exchange({"import-csv", doel, tab, pad}).uit,
                     "0 " + tab +
                         " nieuw, 2 overgeslagen omdat ze al bestaan, 0 regels niet "
                         "leesbaar\n");
        }
        const QString relaties =
            QStringLiteral("SELECT %1 FROM Relaties ORDER BY 1").arg(kRelatieKolommen);
        QCOMPARE(Rijen(doel, relaties), Rijen(db.Path(), relaties));
        const char* const personen =
            "SELECT r.szInLijst, p.szVoorNaam, p.szAchterNaam, p.szTelefoon, p.szAutoTelefoon, "
            "p.szTelefax, p.szEmail, p.szAfdeling, p.szFunctie FROM Personen p JOIN Relaties r "
            "ON r.lRelatieNummer = p.dwRelatieNummer ORDER BY 2";
        QCOMPARE(Rijen(doel, personen), Rijen(db.Path(), personen));
    }

    // The good rows come in; every bad one is named by the line it starts on, and a trial
    // run stores nothing.
    void badRowsAreListedByLine() {
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst, szBezoekPostcode, szEmailAdres) VALUES "
                "('Bestaand', '1234AB', 'info@bestaand.nl')");
        QTemporaryDir map;
        const QString pad = Schrijf(map, "mix.csv",
                                    "Bedrijf;Adres;Postal Code;City;Email;Klant;Onbekend\r\n"
                                    "Goed BV;Dorpsweg 7b;1000 AA;Delft;goed@bv.nl;ja;x\r\n"
                                    "Na \"citaat\" Goed;;;;;n;\r\n"
                                    "\"Open;Laan 1;;;;;\r\n"
                                    "Ook Goed;Laan 2;;Ede;;x;\r\n"
                                    "Te Veel;a;b;c;d;nee;e;f\r\n"
                                    "Bin\x01\x02\xFF\xFE;a;b;c;d;;\r\n"
                                    "Bestaand;;1234 ab;;;;\r\n"
                                    "Dubbel mail;;;;INFO@bestaand.nl;;\r\n"
                                    "Soort;;;;;misschien;\r\n");
        const QString samenvatting = "3 relaties nieuw, 2 overgeslagen omdat ze al bestaan, 4 "
                                     "regels niet leesbaar\n";
        Uitkomst uit = Exchange({"import-csv", db.Path(), "relaties", pad, "--dry-run"});
        QCOMPARE(uit.code, 0);
        QCOMPARE(uit.uit, samenvatting);
        QCOMPARE(uit.fout.split('\n', Qt::SkipEmptyParts),
                 QStringList({"tolvar-exchange: de kolom 'Onbekend' wordt niet ingelezen",
                              "tolvar-exchange: Regel 4: een aanhalingsteken wordt niet gesloten.",
                              "tolvar-exchange: Regel 6: de regel heeft 8 velden; de eerste "
                              "regel noemt er 7.",
                              "tolvar-exchange: Regel 7: de regel bevat binaire gegevens in "
                              "plaats van tekst.",
                              "tolvar-exchange: Regel 10: 'misschien' in de kolom Klant is geen "
                              "ja of nee."}));
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 1);
        uit = Exchange({"import-csv", db.Path(), "relaties", pad});
        QCOMPARE(uit.uit, samenvatting);
        QCOMPARE(Rijen(db.Path(), "SELECT szInLijst, szVolleNaam, szBezoekStraat, "
                                  "szBezoekNummer, szBezoekPostcode, szBezoekWoonplaats, "
                                  "szEmailAdres, bKlantJaNee FROM Relaties WHERE lRelatieNummer "
                                  "> 1 ORDER BY 1"),
                 QStringList({"Goed BV|Goed BV|Dorpsweg|7b|1000 AA|Delft|goed@bv.nl|1",
                              "Na \"citaat\" Goed|Na \"citaat\" Goed||||||0",
                              "Ook Goed|Ook Goed|Laan|2||Ede||1"}));
    }

    // Columns the file names in a way nobody could guess are chosen by the script; persons
    // find their relation by name or number, never by a guess.
    void chosenColumnsAndPersonsRelations() {
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst, szVolleNaam) VALUES ('Smit', 'Smit B.V.'), "
                "('Twee', 'X'), ('Twee', 'Y')");
        QTemporaryDir map;
        const QString pad = Schrijf(map, "p.csv",
                                    "Kol1,Kol2,Kol3,Kol4\nPiet,Smit B.V.,Klaas,1\nAn,Twee,Zus,"
                                    "9\nBo,Nergens,Hop,2\nCor,2,Mol,3\n");
        Uitkomst uit = Exchange({"import-csv", db.Path(), "personen", pad});
        QCOMPARE(uit.code, 1);
        uit = Exchange({"import-csv", db.Path(), "personen", pad, "--kolommen",
                        "Voornaam,Company,Last Name,-"});
        QCOMPARE(uit.uit, QString("2 personen nieuw, 0 overgeslagen omdat ze al bestaan, 2 "
                                  "regels niet leesbaar\n"));
        QVERIFY(uit.fout.contains("Regel 3: er zijn 2 relaties met de naam 'Twee'."));
        QVERIFY(uit.fout.contains("Regel 4: de relatie 'Nergens' bestaat niet."));
        QCOMPARE(Rijen(db.Path(), "SELECT szVoorNaam, szAchterNaam, dwRelatieNummer FROM "
                                  "Personen ORDER BY 1"),
                 QStringList({"Cor|Mol|2", "Piet|Klaas|1"}));
        uit = Exchange({"import-csv", db.Path(), "personen", pad, "--kolommen", "Voornaam,Kleur"});
        QCOMPARE(uit.code, 1);
        QVERIFY(uit.fout.contains("Onbekende kolom 'Kleur'"));
    }

    // Lists that a spreadsheet saved, relations first and then their persons.
    void realSpreadsheetFiles() {
        TestDatabase db;
        Uitkomst uit = Exchange({"import-csv", db.Path(), "relaties",
                                 DataPad("csv/libreoffice-relaties-windows1252-puntkomma.csv")});
        QCOMPARE(uit.fout, QString());
        QCOMPARE(uit.uit, QString("4 relaties nieuw, 0 overgeslagen omdat ze al bestaan, 0 "
                                  "regels niet leesbaar\n"));
        QCOMPARE(Rijen(db.Path(), "SELECT szInLijst, szBezoekStraat, szBezoekNummer, "
                                  "szBezoekPostcode, szBezoekWoonplaats, szTelefoon, "
                                  "szEmailAdres, bKlantJaNee, bLeverancierJaNee, "
                                  "memAlgemeneMemo, date(dtModificatie) FROM Relaties ORDER BY "
                                  "lRelatieNummer"),
                 QStringList({"Café de Smid|Hoofdstraat|12a|1234 AB|Delft|015-2123456|info@"
                              "desmid.nl|1|0|Vaste klant sinds 1998|2024-03-05",
                              "Müller; Söhne GmbH|Königsallee|1|40212|Düsseldorf|+49 211 "
                              "123456||0|1|Levert \"alles\" op tijd|2023-12-31",
                              "Brouwerij 't IJ|Funenkade|7|1018 AL|Amsterdam|020-6228325|bier@"
                              "ij.nl|1|0|Twee regels:\nbellen vóór 10 uur|2022-01-15",
                              "Bloemen & Co|Dorpsweg||9999 ZZ|Ede|-12,50||1|0|=1+1|2021-07-01"}));
        uit = Exchange({"import-csv", db.Path(), "personen",
                        DataPad("csv/libreoffice-personen-utf8-komma.csv")});
        QCOMPARE(uit.uit, QString("3 personen nieuw, 0 overgeslagen omdat ze al bestaan, 1 "
                                  "regels niet leesbaar\n"));
        QCOMPARE(uit.fout, QString("tolvar-exchange: Regel 5: de relatie 'Bestaat Niet BV' "
                                   "bestaat niet.\n"));
        QCOMPARE(Rijen(db.Path(), "SELECT p.szVoorNaam, p.szAchterNaam, r.szInLijst, "
                                  "p.szFunctie, p.szAutoTelefoon, p.szAfdeling FROM Personen p "
                                  "JOIN Relaties r ON r.lRelatieNummer = p.dwRelatieNummer "
                                  "ORDER BY p.IDnr"),
                 QStringList({"Zoë|van Dijk|Café de Smid|Eigenaar|06-12345678|Directie",
                              "Łukasz|Kowalski|Brouwerij 't IJ|Brouwer, hoofd|+48 601 234 "
                              "567|Productie",
                              "Jürgen|Müller|Müller; Söhne GmbH|Geschäftsführer||Verkauf"}));
    }

    // A database that cannot be written to: the failure is said, and no summary claims
    // that anything was stored.
    void readOnlyDatabaseClaimsNothing() {
        TestDatabase db;
        QTemporaryDir map;
        const QString csv = Schrijf(map, "r.csv", "Naam\nA\n");
        if (!MakeReadOnly(db.Path())) {
            QSKIP("This file system lets the superuser write every file.");
        }
        for (const QStringList& args :
             {QStringList{"import-csv", db.Path(), "relaties", csv},
              QStringList{"import-vcard", db.Path(), DataPad("vcard/libical-test.vcf")}}) {
            const Uitkomst uit = Exchange(args);
            QCOMPARE(uit.code, 1);
            QCOMPARE(uit.uit, QString());
            QVERIFY2(uit.fout.startsWith("tolvar-exchange: "), qPrintable(uit.fout));
        }
        MakeWritable(db.Path());
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 0);
    }
};

TOLVAR_TEST(CsvReaderTest);
TOLVAR_TEST(CsvImportTest);
#include "tst_CsvImport.moc"
