#include "fixture/TestDatabase.h"
#include "platform/ui/ControlId.h"
#include "support/TestRegistry.h"
#include "workspace/TolvarView.h"
#include "WorkspaceProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTreeWidget>

namespace {

// Counts the Modify commands a double click starts.
class CountingView : public CTolvarView {
public:
    void OnRecordWijzig() override { ++m_nWijzig; }
    int m_nWijzig = 0;
};

void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

QString Field(CProgressDlg& dlg, int id) {
    return GetWindowText(GetDlgItem(&dlg, id));
}

// Records, as the number field shows them, each time the progress window is painted.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* field) : m_field(field) { field->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            m_shown << GetWindowText(m_field);
        }
        return false;
    }
    QWidget* m_field;
    QStringList m_shown;
};

int Bar(CProgressDlg& dlg) {
    return qobject_cast<QProgressBar*>(GetDlgItem(&dlg, CProgressDlg::IDC_VOORTGANG))->value();
}

} // namespace

// The view's controls, its selection rules, the double click, the single-record insertions
// that the record commands use, and the progress window.
class TestWorkspaceView : public QObject {
    Q_OBJECT

private slots:
    void controlsAndLayout() {
        TestDatabase db;
        CTolvarView view;
        view.resize(500, 300);
        view.show();
        view.OnInitialUpdate();
        QCOMPARE(GetDlgItem(&view, CTolvarView::IDC_TREE), view.Tree());
        QCOMPARE(GetDlgItem(&view, CTolvarView::IDC_TAB), view.Tabs());
        QCOMPARE(view.Tabs()->tabPosition(), QTabWidget::South);
        QStringList tabs;
        for (int i = 0; i < view.Tabs()->count(); ++i) {
            tabs << view.Tabs()->tabText(i);
        }
        QCOMPARE(tabs,
                 (QStringList{"Relaties", "Offertes", "Calculaties", "Orders", "Bestellingen"}));
        QCOMPARE(view.Tree()->palette().color(QPalette::Base), QColor(255, 255, 234));
        QCOMPARE(view.Tree()->dragDropMode(), QAbstractItemView::NoDragDrop);
        QVERIFY(view.Tree()->rootIsDecorated());
        QCOMPARE(view.focusProxy(), view.Tree());

        for (QSize size : {QSize(500, 300), QSize(731, 412), QSize(320, 120)}) {
            view.resize(size);
            QCOMPARE(view.Tabs()->geometry(), QRect(QPoint(0, 0), size));
            QCOMPARE(view.Tree()->geometry(), QRect(1, 1, size.width() - 2, size.height() - 26));
        }
        // The tabs sit in the room left below the tree; at most the strip's border line,
        // drawn against the pane, lies under the tree's lowest pixel row. A font half as
        // large again (a screen of 144 dots per inch) gets a taller strip.
        for (double factor : {1.0, 1.5}) {
            QFont font = view.font();
            font.setPointSizeF(QApplication::font().pointSizeF() * factor);
            view.setFont(font);
            view.resize(view.size() + QSize(1, 1));
            const QRect strip(view.Tabs()->tabBar()->mapTo(&view, QPoint(0, 0)),
                              view.Tabs()->tabBar()->size());
            QVERIFY(strip.top() >= view.Tree()->geometry().bottom());
            QCOMPARE(strip.bottom(), view.height() - 1);
        }
    }

    void selectedKindFollowsTheTree() {
        TestDatabase db;
        const int relatie = AddRelatie(db, "Alpha");
        CTolvarView view;
        QCOMPARE(view.GetSelectedKind(), -1);
        view.OnInitialUpdate();
        QCOMPARE(view.GetSelectedKind(), -1); // hidden
        view.show();
        QCOMPARE(view.GetSelectedKind(), int(NODE_RELATIE));
        QCOMPARE(view.GetSelectedNode()->m_lNumber, relatie);
        view.Tree()->clearSelection();
        QCOMPARE(view.GetSelectedKind(), 0);
        QCOMPARE(view.GetSelectedNode(), nullptr);
        view.Tree()->setCurrentItem(FindItems(view, NODE_RELATIEMEMOS, relatie).value(0));
        QCOMPARE(view.GetSelectedKind(), int(NODE_RELATIEMEMOS));
        view.FillTab(CTolvarView::TAB_BESTELLINGEN);
        QCOMPARE(view.GetSelectedKind(), -1); // empty
        QCOMPARE(view.GetSelectedNode(), nullptr);
    }

