#include "workspace/TreeImageList.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

CTreeImageList::CTreeImageList(const QString& strStrip) {
    const QImage strip = MaskWhite(RenderStrip(strStrip));
    for (int n = 0; n < kCells; ++n) {
        m_cells.push_back(strip.copy(n * kCellWidth, 0, kCellWidth, kCellHeight));
        m_icons.emplace_back(QPixmap::fromImage(m_cells.back()));
    }
}

const QIcon& CTreeImageList::Image(int n) const {
    return n >= 0 && n < Count() ? m_icons[size_t(n)] : m_none;
}

// Drawn on white, as a bitmap with a mask colour is, so that white means "nothing here".
QImage CTreeImageList::RenderStrip(const QString& strStrip) {
    QImage strip(kCells * kCellWidth, kCellHeight, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    QSvgRenderer renderer(strStrip);
    if (renderer.isValid()) {
        QPainter painter(&strip);
        const QSize size = renderer.defaultSize();
        renderer.render(&painter, QRectF(0, 0, size.width(), size.height()));
    }
    return strip;
}

QImage CTreeImageList::MaskWhite(const QImage& strip) {
    QImage masked = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if (line[x] == white) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return masked;
}
