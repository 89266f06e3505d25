#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QTreeView>
#include <vector>

class CFullRowListModel;

// Column alignments of InsertColumn.
enum ListColumnFormat : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };
// Row states of SetItemState and GetItemState.
enum ListItemState : unsigned { LVIS_FOCUSED = 0x1, LVIS_SELECTED = 0x2 };

// A report list that draws its rows itself so that the selection covers the whole row up to
// the right edge of the window, not only the first column's label. Texts that do not fit
// their column end in "...". Rows and columns are addressed by index, as in a list control.
class CFullRowListCtrl : public QTreeView {
    Q_OBJECT
public:
    explicit CFullRowListCtrl(QWidget* parent = nullptr);

    // Columns: a column asked for beyond the last is appended; the first column is always
    // left-aligned. The width is in pixels of the 8-point system font and is scaled to the
    // list's font. Answers the new column's index.
    int InsertColumn(int nCol, const QString& strHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1);
    int GetColumnCount() const;
    int GetColumnWidth(int nCol) const;

    // Rows: answers the new row's index (a row asked for beyond the last is appended), or -1.
    int InsertItem(int nItem, const QString& strText, int nImage = -1);
    bool SetItemText(int nItem, int nSubItem, const QString& strText);
    QString GetItemText(int nItem, int nSubItem) const;
    int GetItemImage(int nItem) const;
    bool SetItemData(int nItem, qintptr data);
    qintptr GetItemData(int nItem) const;
    bool DeleteItem(int nItem);
    bool DeleteAllItems();
    int GetItemCount() const;

    // Selection. The selection mark is the row the user last acted on when it is selected,
    // otherwise the first selected row; -1 without selection.
    int GetSelectedCount() const;
    std::vector<int> GetSelectedItems() const;
    int GetNextSelectedItem(int nAfter) const;
    int GetSelectionMark() const;
    bool SetItemState(int nItem, unsigned nState, unsigned nMask);
    unsigned GetItemState(int nItem, unsigned nMask) const;
    bool EnsureVisible(int nItem);
    void SetShowSelectionAlways(bool bAlways);

    // Images drawn in front of the first column, chosen by each row's image index.
    void SetImageList(const QList<QIcon>& images);

    // The text colour is kept but rows are drawn in the system's text colour; the text
    // background colour fills unselected rows, the background colour the rest.
    void SetTextColor(const QColor& colour) { m_clrText = colour; }
    QColor GetTextColor() const { return m_clrText; }
    void SetTextBkColor(const QColor& colour);
    QColor GetTextBkColor() const { return m_clrTextBk; }
    void SetBkColor(const QColor& colour);
    QColor GetBkColor() const { return m_clrBk; }

    // Where row nItem is drawn: the full-row rectangle (from the first column's label to the
    // client width or the last column, whichever lies further right) and its icon.
    QRect GetFullRowRect(int nItem) const;
    QRect GetIconRect(int nItem) const;
    QRect GetSubItemRect(int nItem, int nSubItem) const;

    QModelIndex indexAt(const QPoint& point) const override;

signals:
    void DblClick(int nItem);
    void ColumnClick(int nColumn);
    void SelectionChanged();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct RowLayout {
        QRect full;
        QRect icon;
        QRect label;
    };

    RowLayout LayoutRow(int nTop, int nHeight) const;
    QRect ColumnRect(int nCol, int nTop, int nHeight) const;
    bool IsDrawnSelected(int nItem, bool bFocus) const;
    void DrawIcon(QPainter* painter, const QRect& rect, int nImage, bool bSelected) const;
    void DrawLabel(QPainter* painter, const QRect& rect, const QString& strText) const;
    void DrawSubItem(QPainter* painter, const QRect& rect, const QString& strText,
                     Qt::Alignment alignment) const;
    void DrawFocus(QPainter* painter, const QRect& rect) const;
    void UpdateRowHeight();
    void UpdatePalette();
    QModelIndex RowIndex(int nItem) const;

    CFullRowListModel* m_pModel;
    QList<QIcon> m_images;
    QColor m_clrText;
    QColor m_clrTextBk;
    QColor m_clrBk;
    bool m_bShowSelAlways = true;
};
