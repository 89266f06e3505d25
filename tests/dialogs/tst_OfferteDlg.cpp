#include "dialogs/OfferteDlg.h"
#include "DialoogHulp.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/MessageBox.h"
#include "store/RecOfferte.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"
#include "TestBureaublad.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QTest>
#include <QTreeWidget>

// The quotation dialog driven for real on quotation rows: its status workflow, the pickers,
// the document kind box, "&Edit Doc", the OK check, and what Cancel leaves behind.
class TestOfferteDlg : public QObject {
    Q_OBJECT

    using Ids = COfferteDlg;
    static constexpr DocumentIds kIds = COfferteDlg::kIds;

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CRecOfferte> m_rec;

    // A quotation as number 1, with a relation number and a status.
    void Offerte(int relatie, int status, const QString& soort = "Text document") {
        m_db->Exec(QStringLiteral("INSERT INTO Offertes (dwRelatieNummer, dtCreateDatum, "
                                  "dtModificatieDatum, dtVervalDatum, dwStatusOfferte, "
                                  "szDocument, szKontaktPersoon, szInLijst, dwSoortDocument) "
                                  "VALUES (%1, '2002-01-02 03:04:05', '2002-02-03 04:05:06', "
                                  "'2002-03-04 00:00:00', %2, '/geen/offerte.xls', 'Piet Zwart', "
                                  "'Offerte Zwart', NULLIF('%3', ''))")
                       .arg(relatie)
                       .arg(status)
                       .arg(soort));
    }

    // Edits quotation 1; the last edit of a test checks that every queued action ran.
    int Wijzig(ModalDriver& driver, bool laatste = true) {
        m_rec->Selecteer(SEL_NUMMER, 1);
        m_rec->Volgende();
        const int result = m_rec->WijzigRecord();
        if (laatste) {
            [&] { QVERIFY(driver.WaitDone()); }();
        }
        [&] { QCOMPARE(driver.Unexpected(), 0); }();
        return result;
    }

    QString Rij() {
        return m_db
            ->Scalar("SELECT dwRelatieNummer || dtCreateDatum || dtModificatieDatum || "
                     "dtVervalDatum || dwStatusOfferte || szDocument || szKontaktPersoon "
                     "|| szInLijst || dwSoortDocument FROM Offertes")
            .toString();
    }

    static QList<bool> Knoppen(QWidget* dlg) {
        return {Aan(dlg, Ids::IDC_VERSTUURD), Aan(dlg, Ids::IDC_POSITIEF),
                Aan(dlg, Ids::IDC_VERVALLEN), Aan(dlg, kIds.relatieKiezen)};
    }

    static void KiesEersteRij(QWidget* picker) {
        auto* lijst = picker->findChild<QTreeWidget*>();
        lijst->setFocus();
        lijst->setCurrentItem(lijst->topLevelItem(0));
        PressKey(picker, Qt::Key_Return);
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec("INSERT INTO Relaties (szInLijst, szVolleNaam, bKlantJaNee) VALUES "
                   "('Zwart', 'Zwart en Zonen', 1), ('Mol', 'Mol Leveranties', 0), "
                   "('Appel', 'Appel BV', 1)");
        m_db->Exec("INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam) VALUES "
                   "(1, 'Piet', 'Zwart'), (2, 'Mies', 'Mol'), (3, 'Anna', 'Appel')");
        m_rec = std::make_unique<CRecOfferte>();
        MessageBoxLog().clear();
    }
    void cleanup() {
        m_rec.reset();
        m_db.reset();
    }

