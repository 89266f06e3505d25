#pragma once

#include <QStyledItemDelegate>

// Draws a search result in two lines: the kind's picture and the record's name with its
// relation, and below it the piece of text where it was found, the matched words in bold.
// The row's markup is its kHtmlRole data; its display text stays plain for screen readers.
class CZoekResultaatDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kHtmlRole = Qt::UserRole + 10;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
