#include "workspace/TreeItem.h"

#include "workspace/TreeImageList.h"

CTreeItem::CTreeItem(const QString& strText, int nImage, const CTreeImageList* pImages,
                     CTreeNodeData* pNode)
    : QTreeWidgetItem(Type), m_pImages(pImages), m_pNode(pNode), m_nImage(nImage) {
    setText(0, strText);
}

QVariant CTreeItem::data(int column, int role) const {
    if (column == 0 && role == Qt::DecorationRole) {
        return m_pImages->Image(m_nImage);
    }
    return QTreeWidgetItem::data(column, role);
}

void CTreeItem::SetUnread(bool bUnread) {
    m_bUnread = bUnread;
    setChildIndicatorPolicy(bUnread ? QTreeWidgetItem::ShowIndicator
                                    : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}
