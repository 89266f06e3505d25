#include "support/BestandVraag.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/AchtergrondControle.h"
#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TerugzetDlg.h"
#include "app/TolvarApp.h"
#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "store/DatabasePath.h"
#include "store/ReserveKopieen.h"
#include "support/ModalDriver.h"
#include "workspace/TolvarView.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QByteArray HashOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

QStringList CopiesIn(const QString& map) {
    return QDir(map).entryList(QDir::Files, QDir::Name);
}

// A fresh folder of copies and the database named in the settings, as a user has them.
QString PrepareStart(TestDatabase& db) {
    const QString map = CReserveKopieen::StandaardMap();
    QDir(map).removeRecursively();
    QFile::remove(map);
    CProfile::WriteProfileString(QStringLiteral("Location"), QStringLiteral("DataBase"), db.Path());
    MessageBoxLog().clear();
    return map;
}

void AddCustomer(TestDatabase& db, const QString& name) {
    db.Exec(
        QStringLiteral("INSERT INTO Relaties (szInLijst, bKlantJaNee) VALUES ('%1', 1);"
                       "INSERT INTO Personen (dwRelatieNummer, szAchterNaam) VALUES "
                       "((SELECT max(lRelatieNummer) FROM Relaties), 'Contact van %1');"
                       "INSERT INTO MemoRelatie (dwRelatieNr, szInLijst) VALUES "
                       "((SELECT max(lRelatieNummer) FROM Relaties), 'Kennismaking');"
                       "INSERT INTO Offertes (dwRelatieNummer, szInLijst, dwStatusOfferte) VALUES "
                       "((SELECT max(lRelatieNummer) FROM Relaties), 'Offerte voor %1', 1);"
                       "INSERT INTO MemoOfferte (dwOfferteNr, szInLijst) VALUES "
                       "((SELECT max(dwIndex) FROM Offertes), 'Prijsafspraak');")
            .arg(name));
}

// Through a connection of its own: a file replaced at start is another file than the one
// the fixture's connection still has open.
int CountOf(TestDatabase& db, const QString& table, const QString& where = "1") {
    return int(BestandGetal(db.Path(),
                            QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(table, where)));
}

// The check of every page and the daily copies run once the window shows; a test waits for
// them to end.
void WaitForBackground(CTolvarApp& app) {
    auto* werk = app.GetMainWnd()->findChild<CAchtergrondControle*>();
    QVERIFY(werk);
    QTRY_VERIFY_WITH_TIMEOUT(werk->IsKlaar(), 30000);
}

QTreeWidgetItem* TopItem(CMainFrame* frame, const QString& text) {
    auto* view = dynamic_cast<CTolvarView*>(frame->GetPaneView(0));
    for (int i = 0; view && i < view->Tree()->topLevelItemCount(); ++i) {
        if (view->Tree()->topLevelItem(i)->text(0) == text) {
            return view->Tree()->topLevelItem(i);
        }
    }
    return nullptr;
}

} // namespace

// The backups as the user meets them: the daily copy at start, a damaged file found at
// start, and the two commands of the "Bestand" menu.
class ReservekopieAppTest : public QObject {
    Q_OBJECT

private slots:
    void dailyCopyOnceAtStartAndAFailureInTheStatusBar() {
        TestDatabase db;
        AddCustomer(db, QStringLiteral("Bakkerij Jansen"));
        const QString map = PrepareStart(db);
        for (int start = 0; start < 2; ++start) {
            CTolvarApp app(StandardViews());
            QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
            WaitForBackground(app);
            QVERIFY(app.GetMainWnd()->statusBar()->currentMessage().isEmpty());
        }
        const QStringList copies = CopiesIn(map);
        QCOMPARE(copies.size(), 2); // the database and the appointment file, once a day
        QVERIFY(copies.filter(QRegularExpression("^Tolvar-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.Doc$"))
                    .size() == 1);
        QVERIFY(copies.filter(QRegularExpression("^tolvdata-.*\\.mdb$")).size() == 1);
        for (const QString& copy : copies) {
            QVERIFY(CDaoBackup::QuickCheck(map + "/" + copy).IsOk());
        }

        // The folder cannot be made: the program starts all the same and says so once.
        QDir(map).removeRecursively();
        QFile blocker(map);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QByteArray before = HashOf(db.Path());
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        WaitForBackground(app);
        const QString message = app.GetMainWnd()->statusBar()->currentMessage();
        QVERIFY2(message.startsWith("Geen reservekopie gemaakt.") && message.contains(map) &&
                     message.count("Geen reservekopie") == 1,
                 qPrintable(message));
        QVERIFY(MessageBoxLog().empty());
        QVERIFY(TopItem(app.GetMainWnd(), "Bakkerij Jansen"));
        QCOMPARE(HashOf(db.Path()), before);
        QFile::remove(map);
    }