    void doubleClickOpensRecordsAndFoldsFolders() {
        TestDatabase db;
        const int relatie = AddRelatie(db, "Alpha");
        AddMemo(db, "MemoRelatie", relatie, "Notitie");
        CountingView view;
        view.resize(400, 300);
        view.show();
        view.OnInitialUpdate();
        QTreeWidgetItem* item = FindItems(view, NODE_RELATIE, relatie).value(0);
        QVERIFY(item->isExpanded());
        DoubleClick(view.Tree(), item);
        QCOMPARE(view.m_nWijzig, 1);
        QVERIFY(item->isExpanded());

        QTreeWidgetItem* folder = FindItems(view, NODE_RELATIEMEMOS, relatie).value(0);
        const bool open = folder->isExpanded();
        DoubleClick(view.Tree(), folder);
        QCOMPARE(view.m_nWijzig, 1);
        QCOMPARE(folder->isExpanded(), !open);
        DoubleClick(view.Tree(), folder);
        QCOMPARE(folder->isExpanded(), open);

        folder->setExpanded(true);
        DoubleClick(view.Tree(), folder->child(0));
        QCOMPARE(view.m_nWijzig, 2);
    }

    void singleRecordInsertions() {
        TestDatabase db;
        const int klant = AddRelatie(db, "Klant", true);
        CTolvarView view;
        view.resize(400, 300);
        view.show();
        view.OnInitialUpdate();

        // A new relation at the root comes with its folders, open, selected and at the top.
        view.m_setRelatie.NieuwRecord();
        const LONG nieuw = view.m_setRelatie.lRelatieNummer;
        view.AddRelations(SEL_ALLES, 0, nullptr, false);
        QTreeWidgetItem* item = view.Tree()->topLevelItem(1);
        QCOMPARE(ItemDump(view, item),
                 (QStringList{QStringLiteral("<Nieuwe Relatie>|1|%1|0|0|0").arg(nieuw),
                              QStringLiteral("  Personen|2|%1|%1|1|1").arg(nieuw),
                              QStringLiteral("  Memo's|4|%1|%1|1|3").arg(nieuw)}));
        QCOMPARE(view.GetSelectedNode()->m_hItem, item);
        QVERIFY(item->isExpanded());

        // A person and a memo under their folders.
        view.m_setPersoon.NieuwRecord(klant);
        QTreeWidgetItem* personen = FindItems(view, NODE_PERSONEN, klant).value(0);
        view.AddPersons(SEL_OUDER, klant, personen, false);
        QCOMPARE(NodeLine(view, personen->child(0)),
                 QStringLiteral("<Achternaam>, <Voornaam>|3|%1|%2|2|2")
                     .arg(view.m_setPersoon.IDnr)
                     .arg(klant));
        view.m_setRelatieMemo.NieuweMemo(klant, 0);
        QTreeWidgetItem* memos = FindItems(view, NODE_RELATIEMEMOS, klant).value(0);
        view.AddMemos(NODE_RELATIEMEMO, SEL_OUDER, klant, memos, false);
        QCOMPARE(NodeLine(view, memos->child(0)), QStringLiteral("%1|5|%2|%3|4|4")
                                                      .arg(view.m_setRelatieMemo.szInLijst)
                                                      .arg(view.m_setRelatieMemo.dwIndex)
                                                      .arg(klant));

        // A quotation under its relation's status folder, as one still to be sent.
        view.m_setOfferte.NieuwRecord();
        const LONG offerte = view.m_setOfferte.dwIndex;
        QTreeWidgetItem* folder = FindItems(view, NODE_TEVERSTUREN, klant).value(0);
        view.AddQuotations(SEL_NUMMER, offerte, folder, false);
        QCOMPARE(
            ItemDump(view, folder->child(0)),
            (QStringList{QStringLiteral("<Nieuwe Offerte>|11|%1|%2|7|13").arg(offerte).arg(klant),
                         QStringLiteral("  Memo's|15|%1|%1|11|3").arg(offerte)}));

        // In the quotations tab it brings its relation along.
        view.FillTab(CTolvarView::TAB_OFFERTES);
        view.m_setOfferte.NieuwRecord();
        view.m_setOfferte.Edit();
        view.m_setOfferte.dwRelatieNummer = klant;
        view.m_setOfferte.Update();
        folder = view.Tree()->topLevelItem(0);
        view.AddQuotations(SEL_NUMMER, 0, folder, false, true);
        QTreeWidgetItem* added = folder->child(folder->childCount() - 1);
        QCOMPARE(NodeLine(view, added->child(1)), QStringLiteral("Klant|1|%1|0|0|0").arg(klant));

        // A document at the root of its tab, with its relation, selected and at the top.
        view.FillTab(CTolvarView::TAB_ORDERS);
        view.m_setOrder.NieuwRecord();
        view.m_setOrder.Edit();
        view.m_setOrder.dwRelatieNummer = klant;
        view.m_setOrder.Update();
        view.AddOrders(SEL_NUMMER, 0, nullptr, false);
        QTreeWidgetItem* order = view.Tree()->topLevelItem(0);
        QCOMPARE(ItemDump(view, order).mid(0, 3),
                 (QStringList{
                     QStringLiteral("<Nieuwe Order>|18|%1|0|17|15").arg(view.m_setOrder.dwIndex),
                     QStringLiteral("  Memo's|19|%1|%1|18|3").arg(view.m_setOrder.dwIndex),
                     QStringLiteral("  Klant|1|%1|0|0|0").arg(klant)}));
        QCOMPARE(view.Tree()->currentItem(), order);
        QVERIFY(order->isExpanded() && order->child(1)->isExpanded());
    }

