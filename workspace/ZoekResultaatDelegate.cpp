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
    const bool bGekozen = opt.state & QStyle::State_Selected;
    context.palette.setColor(
        QPalette::Text, opt.palette.color(bGekozen ? QPalette::HighlightedText : QPalette::Text));
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
