// The New command: a new record under the selected node, edited at once, and shown in the
// tree without a refill.
#include "workspace/TolvarView.h"

#include "platform/dao/DaoException.h"
#include "platform/ui/MessageBox.h"

#include <functional>
#include <QTreeWidget>

namespace {

bool Bevestig(CTolvarView& view, const char* szVraag, const char* szTitel) {
    return MessageBox(&view, QString::fromUtf8(szVraag), QString::fromUtf8(szTitel),
                      MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

// Runs the first edit of a row just stored with placeholder texts. Until that edit is
// confirmed the row is no record of the user's: Cancel takes it away again, and so does a
// failure on the way, which is then passed on to be reported.
bool EersteWijziging(CDaoRecordset& set, const std::function<int()>& edit) {
    int nResult = 0;
    try {
        nResult = edit();
    } catch (...) {
        try {
            set.Delete();
        } catch (const CDaoException&) {
            // The edit's own failure is the one the user must see.
        }
        throw;
    }
    if (!nResult) {
        set.Delete();
    }
    return nResult != 0;
}

// A new document, tied to relation lRelatie (none when 0) and stored before it is edited.
template <class Set> bool NieuwDocument(Set& set, LONG lRelatie) {
    set.NieuwOnder(lRelatie, [&] { set.NieuwRecord(lRelatie); });
    return EersteWijziging(set, [&] { return set.WijzigRecord(); });
}

struct DocumentSoort {
    int nKind;
    int nImage;
    const char* szVraag;
    const char* szTitel;
};

const DocumentSoort kOrder{NODE_ORDER, IMG_ORDER, "U wilt een nieuwe order aanmaken ?",
                           "Nieuwe order"};
const DocumentSoort kCalculatie{NODE_CALCULATIE, IMG_CALCULATIE,
                                "U wilt een nieuwe calculatie aanmaken ?", "Nieuwe calculatie"};
const DocumentSoort kBestelling{NODE_BESTELLING, IMG_BESTELLING,
                                "U wilt een nieuwe bestelling aanmaken ?", "Nieuwe bestelling"};

// A document in a relation's folder ("Orders", "Calculaties", "Bestellingen" in the
// relations tab), belonging to that relation.
template <class Set>
void NieuwInMap(CTolvarView& view, Set& set, const DocumentSoort& soort,
                const CTreeNodeData& folder, int nTab) {
    if (!Bevestig(view, soort.szVraag, soort.szTitel)) {
        return;
    }
    const LONG lRelatie = folder.m_lOwnerNumber;
    if (NieuwDocument(set, nTab == CTolvarView::TAB_RELATIES ? lRelatie : 0)) {
        view.AddUnderFolders(set.dwIndex, soort.nKind, soort.nImage, set.szInLijst, lRelatie,
                             folder.m_nKind);
    }
}

void NieuweRelatie(CTolvarView& view) {
    if (!Bevestig(view, "U wilt een nieuwe relatie aanmaken ?", "Nieuwe Relatie")) {
        return;
    }
    CRecRelatie& set = view.m_setRelatie;
    set.NieuwRecord();
    if (EersteWijziging(set, [&] { return set.WijzigRecord(); })) {
        view.AddRelations(SEL_NUMMER, set.lRelatieNummer, nullptr, false);
    }
}

// A document without relation at the root of its own tab.
void NieuwOpWortel(CTolvarView& view, int nKind, int nTab) {
    switch (nKind) {
    case NODE_ORDER:
        if (nTab == CTolvarView::TAB_ORDERS && Bevestig(view, kOrder.szVraag, kOrder.szTitel) &&
            NieuwDocument(view.m_setOrder, 0)) {
            view.AddOrders(SEL_NUMMER, 0, nullptr, false);
        }
        break;
    case NODE_CALCULATIE:
        if (Bevestig(view, kCalculatie.szVraag, kCalculatie.szTitel) &&
            nTab == CTolvarView::TAB_CALCULATIES && NieuwDocument(view.m_setCalculatie, 0)) {
            view.AddCalculations(SEL_NUMMER, 0, nullptr, false);
        }
        break;
    case NODE_BESTELLING:
        if (Bevestig(view, kBestelling.szVraag, kBestelling.szTitel) &&
            nTab == CTolvarView::TAB_BESTELLINGEN && NieuwDocument(view.m_setBestelling, 0)) {
            view.AddPurchaseOrders(SEL_NUMMER, 0, nullptr, false);
        }
        break;
    default:
        break;
    }
}

// An empty tree has no node to start from: New then makes the first record of the tab's
// own table, as New on one of its records would.
void NieuwInLeegTabblad(CTolvarView& view, int nTab) {
    switch (nTab) {
    case CTolvarView::TAB_RELATIES:
        NieuweRelatie(view);
        break;
    case CTolvarView::TAB_CALCULATIES:
        NieuwOpWortel(view, NODE_CALCULATIE, nTab);
        break;
    case CTolvarView::TAB_ORDERS:
        NieuwOpWortel(view, NODE_ORDER, nTab);
        break;
    case CTolvarView::TAB_BESTELLINGEN:
        NieuwOpWortel(view, NODE_BESTELLING, nTab);
        break;
    default:
        break;
    }
}

void NieuweOfferte(CTolvarView& view, const CTreeNodeData& folder, int nTab) {
    if (!Bevestig(view, "U wilt een nieuwe offerte aanmaken ?", "Nieuwe offerte")) {
        return;
    }
    CRecOfferte& set = view.m_setOfferte;
    const bool bRelaties = nTab == CTolvarView::TAB_RELATIES;
    if (!NieuwDocument(set, bRelaties ? folder.m_lNumber : 0)) {
        return;
    }
    const bool bStatusGewijzigd = set.m_bStatusGewijzigd != 0;
    view.AddQuotations(SEL_NUMMER, folder.m_lNumber, folder.m_hItem, false, !bRelaties);
    // A status step in the dialog puts the quotation in another status folder.
    if (bStatusGewijzigd) {
        view.FillTab(nTab);
    }
}

// A memo of the folder's owner. prepare runs on the new row before the editor opens.
template <class Set>
void NieuweMemoInMap(CTolvarView& view, Set& set, const CTreeNodeData& folder,
                     const std::function<void()>& prepare = {}) {
    const LONG lOuder = folder.m_lOwnerNumber;
    set.NieuwOnder(lOuder, [&] { set.NieuweMemo(lOuder, 0); });
    const bool bOk = EersteWijziging(set, [&] {
        if (prepare) {
            prepare();
        }
        return set.WijzigMemo();
    });
    if (bOk) {
        view.AddUnderFolders(set.dwIndex, folder.m_nKind + 1, IMG_MEMO, set.szInLijst, lOuder,
                             folder.m_nKind);
    }
}

// A quotation memo starts with the quotation's contact person. It is stored with the new
// row, so that it stays when the editor is confirmed without touching it.
void NieuweOfferteMemo(CTolvarView& view, const CTreeNodeData& folder) {
    CRecOfferteMemo& set = view.m_setOfferteMemo;
    NieuweMemoInMap(view, set, folder, [&] {
        CRecOfferte& offerte = view.m_setOfferte;
        offerte.Selecteer(SEL_NUMMER, folder.m_lOwnerNumber);
        if (offerte.Volgende()) {
            set.Edit();
            set.szKontaktPersoon = offerte.szKontaktPersoon;
            set.Update();
        }
    });
}

void NieuwePersoon(CTolvarView& view, const CTreeNodeData& folder) {
    CRecPersoon& set = view.m_setPersoon;
    const LONG lRelatie = folder.m_lOwnerNumber;
    set.NieuwOnder(lRelatie, [&] { set.NieuwRecord(lRelatie); });
    if (EersteWijziging(set, [&] { return set.WijzigRecord(); })) {
        view.AddUnderFolders(set.IDnr, NODE_PERSOON, IMG_PERSOON,
                             set.szAchterNaam + QStringLiteral(", ") + set.szVoorNaam, lRelatie,
                             NODE_PERSONEN);
    }
}

} // namespace

void CTolvarView::OnRecordNieuw() {
    const int nTab = GetSelectedTab();
    const CTreeNodeData* selected = GetSelectedNode();
    if (!selected) {
        if (m_pTree->topLevelItemCount() == 0) {
            NieuwInLeegTabblad(*this, nTab);
        }
        return;
    }
    // A copy: a refill during the command takes the node away.
    const CTreeNodeData node = *selected;
    switch (node.m_nKind) {
    case NODE_RELATIE:
        if (nTab == TAB_RELATIES) {
            NieuweRelatie(*this);
        }
        break;
    case NODE_PERSONEN:
        NieuwePersoon(*this, node);
        break;
    case NODE_RELATIEMEMOS:
        NieuweMemoInMap(*this, m_setRelatieMemo, node);
        break;
    case NODE_TEVERSTUREN:
        NieuweOfferte(*this, node, nTab);
        break;
    case NODE_OFFERTEMEMOS:
        NieuweOfferteMemo(*this, node);
        break;
    case NODE_ORDERS:
        NieuwInMap(*this, m_setOrder, kOrder, node, nTab);
        break;
    case NODE_CALCULATIES:
        NieuwInMap(*this, m_setCalculatie, kCalculatie, node, nTab);
        break;
    case NODE_BESTELLINGEN:
        NieuwInMap(*this, m_setBestelling, kBestelling, node, nTab);
        break;
    case NODE_ORDER:
    case NODE_CALCULATIE:
    case NODE_BESTELLING:
        NieuwOpWortel(*this, node.m_nKind, nTab);
        break;
    case NODE_ORDERMEMOS:
        NieuweMemoInMap(*this, m_setOrderMemo, node);
        break;
    case NODE_CALCULATIEMEMOS:
        NieuweMemoInMap(*this, m_setCalculatieMemo, node);
        break;
    case NODE_BESTELLINGMEMOS:
        NieuweMemoInMap(*this, m_setBestellingMemo, node);
        break;
    default:
        break;
    }
}
