// Showing a record that the search found: in the tab where it has its own place, with the
// way down to it opened and its node selected, as if the user had clicked it there.
#include "workspace/TolvarView.h"

#include "search/ZoekTabel.h"

#include <QTabWidget>
#include <QTreeWidget>

namespace {

struct Plaats {
    int nTab;
    int nEersteKind;
    int nLaatsteKind;
};

// Relations, persons and relation memos live under their relation in "Relaties"; a
// document and its memos in the tab of its kind, where every document is shown (in
// "Relaties" only those of a customer or supplier are).
bool PlaatsVan(int nSoort, Plaats& plaats) {
    switch (nSoort) {
    case ZoekTabel::RELATIE:
        plaats = {CTolvarView::TAB_RELATIES, NODE_RELATIE, NODE_RELATIE};
        return true;
    case ZoekTabel::PERSOON:
        plaats = {CTolvarView::TAB_RELATIES, NODE_PERSOON, NODE_PERSOON};
        return true;
    case ZoekTabel::RELATIEMEMO:
        plaats = {CTolvarView::TAB_RELATIES, NODE_RELATIEMEMO, NODE_RELATIEMEMO};
        return true;
    case ZoekTabel::OFFERTE:
        plaats = {CTolvarView::TAB_OFFERTES, NODE_OFFERTE_TEVERSTUREN, NODE_OFFERTE_VERVALLEN};
        return true;
    case ZoekTabel::OFFERTEMEMO:
        plaats = {CTolvarView::TAB_OFFERTES, NODE_OFFERTEMEMO, NODE_OFFERTEMEMO};
        return true;
    case ZoekTabel::CALCULATIE:
        plaats = {CTolvarView::TAB_CALCULATIES, NODE_CALCULATIE, NODE_CALCULATIE};
        return true;
    case ZoekTabel::CALCULATIEMEMO:
        plaats = {CTolvarView::TAB_CALCULATIES, NODE_CALCULATIEMEMO, NODE_CALCULATIEMEMO};
        return true;
    case ZoekTabel::ORDER:
        plaats = {CTolvarView::TAB_ORDERS, NODE_ORDER, NODE_ORDER};
        return true;
    case ZoekTabel::ORDERMEMO:
        plaats = {CTolvarView::TAB_ORDERS, NODE_ORDERMEMO, NODE_ORDERMEMO};
        return true;
    case ZoekTabel::BESTELLING:
        plaats = {CTolvarView::TAB_BESTELLINGEN, NODE_BESTELLING, NODE_BESTELLING};
        return true;
    case ZoekTabel::BESTELLINGMEMO:
        plaats = {CTolvarView::TAB_BESTELLINGEN, NODE_BESTELLINGMEMO, NODE_BESTELLINGMEMO};
        return true;
    default:
        return false;
    }
}

} // namespace

QTreeWidgetItem* CTolvarView::FindRecordNode(int nFirstKind, int nLastKind, LONG lNumber) const {
    for (const auto& node : m_nodeList) {
        if (node->m_nKind >= nFirstKind && node->m_nKind <= nLastKind &&
            node->m_lNumber == lNumber) {
            return node->m_hItem;
        }
    }
    return nullptr;
}

// Persons and memos lie below a top-level relation or document, which a lazy fill may have
// left unread: the record's parent number tells which one to read.
void CTolvarView::ReadWayTo(int nSoort, LONG lNummer) {
    struct Weg {
        int nSoort;
        int nTable;
        int nEersteKind;
        int nLaatsteKind;
    };
    static const Weg kWegen[] = {
        {ZoekTabel::PERSOON, TT_PERSOON, NODE_RELATIE, NODE_RELATIE},
        {ZoekTabel::RELATIEMEMO, TT_RELATIEMEMO, NODE_RELATIE, NODE_RELATIE},
        {ZoekTabel::OFFERTEMEMO, TT_OFFERTEMEMO, NODE_OFFERTE_TEVERSTUREN, NODE_OFFERTE_VERVALLEN},
        {ZoekTabel::CALCULATIEMEMO, TT_CALCULATIEMEMO, NODE_CALCULATIE, NODE_CALCULATIE},
        {ZoekTabel::ORDERMEMO, TT_ORDERMEMO, NODE_ORDER, NODE_ORDER},
        {ZoekTabel::BESTELLINGMEMO, TT_BESTELLINGMEMO, NODE_BESTELLING, NODE_BESTELLING},
    };
    for (const Weg& weg : kWegen) {
        if (weg.nSoort != nSoort) {
            continue;
        }
        CRecBasis& set = TableSet(weg.nTable);
        set.Selecteer(SEL_NUMMER, lNummer);
        if (set.Volgende()) {
            const LONG lOuder = ReadRow(weg.nTable).lOuder;
            ReadChildren(FindRecordNode(weg.nEersteKind, weg.nLaatsteKind, lOuder));
        }
        return;
    }
}

bool CTolvarView::ToonRecord(int nSoort, LONG lNummer) {
    Plaats plaats;
    if (!PlaatsVan(nSoort, plaats)) {
        return false;
    }
    if (GetSelectedTab() != plaats.nTab) {
        m_pTabs->setCurrentIndex(plaats.nTab);
    }
    const auto find = [&] {
        QTreeWidgetItem* found = FindRecordNode(plaats.nEersteKind, plaats.nLaatsteKind, lNummer);
        if (!found) {
            ReadWayTo(nSoort, lNummer);
            found = FindRecordNode(plaats.nEersteKind, plaats.nLaatsteKind, lNummer);
        }
        return found;
    };
    QTreeWidgetItem* item = find();
    if (!item) {
        // Another program may have added the record since the tab was filled.
        FillTab(plaats.nTab);
        item = find();
    }
    if (!item) {
        return false;
    }
    for (QTreeWidgetItem* ouder = item->parent(); ouder; ouder = ouder->parent()) {
        ouder->setExpanded(true);
    }
    m_pTree->setCurrentItem(item);
    m_pTree->scrollToItem(item);
    m_pTree->setFocus(Qt::OtherFocusReason);
    return true;
}
