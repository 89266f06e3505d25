#include "fixture/ReadOnlyFile.h"
#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A desktop for the test: xdg-open and lp on PATH that write down their arguments, and an
// xdg-mime that knows a program for every file.
class Bureaublad {
public:
    Bureaublad() : m_oudPad(qgetenv("PATH")) {
        const QString log = m_map.filePath(QStringLiteral("aanroepen.log"));
        Script("xdg-open", QStringLiteral("echo \"open $*\" >> '%1'\n").arg(log));
        Script("lp", QStringLiteral("echo \"lp $*\" >> '%1'\n").arg(log));
        Script("xdg-mime", QStringLiteral("case \"$2\" in\nfiletype) echo text/plain ;;\n"
                                          "default) echo tolvar-test.desktop ;;\nesac\n"));
        qputenv("PATH", QFile::encodeName(m_map.path()) + ':' + m_oudPad);
    }
    ~Bureaublad() { qputenv("PATH", m_oudPad); }

    QStringList Aanroepen() const {
        QFile file(m_map.filePath(QStringLiteral("aanroepen.log")));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    void Script(const char* naam, const QString& body) {
        QFile file(m_map.filePath(QString::fromLatin1(naam)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }

    QTemporaryDir m_map;
    QByteArray m_oudPad;
};

QString MaakBestand(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("offerte\n");
    return path;
}

} // namespace

// Edit Doc and Print Doc on the selected document: the file the record names, checked
// before the desktop gets it.
class TestDocumentCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<CommandBench> m_bench;
    std::unique_ptr<Bureaublad> m_bureaublad;
    int m_offerte = 0;
    int m_order = 0;

    CommandBench& B() { return *m_bench; }

    void ZetDocument(const QString& table, int number, const QString& path) {
        B().db.Exec(QStringLiteral("UPDATE %1 SET szDocument = NULLIF('%2', '') WHERE dwIndex = %3")
                        .arg(table, path)
                        .arg(number));
    }

    void Kies(int kind, int number) {
        B().Select(B().Item(kind, number));
        QVERIFY(B().Enabled(ID_EDIT_DOC));
        QVERIFY(B().Enabled(ID_PRINT_DOC));
    }

    void RunAndAnswer(int id) {
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        QVERIFY(B().RunDriven(id, driver));
    }

private slots:
    void init() {
        m_bench = std::make_unique<CommandBench>();
        m_bureaublad = std::make_unique<Bureaublad>();
        const int relatie = AddRelatie(B().db, "Bakker", true);
        m_offerte = AddDocument(B().db, "Offertes", relatie, "Taart", 2);
        m_order = AddDocument(B().db, "Orders", relatie, "Brood");
    }
    void cleanup() {
        m_bench.reset();
        m_bureaublad.reset();
    }

    void noDocumentLinked() {
        B().Open();
        Kies(NODE_OFFERTE_POSITIEF, m_offerte);
        QString path = QStringLiteral("onveranderd");
        QCOMPARE(B().view->GetLinkedDocument(path), int(CTolvarView::DOC_GEEN));
        QCOMPARE(path, "onveranderd");
        RunAndAnswer(ID_EDIT_DOC);
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(LastBox().text, "Geen document hier aan gekoppeld");
        QCOMPARE(LastBox().caption, "Let Op");
        QCOMPARE(LastBox().type, MB_OK | MB_ICONINFORMATION);
        QVERIFY(m_bureaublad->Aanroepen().isEmpty());
    }

    void movedDocument() {
        const QString weg = B().db.Folder() + QStringLiteral("/verhuisd/order.txt");
        ZetDocument("Orders", m_order, weg);
        B().Open();
        Kies(NODE_ORDER, m_order);
        QString path;
        QCOMPARE(B().view->GetLinkedDocument(path), int(CTolvarView::DOC_ONBRUIKBAAR));
        QCOMPARE(path, weg);
        RunAndAnswer(ID_EDIT_DOC);
        QCOMPARE(LastBox().text, QStringLiteral("Document: ") + weg + " is niet te openen");
        QCOMPARE(LastBox().caption, "Let Op");
        QCOMPARE(LastBox().type, MB_OK | MB_ICONINFORMATION);
        QVERIFY(m_bureaublad->Aanroepen().isEmpty());
    }

    void readOnlyDocument() {
        const QString pad = MaakBestand(B().db.Folder() + QStringLiteral("/alleen-lezen.txt"));
        if (!MakeReadOnly(pad)) {
            MakeWritable(pad);
            QSKIP("This file system lets the superuser write every file: no read-only "
                  "document can be made here.");
        }
        ZetDocument("Offertes", m_offerte, pad);
        B().Open();
        Kies(NODE_OFFERTE_POSITIEF, m_offerte);
        RunAndAnswer(ID_PRINT_DOC);
        MakeWritable(pad);
        QCOMPARE(LastBox().text, QStringLiteral("Document: ") + pad + " is niet te openen");
        QVERIFY(m_bureaublad->Aanroepen().isEmpty());
    }

    void usableDocumentGoesToTheDesktop() {
        const QString pad = MaakBestand(B().db.Folder() + QStringLiteral("/offerte.txt"));
        ZetDocument("Offertes", m_offerte, pad);
        B().Open(CTolvarView::TAB_OFFERTES);
        Kies(NODE_OFFERTE_POSITIEF, m_offerte);
        B().Run(ID_EDIT_DOC);
        QVERIFY(QTest::qWaitFor([&] { return !m_bureaublad->Aanroepen().isEmpty(); }, 5000));
        B().Run(ID_PRINT_DOC);
        QCOMPARE(m_bureaublad->Aanroepen(),
                 (QStringList{QStringLiteral("open ") + pad, QStringLiteral("lp -s ") + pad}));
        QVERIFY(MessageBoxLog().empty());
    }

    // Only documents have a file; folders, relations, persons and memos grey both commands.
    void greyedWithoutADocumentNode() {
        const int relatie = B().db.Scalar("SELECT lRelatieNummer FROM Relaties").toInt();
        B().Open();
        QTreeWidgetItem* item = B().Item(NODE_RELATIE, relatie);
        for (QTreeWidgetItem* node :
             {item, B().Folder(item, NODE_ORDERS), B().Folder(item, NODE_PERSONEN),
              B().Folder(B().Item(NODE_ORDER, m_order), NODE_ORDERMEMOS)}) {
            B().Select(node);
            QVERIFY(!B().Enabled(ID_EDIT_DOC));
            QVERIFY(!B().Enabled(ID_PRINT_DOC));
            B().Run(ID_EDIT_DOC);
        }
        B().view->Tree()->clearSelection();
        QCOMPARE(B().view->GetSelectedKind(), 0);
        QVERIFY(!B().Enabled(ID_EDIT_DOC));
        QString path;
        QCOMPARE(B().view->GetLinkedDocument(path), int(CTolvarView::DOC_GEEN));
        QVERIFY(MessageBoxLog().empty());
    }
};

TOLVAR_ENGINE_TEST(TestDocumentCommands);
#include "tst_DocumentCommands.moc"