    void progressPercentagesAndBar() {
        CProgressDlg dlg;
        dlg.m_nTeller = 0;
        dlg.Create();
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.palette().color(QPalette::Window), QColor(180, 147, 255));
        QCOMPARE(dlg.palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);

        dlg.StartVerzameling("Relatie's", 3);
        QCOMPARE(Field(dlg, CProgressDlg::IDC_RECORDNR), QString("0"));
        QCOMPARE(Field(dlg, CProgressDlg::IDC_PROCENT), QString("0%"));
        QStringList percentages;
        for (int i = 0; i < 4; ++i) {
            dlg.VolgendRecord();
            percentages << Field(dlg, CProgressDlg::IDC_PROCENT);
        }
        // A fourth record of three goes past 100; the bar stays full.
        QCOMPARE(percentages, (QStringList{"33%", "66%", "100%", "133%"}));
        QCOMPARE(Field(dlg, CProgressDlg::IDC_RECORDNR), QString("4"));
        QCOMPARE(Bar(dlg), 1000);

        dlg.m_nTeller = 0;
        dlg.StartVerzameling("orders", 1000);
        QCOMPARE(Bar(dlg), 0);
        for (int i = 0; i < 15; ++i) {
            dlg.VolgendRecord();
        }
        QCOMPARE(Bar(dlg), 15);
        QCOMPARE(Field(dlg, CProgressDlg::IDC_PROCENT), QString("1%"));
        QCOMPARE(Field(dlg, CProgressDlg::IDC_AANTAL), QString("1000"));

        // A total of 0 leaves the window as it was.
        dlg.StartVerzameling(QString(), 0);
        QCOMPARE(Field(dlg, CProgressDlg::IDC_VERZAMELING), QString("orders"));
        QCOMPARE(dlg.m_nTotaal, DWORD(1000));
        dlg.DestroyWindow();
        QVERIFY(!dlg.isVisible());
        dlg.DestroyWindow();
        QVERIFY(!dlg.IsWindow());
    }

    // A long read, where a whole percent takes many records, still paints the count several
    // times a second; the paint shows the record reached at that moment.
    void progressPaintsWhileCounting() {
        CProgressDlg dlg;
        dlg.m_nTeller = 0;
        dlg.Create();
        dlg.StartVerzameling("Relatie's", 1000000);
        PaintLog log(GetDlgItem(&dlg, CProgressDlg::IDC_RECORDNR));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 600) {
            dlg.VolgendRecord();
            QThread::usleep(200);
        }
        dlg.DestroyWindow();
        QVERIFY2(log.m_shown.size() >= 4, qPrintable(log.m_shown.join(' ')));
        for (int i = 1; i < log.m_shown.size(); ++i) {
            QVERIFY(log.m_shown[i].toInt() > log.m_shown[i - 1].toInt());
        }
    }

    void imageStripCells() {
        CTreeImageList images;
        QCOMPARE(images.Count(), 20);
        for (int n = 0; n < images.Count(); ++n) {
            const QImage& cell = images.Cell(n);
            QCOMPARE(cell.size(), QSize(17, 15));
            int opaque = 0;
            for (int y = 0; y < cell.height(); ++y) {
                for (int x = 0; x < cell.width(); ++x) {
                    const QRgb pixel = cell.pixel(x, y);
                    QVERIFY(qAlpha(pixel) == 0 || pixel != qRgb(255, 255, 255));
                    opaque += qAlpha(pixel) != 0;
                }
            }
            const bool spare = n == 10 || n == 18 || n == 19;
            QVERIFY2(spare ? opaque == 0 : opaque > 40, qPrintable(QString::number(n)));
        }
        QVERIFY(images.Image(20).isNull());
        // Pure white is see-through, any other colour stays.
        QImage strip(2, 1, QImage::Format_RGB32);
        strip.setPixel(0, 0, qRgb(255, 255, 255));
        strip.setPixel(1, 0, qRgb(255, 255, 254));
        const QImage masked = CTreeImageList::MaskWhite(strip);
        QCOMPARE(qAlpha(masked.pixel(0, 0)), 0);
        QCOMPARE(masked.pixel(1, 0), qRgb(255, 255, 254));
    }
};

TOLVAR_ENGINE_TEST(TestWorkspaceView);

#include "tst_WorkspaceView.moc"