    void nieuweOfferteZonderRelatie() {
        m_rec->NieuwRecord();
        QList<bool> knoppen;
        QStringList teksten;
        int soortIndex = 0;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            knoppen = Knoppen(dlg);
            for (int id :
                 {int(Ids::IDC_STATUS), kIds.omschrijving, kIds.document, kIds.soortDocument,
                  kIds.kontaktPersoon, kIds.relatie, kIds.relatieKort}) {
                teksten << ControlText(dlg, id);
            }
            soortIndex =
                qobject_cast<QComboBox*>(GetDlgItem(dlg, kIds.soortDocument))->currentIndex();
            KlikStraks(dlg, IDOK);
        });
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDCANCEL); });
        QCOMPARE(Wijzig(driver), 0);
        QCOMPARE(knoppen, (QList<bool>{true, false, false, true}));
        QCOMPARE(teksten, (QStringList{"Te versturen", "<Nieuwe Offerte>", "<Document>",
                                       "<Type Document>", "<Kontakt Persoon>", "", ""}));
        QCOMPARE(soortIndex, -1);
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(MessageBoxLog()[0].text, "Er is geen relatie aan deze offerte gekoppeld");
        QCOMPARE(MessageBoxLog()[0].caption, "Let Op");
        QCOMPARE(MessageBoxLog()[0].type, MB_OK | MB_ICONINFORMATION);
    }

    void relatieKiezenEnHeropenen() {
        Offerte(0, 0);
        QStringList gekozen, heropend;
        bool knopNaKeuze = false, knopHeropend = true;
        int aantal = 0;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, kIds.relatieKiezen); });
        driver.Queue([&](QWidget* picker) {
            aantal = picker->findChild<QTreeWidget*>()->topLevelItemCount();
            KiesEersteRij(picker);
        });
        driver.Queue([&](QWidget* dlg) {
            gekozen << ControlText(dlg, kIds.relatie) << ControlText(dlg, kIds.relatieKort);
            knopNaKeuze = Aan(dlg, kIds.relatieKiezen);
            ClickButton(dlg, IDOK);
        });
        driver.Queue([&](QWidget* dlg) {
            heropend << ControlText(dlg, kIds.relatie) << ControlText(dlg, kIds.relatieKort);
            knopHeropend = Aan(dlg, kIds.relatieKiezen);
            ClickButton(dlg, IDCANCEL);
        });
        QCOMPARE(Wijzig(driver, false), 1);
        QCOMPARE(Wijzig(driver), 0);
        QCOMPARE(aantal, 2); // customers only
        QCOMPARE(gekozen, (QStringList{"Appel BV", "Appel"}));
        QVERIFY(knopNaKeuze);
        QCOMPARE(heropend, gekozen);
        QVERIFY(!knopHeropend);
        QCOMPARE(m_db->Scalar("SELECT dwRelatieNummer FROM Offertes").toInt(), 3);
    }

    void statusStapBevestigdDanAnnuleer() {
        Offerte(1, 0);
        const QString voor = Rij();
        QList<bool> knoppen;
        QString status;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, kIds.omschrijving, "Nieuwe titel");
            KlikStraks(dlg, Ids::IDC_VERSTUURD);
        });
        driver.Queue(Answer(IDOK));
        driver.Queue([&](QWidget* dlg) {
            knoppen = Knoppen(dlg);
            status = ControlText(dlg, Ids::IDC_STATUS);
            ClickButton(dlg, IDCANCEL);
        });
        m_rec->m_bStatusGewijzigd = 0;
        QCOMPARE(Wijzig(driver), 0);
        QCOMPARE(status, "Is verstuurd");
        QCOMPARE(knoppen, (QList<bool>{false, true, true, false}));
        QCOMPARE(MessageBoxLog()[0].text,
                 "Offertestatus wijzigen van\nTe versturen naar Verstuurd");
        QCOMPARE(MessageBoxLog()[0].caption, "Status Wijzigen");
        QCOMPARE(MessageBoxLog()[0].type, MB_OKCANCEL | MB_ICONINFORMATION);
        QCOMPARE(Rij(), voor);
        QCOMPARE(m_rec->m_bStatusGewijzigd, 0);
    }

    void tweeStappenEnOk() {
        Offerte(1, 0);
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, kIds.omschrijving, "Verstuurde titel");
            KlikStraks(dlg, Ids::IDC_VERSTUURD);
        });
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, Ids::IDC_VERVALLEN); });
        driver.Queue(Answer(IDOK));
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(m_rec->m_bStatusGewijzigd, 1);
        QCOMPARE(m_db->Scalar("SELECT dwStatusOfferte FROM Offertes").toInt(), 3);
        QCOMPARE(m_db->Scalar("SELECT szInLijst FROM Offertes").toString(), "Verstuurde titel");
        QCOMPARE(MessageBoxLog()[1].type, MB_OKCANCEL | MB_ICONSTOP);
        QCOMPARE(MessageBoxLog()[1].text,
                 "Offertestatus wijzigen van\nIs Verstuurd naar Vervallen");
    }

    void afgewezenBevestiging() {
        Offerte(1, 1);
        QList<bool> knoppen;
        QString status;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, Ids::IDC_POSITIEF); });
        driver.Queue(Answer(IDCANCEL));
        driver.Queue([&](QWidget* dlg) {
            knoppen = Knoppen(dlg);
            status = ControlText(dlg, Ids::IDC_STATUS);
            ClickButton(dlg, IDOK);
        });
        m_rec->m_bStatusGewijzigd = 1;
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(m_rec->m_bStatusGewijzigd, 0);
        QCOMPARE(status, "Is verstuurd");
        QCOMPARE(knoppen, (QList<bool>{false, true, true, false}));
        QCOMPARE(m_db->Scalar("SELECT dwStatusOfferte FROM Offertes").toInt(), 1);
    }

    void eindStatus_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("positief") << 2 << "Positief";
        QTest::newRow("vervallen") << 3 << "Vervallen";
    }
    void eindStatus() {
        QFETCH(int, status);
        QFETCH(QString, tekst);
        Offerte(0, status);
        QList<bool> knoppen;
        QString getoond;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            knoppen = Knoppen(dlg);
            getoond = ControlText(dlg, Ids::IDC_STATUS);
            ClickButton(dlg, IDCANCEL);
        });
        Wijzig(driver);
        QCOMPARE(knoppen, (QList<bool>{false, false, false, false}));
        QCOMPARE(getoond, tekst);
    }

    void persoonKiezerZonderRelatieToontIedereen() {
        Offerte(0, 0);
        const QString voor = Rij();
        int aantal = 0;
        QString kontakt;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, kIds.persoonKiezen); });
        driver.Queue([&](QWidget* picker) {
            aantal = picker->findChild<QTreeWidget*>()->topLevelItemCount();
            KiesEersteRij(picker);
        });
        driver.Queue([&](QWidget* dlg) {
            kontakt = ControlText(dlg, kIds.kontaktPersoon);
            ClickButton(dlg, IDCANCEL);
        });
        QCOMPARE(Wijzig(driver), 0);
        QCOMPARE(aantal, 3);
        QCOMPARE(kontakt, "Anna Appel");
        QCOMPARE(Rij(), voor);
    }

    void documentKiezen() {
        Offerte(1, 0);
        QTemporaryDir map;
        const QString pad = map.filePath("calculatie.txt");
        QFile(pad).open(QIODevice::WriteOnly);
        QStringList teksten;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, kIds.documentKiezen); });
        driver.Queue([](QWidget* kiezer) { qobject_cast<QDialog*>(kiezer)->reject(); });
        driver.Queue([&](QWidget* dlg) {
            teksten << ControlText(dlg, kIds.document);
            KlikStraks(dlg, kIds.documentKiezen);
        });
        driver.Queue([&](QWidget* kiezer) {
            auto* fd = qobject_cast<QFileDialog*>(kiezer);
            fd->setDirectory(map.path());
            fd->selectFile(pad);
            static_cast<QDialog*>(fd)->accept();
        });
        driver.Queue([&](QWidget* dlg) {
            teksten << ControlText(dlg, kIds.document);
            ClickButton(dlg, IDOK);
        });
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(teksten, (QStringList{"/geen/offerte.xls", pad}));
        QCOMPARE(m_db->Scalar("SELECT szDocument FROM Offertes").toString(), pad);
    }

    void soortDocument_data() {
        QTest::addColumn<QString>("opgeslagen");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("getoond");
        QTest::newRow("precies") << "Text document" << 3 << "Text document";
        QTest::newRow("begin, hoofdletters genegeerd") << "text" << 3 << "Text document";
        QTest::newRow("eerste die past") << "microsoft" << 0 << "Microsoft Exel document";
        QTest::newRow("plaatshouder") << "<Type Document>" << -1 << "<Type Document>";
        QTest::newRow("vrije tekst") << "Eigen soort" << -1 << "Eigen soort";
        QTest::newRow("leeg") << "" << -1 << "";
    }
    void soortDocument() {
        QFETCH(QString, opgeslagen);
        QFETCH(int, index);
        QFETCH(QString, getoond);
        Offerte(1, 0, opgeslagen);
        int gevonden = -2;
        QString tekst;
        QStringList lijst;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            auto* soort = qobject_cast<QComboBox*>(GetDlgItem(dlg, kIds.soortDocument));
            gevonden = soort->currentIndex();
            tekst = soort->currentText();
            for (int i = 0; i < soort->count(); ++i) {
                lijst << soort->itemText(i);
            }
            ClickButton(dlg, IDOK);
        });
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(gevonden, index);
        QCOMPARE(tekst, getoond);
        QCOMPARE(lijst,
                 (QStringList{"Microsoft Exel document", "Microsoft Word Document",
                              "Microsoft Access Document", "Text document",
                              "Autodesk Autocad document", "Paint Document", "HTML pagina"}));
        const QVariant bewaard = m_db->Scalar("SELECT dwSoortDocument FROM Offertes");
        QCOMPARE(bewaard.toString(), getoond);
        QCOMPARE(bewaard.isNull(), getoond.isEmpty());
    }

    void editDocOpentOpgeslagenPad() {
        TestBureaublad bureaublad;
        QTemporaryDir map;
        const QString pad = map.filePath("offerte.txt");
        QFile(pad).open(QIODevice::WriteOnly);
        Offerte(1, 0);
        m_db->Exec(QStringLiteral("UPDATE Offertes SET szDocument = '%1'").arg(pad));
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            SetControlText(dlg, kIds.document, map.filePath("getypt.txt"));
            ClickButton(dlg, kIds.editDoc);
            ClickButton(dlg, IDCANCEL);
        });
        QCOMPARE(Wijzig(driver), 0);
        QVERIFY(bureaublad.WachtOp("xdg-open", 1));
        QCOMPARE(bureaublad.Aanroepen("xdg-open"), QStringList{pad});
        QCOMPARE(m_db->Scalar("SELECT szDocument FROM Offertes").toString(), pad);
    }

    void annuleerNaAlleKnoppen() {
        Offerte(0, 0);
        const QString voor = Rij();
        QString verval;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, kIds.relatieKiezen); });
        driver.Queue([](QWidget* picker) { KiesEersteRij(picker); });
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, kIds.persoonKiezen); });
        driver.Queue([](QWidget* picker) { KiesEersteRij(picker); });
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, Ids::IDC_VERVAL_KNOP); });
        driver.Queue([](QWidget* kalender) { ClickButton(kalender, IDOK); });
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, Ids::IDC_VERSTUURD); });
        driver.Queue(Answer(IDOK));
        driver.Queue([&](QWidget* dlg) {
            verval = ControlText(dlg, Ids::IDC_VERVALDATUM);
            SetControlText(dlg, kIds.omschrijving, "weg");
            SetControlText(dlg, kIds.soortDocument, "weg");
            ClickButton(dlg, IDCANCEL);
        });
        QCOMPARE(Wijzig(driver), 0);
        QCOMPARE(verval, QLocale().toString(QDate(1999, 9, 26), QLocale::ShortFormat));
        QCOMPARE(Rij(), voor);
    }

    void vervalDatumBewaard() {
        Offerte(1, 0);
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, Ids::IDC_VERVAL_KNOP); });
        driver.Queue([](QWidget* kalender) { ClickButton(kalender, IDOK); });
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
        const QString voor = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(m_db->Scalar("SELECT dtVervalDatum FROM Offertes").toString(),
                 "1999-09-26 00:00:00");
        QVERIFY(m_db->Scalar("SELECT dtModificatieDatum FROM Offertes").toString() >= voor);
        QCOMPARE(m_db->Scalar("SELECT dtCreateDatum FROM Offertes").toString(),
                 "2002-01-02 03:04:05");
    }

    void verdwenenRelatieEnNulls() {
        m_db->Exec("INSERT INTO Offertes (dwRelatieNummer, szInLijst) VALUES (99, 'Titel')");
        QStringList teksten;
        bool knop = true;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            for (int id : {kIds.relatie, kIds.relatieKort, kIds.document, kIds.soortDocument,
                           kIds.kontaktPersoon, kIds.creatieDatum, int(Ids::IDC_VERVALDATUM)}) {
                teksten << ControlText(dlg, id);
            }
            knop = Aan(dlg, kIds.relatieKiezen);
            SetControlText(dlg, kIds.omschrijving, "");
            ClickButton(dlg, IDOK);
        });
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(teksten, QStringList(7, QString()));
        QVERIFY(!knop);
        QVERIFY(m_db->Scalar("SELECT szInLijst FROM Offertes").isNull());
        QVERIFY(m_db->Scalar("SELECT szDocument FROM Offertes").isNull());
        QVERIFY(m_db->Scalar("SELECT dtCreateDatum FROM Offertes").isNull());
        QCOMPARE(m_db->Scalar("SELECT dwRelatieNummer FROM Offertes").toInt(), 99);
    }
};

TOLVAR_TEST(TestOfferteDlg);
#include "tst_OfferteDlg.moc"
