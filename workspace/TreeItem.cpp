#include "workspace/TreeItem.h"

#include "workspace/TreeImageList.h"

CTreeItem::CTreeItem(const QString& strText, int nImage, const CTreeImageList* pImages,
                     CTreeNodeData* pNode)
    : QTreeWidgetItem(Type), m_strText(strText), m_pImages(pImages), m_pNode(pNode),
      m_nImage(nImage) {}

namespace {

bool IsText(int column, int role) {
    return column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole);
}

} // namespace

QVariant CTreeItem::data(int column, int role) const {
    if (IsText(column, role)) {
        return m_strText;
    }
    if (column == 0 && role == Qt::DecorationRole) {
        return m_pImages->Image(m_nImage);
    }
    return QTreeWidgetItem::data(column, role);
}

void CTreeItem::setData(int column, int role, const QVariant& value) {
    if (!IsText(column, role)) {
        QTreeWidgetItem::setData(column, role, value);
        return;
    }
    const QString strText = value.toString();
    if (strText != m_strText) {
        m_strText = strText;
        emitDataChanged();
    }
}

void CTreeItem::SetUnread(bool bUnread) {
    m_bUnread = bUnread;
    setChildIndicatorPolicy(bUnread ? QTreeWidgetItem::ShowIndicator
                                    : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}
