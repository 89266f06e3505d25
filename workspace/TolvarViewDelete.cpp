// The Delete command: a single person or memo, or a relation or document with everything
// shown below it.
#include "workspace/TolvarView.h"

#include "platform/dao/DaoException.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"

#include <QTreeWidget>

namespace {

QString Vraag(int nKind) {
    const auto vraag = [](const char* szWat) {
        return QStringLiteral("Weet u het zekers dat u deze\n%1 wilt verwijderen ?")
            .arg(QLatin1String(szWat));
    };
    switch (nKind) {
    case NODE_RELATIE:
        return vraag("Relatie") + QLatin1Char('\n');
    case NODE_PERSOON:
        return vraag("persoon");
    case NODE_RELATIEMEMO:
        return vraag("relatiememo");
    case NODE_OFFERTE_POSITIEF:
    case NODE_OFFERTE_VERVALLEN:
        return vraag("offerte");
    case NODE_OFFERTEMEMO:
        return vraag("offertememo");
    case NODE_ORDER:
        return vraag("order");
    case NODE_ORDERMEMO:
        return vraag("ordermemo");
    case NODE_CALCULATIE:
        return vraag("calculatie");
    case NODE_CALCULATIEMEMO:
        return vraag("calculatiememo");
    case NODE_BESTELLING:
        return vraag("bestelling");
    case NODE_BESTELLINGMEMO:
        return vraag("bestellingmemo");
    default:
        return {};
    }
}
} // namespace

CRecBasis* CTolvarView::RecordSet(int nKind) {
    switch (nKind) {
    case NODE_RELATIE:
        return &m_setRelatie;
    case NODE_PERSOON:
        return &m_setPersoon;
    case NODE_RELATIEMEMO:
        return &m_setRelatieMemo;
    case NODE_OFFERTE_TEVERSTUREN:
    case NODE_OFFERTE_VERSTUURD:
    case NODE_OFFERTE_POSITIEF:
    case NODE_OFFERTE_VERVALLEN:
        return &m_setOfferte;
    case NODE_OFFERTEMEMO:
        return &m_setOfferteMemo;
    case NODE_ORDER:
        return &m_setOrder;
    case NODE_ORDERMEMO:
        return &m_setOrderMemo;
    case NODE_CALCULATIE:
        return &m_setCalculatie;
    case NODE_CALCULATIEMEMO:
        return &m_setCalculatieMemo;
    case NODE_BESTELLING:
        return &m_setBestelling;
    case NODE_BESTELLINGMEMO:
        return &m_setBestellingMemo;
    default:
        return nullptr;
    }
}

void CTolvarView::OnRecordVerwijder() {
    const CTreeNodeData* node = GetSelectedNode();
    const int nTab = GetSelectedTab();
    if (!node || !CanDelete(node->m_nKind, nTab)) {
        return;
    }
    const int nKind = node->m_nKind;
    const LONG lNumber = node->m_lNumber;
    QTreeWidgetItem* item = node->m_hItem;
    if (MessageBox(this, Vraag(nKind), QStringLiteral("Verwijderen"),
                   MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    switch (nKind) {
    case NODE_RELATIE:
        if (MessageBox(this,
                       QStringLiteral("Alle offertes, orders, bestellingen, memo's\nen calculaties "
                                      "worden dan ook verwijderd"),
                       QStringLiteral("LET OP !!"),
                       MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2) != IDOK) {
            return;
        }
        m_nDeleteRootKind = nKind;
        DeleteSubtree(item);
        break;
    case NODE_OFFERTE_POSITIEF:
    case NODE_OFFERTE_VERVALLEN:
    case NODE_ORDER:
    case NODE_CALCULATIE:
    case NODE_BESTELLING:
        m_nDeleteRootKind = nKind;
        DeleteSubtree(item);
        break;
    default:
        RecordSet(nKind)->VerwijderRecord(lNumber);
        RemoveNodes(nKind, lNumber);
        break;
    }
}

void CTolvarView::DeleteSubtree(QTreeWidgetItem* hItem) {
    // The cascade deletes what a complete fill shows below the node, read or not.
    ReadChildren(hItem);
    if (DeleteRecords(hItem)) {
        RemoveItem(hItem);
    }
}

// All of the records or none: a failure half-way rolls back what was deleted so far, shows
// the engine's message and shows the tab as the file now holds it.
bool CTolvarView::DeleteRecords(QTreeWidgetItem* hItem) {
    const CTreeNodeData* root = NodeData(hItem);
    m_setRelatie.BeginTrans();
    try {
        RecordSet(root->m_nKind)->VerwijderMetKinderen(root->m_lNumber);
        m_setRelatie.CommitTrans();
        return true;
    } catch (const CDaoException& e) {
        try {
            m_setRelatie.Rollback();
        } catch (const CDaoException&) {
            // The engine ends a failed transaction itself; the first failure is the news.
        }
        ReportFailure(e.m_strError, this);
    }
    FillTab(GetSelectedTab());
    return false;
}
