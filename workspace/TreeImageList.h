#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <vector>

// The pictures of the workspace tree: one strip of equal cells, cut apart, with pure white
// as the see-through colour. A node uses the same picture selected or not.
class CTreeImageList {
public:
    static constexpr int kCells = 20;
    static constexpr int kCellWidth = 17;
    static constexpr int kCellHeight = 15;

    explicit CTreeImageList(const QString& strStrip = QStringLiteral(":/images/tree_strip.svg"));

    int Count() const { return int(m_cells.size()); }
    // The picture of cell n; an empty icon for a cell outside the strip.
    const QIcon& Image(int n) const;
    const QImage& Cell(int n) const { return m_cells.at(size_t(n)); }

    // The strip with every pure white pixel made transparent.
    static QImage MaskWhite(const QImage& strip);

private:
    static QImage RenderStrip(const QString& strStrip);

    std::vector<QImage> m_cells;
    std::vector<QIcon> m_icons;
    QIcon m_none;
};
