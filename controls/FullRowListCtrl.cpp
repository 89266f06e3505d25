#include "controls/FullRowListCtrl.h"

#include "controls/FullRowListModel.h"
#include "controls/ShortenText.h"
#include "platform/ui/FontScale.h"

#include <algorithm>
#include <QFocusEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

constexpr int kIconSize = 16;
constexpr int kIconMargin = 2;
// Room kept free beside a text: the first column's label is drawn 2 pixels in from its
// edges and needs 4 pixels to spare, the other columns 6 pixels in and 12 to spare.
constexpr int kLabelMargin = 2;
constexpr int kLabelAllowance = 4;
constexpr int kSubItemMargin = 6;
constexpr int kSubItemAllowance = 12;
constexpr int kTextFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

Qt::Alignment AlignmentOf(int nFormat) {
    switch (nFormat) {
    case LVCFMT_RIGHT:
        return Qt::AlignRight;
    case LVCFMT_CENTER:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// Tints the opaque pixels of an icon half-way towards the selection colour, as a selected
// icon is shown; transparent pixels stay transparent.
QPixmap Blended(const QPixmap& pixmap, QColor colour) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    colour.setAlphaF(0.5);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(image.rect(), colour);
    painter.end();
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(pixmap.devicePixelRatio());
    return result;
}

// The system's grey text colour, kept dark enough that the selection's text colour stays
// legible on it: the pale grey of some styles would make white text unreadable.
QColor GreyText(const QPalette& pal) {
    const QColor grey = pal.color(QPalette::Disabled, QPalette::Text);
    constexpr int kMaxLightness = 110;
    if (grey.lightness() <= kMaxLightness) {
        return grey;
    }
    return QColor::fromHsl(grey.hslHue(), grey.hslSaturation(), kMaxLightness);
}

} // namespace

CFullRowListCtrl::CFullRowListCtrl(QWidget* parent)
    : QTreeView(parent), m_pModel(new CFullRowListModel(this)),
      m_clrText(palette().color(QPalette::Text)), m_clrTextBk(palette().color(QPalette::Base)),
      m_clrBk(palette().color(QPalette::Base)) {
    setModel(m_pModel);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header(), &QHeaderView::sectionClicked, this, &CFullRowListCtrl::ColumnClick);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit DblClick(index.row()); });
    UpdateRowHeight();
}

int CFullRowListCtrl::InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth) {
    const int nNew = m_pModel->InsertColumn(nCol, strHeading, AlignmentOf(nFormat));
    if (nNew >= 0 && nWidth >= 0) {
        header()->resizeSection(nNew, ScaleToFont(nWidth, font()));
    }
    return nNew;
}

int CFullRowListCtrl::GetColumnCount() const {
    return m_pModel->columnCount();
}

int CFullRowListCtrl::GetColumnWidth(int nCol) const {
    return header()->sectionSize(nCol);
}

int CFullRowListCtrl::InsertItem(int nItem, const QString& strText, int nImage) {
    return m_pModel->InsertRow(nItem, strText, nImage);
}

bool CFullRowListCtrl::SetItemText(int nItem, int nSubItem, const QString& strText) {
    return m_pModel->SetText(nItem, nSubItem, strText);
}

QString CFullRowListCtrl::GetItemText(int nItem, int nSubItem) const {
    return m_pModel->Text(nItem, nSubItem);
}

int CFullRowListCtrl::GetItemImage(int nItem) const {
    return m_pModel->Image(nItem);
}

bool CFullRowListCtrl::SetItemData(int nItem, qintptr data) {
    return m_pModel->SetUserData(nItem, data);
}

qintptr CFullRowListCtrl::GetItemData(int nItem) const {
    return m_pModel->UserData(nItem);
}

bool CFullRowListCtrl::DeleteItem(int nItem) {
    return m_pModel->RemoveRow(nItem);
}

bool CFullRowListCtrl::DeleteAllItems() {
    m_pModel->RemoveAllRows();
    return true;
}

int CFullRowListCtrl::GetItemCount() const {
    return m_pModel->rowCount();
}

int CFullRowListCtrl::GetSelectedCount() const {
    return int(selectionModel()->selectedRows().size());
}

std::vector<int> CFullRowListCtrl::GetSelectedItems() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CFullRowListCtrl::GetNextSelectedItem(int nAfter) const {
    for (int nItem = std::max(nAfter + 1, 0); nItem < GetItemCount(); ++nItem) {
        if (selectionModel()->isRowSelected(nItem, {})) {
            return nItem;
        }
    }
    return -1;
}

