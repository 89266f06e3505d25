#include "dialogs/PersoonLijstDlg.h"
#include "dialogs/RelatieLijstDlg.h"
#include "DialoogHulp.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/FontScale.h"
#include "platform/ui/MessageBox.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

// The relation and person pickers: which rows they offer, in which order, and how a row is
// chosen (double click or Enter; nothing selected does nothing).
class TestKeuzeLijsten : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    static QTreeWidget* Lijst(QWidget* dlg) { return dlg->findChild<QTreeWidget*>(); }

    static QStringList Kolom(QWidget* dlg, int kolom) {
        QStringList teksten;
        QTreeWidget* lijst = Lijst(dlg);
        for (int i = 0; i < lijst->topLevelItemCount(); ++i) {
            teksten << lijst->topLevelItem(i)->text(kolom);
        }
        return teksten;
    }

    void Relatie(const char* kort, const char* naam, int klant, int leverancier, int prive) {
        m_db->Exec(QStringLiteral("INSERT INTO Relaties (szInLijst, szVolleNaam, bKlantJaNee, "
                                  "bLeverancierJaNee, bPriveJaNee, szTelefoon) VALUES ('%1', "
                                  "'%2', %3, %4, %5, 'tel %1')")
                       .arg(kort, naam)
                       .arg(klant)
                       .arg(leverancier)
                       .arg(prive));
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        Relatie("Zwart", "Zwart en Zonen", 1, 1, 0);
        Relatie("Appel", "Appel BV", 1, 0, 0);
        Relatie("Mol", "Mol Leveranties", 0, 1, 0);
        Relatie("Prive", "Jan Prive", 0, 0, 1);
        Relatie("Niets", "Zonder soort", 0, 0, 0);
        m_db->Exec("INSERT INTO Personen (dwRelatieNummer, szVoorNaam, szAchterNaam) VALUES "
                   "(1, 'Piet', 'Zwart'), (2, '', 'Appel'), (3, 'Mies', 'Mol'), "
                   "(1, 'Kees', 'Bakker')");
        MessageBoxLog().clear();
    }
    void cleanup() { m_db.reset(); }

    void relatieFilters_data() {
        QTest::addColumn<int>("klanten");
        QTest::addColumn<int>("leveranciers");
        QTest::addColumn<int>("prive");
        QTest::addColumn<QStringList>("rijen");
        QTest::newRow("klanten") << 1 << 0 << 0 << QStringList{"Appel", "Zwart"};
        QTest::newRow("leveranciers") << 0 << 1 << 0 << QStringList{"Mol", "Zwart"};
        QTest::newRow("alle drie") << 1 << 1 << 1 << QStringList{"Appel", "Mol", "Prive", "Zwart"};
        QTest::newRow("geen") << 0 << 0 << 0 << QStringList{};
    }
    void relatieFilters() {
        QFETCH(int, klanten);
        QFETCH(int, leveranciers);
        QFETCH(int, prive);
        QFETCH(QStringList, rijen);
        QStringList getoond, koppen;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            getoond = Kolom(dlg, 0);
            koppen << Lijst(dlg)->headerItem()->text(1) << Lijst(dlg)->headerItem()->text(8);
            PressKey(dlg, Qt::Key_Escape);
        });
        CRelatieLijstDlg dlg;
        dlg.m_bKlanten = klanten;
        dlg.m_bLeveranciers = leveranciers;
        dlg.m_bPrive = prive;
        QCOMPARE(dlg.DoModal(), int(IDCANCEL));
        QCOMPARE(getoond, rijen);
        QCOMPARE(koppen, (QStringList{"Voledige naam", "Email"}));
    }

    void relatieKiezenMetDubbelklik() {
        ModalDriver driver;
        driver.Queue([](QWidget* dlg) {
            QTreeWidget* lijst = Lijst(dlg);
            QTreeWidgetItem* rij = lijst->topLevelItem(1);
            lijst->setCurrentItem(rij);
            emit lijst->itemDoubleClicked(rij, 0);
        });
        CRelatieLijstDlg dlg;
        dlg.m_bKlanten = TRUE;
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QCOMPARE(dlg.m_lGekozenRelatie, 1);
        QCOMPARE(dlg.m_strGekozenKort, "Zwart");
        QCOMPARE(dlg.m_strGekozenNaam, "Zwart en Zonen");
    }

    void enterZonderSelectieDoetNiets() {
        bool nogOpen = false;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            Lijst(dlg)->setFocus();
            Lijst(dlg)->clearSelection();
            PressKey(dlg, Qt::Key_Return);
            emit Lijst(dlg)->itemDoubleClicked(nullptr, 0);
            nogOpen = dlg->isVisible();
            PressKey(dlg, Qt::Key_Escape);
        });
        CRelatieLijstDlg dlg;
        dlg.m_bLeveranciers = TRUE;
        QCOMPARE(dlg.DoModal(), int(IDCANCEL));
        QVERIFY(nogOpen);
        QCOMPARE(dlg.m_lGekozenRelatie, 0);
    }

    void persoonKiezenMetEnter() {
        QStringList getoond;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            getoond = Kolom(dlg, 0);
            QTreeWidget* lijst = Lijst(dlg);
            lijst->setFocus();
            lijst->setCurrentItem(lijst->topLevelItem(0));
            PressKey(dlg, Qt::Key_Return);
        });
        CPersoonLijstDlg dlg;
        QCOMPARE(dlg.m_lFilterRelatie, -1);
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QCOMPARE(getoond, (QStringList{"Appel", "Bakker", "Mol", "Zwart"}));
        // A person without a first name comes back as a blank and the last name.
        QCOMPARE(dlg.m_strGekozenPersoon, " Appel");
        QCOMPARE(dlg.m_lGekozenPersoon, 2);
    }

    void persoonFilterOpRelatie() {
        QList<QStringList> getoond;
        ModalDriver driver;
        for (int i = 0; i < 2; ++i) {
            driver.Queue([&](QWidget* dlg) {
                getoond << Kolom(dlg, 1);
                PressKey(dlg, Qt::Key_Escape);
            });
        }
        CPersoonLijstDlg vanZwart;
        vanZwart.m_lFilterRelatie = 1;
        vanZwart.DoModal();
        CPersoonLijstDlg zonderPersonen;
        zonderPersonen.m_lFilterRelatie = 4;
        zonderPersonen.DoModal();
        QCOMPARE(getoond.size(), 2);
        QCOMPARE(QSet<QString>(getoond[0].begin(), getoond[0].end()),
                 (QSet<QString>{"Piet", "Kees"}));
        QVERIFY(getoond[1].isEmpty());
    }

    void lijstGroeitMetDialoog() {
        QSize voor, na;
        int breedte = 0, ontwerp = -1;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            voor = Lijst(dlg)->size();
            dlg->resize(dlg->width() + 200, dlg->height() + 100);
            QTest::qWait(50);
            na = Lijst(dlg)->size();
            breedte = Lijst(dlg)->header()->sectionSize(0);
            ontwerp = ScaleToFont(100, Lijst(dlg)->font());
            PressKey(dlg, Qt::Key_Escape);
        });
        CPersoonLijstDlg dlg;
        dlg.DoModal();
        QCOMPARE(na, voor + QSize(200, 100));
        QCOMPARE(breedte, ontwerp);
    }
};

TOLVAR_TEST(TestKeuzeLijsten);
#include "tst_KeuzeLijsten.moc"
