#include "dialogs/ProgressDlg.h"
#include "exchange/venster/CsvVoorbeeldDlg.h"
#include "exchange/venster/UitwisselVenster.h"
#include "platform/ui/MessageBox.h"
#include "store/DatabasePath.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"
#include "TestDatabase.h"
#include "UitwisselHulp.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace UitwisselHulp;

namespace {

// Counts the progress windows that appear.
class VoortgangTeller : public QObject {
public:
    VoortgangTeller() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<CProgressDlg*>(object)) {
            ++m_nGetoond;
        }
        return false;
    }
    int m_nGetoond = 0;
};

} // namespace

// The exchange commands as the window runs them: nothing is stored before the user has
// seen the summary and said yes, and every failure is a message, never a half import.
class UitwisselVensterTest : public QObject {
    Q_OBJECT

private slots:
    void importAsksBeforeItStores() {
        TestDatabase db;
        const QString pad = DataPad("vcard/libical-test.vcf");
        ModalDriver driver;
        driver.Queue(Answer(IDCANCEL));
        QVERIFY(!CUitwisselVenster::ImporteerVCard(nullptr, pad));
        QVERIFY(driver.WaitDone());
        QCOMPARE(LastBox().text, QStringLiteral("2 relaties, 2 personen nieuw; 0 overgeslagen "
                                                "omdat ze al bestaan.\n\nWilt u dit opslaan?"));
        QCOMPARE(LastBox().caption, QStringLiteral("Let Op"));
        QCOMPARE(LastBox().type, UINT(MB_OKCANCEL | MB_ICONQUESTION));
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 0);

        driver.Queue(Answer(IDOK));
        QVERIFY(CUitwisselVenster::ImporteerVCard(nullptr, pad));
        QVERIFY(driver.WaitDone());
        QCOMPARE(db.Scalar("SELECT count(*) FROM Personen").toInt(), 2);