int CFullRowListCtrl::GetSelectionMark() const {
    const int nCurrent = currentIndex().row();
    if (nCurrent >= 0 && selectionModel()->isRowSelected(nCurrent, {})) {
        return nCurrent;
    }
    return GetNextSelectedItem(-1);
}

bool CFullRowListCtrl::SetItemState(int nItem, unsigned nState, unsigned nMask) {
    const QModelIndex index = RowIndex(nItem);
    if (!index.isValid()) {
        return false;
    }
    if (nMask & LVIS_SELECTED) {
        const auto command =
            (nState & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
        selectionModel()->select(index, command | QItemSelectionModel::Rows);
    }
    if (nMask & LVIS_FOCUSED) {
        if (nState & LVIS_FOCUSED) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        } else if (currentIndex().row() == nItem) {
            selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
        }
    }
    return true;
}

unsigned CFullRowListCtrl::GetItemState(int nItem, unsigned nMask) const {
    unsigned nState = 0;
    if (RowIndex(nItem).isValid()) {
        if (currentIndex().row() == nItem) {
            nState |= LVIS_FOCUSED;
        }
        if (selectionModel()->isRowSelected(nItem, {})) {
            nState |= LVIS_SELECTED;
        }
    }
    return nState & nMask;
}

bool CFullRowListCtrl::EnsureVisible(int nItem) {
    const QModelIndex index = RowIndex(nItem);
    if (index.isValid()) {
        scrollTo(index);
    }
    return index.isValid();
}

void CFullRowListCtrl::SetShowSelectionAlways(bool bAlways) {
    m_bShowSelAlways = bAlways;
    viewport()->update();
}

void CFullRowListCtrl::SetImageList(const QList<QIcon>& images) {
    m_images = images;
    viewport()->update();
}

void CFullRowListCtrl::SetTextBkColor(const QColor& colour) {
    m_clrTextBk = colour;
    viewport()->update();
}

void CFullRowListCtrl::SetBkColor(const QColor& colour) {
    m_clrBk = colour;
    UpdatePalette();
}

QRect CFullRowListCtrl::GetFullRowRect(int nItem) const {
    const QRect cell = visualRect(RowIndex(nItem));
    return cell.isValid() ? LayoutRow(cell.top(), cell.height()).full : QRect();
}

QRect CFullRowListCtrl::GetIconRect(int nItem) const {
    const QRect cell = visualRect(RowIndex(nItem));
    return cell.isValid() ? LayoutRow(cell.top(), cell.height()).icon : QRect();
}

QRect CFullRowListCtrl::GetSubItemRect(int nItem, int nSubItem) const {
    const QRect cell = visualRect(RowIndex(nItem));
    if (!cell.isValid() || nSubItem < 0 || nSubItem >= GetColumnCount()) {
        return {};
    }
    if (nSubItem == 0) {
        return LayoutRow(cell.top(), cell.height()).label;
    }
    return ColumnRect(nSubItem, cell.top(), cell.height());
}

// A click anywhere on the selection bar, also right of the last column, hits its row.
QModelIndex CFullRowListCtrl::indexAt(const QPoint& point) const {
    const QModelIndex hit = QTreeView::indexAt(point);
    if (hit.isValid() || GetColumnCount() == 0) {
        return hit;
    }
    const QPoint inFirst(header()->sectionViewportPosition(0), point.y());
    const QModelIndex row = QTreeView::indexAt(inFirst);
    return row.isValid() && GetFullRowRect(row.row()).contains(point) ? row : QModelIndex();
}

void CFullRowListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const int nItem = index.row();
    const bool bFocus = hasFocus();
    const bool bSelected = IsDrawnSelected(nItem, bFocus);
    const RowLayout row = LayoutRow(option.rect.top(), option.rect.height());
    const QPalette& pal = palette();
    painter->save();
    if (bSelected) {
        painter->fillRect(row.full, bFocus ? pal.color(QPalette::Active, QPalette::Highlight)
                                           : GreyText(pal));
        painter->setPen(pal.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        painter->fillRect(row.full, m_clrTextBk);
        painter->setPen(pal.color(QPalette::Active, QPalette::Text));
    }
    painter->setFont(font());
    DrawIcon(painter, row.icon, m_pModel->Image(nItem), bSelected);
    DrawLabel(painter, row.label, m_pModel->Text(nItem, 0));
    for (int nCol = 1; nCol < GetColumnCount(); ++nCol) {
        DrawSubItem(painter, ColumnRect(nCol, row.full.top(), row.full.height()),
                    m_pModel->Text(nItem, nCol), m_pModel->ColumnAlignment(nCol));
    }
    if (bFocus && currentIndex().row() == nItem) {
        DrawFocus(painter, row.full);
    }
    painter->restore();
}

