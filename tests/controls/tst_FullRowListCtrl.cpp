#include "controls/FullRowListCtrl.h"
#include "platform/ui/FontScale.h"
#include "support/TestRegistry.h"

#include <cmath>
#include <memory>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QColor kTextBk(255, 255, 234);
const QColor kBk(20, 40, 200);
const QColor kRed(255, 0, 0);

QIcon SolidIcon(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

double Luminance(const QColor& c) {
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A window holding the list of the to-do pane and a line edit to take the focus away.
struct ListWindow {
    QWidget window;
    CFullRowListCtrl* list = new CFullRowListCtrl;
    QLineEdit* other = new QLineEdit;

    ListWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(other);
        list->InsertColumn(0, "Wat te doen", LVCFMT_LEFT, 230);
        list->InsertColumn(1, "Prioiteit", LVCFMT_CENTER, 70);
        list->InsertColumn(2, "Datum", LVCFMT_CENTER, 70);
        list->InsertColumn(3, "Tijd", LVCFMT_RIGHT, 100);
        list->SetImageList({SolidIcon(kRed), SolidIcon(Qt::darkGreen)});
        list->SetBkColor(kBk);
        list->SetTextBkColor(kTextBk);
        window.resize(720, 300);
    }
    void Fill(int rows) {
        list->DeleteAllItems();
        for (int i = 0; i < rows; ++i) {
            const int row = list->InsertItem(i, QString("Actie %1").arg(i), i % 2);
            list->SetItemData(row, 1000 + i);
            list->SetItemText(row, 1, QString::asprintf("%3d", i % 10));
            list->SetItemText(row, 2, "12-03-2024");
            list->SetItemText(row, 3, "14:05");
        }
    }
    bool ShowActive() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QImage Shot() const { return list->viewport()->grab().toImage(); }
    QPoint RowPoint(int row, int x) const {
        return QPoint(x, list->GetFullRowRect(row).center().y());
    }
};

// The leftmost column in rect holding a pixel unlike the fill, or -1 when the text area is
// blank.
int LeftmostInk(const QImage& image, const QRect& rect, const QColor& fill) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (image.pixelColor(x, y) != fill) {
                return x;
            }
        }
    }
    return -1;
}

} // namespace

class FullRowListCtrlTest : public QObject {
    Q_OBJECT
private slots:
    void keepsRowsAndColumnsLikeAListControl() {
        CFullRowListCtrl list;
        QCOMPARE(list.InsertColumn(1, "Tijd", LVCFMT_CENTER, 100), 0);
        QCOMPARE(list.InsertColumn(1, "Datum", LVCFMT_CENTER, 100), 1);
        QCOMPARE(list.InsertColumn(7, "Afspraak", LVCFMT_LEFT, 270), 2);
        QCOMPARE(list.GetColumnCount(), 3);
        QCOMPARE(list.GetColumnWidth(2), ScaleToFont(270, list.font()));
        const auto alignment = [&list](int col) {
            return list.model()
                       ->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole)
                       .value<Qt::Alignment>() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(0), Qt::AlignLeft);
        QCOMPARE(alignment(1), Qt::AlignHCenter);

        QCOMPARE(list.InsertItem(5, "b", 1), 0);
        QCOMPARE(list.InsertItem(0, "a", 0), 0);
        QCOMPARE(list.InsertItem(-1, "x"), -1);
        QVERIFY(list.SetItemText(1, 2, "tekst b"));
        QVERIFY(!list.SetItemText(1, 3, "geen kolom"));
        QVERIFY(!list.SetItemText(2, 1, "geen rij"));
        QVERIFY(list.SetItemData(1, 42));
        QCOMPARE(list.GetItemCount(), 2);
        QCOMPARE(list.GetItemText(0, 0), QString("a"));
        QCOMPARE(list.GetItemText(1, 0), QString("b"));
        QCOMPARE(list.GetItemText(1, 2), QString("tekst b"));
        QCOMPARE(list.GetItemImage(1), 1);
        QCOMPARE(list.GetItemData(1), qintptr(42));

