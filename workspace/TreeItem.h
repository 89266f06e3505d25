#pragma once

#include <QTreeWidgetItem>

class CTreeNodeData;
class CTreeImageList;

// A workspace tree item: it refers to its node data, takes its picture from the view's image
// list instead of keeping a copy, and keeps its one text itself instead of in the general
// per-column store, so that a tree of a few hundred thousand items stays quick to build.
class CTreeItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;

    CTreeItem(const QString& strText, int nImage, const CTreeImageList* pImages,
              CTreeNodeData* pNode);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    CTreeNodeData* Node() const { return m_pNode; }

    // Whether the nodes below this one are still to be read from the store. Such an item
    // shows its expand button before it has children, so that it can be unfolded.
    bool IsUnread() const { return m_bUnread; }
    void SetUnread(bool bUnread);

private:
    QString m_strText;
    const CTreeImageList* m_pImages;
    CTreeNodeData* m_pNode;
    int m_nImage;
    bool m_bUnread = false;
};
