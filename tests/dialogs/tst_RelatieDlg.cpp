#include "dialogs/RelatieDlg.h"
#include "DialoogHulp.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/MessageBox.h"
#include "store/RecRelatie.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"
#include "TestBureaublad.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QUrl>

// The relation dialog on a real relation row: the home-page test, the kind-change flag, the
// actions on unsaved box texts, and what OK and Cancel leave in the database.
class TestRelatieDlg : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    static constexpr const char* kRij =
        "INSERT INTO Relaties (dtModificatie, bKlantJaNee, bLeverancierJaNee, bPriveJaNee, "
        "szInLijst, szVolleNaam, szBezoekStraat, szBezoekNummer, szBezoekPostcode, "
        "szBezoekWoonplaats, szTelefoon, szTeleFax, szEmailAdres, szHomePage, szBtwNummer, "
        "szAfleverStraat, szAfleverNummer, szAfleverPostcode, szAfleverPlaats, "
        "memAlgemeneMemo, szPostBus) VALUES ('2001-02-03 04:05:06', 1, 0, 0, 'Jansen', "
        "'Bakkerij Jansen', 'Dorpsstraat', '12', '1234 AB', 'Ede', '0318-123456', "
        "'0318-654321', 'info@jansen.nl', '%1', 'NL001', 'Kade', '3', '4321 BA', 'Wageningen', "
        "'Goede klant', 'Postbus 7')";

    // Runs the relation's edit with the queued actions; answers WijzigRecord's result.
    int Wijzig(CRecRelatie& rec, ModalDriver& driver) {
        rec.Selecteer(SEL_NUMMER, 1);
        rec.Volgende();
        const int result = rec.WijzigRecord();
        [&] { QVERIFY(driver.WaitDone()); }();
        return result;
    }

    QString Rij() {
        return m_db
            ->Scalar("SELECT quote(dtModificatie) || bKlantJaNee || bLeverancierJaNee || "
                     "bPriveJaNee || szInLijst || szVolleNaam || szBezoekStraat || "
                     "szBezoekNummer || szBezoekPostcode || szBezoekWoonplaats || "
                     "szTelefoon || szTeleFax || szEmailAdres || szHomePage || "
                     "szBtwNummer || szAfleverStraat || szAfleverNummer || "
                     "szAfleverPostcode || szAfleverPlaats || memAlgemeneMemo || "
                     "szPostBus FROM Relaties WHERE lRelatieNummer = 1")
            .toString();
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec(QString::fromLatin1(kRij).arg("www.jansen.nl"));
        MessageBoxLog().clear();
    }
    void cleanup() { m_db.reset(); }

    void homepageTest() {
        const QStringList teksten = {"www.a",
                                     "www.",
                                     "WWW.A",
                                     "Www.jansen.nl",
                                     "jansen.nl",
                                     "https://www.jansen.nl",
                                     "",
                                     "ab www. cd",
                                     "wWw.jansen.nl"};
        const QList<bool> verwacht = {true, false, true, false, false, true, false, true, false};
        QList<bool> test, knop;
        bool bijOpenen = false;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            bijOpenen = Aan(dlg, CRelatieDlg::IDC_HOMEPAGE_KNOP);
            for (const QString& tekst : teksten) {
                SetControlText(dlg, CRelatieDlg::IDC_HOMEPAGE, tekst);
                test << static_cast<CRelatieDlg*>(dlg)->IsHomepage();
                knop << Aan(dlg, CRelatieDlg::IDC_HOMEPAGE_KNOP);
            }
            ClickButton(dlg, IDCANCEL);
        });
        CRecRelatie rec;
        QCOMPARE(Wijzig(rec, driver), 0);
        QVERIFY(bijOpenen);
        QCOMPARE(test, verwacht);
        QCOMPARE(knop, verwacht);
    }

    void homepageFaaltBijOpenen() {
        m_db->Exec("UPDATE Relaties SET szHomePage = 'jansen.nl'");
        bool aan = true;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            aan = Aan(dlg, CRelatieDlg::IDC_HOMEPAGE_KNOP);
            ClickButton(dlg, IDCANCEL);
        });
        CRecRelatie rec;
        Wijzig(rec, driver);
        QVERIFY(!aan);
    }

    void homepageOpentGetypteTekst() {
        TestBureaublad bureaublad;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            SetControlText(dlg, CRelatieDlg::IDC_HOMEPAGE, "http://www.bakker.nl/");
            ClickButton(dlg, CRelatieDlg::IDC_HOMEPAGE_KNOP);
            ClickButton(dlg, IDCANCEL);
        });
        CRecRelatie rec;
        Wijzig(rec, driver);
        QVERIFY(bureaublad.WachtOp("xdg-open", 1));
        QCOMPARE(bureaublad.Aanroepen("xdg-open"), QStringList{"http://www.bakker.nl/"});
        QVERIFY(MessageBoxLog().empty());
    }

    void soortGewijzigd_data() {
        QTest::addColumn<QList<int>>("kliks");
        QTest::addColumn<int>("vlag");
        QTest::newRow("geen") << QList<int>{} << 0;
        QTest::newRow("klant uit en aan") << QList<int>{1014, 1014} << 0;
        QTest::newRow("alleen prive") << QList<int>{1016} << 0;
        QTest::newRow("leverancier") << QList<int>{1015} << 1;
        QTest::newRow("klant") << QList<int>{1014} << 1;
    }
    void soortGewijzigd() {
        QFETCH(QList<int>, kliks);
        QFETCH(int, vlag);
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            for (int id : kliks) {
                ClickButton(dlg, id);
            }
            ClickButton(dlg, IDOK);
        });
        CRecRelatie rec;
        rec.m_bSoortGewijzigd = 1;
        QCOMPARE(Wijzig(rec, driver), 1);
        QCOMPARE(rec.m_bSoortGewijzigd, vlag);
    }

    void annuleerLaatAllesStaan() {
        const QString voor = Rij();
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            for (int id = 1012; id <= 1031; ++id) {
                if (qobject_cast<QLineEdit*>(GetDlgItem(dlg, id))) {
                    SetControlText(dlg, id, "gewijzigd");
                }
            }
            ClickButton(dlg, CRelatieDlg::IDC_KLANT);
            ClickButton(dlg, CRelatieDlg::IDC_PRIVE);
            ClickButton(dlg, IDCANCEL);
        });
        CRecRelatie rec;
        rec.m_bSoortGewijzigd = 1;
        QCOMPARE(Wijzig(rec, driver), 0);
        QCOMPARE(rec.m_bSoortGewijzigd, 0);
        QCOMPARE(Rij(), voor);
    }

    void okBewaartMetModificatieDatum() {
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            SetControlText(dlg, CRelatieDlg::IDC_INLIJST, "Jansen BV");
            SetControlText(dlg, CRelatieDlg::IDC_POSTBUS, "");
            SetControlText(dlg, CRelatieDlg::IDC_MEMO, "");
            ClickButton(dlg, IDOK);
        });
        const QDateTime voor = QDateTime::currentDateTime().addSecs(-1);
        CRecRelatie rec;
        QCOMPARE(Wijzig(rec, driver), 1);
        QCOMPARE(m_db->Scalar("SELECT szInLijst FROM Relaties").toString(), "Jansen BV");
        QVERIFY(m_db->Scalar("SELECT szPostBus FROM Relaties").isNull());
        QVERIFY(m_db->Scalar("SELECT memAlgemeneMemo FROM Relaties").isNull());
        QCOMPARE(m_db->Scalar("SELECT szBtwNummer FROM Relaties").toString(), "NL001");
        const QDateTime gewijzigd = QDateTime::fromString(
            m_db->Scalar("SELECT dtModificatie FROM Relaties").toString(), "yyyy-MM-dd HH:mm:ss");
        QVERIFY(gewijzigd >= voor && gewijzigd <= QDateTime::currentDateTime());
    }

    void nullsTonenLeeg() {
        m_db->Exec("DELETE FROM Relaties; INSERT INTO Relaties (lRelatieNummer) VALUES (1)");
        QStringList teksten;
        bool aangevinkt = true;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            for (auto* edit : dlg->findChildren<QLineEdit*>()) {
                if (GetCtrlId(edit) != CRelatieDlg::IDC_RELATIENUMMER) {
                    teksten << edit->text();
                }
            }
            aangevinkt = false;
            for (auto* box : dlg->findChildren<QCheckBox*>()) {
                aangevinkt = aangevinkt || box->isChecked();
            }
            ClickButton(dlg, IDOK);
        });
        CRecRelatie rec;
        QCOMPARE(Wijzig(rec, driver), 1);
        QCOMPARE(teksten.join(QString()), QString());
        QCOMPARE(teksten.size(), 18);
        QVERIFY(!aangevinkt);
        QVERIFY(m_db->Scalar("SELECT szVolleNaam FROM Relaties").isNull());
        QCOMPARE(m_db->Scalar("SELECT bKlantJaNee FROM Relaties").toInt(), 0);
    }

    void bellenEnEmailGebruikenGetypteTekst() {
        TestBureaublad bureaublad;
        TestModem modem;
        const QString voor = Rij();
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            SetControlText(dlg, CRelatieDlg::IDC_TELEFOON, "0201234567");
            SetControlText(dlg, CRelatieDlg::IDC_VOLLENAAM, "Nieuwe Naam");
            SetControlText(dlg, CRelatieDlg::IDC_EMAILADRES, "nieuw@bakker.nl");
            ClickButton(dlg, CRelatieDlg::IDC_EMAIL);
            KlikStraks(dlg, CRelatieDlg::IDC_BELLEN);
        });
        driver.Queue([](QWidget*) {}); // the dialer ends by itself once the modem answered
        driver.Queue([&](QWidget* dlg) { ClickButton(dlg, IDCANCEL); });
        CRecRelatie rec;
        QCOMPARE(Wijzig(rec, driver), 0);
        QVERIFY2(modem.Ontvangen().contains("atdt0201234567;\r"), modem.Ontvangen().constData());
        QVERIFY(bureaublad.WachtOp("xdg-email", 1));
        const QString mail =
            QUrl::fromPercentEncoding(bureaublad.Aanroepen("xdg-email")[0].toUtf8());
        QCOMPARE(mail, "mailto:\"Nieuwe Naam\" <nieuw@bakker.nl>?subject=Onderwerp:"
                       "&body=Volgende versie via ingebouwde editor");
        QCOMPARE(Rij(), voor);
    }
};

TOLVAR_TEST(TestRelatieDlg);
#include "tst_RelatieDlg.moc"