        // Nothing new: said, not asked.
        driver.Queue(Answer(IDOK));
        QVERIFY(!CUitwisselVenster::ImporteerVCard(nullptr, pad));
        QVERIFY(driver.WaitDone());
        QCOMPARE(LastBox().type, UINT(MB_OK | MB_ICONINFORMATION));
        QVERIFY(LastBox().text.startsWith("0 relaties, 0 personen nieuw; 2 overgeslagen"));
        QCOMPARE(driver.Unexpected(), 0);
    }

    // Long runs show the progress window; a short one is over before it could be read.
    void longRunsShowTheProgressWindow() {
        QTemporaryDir map;
        g_strDatabasePath = DemoDatabase(map.path(), CUitwisselVenster::kVoortgangVanaf);
        ModalDriver driver;
        VoortgangTeller teller;
        driver.Queue(Answer(IDOK));
        CUitwisselVenster::ExporteerVCard(nullptr, false, 0, map.filePath("alle.vcf"));
        QVERIFY(driver.WaitDone());
        QCOMPARE(teller.m_nGetoond, 1);

        TestDatabase db;
        driver.Queue(Answer(IDOK));
        QVERIFY(CUitwisselVenster::ImporteerVCard(nullptr, map.filePath("alle.vcf")));
        QVERIFY(driver.WaitDone());
        QCOMPARE(teller.m_nGetoond, 2);
        QVERIFY(db.Scalar("SELECT count(*) FROM Relaties").toInt() > 0);

        driver.Queue(Answer(IDOK));
        QVERIFY(CUitwisselVenster::ImporteerVCard(nullptr, DataPad("vcard/libical-test.vcf")));
        QVERIFY(driver.WaitDone());
        QCOMPARE(teller.m_nGetoond, 2);
        QCOMPARE(driver.Unexpected(), 0);
    }

    void unreadableFilesAreMessagesAndStoreNothing() {
        TestDatabase db;
        QTemporaryDir map;
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(!CUitwisselVenster::ImporteerVCard(nullptr, map.filePath("weg.vcf")));
        QVERIFY(driver.WaitDone());
        QVERIFY(LastBox().text.contains("bestaat niet"));
        QCOMPARE(LastBox().type, UINT(MB_OK | MB_ICONSTOP));

        QFile bestand(map.filePath("kapot.vcf"));
        QVERIFY(bestand.open(QIODevice::WriteOnly));
        bestand.write("BEGIN:VCARD\nVERSION:2.2\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\n");
        bestand.close();
        driver.Queue(Answer(IDOK));
        QVERIFY(!CUitwisselVenster::ImporteerVCard(nullptr, bestand.fileName()));
        QVERIFY(driver.WaitDone());
        QVERIFY(LastBox().text.startsWith("Er kon niets uit het bestand worden gelezen"));
        QVERIFY(LastBox().text.contains("Kaart op regel 1: onbekende vCard-versie 2.2"));
        QVERIFY(LastBox().text.contains("Kaart op regel 5: de kaart eindigt niet"));

        driver.Queue(Answer(IDOK));
        QVERIFY(!CUitwisselVenster::ImporteerICal(nullptr, DataPad("vcard/libical-test.vcf")));
        QVERIFY(driver.WaitDone());
        QVERIFY(LastBox().text.contains("geen iCalendar-bestand"));
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 0);
        QCOMPARE(db.AppointmentScalar("SELECT count(*) FROM KalenderLijst").toInt(), 0);
    }

    // The file dialog is the desktop's own; what it returns is where the file goes, and an
    // export that cannot be written says so and leaves nothing behind.
    void exportThroughTheFileDialog() {
        TestDatabase db;
        db.Exec("INSERT INTO Relaties (szInLijst, szVolleNaam) VALUES ('Smit', 'Smit B.V.')");
        db.AppointmentExec("INSERT INTO KalenderLijst (szTekst, dtDatumTijdAlarm, bGemeld) "
                           "VALUES ('Overleg', '2030-01-02 10:00:00', 0)");
        QTemporaryDir map;
        const QString pad = map.filePath("uit.vcf");
        ModalDriver driver;
        driver.Queue([&](QWidget* modal) {
            auto* dialoog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialoog);
            dialoog->selectFile(pad);
            QMetaObject::invokeMethod(dialoog, "accept");
        });
        driver.Queue(Answer(IDOK));
        CUitwisselVenster::ExporteerVCard(nullptr, true);
        QVERIFY(driver.WaitDone());
        QCOMPARE(LastBox().text, QStringLiteral("1 kaarten geschreven naar %1.").arg(pad));
        QFile bestand(pad);
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        QVERIFY(bestand.readAll().contains("VERSION:3.0\r\nX-ADDRESSBOOKSERVER-KIND:org"));

        driver.Queue(Answer(IDOK));
        CUitwisselVenster::ExporteerICal(nullptr, map.filePath("geen/map/a.ics"));
        QVERIFY(driver.WaitDone());
        QVERIFY(LastBox().text.startsWith("Het bestand " + map.filePath("geen/map/a.ics") +
                                          " kan niet worden geschreven"));
        QVERIFY(!QFile::exists(map.filePath("geen/map/a.ics")));

        driver.Queue(Answer(IDOK));
        CUitwisselVenster::ExporteerCsv(nullptr, "relaties", map.filePath("r.csv"));
        QVERIFY(driver.WaitDone());
        QCOMPARE(LastBox().text, "1 regels geschreven naar " + map.filePath("r.csv") + ".");
        QCOMPARE(driver.Unexpected(), 0);
    }

    // A list from a spreadsheet is seen, and its columns chosen, before anything is stored.
    void csvImportShowsThePreviewFirst() {
        TestDatabase db;
        QTemporaryDir map;
        QFile bestand(map.filePath("klanten.csv"));
        QVERIFY(bestand.open(QIODevice::WriteOnly));
        bestand.write("Firma;Woonplaats;Kleur\nJansen;Delft;rood\nPietersen;Ede;blauw\n\"kapot\n");
        bestand.close();
        const auto beslis = [](QDialogButtonBox::StandardButton knop) {
            return [knop](QWidget* modal) {
                auto* dialoog = qobject_cast<CCsvVoorbeeldDlg*>(modal);
                QVERIFY(dialoog);
                auto* tabel = dialoog->findChild<QTableWidget*>("voorbeeld");
                auto* samenvatting = dialoog->findChild<QLabel*>("samenvatting");
                auto* kiezer = qobject_cast<QComboBox*>(tabel->cellWidget(0, 0));
                QCOMPARE(tabel->rowCount(), 3);
                QCOMPARE(tabel->item(2, 1)->text(), QString("Ede"));
                QCOMPARE(kiezer->currentText(), QString("(niet inlezen)"));
                QCOMPARE(qobject_cast<QComboBox*>(tabel->cellWidget(0, 1))->currentText(),
                         QString("Woonplaats"));
                QCOMPARE(samenvatting->text(), QString("0 relaties nieuw, 0 overgeslagen omdat ze "
                                                       "al bestaan, 3 regels niet leesbaar."));
                kiezer->setCurrentIndex(kiezer->findText("Naam"));
                QCOMPARE(samenvatting->text(), QString("2 relaties nieuw, 0 overgeslagen omdat ze "
                                                       "al bestaan, 1 regels niet leesbaar."));
                QCOMPARE(dialoog->findChild<QListWidget*>("fouten")->item(0)->text(),
                         QString("Regel 4: een aanhalingsteken wordt niet gesloten."));
                dialoog->findChild<QDialogButtonBox*>()->button(knop)->click();
            };
        };
        ModalDriver driver;
        driver.Queue(beslis(QDialogButtonBox::Cancel));
        QVERIFY(!CUitwisselVenster::ImporteerCsv(nullptr, false, bestand.fileName()));
        QVERIFY(driver.WaitDone());
        QCOMPARE(db.Scalar("SELECT count(*) FROM Relaties").toInt(), 0);
        driver.Queue(beslis(QDialogButtonBox::Ok));
        QVERIFY(CUitwisselVenster::ImporteerCsv(nullptr, false, bestand.fileName()));
        QVERIFY(driver.WaitDone());
        QCOMPARE(db.Scalar("SELECT group_concat(szInLijst || '/' || szBezoekWoonplaats) FROM "
                           "Relaties")
                     .toString(),
                 QString("Jansen/Delft,Pietersen/Ede"));
        QCOMPARE(driver.Unexpected(), 0);
    }
};

TOLVAR_TEST(UitwisselVensterTest);
#include "tst_UitwisselVenster.moc"
