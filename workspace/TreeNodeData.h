#pragma once

#include "platform/dao/DaoTypes.h"

class QTreeWidgetItem;

// What one workspace tree item stands for. The view owns these objects in its node list;
// each tree item refers to its own.
class CTreeNodeData {
public:
    int m_nKind = 0;         // NodeKind
    int m_nParentKind = 0;   // the kind given for the parent at insertion, 0 for a relation
    LONG m_lNumber = 0;      // the record's number; for a folder, its owner's (see NodeKind)
    LONG m_lOwnerNumber = 0; // the record a new child of this node belongs to
    QTreeWidgetItem* m_hItem = nullptr;
    QTreeWidgetItem* m_hParentItem = nullptr; // none for a root item
};