        QVERIFY(list.DeleteItem(0));
        QCOMPARE(list.GetItemText(0, 2), QString("tekst b"));
        QVERIFY(list.DeleteAllItems());
        QCOMPARE(list.GetItemCount(), 0);
    }

    void refillsManyRows() {
        ListWindow w;
        w.ShowActive();
        w.Fill(5000);
        w.Fill(5000);
        QCOMPARE(w.list->GetItemCount(), 5000);
        QCOMPARE(w.list->GetItemText(4999, 0), QString("Actie 4999"));
        QCOMPARE(w.list->GetItemText(4999, 1), QString("  9"));
        QCOMPARE(w.list->GetItemData(4999), qintptr(5999));
        QVERIFY(w.list->EnsureVisible(4999));
        QVERIFY(w.list->viewport()->rect().intersects(w.list->GetFullRowRect(4999)));
    }

    void answersSelectionQuestions() {
        ListWindow w;
        w.Fill(5);
        QSignalSpy changed(w.list, &CFullRowListCtrl::SelectionChanged);
        QCOMPARE(w.list->GetSelectionMark(), -1);
        QCOMPARE(w.list->GetNextSelectedItem(-1), -1);
        w.list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        w.list->SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        QVERIFY(changed.count() >= 2);
        QCOMPARE(w.list->GetSelectedCount(), 2);
        QCOMPARE(w.list->GetSelectedItems(), (std::vector<int>{1, 3}));
        QCOMPARE(w.list->GetNextSelectedItem(-1), 1);
        QCOMPARE(w.list->GetNextSelectedItem(1), 3);
        QCOMPARE(w.list->GetNextSelectedItem(3), -1);
        QCOMPARE(w.list->GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED),
                 unsigned(LVIS_SELECTED | LVIS_FOCUSED));
        QCOMPARE(w.list->GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), 0u);
        QCOMPARE(w.list->GetSelectionMark(), 3);
        // The row the user last acted on no longer selected: the mark falls to a selected one.
        w.list->SetItemState(3, 0, LVIS_SELECTED);
        QCOMPARE(w.list->GetSelectionMark(), 1);
        w.list->DeleteAllItems();
        QCOMPARE(w.list->GetSelectedCount(), 0);
        QCOMPARE(w.list->GetSelectionMark(), -1);
    }

    void selectsWithMouseAndKeyboard() {
        ListWindow w;
        w.Fill(6);
        QVERIFY(w.ShowActive());
        QWidget* viewport = w.list->viewport();
        const int pastColumns = viewport->width() - 5;
        QVERIFY(pastColumns > w.list->header()->length());

        // The selection bar reaches past the last column, and so does a click on it.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, w.RowPoint(2, pastColumns));
        QCOMPARE(w.list->GetSelectedItems(), (std::vector<int>{2}));
        QTest::keyClick(w.list, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(w.list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w.list->GetSelectedItems(), (std::vector<int>{2, 3, 4}));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, w.RowPoint(0, 40));
        QCOMPARE(w.list->GetSelectedCount(), 4);
        QCOMPARE(w.list->GetSelectionMark(), 0);
        QTest::keyClick(w.list, Qt::Key_Down);
        QCOMPARE(w.list->GetSelectedItems(), (std::vector<int>{1}));
        QTest::keyClick(w.list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.list->GetSelectedCount(), 6);

        QSignalSpy dblClick(w.list, &CFullRowListCtrl::DblClick);
        // A double click is a click followed by the double-click event.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, w.RowPoint(4, pastColumns));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, w.RowPoint(4, pastColumns));
        QCOMPARE(dblClick.count(), 1);
        QCOMPARE(dblClick.first().first().toInt(), 4);

        QSignalSpy columnClick(w.list, &CFullRowListCtrl::ColumnClick);
        QHeaderView* header = w.list->header();
        const QPoint onPriority(header->sectionViewportPosition(1) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onPriority);
        QCOMPARE(columnClick.count(), 1);
        QCOMPARE(columnClick.first().first().toInt(), 1);
    }

    // The selected row is filled up to the client width: with the highlight colour while the
    // list has the focus, with a grey that keeps its text legible while it has not.
    void fillsRowsByFocusAndSelection() {
        ListWindow w;
        w.Fill(4);
        QVERIFY(w.ShowActive());
        w.list->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        w.list->setFocus();
        QTRY_VERIFY(w.list->hasFocus());
        const int right = w.list->viewport()->width() - 2;
        const QPalette pal = w.list->palette();
        const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);

        QImage shot = w.Shot();
        QCOMPARE(shot.pixelColor(w.RowPoint(1, right)), highlight);
        QCOMPARE(shot.pixelColor(w.RowPoint(0, right)), kTextBk);
        const QPoint belowRows(right, w.list->GetFullRowRect(3).bottom() + 10);
        QCOMPARE(shot.pixelColor(belowRows), kBk);

        w.other->setFocus();
        QTRY_VERIFY(!w.list->hasFocus());
        shot = w.Shot();
        const QColor grey = shot.pixelColor(w.RowPoint(1, right));
        QVERIFY(grey != highlight);
        QCOMPARE(grey.red(), grey.green());
        QCOMPARE(grey.green(), grey.blue());
        QVERIFY(Contrast(grey, pal.color(QPalette::Active, QPalette::HighlightedText)) >= 4.5);

        // Without "show selection always" an unfocused list shows no selection.
        w.list->SetShowSelectionAlways(false);
        QCOMPARE(w.Shot().pixelColor(w.RowPoint(1, right)), kTextBk);
    }

    void textColourIsKeptButTextBackgroundFills() {
        ListWindow w;
        w.Fill(3);
        QVERIFY(w.ShowActive());
        const QImage before = w.Shot();
        w.list->SetTextColor(Qt::magenta);
        QCOMPARE(w.list->GetTextColor(), QColor(Qt::magenta));
        QCOMPARE(w.Shot(), before);

        const QColor mint(200, 255, 220);
        w.list->SetTextBkColor(mint);
        QCOMPARE(w.Shot().pixelColor(w.RowPoint(0, w.list->viewport()->width() - 2)), mint);
    }

    void alignsAndShortensCellTexts() {
        ListWindow w;
        w.Fill(3);
        w.list->SetItemText(0, 1, "7");
        w.list->SetItemText(1, 1, "een veel te lange tekst voor deze kolom");
        w.list->SetItemText(2, 1, "");
        w.list->SetItemText(0, 3, "8");
        w.list->SetItemText(1, 3, "WWWW");
        QVERIFY(w.ShowActive());
        const QImage shot = w.Shot();
        const QRect centred = w.list->GetSubItemRect(0, 1);
        const int centredInk = LeftmostInk(shot, centred, kTextBk);
        QVERIFY(centredInk > centred.left() + centred.width() / 3);
        QVERIFY(centredInk < centred.right() - centred.width() / 3);

        const QRect shortened = w.list->GetSubItemRect(1, 1);
        const int shortenedInk = LeftmostInk(shot, shortened, kTextBk);
        QVERIFY(shortenedInk >= shortened.left() + 6);
        QVERIFY(shortenedInk <= shortened.left() + 9);
        // The dots end inside the column less its margin and allowance.
        const QRect pastText = shortened.adjusted(shortened.width() - 6, 0, 0, 0);
        QCOMPARE(LeftmostInk(shot, pastText, kTextBk), -1);

        QCOMPARE(LeftmostInk(shot, w.list->GetSubItemRect(2, 1), kTextBk), -1);

        const QRect right = w.list->GetSubItemRect(0, 3);
        QVERIFY(LeftmostInk(shot, right, kTextBk) > right.center().x());

        // Even cut to one character in a narrow right-aligned column the text starts left.
        w.list->header()->resizeSection(3, 30);
        const QRect narrow = w.list->GetSubItemRect(1, 3);
        const int narrowInk = LeftmostInk(w.Shot(), narrow, kTextBk);
        QVERIFY(narrowInk >= narrow.left() + 6);
        QVERIFY(narrowInk <= narrow.left() + 9);
    }

    // The icon stands in front of the first column's label, outside the row's fill, and is
    // tinted while its row is selected.
    void drawsIconsInFrontOfTheFirstColumn() {
        ListWindow w;
        w.Fill(3);
        w.list->InsertItem(3, "zonder icoon", -1);
        w.list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        QVERIFY(w.ShowActive());
        const QImage shot = w.Shot();
        const QRect icon = w.list->GetIconRect(0);
        QCOMPARE(icon.size(), QSize(16, 16));
        QVERIFY(icon.right() < w.list->GetFullRowRect(0).left());
        QVERIFY(icon.right() < w.list->GetSubItemRect(0, 0).left() + 2);
        QCOMPARE(shot.pixelColor(icon.center()), kRed);
        const QColor tinted = shot.pixelColor(w.list->GetIconRect(2).center());
        QVERIFY(tinted != kRed);
        QVERIFY(tinted.red() > tinted.green());
        QCOMPARE(shot.pixelColor(w.list->GetIconRect(3).center()), kBk);
    }
};

TOLVAR_TEST(FullRowListCtrlTest);

#include "tst_FullRowListCtrl.moc"