    // A page overwritten in the middle is found by the check in the background instead.
    void damagedFileAtStartIsKeptAndRestored_data() {
        QTest::addColumn<bool>("cut");
        QTest::newRow("cut short") << true;
    }

    void damagedFileAtStartIsKeptAndRestored() {
        QFETCH(bool, cut);
        TestDatabase db;
        for (int i = 0; i < 150; ++i) {
            AddCustomer(db, QStringLiteral("Klant %1").arg(i, 3, 10, QLatin1Char('0')));
        }
        const QString map = PrepareStart(db);
        const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
        CReserveKopieen copies(map, [&] { return yesterday; });
        const QString good = copies.Maak(db.Path(), CReserveKopieen::SOORT_DAGELIJKS);
        QFile file(db.Path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (cut) {
            file.resize(file.size() * 2 / 3);
        } else {
            file.seek(file.size() / 2 / 4096 * 4096);
            file.write(QByteArray(4096, '\x5a'));
        }
        file.close();
        const QByteArray damaged = HashOf(db.Path());
        QVERIFY(!CDaoBackup::QuickCheck(db.Path()).IsOk());

        // Nee: the program ends, and neither the file nor the copies were touched.
        {
            ModalDriver driver;
            driver.Queue(Answer(IDNO));
            CTolvarApp app(StandardViews());
            QVERIFY(!app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
            QVERIFY(driver.WaitDone());
        }
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        const MessageBoxRecord asked = MessageBoxLog().front();
        QVERIFY2(asked.text.startsWith("Het bestand " + db.Path() + " is beschadigd:") &&
                     asked.text.contains(QFileInfo(good).fileName()) &&
                     asked.text.contains("Wilt u deze reservekopie terugzetten?"),
                 qPrintable(asked.text));
        QCOMPARE(asked.type, MB_YESNO | MB_ICONSTOP);
        QCOMPARE(HashOf(db.Path()), damaged);
        QVERIFY(!QFile::exists(db.Path() + "-journal"));
        QCOMPARE(CopiesIn(map), QStringList{QFileInfo(good).fileName()});

        // Ja: the damaged file is kept as it was, the copy takes its place, the program runs.
        MessageBoxLog().clear();
        ModalDriver driver;
        driver.Queue(Answer(IDYES));
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QVERIFY(driver.WaitDone());
        QVERIFY(CDaoBackup::QuickCheck(db.Path()).IsOk());
        QCOMPARE(CountOf(db, "Relaties"), 150);
        QVERIFY(TopItem(app.GetMainWnd(), "Klant 149"));
        WaitForBackground(app);
        const QStringList kept = CopiesIn(map).filter("-beschadigd");
        QCOMPARE(kept.size(), 1);
        QCOMPARE(HashOf(map + "/" + kept.front()), damaged);
        QVERIFY2(app.GetMainWnd()->statusBar()->currentMessage().contains("teruggezet"),
                 qPrintable(app.GetMainWnd()->statusBar()->currentMessage()));
        // The restored file got its daily copy of today too.
        QCOMPARE(CopiesIn(map).filter(QRegularExpression("^Tolvar-[-0-9]+\\.Doc$")).size(), 2);
    }

    void damagedFileWithoutCopyEndsTheProgramUntouched() {
        TestDatabase db;
        const QString map = PrepareStart(db);
        QFile file(db.Path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.resize(file.size() - 4096);
        file.close();
        const QByteArray damaged = HashOf(db.Path());
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        CTolvarApp app(StandardViews());
        QVERIFY(!app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QVERIFY(driver.WaitDone());
        QVERIFY(MessageBoxLog().front().text.contains("Er is geen goede reservekopie"));
        QCOMPARE(HashOf(db.Path()), damaged);
        QVERIFY(CopiesIn(map).isEmpty());
    }

    // A page deep in the file that nothing reads at start: the window shows first, then the
    // check of every page finds the damage, says so in one box, and from then on the file
    // takes no write and gets no copy.
    void damagedPageFoundInTheBackgroundBlocksWrites() {
        TestDatabase db;
        AddCustomer(db, QStringLiteral("Bakkerij Jansen"));
        db.Exec("CREATE TABLE Ballast (x BLOB)");
        for (int i = 0; i < 40; ++i) {
            db.Exec("INSERT INTO Ballast VALUES (randomblob(3000))");
        }
        const QString map = PrepareStart(db);
        QFile file(db.Path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(file.size() - 10 * 4096);
        file.write(QByteArray(4096, '\x5a'));
        file.close();
        QVERIFY(CDaoBackup::HeaderCheck(db.Path()).IsOk());

        ModalDriver driver;
        driver.Queue([](QWidget* box) { AnswerMessageBox(box, IDOK); });
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QVERIFY(TopItem(app.GetMainWnd(), "Bakkerij Jansen"));
        WaitForBackground(app);
        QVERIFY(driver.WaitDone());
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        const QString said = MessageBoxLog().front().text;
        QVERIFY2(said.startsWith("Het bestand " + db.Path() + " is beschadigd:") &&
                     said.contains("Tolvar schrijft niets meer in dit bestand"),
                 qPrintable(said));
        const QByteArray damaged = HashOf(db.Path());
        QVERIFY_THROWS_EXCEPTION(CDaoException, CDaoDatabase::OpenShared(db.Path())->Execute(
                                                    "UPDATE Relaties SET szInLijst = 'x'"));
        QCOMPARE(HashOf(db.Path()), damaged);
        QCOMPARE(CopiesIn(map).filter(QRegularExpression("^Tolvar-")), QStringList());
    }

    // A file that has gone is offered back from its copy; without a copy the start goes on
    // and the record store reports the file as it always did.
    void missingFileIsOfferedFromItsCopy() {
        TestDatabase db;
        AddCustomer(db, QStringLiteral("Bakkerij Jansen"));
        const QString map = PrepareStart(db);
        CReserveKopieen(map).Maak(db.Path(), CReserveKopieen::SOORT_DAGELIJKS);
        QVERIFY(QFile::remove(db.Path()));
        ModalDriver driver;
        driver.Queue(Answer(IDYES));
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QVERIFY(driver.WaitDone());
        QVERIFY(
            MessageBoxLog().front().text.startsWith("Het bestand " + db.Path() + " bestaat niet."));
        QVERIFY(TopItem(app.GetMainWnd(), "Bakkerij Jansen"));
        QVERIFY(CopiesIn(map).filter("-beschadigd").isEmpty());
    }

    void restoreBringsBackADeletedRelationAndKeepsTheReplacedFile() {
        TestDatabase db;
        AddCustomer(db, QStringLiteral("Bakkerij Jansen"));
        AddCustomer(db, QStringLiteral("Visser"));
        const QString map = PrepareStart(db);
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        CMainFrame* frame = app.GetMainWnd();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        // The daily copies are made in the background: the list below offers them once made.
        WaitForBackground(app);
        auto* view = dynamic_cast<CTolvarView*>(frame->GetPaneView(0));
        view->Tree()->setFocus();
        view->Tree()->setCurrentItem(TopItem(frame, "Bakkerij Jansen"));
        {
            ModalDriver driver;
            driver.Queue(Answer(IDOK));
            driver.Queue(Answer(IDOK));
            QVERIFY(frame->Router()->Execute(ID_RECORD_VERWIJDER));
            QVERIFY(driver.WaitDone());
        }
        const QString jansen = "(SELECT lRelatieNummer FROM Relaties WHERE szInLijst = "
                               "'Bakkerij Jansen')";
        QCOMPARE(CountOf(db, "Relaties"), 1);
        QCOMPARE(CountOf(db, "MemoOfferte"), 1);
        QVERIFY(!TopItem(frame, "Bakkerij Jansen"));

        // The list offers both files' copies; the database's is chosen with OK.
        QStringList rows;
        ModalDriver driver;
        driver.Queue([&](QWidget* dialog) {
            auto* list = qobject_cast<QTreeWidget*>(GetDlgItem(dialog, CTerugzetDlg::IDC_KOPIEEN));
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList columns;
                for (int c = 0; c < list->columnCount(); ++c) {
                    columns << list->topLevelItem(i)->text(c);
                }
                rows << columns.join('|');
                if (columns[0].startsWith("Relaties en documenten")) {
                    list->setCurrentItem(list->topLevelItem(i));
                }
            }
            ClickButton(dialog, IDOK);
        });
        QVERIFY(frame->Router()->Execute(ID_RESERVEKOPIE_TERUGZETTEN));
        QVERIFY(driver.WaitDone());
        QCOMPARE(rows.size(), 2);
        const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
        QVERIFY2(rows.filter(QRegularExpression("^Relaties en documenten \\(Tolvar.Doc\\)\\|" +
                                                QRegularExpression::escape(today) +
                                                "\\|\\d\\d:\\d\\d:\\d\\d\\|[0-9,]+ [kK]B\\|2 "
                                                "relaties\\|Dagelijks$"))
                         .size() == 1,
                 qPrintable(rows.join('\n')));
        QVERIFY(rows.filter(QRegularExpression("^Afspraken \\(tolvdata.mdb\\)\\|")).size() == 1);

        // The relation is back with everything below it, in the file and in the tree.
        QCOMPARE(CountOf(db, "Relaties"), 2);
        QCOMPARE(CountOf(db, "Personen", "dwRelatieNummer = " + jansen), 1);
        QCOMPARE(CountOf(db, "MemoRelatie", "dwRelatieNr = " + jansen), 1);
        QCOMPARE(CountOf(db, "Offertes", "dwRelatieNummer = " + jansen), 1);
        QCOMPARE(CountOf(db, "MemoOfferte"), 2);
        QVERIFY(TopItem(frame, "Bakkerij Jansen"));
        QVERIFY(frame->statusBar()->currentMessage().contains("teruggezet"));
        // What was replaced is a copy of its own, without the relation.
        const QStringList kept = CopiesIn(map).filter("-voor-terugzetten");
        QCOMPARE(kept.size(), 1);
        QCOMPARE(CReserveKopieen::Inhoud(map + "/" + kept.front()), QString("1 relatie"));

        // A damaged copy is refused and nothing changes.
        const QString daily =
            map + "/" + CopiesIn(map).filter(QRegularExpression("^Tolvar-[-0-9]+\\.Doc$")).front();
        QFile copy(daily);
        QVERIFY(copy.open(QIODevice::ReadWrite));
        copy.resize(copy.size() - 4096);
        copy.close();
        MessageBoxLog().clear();
        ModalDriver refused;
        refused.Queue([&](QWidget* dialog) {
            auto* list = qobject_cast<QTreeWidget*>(GetDlgItem(dialog, CTerugzetDlg::IDC_KOPIEEN));
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                if (list->topLevelItem(i)->text(CTerugzetDlg::KOLOM_SOORT) == "Dagelijks" &&
                    list->topLevelItem(i)->text(0).startsWith("Relaties")) {
                    list->setCurrentItem(list->topLevelItem(i));
                }
            }
            ClickButton(dialog, IDOK);
        });
        refused.Queue(Answer(IDOK));
        const QByteArray before = HashOf(db.Path());
        QVERIFY(frame->Router()->Execute(ID_RESERVEKOPIE_TERUGZETTEN));
        QVERIFY(refused.WaitDone());
        QVERIFY2(LastBox().text.contains("is beschadigd") &&
                     LastBox().text.contains("Er is niets veranderd."),
                 qPrintable(LastBox().text));
        QCOMPARE(HashOf(db.Path()), before);
        QCOMPARE(CopiesIn(map).filter("-voor-terugzetten").size(), 1);
    }

    void copyToAChosenFolder() {
        TestDatabase db;
        AddCustomer(db, QStringLiteral("Bakkerij Jansen"));
        PrepareStart(db);
        CTolvarApp app(StandardViews());
        QVERIFY(app.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")}));
        QTemporaryDir chosen;
        ModalDriver driver;
        driver.Queue([&](QWidget* picker) {
            auto* files = qobject_cast<QFileDialog*>(picker);
            QVERIFY(files);
            files->setDirectory(chosen.path());
            static_cast<QDialog*>(files)->accept();
        });
        driver.Queue(Answer(IDOK));
        QVERIFY(app.GetMainWnd()->Router()->Execute(ID_RESERVEKOPIE_MAKEN));
        QVERIFY(driver.WaitDone());
        const QStringList made = CopiesIn(chosen.path());
        QCOMPARE(made.size(), 2);
        QVERIFY(LastBox().text.startsWith("Reservekopie gemaakt:"));
        for (const QString& copy : made) {
            QVERIFY(LastBox().text.contains(copy));
            QVERIFY(CDaoBackup::QuickCheck(chosen.filePath(copy)).IsOk());
        }
        QCOMPARE(CReserveKopieen::Inhoud(chosen.filePath(made.filter(".Doc").front())),
                 QString("1 relatie"));

        // A database on a server has its backups made with the server's tools: both
        // commands say how and copy nothing.
        const QString file = g_strDatabasePath;
        for (const QString server : {"postgresql://kantoor/tolvar", "host=kantoor dbname=tolvar"}) {
            g_strDatabasePath = server;
            for (int id : {ID_RESERVEKOPIE_MAKEN, ID_RESERVEKOPIE_TERUGZETTEN}) {
                ModalDriver told;
                told.Queue(Answer(IDOK));
                QVERIFY(app.GetMainWnd()->Router()->Execute(id));
                QVERIFY(told.WaitDone());
                QVERIFY(LastBox().text.contains("pg_dump"));
            }
        }
        g_strDatabasePath = file;
        QCOMPARE(CopiesIn(chosen.path()).size(), 2);
    }
};

TOLVAR_TEST(ReservekopieAppTest);

#include "tst_Reservekopie.moc"
