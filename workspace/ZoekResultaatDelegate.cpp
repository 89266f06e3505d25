#include "workspace/ZoekResultaatDelegate.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

namespace {

constexpr int kMarge = 3;

void Vul(QTextDocument& document, const QStyleOptionViewItem& option, const QModelIndex& index) {
    document.setDefaultFont(option.font);
    document.setDocumentMargin(0);
    // The text takes the colour of the row, so that a selected row stays readable.
    const bool bGekozen = option.state & QStyle::State_Selected;
    document.setDefaultStyleSheet(
        QStringLiteral("div { color: %1; }")
            .arg(option.palette.color(bGekozen ? QPalette::HighlightedText : QPalette::Text)
                     .name()));
    document.setHtml(index.data(CZoekResultaatDelegate::kHtmlRole).toString());
}

} // namespace

void CZoekResultaatDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QIcon icoon = opt.icon;
    opt.text.clear();
    opt.icon = QIcon();
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QSize icoonMaat = opt.decorationSize;
    const QRect icoonVak(opt.rect.left() + kMarge, opt.rect.top() + kMarge, icoonMaat.width(),
                         icoonMaat.height());
    icoon.paint(painter, icoonVak);

    QTextDocument document;
    Vul(document, opt, index);
    QAbstractTextDocumentLayout::PaintContext context;
    painter->save();
    painter->translate(icoonVak.right() + 2 * kMarge, opt.rect.top() + kMarge);
    document.setTextWidth(opt.rect.width() - icoonVak.width() - 4 * kMarge);
    document.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize CZoekResultaatDelegate::sizeHint(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    QTextDocument document;
    Vul(document, option, index);
    return {int(document.idealWidth()) + 40, int(document.size().height()) + 2 * kMarge};
}
