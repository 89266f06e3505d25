// The record commands' enabling rules, the Modify command and the upkeep of the tree
// between fills.
#include "workspace/TolvarView.h"

#include "exchange/venster/UitwisselVenster.h"
#include "platform/dao/DaoException.h"
#include "platform/ui/DispatchGuard.h"
#include "res/Resource.h"

#include <algorithm>
#include <QTreeWidget>
#include <unordered_set>

namespace {

bool OneOf(int nKind, std::initializer_list<int> kinds) {
    return std::find(kinds.begin(), kinds.end(), nKind) != kinds.end();
}

QString PersoonTekst(const CRecPersoon& set) {
    return set.szAchterNaam + QStringLiteral(", ") + set.szVoorNaam;
}

// Stands on record lNumber of set. A record that has gone from the file since the tree was
// filled cannot be edited; the store's way of saying so ends the command.
void StaOp(CRecBasis& set, LONG lNumber) {
    set.Selecteer(SEL_NUMMER, lNumber);
    if (!set.Volgende()) {
        throw CDaoException(QStringLiteral("Dit record staat niet meer in de database."), 3021);
    }
}

} // namespace

bool CTolvarView::CanNew(int nKind, int nTab) {
    switch (nKind) {
    case NODE_RELATIE:
        return nTab == TAB_RELATIES;
    case NODE_CALCULATIE:
        return nTab == TAB_CALCULATIES;
    case NODE_BESTELLING:
        return nTab == TAB_BESTELLINGEN;
    default:
        return OneOf(nKind,
                     {-1, NODE_PERSONEN, NODE_RELATIEMEMOS, NODE_TEVERSTUREN, NODE_OFFERTEMEMOS,
                      NODE_ORDERS, NODE_ORDER, NODE_ORDERMEMOS, NODE_CALCULATIES,
                      NODE_CALCULATIEMEMOS, NODE_BESTELLINGEN, NODE_BESTELLINGMEMOS});
    }
}

bool CTolvarView::CanDelete(int nKind, int nTab) {
    if (nKind == NODE_RELATIE) {
        return nTab == TAB_RELATIES;
    }
    return OneOf(nKind,
                 {NODE_PERSOON, NODE_RELATIEMEMO, NODE_OFFERTE_POSITIEF, NODE_OFFERTE_VERVALLEN,
                  NODE_OFFERTEMEMO, NODE_ORDER, NODE_ORDERMEMO, NODE_CALCULATIE,
                  NODE_CALCULATIEMEMO, NODE_BESTELLING, NODE_BESTELLINGMEMO});
}

bool CTolvarView::CanModify(int nKind, int) {
    return IsRecordKind(nKind);
}

bool CTolvarView::CanUseDocument(int nKind, int) {
    return OneOf(nKind, {NODE_OFFERTE_TEVERSTUREN, NODE_OFFERTE_VERSTUURD, NODE_OFFERTE_POSITIEF,
                         NODE_OFFERTE_VERVALLEN, NODE_ORDER, NODE_CALCULATIE, NODE_BESTELLING});
}

void CTolvarView::RegisterCommands() {
    using Rule = bool (*)(int, int);
    const auto rule = [this](Rule can) {
        return [this, can](CCmdUI* ui) { ui->Enable(can(GetSelectedKind(), GetSelectedTab())); };
    };
    OnCommand(
        ID_RECORD_NIEUW, [this] { OnRecordNieuw(); }, rule(&CanNew));
    OnCommand(
        ID_RECORD_VERWIJDER, [this] { OnRecordVerwijder(); }, rule(&CanDelete));
    OnCommand(
        ID_RECORD_WIJZIG, [this] { OnRecordWijzig(); }, rule(&CanModify));
    // One relation's cards: its own and those of its persons.
    OnCommand(
        ID_RELATIE_VCARD,
        [this] {
            if (const CTreeNodeData* node = GetSelectedNode();
                node && node->m_nKind == NODE_RELATIE) {
                CUitwisselVenster::ExporteerVCard(this, false, node->m_lNumber);
            }
        },
        [this](CCmdUI* ui) { ui->Enable(GetSelectedKind() == NODE_RELATIE); });
    OnCommand(
        ID_EDIT_DOC, [this] { OnEditDoc(); }, rule(&CanUseDocument));
    OnCommand(
        ID_PRINT_DOC, [this] { OnPrintDoc(); }, rule(&CanUseDocument));
    m_pTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pTree, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Guarded([&] { OnContextMenu(pos); }, this); });
}