// The whole viewport is repainted instead of the changed cells: the view would otherwise
// lay out all rows again for every cell a refill sets, and a selection bar also reaches past
// the last column, where no cell lies.
void CFullRowListCtrl::dataChanged(const QModelIndex&, const QModelIndex&, const QList<int>&) {
    viewport()->update();
}

void CFullRowListCtrl::selectionChanged(const QItemSelection& selected,
                                        const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    viewport()->update();
    emit SelectionChanged();
}

void CFullRowListCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    viewport()->update();
}

// The selection colour depends on the focus.
void CFullRowListCtrl::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CFullRowListCtrl::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

void CFullRowListCtrl::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateRowHeight();
    }
}

CFullRowListCtrl::RowLayout CFullRowListCtrl::LayoutRow(int nTop, int nHeight) const {
    const bool bColumns = GetColumnCount() > 0;
    const int nLeft = bColumns ? header()->sectionViewportPosition(0) : -horizontalOffset();
    const int nFirstRight = nLeft + (bColumns ? header()->sectionSize(0) : 0);
    RowLayout row;
    int nLabelLeft = nLeft;
    if (!m_images.isEmpty()) {
        row.icon =
            QRect(nLeft + kIconMargin, nTop + (nHeight - kIconSize) / 2, kIconSize, kIconSize);
        nLabelLeft = nLeft + kIconMargin + kIconSize;
    }
    row.label = QRect(QPoint(nLabelLeft, nTop), QPoint(nFirstRight - 1, nTop + nHeight - 1));
    const int nRight = std::max(header()->length() - horizontalOffset(), viewport()->width());
    row.full = QRect(QPoint(nLabelLeft, nTop), QPoint(nRight - 1, nTop + nHeight - 1));
    return row;
}

QRect CFullRowListCtrl::ColumnRect(int nCol, int nTop, int nHeight) const {
    return QRect(header()->sectionViewportPosition(nCol), nTop, header()->sectionSize(nCol),
                 nHeight);
}

bool CFullRowListCtrl::IsDrawnSelected(int nItem, bool bFocus) const {
    return (bFocus || m_bShowSelAlways) && selectionModel()->isRowSelected(nItem, {});
}

void CFullRowListCtrl::DrawIcon(QPainter* painter, const QRect& rect, int nImage,
                                bool bSelected) const {
    if (nImage < 0 || nImage >= m_images.size() || rect.isEmpty()) {
        return;
    }
    QPixmap pixmap = m_images[nImage].pixmap(rect.size(), devicePixelRatioF());
    if (bSelected) {
        pixmap = Blended(pixmap, palette().color(QPalette::Active, QPalette::Highlight));
    }
    painter->drawPixmap(rect.topLeft(), pixmap);
}

void CFullRowListCtrl::DrawLabel(QPainter* painter, const QRect& rect,
                                 const QString& strText) const {
    const QFontMetrics metrics = fontMetrics();
    const QString strShown =
        ShortenText(strText, rect.width(), kLabelAllowance,
                    [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    painter->drawText(rect.adjusted(kLabelMargin, 0, -kLabelMargin, 0), kTextFlags | Qt::AlignLeft,
                      strShown);
}

void CFullRowListCtrl::DrawSubItem(QPainter* painter, const QRect& rect, const QString& strText,
                                   Qt::Alignment alignment) const {
    if (strText.isEmpty()) {
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const QString strShown =
        ShortenText(strText, rect.width(), kSubItemAllowance,
                    [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    // A shortened text starts at the left so that its beginning stays readable.
    const Qt::Alignment shownAlignment = strShown == strText ? alignment : Qt::AlignLeft;
    painter->drawText(rect.adjusted(kSubItemMargin, 0, -kSubItemMargin, 0),
                      kTextFlags | int(shownAlignment), strShown);
}

void CFullRowListCtrl::DrawFocus(QPainter* painter, const QRect& rect) const {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect;
    focus.backgroundColor = palette().color(QPalette::Active, QPalette::Highlight);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
}

void CFullRowListCtrl::UpdateRowHeight() {
    m_pModel->SetRowHeight(std::max(kIconSize, fontMetrics().height()) + 4);
}

void CFullRowListCtrl::UpdatePalette() {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, m_clrBk);
    setPalette(pal);
}

QModelIndex CFullRowListCtrl::RowIndex(int nItem) const {
    return m_pModel->index(nItem, 0);
}
