#include "dialogs/PersoonDlg.h"
#include "DialoogHulp.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/MessageBox.h"
#include "store/RecPersoon.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"
#include "TestBureaublad.h"

#include <QTest>
#include <QUrl>

// The person dialog: each dial button dials its own box as typed, Mail builds the display
// name from the boxes, and Cancel stores none of it.
class TestPersoonDlg : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    int Wijzig(ModalDriver& driver) {
        CRecPersoon rec;
        rec.Selecteer(SEL_NUMMER, 1);
        rec.Volgende();
        const int result = rec.WijzigRecord();
        [&] { QVERIFY(driver.WaitDone()); }();
        return result;
    }

    QString Rij() {
        return m_db
            ->Scalar("SELECT dwRelatieNummer || '|' || szVoorNaam || szAchterNaam || "
                     "szTelefoon || szAutoTelefoon || szTelefax || szEmail || szAfdeling "
                     "|| quote(szFunctie) FROM Personen")
            .toString();
    }

    QString Mail(const TestBureaublad& bureaublad, int n) {
        [&] { QVERIFY(bureaublad.WachtOp("xdg-email", n)); }();
        return QUrl::fromPercentEncoding(bureaublad.Aanroepen("xdg-email").value(n - 1).toUtf8());
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec("INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam, szTelefoon, "
                   "szAutoTelefoon, szTelefax, szEmail, szAfdeling) VALUES (7, 'Piet', 'Jansen', "
                   "'0318-1', '06-1', '0318-2', 'piet@jansen.nl', 'Inkoop')");
    }
    void cleanup() { m_db.reset(); }

    void nieuwePersoonToontPlaatshouders() {
        m_db->Exec("DELETE FROM Personen");
        CRecPersoon nieuw;
        nieuw.NieuwRecord(7);
        QStringList teksten;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            for (int id : {1009, 1011, 1012, 1013, 1010, 1014, 1015, 1016}) {
                teksten << ControlText(dlg, id);
            }
            ClickButton(dlg, IDOK);
        });
        QCOMPARE(nieuw.WijzigRecord(), 1);
        QVERIFY(driver.WaitDone());
        QCOMPARE(teksten.mid(0, 4), (QStringList{"<Voornaam>", "<Achternaam>", "", "<Afdeling>"}));
        QVERIFY(m_db->Scalar("SELECT szFunctie FROM Personen").isNull());
        QCOMPARE(m_db->Scalar("SELECT szVoorNaam FROM Personen").toString(), "<Voornaam>");
    }

    void okBewaartEnLegeBoxWordtNull() {
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CPersoonDlg::IDC_FUNCTIE, "Inkoper");
            SetControlText(dlg, CPersoonDlg::IDC_AFDELING, "");
            ClickButton(dlg, IDOK);
        });
        QCOMPARE(Wijzig(driver), 1);
        QCOMPARE(m_db->Scalar("SELECT szFunctie FROM Personen").toString(), "Inkoper");
        QVERIFY(m_db->Scalar("SELECT szAfdeling FROM Personen").isNull());
        QCOMPARE(m_db->Scalar("SELECT dwRelatieNummer FROM Personen").toInt(), 7);
    }

    void belknoppenGebruikenHunEigenBox() {
        TestModem modem;
        const QString voor = Rij();
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CPersoonDlg::IDC_TELEFOON, "0301111");
            SetControlText(dlg, CPersoonDlg::IDC_AUTOTELEFOON, "0612345678");
            KlikStraks(dlg, CPersoonDlg::IDC_BEL_AUTO);
        });
        driver.Queue([](QWidget*) {});
        driver.Queue([](QWidget* dlg) { KlikStraks(dlg, CPersoonDlg::IDC_BEL); });
        driver.Queue([](QWidget*) {});
        driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDCANCEL); });
        QCOMPARE(Wijzig(driver), 0);
        const QByteArray ontvangen = modem.Ontvangen();
        const qsizetype auto_ = ontvangen.indexOf("atdt0612345678;\r");
        QVERIFY2(auto_ >= 0, ontvangen.constData());
        QVERIFY2(ontvangen.indexOf("atdt0301111;\r") > auto_, ontvangen.constData());
        QCOMPARE(Rij(), voor);
    }

    void mailNamen() {
        TestBureaublad bureaublad;
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            SetControlText(dlg, CPersoonDlg::IDC_VOORNAAM, "Klaas");
            ClickButton(dlg, CPersoonDlg::IDC_MAIL);
            SetControlText(dlg, CPersoonDlg::IDC_VOORNAAM, "");
            ClickButton(dlg, CPersoonDlg::IDC_MAIL);
            SetControlText(dlg, CPersoonDlg::IDC_ACHTERNAAM, "");
            SetControlText(dlg, CPersoonDlg::IDC_EMAIL, "");
            ClickButton(dlg, CPersoonDlg::IDC_MAIL);
            ClickButton(dlg, IDCANCEL);
        });
        QCOMPARE(Wijzig(driver), 0);
        const QString einde = "?subject=Onderwerp:&body=Volgende versie via ingebouwde editor";
        QCOMPARE(Mail(bureaublad, 1), "mailto:\"Klaas Jansen\" <piet@jansen.nl>" + einde);
        QCOMPARE(Mail(bureaublad, 2), "mailto:\" Jansen\" <piet@jansen.nl>" + einde);
        // An empty address still opens the composer, for the user to fill in.
        QCOMPARE(Mail(bureaublad, 3), "mailto:" + einde);
        QCOMPARE(m_db->Scalar("SELECT szVoorNaam FROM Personen").toString(), "Piet");
    }
};

TOLVAR_TEST(TestPersoonDlg);
#include "tst_PersoonDlg.moc"