void CTolvarView::OnRecordWijzig() {
    const CTreeNodeData* node = GetSelectedNode();
    if (!node) {
        return;
    }
    const int nKind = node->m_nKind;
    const LONG lNumber = node->m_lNumber;
    switch (nKind) {
    case NODE_RELATIE:
        StaOp(m_setRelatie, lNumber);
        if (m_setRelatie.WijzigRecord()) {
            // Other flags mean other folders under the relation.
            if (m_setRelatie.m_bSoortGewijzigd) {
                FillTab(GetSelectedTab());
            } else {
                RelabelNodes(lNumber, nKind, m_setRelatie.szInLijst);
            }
        }
        break;
    case NODE_PERSOON:
        StaOp(m_setPersoon, lNumber);
        if (m_setPersoon.WijzigRecord()) {
            RelabelNodes(lNumber, nKind, PersoonTekst(m_setPersoon));
        }
        break;
    case NODE_RELATIEMEMO:
        StaOp(m_setRelatieMemo, lNumber);
        if (m_setRelatieMemo.WijzigMemo()) {
            RelabelNodes(lNumber, nKind, m_setRelatieMemo.szInLijst);
        }
        break;
    case NODE_OFFERTE_TEVERSTUREN:
    case NODE_OFFERTE_VERSTUURD:
    case NODE_OFFERTE_POSITIEF:
    case NODE_OFFERTE_VERVALLEN:
        StaOp(m_setOfferte, lNumber);
        if (m_setOfferte.WijzigRecord()) {
            // A status step moves the quotation to another status folder.
            if (nKind <= NODE_OFFERTE_VERSTUURD && m_setOfferte.m_bStatusGewijzigd) {
                FillTab(GetSelectedTab());
            } else {
                RelabelNodes(lNumber, nKind, m_setOfferte.szInLijst);
            }
        }
        break;
    case NODE_OFFERTEMEMO:
    case NODE_ORDERMEMO:
    case NODE_CALCULATIEMEMO:
    case NODE_BESTELLINGMEMO: {
        auto& set = nKind == NODE_OFFERTEMEMO ? static_cast<CRecDocumentMemo&>(m_setOfferteMemo)
                    : nKind == NODE_ORDERMEMO ? static_cast<CRecDocumentMemo&>(m_setOrderMemo)
                    : nKind == NODE_CALCULATIEMEMO
                        ? static_cast<CRecDocumentMemo&>(m_setCalculatieMemo)
                        : static_cast<CRecDocumentMemo&>(m_setBestellingMemo);
        StaOp(set, lNumber);
        if (set.WijzigMemo()) {
            RelabelNodes(lNumber, nKind, set.szInLijst);
        }
        break;
    }
    case NODE_ORDER:
        StaOp(m_setOrder, lNumber);
        if (m_setOrder.WijzigRecord()) {
            RelabelNodes(lNumber, nKind, m_setOrder.szInLijst);
        }
        break;
    case NODE_CALCULATIE:
        StaOp(m_setCalculatie, lNumber);
        if (m_setCalculatie.WijzigRecord()) {
            RelabelNodes(lNumber, nKind, m_setCalculatie.szInLijst);
        }
        break;
    case NODE_BESTELLING:
        StaOp(m_setBestelling, lNumber);
        if (m_setBestelling.WijzigRecord()) {
            RelabelNodes(lNumber, nKind, m_setBestelling.szInLijst);
        }
        break;
    default:
        break;
    }
}

void CTolvarView::RelabelNodes(LONG lNumber, int nKind, const QString& strText) {
    for (const auto& node : m_nodeList) {
        if (node->m_lNumber == lNumber && node->m_nKind == nKind) {
            node->m_hItem->setText(0, strText);
        }
    }
}

void CTolvarView::AddUnderFolders(LONG lNewNumber, int nNewKind, int nImage, const QString& strText,
                                  LONG lFolderNumber, int nFolderKind) {
    // Only the folders that were there before: the new nodes are never folders themselves,
    // and the list grows while it is walked.
    const size_t nBefore = m_nodeList.size();
    for (size_t i = 0; i < nBefore; ++i) {
        const CTreeNodeData& folder = *m_nodeList[i];
        if (folder.m_lNumber == lFolderNumber && folder.m_nKind == nFolderKind) {
            InsertNode(folder.m_hItem, strText, nImage, nNewKind, lNewNumber, nFolderKind,
                       lFolderNumber);
        }
    }
}

void CTolvarView::RemoveNodes(int nKind, LONG lNumber) {
    std::vector<QTreeWidgetItem*> items;
    for (const auto& node : m_nodeList) {
        if (node->m_nKind == nKind && node->m_lNumber == lNumber) {
            items.push_back(node->m_hItem);
        }
    }
    for (QTreeWidgetItem* item : items) {
        RemoveItem(item);
    }
}

// Takes the item out of the tree together with the node data of everything below it, so
// that no node in the list outlives its tree item.
void CTolvarView::RemoveItem(QTreeWidgetItem* hItem) {
    std::unordered_set<const CTreeNodeData*> gone;
    std::vector<QTreeWidgetItem*> pending{hItem};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        gone.insert(NodeData(item));
        for (int i = 0; i < item->childCount(); ++i) {
            pending.push_back(item->child(i));
        }
    }
    delete hItem;
    std::erase_if(m_nodeList, [&](const auto& node) { return gone.count(node.get()) != 0; });
}
