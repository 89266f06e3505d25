#include "support/TestRegistry.h"
#include "tst_CommandHulp.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>

namespace {

struct Item {
    QString text;
    bool enabled = false;
    int bitmap = 0;
    bool icon = false;
};

// Reads the pop-up menu once it is up, then lets act close it or choose from it.
class MenuDriver : public QObject {
public:
    explicit MenuDriver(std::function<void(QMenu*)> act) : m_act(std::move(act)) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible() || m_done) {
                return;
            }
            m_done = true;
            for (QAction* action : menu->actions()) {
                m_items.push_back({action->text(), action->isEnabled(),
                                   action->property("bitmap").toInt(),
                                   !action->icon().pixmap(16, 14).isNull()});
            }
            m_act(menu);
        });
        m_timer.start();
    }

    QList<Item> m_items;
    bool m_done = false;

private:
    std::function<void(QMenu*)> m_act;
    QTimer m_timer;
};

void Close(QMenu* menu) {
    menu->close();
}

QList<bool> States(const QList<Item>& items) {
    QList<bool> states;
    for (const Item& item : items) {
        states << item.enabled;
    }
    return states;
}

// The right button goes down and up, and the window system asks for the context menu at
// that place, as the desktop does.
void RightClick(CTolvarView& view, const QPoint& at) {
    QWidget* viewport = view.Tree()->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
}

QPoint At(CTolvarView& view, QTreeWidgetItem* item) {
    view.Tree()->scrollToItem(item);
    return view.Tree()->visualItemRect(item).center();
}

} // namespace

// The tree's right-click menu: the clicked node selected, the items greyed by the same
// rules as the menus, and a chosen item carried out on that node.
class TestContextMenu : public QObject {
    Q_OBJECT

private slots:
    void memoFolderOfAnOrder() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bakker", true);
        const int order = AddDocument(b.db, "Orders", relatie, "Brood");
        b.Open();
        QTreeWidgetItem* folder = b.Folder(b.Item(NODE_ORDER, order), NODE_ORDERMEMOS);
        MenuDriver menu(&Close);
        RightClick(*b.view, At(*b.view, folder));
        QVERIFY(QTest::qWaitFor([&] { return menu.m_done; }, 5000));
        QCOMPARE(b.view->Tree()->currentItem(), folder);
        QCOMPARE(b.view->GetSelectedKind(), int(NODE_ORDERMEMOS));
        QStringList texts;
        QList<int> bitmaps;
        for (const Item& item : menu.m_items) {
            texts << item.text;
            bitmaps << item.bitmap;
            QCOMPARE(item.icon, !item.text.isEmpty());
        }
        QCOMPARE(texts, (QStringList{"   Nieuw\tIns", "   Modificeer\tEnter", "   Verwijderen\tDel",
                                     "", "   Edit Doc\tF5", "   Print Doc\tCtrl+F5"}));
        QCOMPARE(bitmaps, (QList<int>{157, 158, 159, 0, 160, 161}));
        QCOMPARE(States(menu.m_items), (QList<bool>{true, false, false, true, false, false}));
    }

    void positiveQuotation() {
        CommandBench b;
        const int offerte = AddDocument(b.db, "Offertes", 0, "Taart", 2);
        b.Open(CTolvarView::TAB_OFFERTES);
        MenuDriver menu(&Close);
        RightClick(*b.view, At(*b.view, b.Item(NODE_OFFERTE_POSITIEF, offerte)));
        QVERIFY(QTest::qWaitFor([&] { return menu.m_done; }, 5000));
        QCOMPARE(b.view->GetSelectedKind(), int(NODE_OFFERTE_POSITIEF));
        QCOMPARE(States(menu.m_items), (QList<bool>{false, true, true, true, true, true}));
    }

    // Beside the nodes the menu is that of the node already selected.
    void emptyAreaKeepsTheSelection() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bakker");
        b.Open();
        QTreeWidgetItem* folder = b.Folder(b.Item(NODE_RELATIE, relatie), NODE_PERSONEN);
        b.Select(folder);
        QTreeWidget* tree = b.view->Tree();
        const QPoint below(20, tree->viewport()->height() - 4);
        QVERIFY(!tree->itemAt(below));
        MenuDriver menu(&Close);
        RightClick(*b.view, below);
        QVERIFY(QTest::qWaitFor([&] { return menu.m_done; }, 5000));
        QCOMPARE(tree->currentItem(), folder);
        QVERIFY(folder->isSelected());
        QCOMPARE(States(menu.m_items), (QList<bool>{true, false, false, true, false, false}));
    }

    void chosenItemActsOnTheClickedNode() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bakker");
        const int persoon = AddPersoon(b.db, relatie, "Bakker", "Jan");
        b.Open();
        b.Select(b.Item(NODE_RELATIE, relatie));
        ModalDriver driver;
        driver.Queue(Answer(IDOK));
        MenuDriver menu([](QMenu* popup) {
            QAction* remove = popup->actions().at(2);
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(remove).center());
        });
        RightClick(*b.view, At(*b.view, b.Item(NODE_PERSOON, persoon)));
        QVERIFY(driver.WaitDone());
        QCOMPARE(LastBox().text, "Weet u het zekers dat u deze\npersoon wilt verwijderen ?");
        QCOMPARE(b.Count("Personen"), 0);
        QCOMPARE(b.Count("Relaties"), 1);
        QVERIFY(FindItems(*b.view, NODE_PERSOON, persoon).isEmpty());
    }

    // A relation node offers its own cards; choosing the item writes that relation and
    // its persons to the file picked in the file dialog.
    void relationCardsFromTheMenu() {
        CommandBench b;
        const int relatie = AddRelatie(b.db, "Bakker");
        AddPersoon(b.db, relatie, "Bakker", "Jan");
        AddRelatie(b.db, "Visser");
        b.Open();
        QTemporaryDir map;
        const QString pad = map.filePath("bakker.vcf");
        ModalDriver driver;
        driver.Queue([&](QWidget* modal) {
            auto* dialoog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialoog);
            dialoog->selectFile(pad);
            QMetaObject::invokeMethod(dialoog, "accept");
        });
        driver.Queue(Answer(IDOK));
        MenuDriver menu([](QMenu* popup) {
            QAction* kaarten = popup->actions().last();
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(kaarten).center());
        });
        RightClick(*b.view, At(*b.view, b.Item(NODE_RELATIE, relatie)));
        QVERIFY(driver.WaitDone());
        QCOMPARE(menu.m_items.size(), 8);
        QCOMPARE(menu.m_items.last().text, QStringLiteral("   Als vCard exporteren..."));
        QVERIFY(menu.m_items.last().enabled && menu.m_items.last().icon);
        QCOMPARE(LastBox().text, "2 kaarten geschreven naar " + pad + ".");
        QFile bestand(pad);
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        const QByteArray kaarten = bestand.readAll();
        QVERIFY(kaarten.contains("ORG:Bakker\r\n"));
        QVERIFY(kaarten.contains("N:Bakker;Jan;;;\r\n"));
        QVERIFY(!kaarten.contains("Visser"));
    }
};

TOLVAR_ENGINE_TEST(TestContextMenu);
#include "tst_ContextMenu.moc"
