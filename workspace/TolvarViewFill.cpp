// Filling the workspace tree from the record store.
#include "workspace/TolvarView.h"

#include <QTreeWidget>

namespace {

const char* const kVerzamelingen[CTolvarView::kTabCount] = {
    "Relatie's", "Offertes's", "calculaties", "orders", "bestellingen"};
constexpr int kStatusCount = 4;

// The status folder of a quotation. The program only stores 0 to 3; a quotation with any
// other status is shown as one still to be sent, so that it stays in sight and can be
// opened, and cannot be deleted by mistake.
int StatusIndex(LONG lStatus) {
    return lStatus >= 0 && lStatus < kStatusCount ? int(lStatus) : 0;
}

QString FolderText(int nKind) {
    switch (nKind) {
    case NODE_PERSONEN:
        return QStringLiteral("Personen");
    case NODE_OFFERTES:
        return QStringLiteral("Offertes");
    case NODE_TEVERSTUREN:
        return QStringLiteral("Te versturen");
    case NODE_VERSTUURD:
        return QStringLiteral("Verstuurd");
    case NODE_POSITIEF:
        return QStringLiteral("Positief");
    case NODE_VERVALLEN:
        return QStringLiteral("Vervallen");
    case NODE_ORDERS:
        return QStringLiteral("Orders");
    case NODE_CALCULATIES:
        return QStringLiteral("Calculaties");
    case NODE_BESTELLINGEN:
        return QStringLiteral("Bestellingen");
    default:
        return QStringLiteral("Memo's");
    }
}

int FolderImage(int nKind) {
    switch (nKind) {
    case NODE_PERSONEN:
        return IMG_PERSONEN;
    case NODE_OFFERTES:
        return IMG_OFFERTES;
    case NODE_TEVERSTUREN:
    case NODE_VERSTUURD:
    case NODE_POSITIEF:
    case NODE_VERVALLEN:
        return IMG_TEVERSTUREN + (nKind - NODE_TEVERSTUREN);
    case NODE_ORDERS:
        return IMG_ORDERS;
    case NODE_CALCULATIES:
        return IMG_CALCULATIES;
    case NODE_BESTELLINGEN:
        return IMG_BESTELLINGEN;
    default:
        return IMG_MEMOS;
    }
}

// Runs its function when the scope ends, also when a database failure cuts a fill short.
template <class F> struct AtScopeEnd {
    F f;
    ~AtScopeEnd() { f(); }
};

} // namespace

void CTolvarView::FillTab(int nTab) {
    ClearTree();
    // A complete fill reads the file as it is now, not the rows an earlier selection saw.
    CloseRecordsets();
    m_bFilling = true;
    m_pTree->setUpdatesEnabled(false);
    m_pTree->blockSignals(true);
    AtScopeEnd finish{[this] { FinishFill(); }};
    BeginProgress(nTab);
    switch (nTab) {
    case TAB_RELATIES:
        AddRelations(SEL_ALLES, 0, nullptr, true);
        break;
    case TAB_OFFERTES:
        AddQuotations(SEL_ALLES, 0, nullptr, true);
        break;
    case TAB_CALCULATIES:
        AddCalculations(SEL_ALLES, 0, nullptr, true);
        break;
    case TAB_ORDERS:
        AddOrders(SEL_ALLES, 0, nullptr, true);
        break;
    case TAB_BESTELLINGEN:
        AddPurchaseOrders(SEL_ALLES, 0, nullptr, true);
        break;
    default:
        break;
    }
    EndProgress();
}

void CTolvarView::ClearTree() {
    const QSignalBlocker blocker(m_pTree);
    m_pTree->clear();
    while (!m_nodeList.empty()) {
        m_nodeList.pop_back();
    }
    m_pendingRoots.clear();
    m_revealed.clear();
}

// Shows what the fill inserted, complete or cut short: the held-back root items, every
// relation opened, and the last one selected at the top.
void CTolvarView::FinishFill() {
    m_bFilling = false;
    EndProgress();
    if (!m_pendingRoots.empty()) {
        m_pTree->addTopLevelItems(
            QList<QTreeWidgetItem*>(m_pendingRoots.begin(), m_pendingRoots.end()));
        m_pendingRoots.clear();
    }
    for (QTreeWidgetItem* relatie : m_revealed) {
        for (QTreeWidgetItem* item = relatie; item; item = item->parent()) {
            if (!item->isExpanded()) {
                item->setExpanded(true);
            }
        }
    }
    QTreeWidgetItem* last = m_revealed.empty() ? nullptr : m_revealed.back();
    m_revealed.clear();
    m_pTree->blockSignals(false);
    m_pTree->setUpdatesEnabled(true);
    if (last) {
        ShowAtTop(last);
    }
}

void CTolvarView::Reveal(QTreeWidgetItem* hItem) {
    if (m_bFilling) {
        m_revealed.push_back(hItem);
    } else {
        ShowAtTop(hItem);
    }
}

CRecBasis* CTolvarView::MainRecordset(int nTab) {
    switch (nTab) {
    case TAB_RELATIES:
        return &m_setRelatie;
    case TAB_OFFERTES:
        return &m_setOfferte;
    case TAB_CALCULATIES:
        return &m_setCalculatie;
    case TAB_ORDERS:
        return &m_setOrder;
    case TAB_BESTELLINGEN:
        return &m_setBestelling;
    default:
        return nullptr;
    }
}

void CTolvarView::BeginProgress(int nTab) {
    m_dlgProgress.m_nTeller = 0;
    m_dlgProgress.Create();
    CRecBasis* set = MainRecordset(nTab);
    if (!set) {
        EndProgress();
        return;
    }
    set->Selecteer(SEL_ALLES, 0);
    if (set->IsBOF() && set->IsEOF()) {
        if (nTab != TAB_RELATIES) {
            EndProgress();
            return;
        }
        m_setRelatie.NieuwRecord();
    }
    set->MoveLast();
    const auto nTotaal = DWORD(set->GetRecordCount());
    m_dlgProgress.StartVerzameling(QString::fromUtf8(kVerzamelingen[nTab]), nTotaal);
    if (nTotaal == 0) {
        EndProgress();
    }
}

void CTolvarView::EndProgress() {
    m_dlgProgress.DestroyWindow();
    m_dlgProgress.StartVerzameling(QString(), 0);
}

void CTolvarView::ProgressStep() {
    if (m_bFilling) {
        m_dlgProgress.VolgendRecord();
    }
}

QTreeWidgetItem* CTolvarView::InsertFolder(QTreeWidgetItem* hParent, int nKind, int nParentKind,
                                           LONG lNumber, LONG lOwner) {
    return InsertNode(hParent, FolderText(nKind), FolderImage(nKind), nKind, lNumber, nParentKind,
                      lOwner);
}

void CTolvarView::AddRelations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    const bool bTopLevel = hParent == nullptr;
    QTreeWidgetItem* last = nullptr;
    if (bLoop) {
        m_setRelatie.Selecteer(nMode, lNumber);
        while (m_setRelatie.Volgende()) {
            last = InsertRelation(hParent, bTopLevel);
        }
    } else {
        last = InsertRelation(hParent, bTopLevel);
    }
    if (last) {
        Reveal(last);
    }
}

QTreeWidgetItem* CTolvarView::InsertRelation(QTreeWidgetItem* hParent, bool bTopLevel) {
    const LONG lRelatie = m_setRelatie.lRelatieNummer;
    const bool bKlant = m_setRelatie.bKlantJaNee != 0;
    const bool bLeverancier = m_setRelatie.bLeverancierJaNee != 0;
    QTreeWidgetItem* item =
        InsertNode(hParent, m_setRelatie.szInLijst, IMG_RELATIE, NODE_RELATIE, lRelatie, 0, 0);
    QTreeWidgetItem* personen = InsertFolder(item, NODE_PERSONEN, NODE_RELATIE, lRelatie, lRelatie);
    AddPersons(SEL_OUDER, lRelatie, personen, true);
    QTreeWidgetItem* memos =
        InsertFolder(item, NODE_RELATIEMEMOS, NODE_RELATIE, lRelatie, lRelatie);
    AddMemos(NODE_RELATIEMEMO, SEL_OUDER, lRelatie, memos, true);
    // Documents hang under a relation only in the relations tab, where it is the root.
    if (bTopLevel && bKlant) {
        InsertCustomerFolders(item, lRelatie);
    }
    if (bTopLevel && bLeverancier) {
        QTreeWidgetItem* folder =
            InsertFolder(item, NODE_BESTELLINGEN, NODE_RELATIE, lRelatie, lRelatie);
        AddPurchaseOrders(SEL_OUDER, lRelatie, folder, true);
    }
    if (bTopLevel) {
        ProgressStep();
    }
    return item;
}

void CTolvarView::InsertCustomerFolders(QTreeWidgetItem* hRelatie, LONG lRelatie) {
    QTreeWidgetItem* offertes = InsertFolder(hRelatie, NODE_OFFERTES, NODE_RELATIE, -1, lRelatie);
    AddQuotations(SEL_OUDER, lRelatie, offertes, true);
    QTreeWidgetItem* orders = InsertFolder(hRelatie, NODE_ORDERS, NODE_RELATIE, lRelatie, lRelatie);
    AddOrders(SEL_OUDER, lRelatie, orders, true);
    QTreeWidgetItem* calculaties =
        InsertFolder(hRelatie, NODE_CALCULATIES, NODE_RELATIE, lRelatie, lRelatie);
    AddCalculations(SEL_OUDER, lRelatie, calculaties, true);
}

std::vector<QTreeWidgetItem*> CTolvarView::InsertStatusFolders(QTreeWidgetItem* hParent,
                                                               LONG lNumber) {
    std::vector<QTreeWidgetItem*> folders;
    for (int nStatus = 0; nStatus < kStatusCount; ++nStatus) {
        folders.push_back(
            InsertFolder(hParent, NODE_TEVERSTUREN + nStatus, NODE_OFFERTES, lNumber, lNumber));
    }
    return folders;
}

void CTolvarView::AddQuotations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop,
                                bool bMetRelatie) {
    if (!bLoop) {
        const CTreeNodeData* folder = NodeData(hParent);
        InsertQuotation(hParent, 0, folder ? folder->m_lNumber : 0, bMetRelatie);
        return;
    }
    const bool bTopLevel = nMode == SEL_ALLES;
    const LONG lOwner = bTopLevel ? 0 : lNumber;
    const auto folders = InsertStatusFolders(bTopLevel ? nullptr : hParent, lOwner);
    m_setOfferte.Selecteer(nMode, lNumber);
    while (m_setOfferte.Volgende()) {
        const int nStatus = StatusIndex(m_setOfferte.dwStatusOfferte);
        InsertQuotation(folders[size_t(nStatus)], nStatus, lOwner, bTopLevel);
        if (bTopLevel) {
            ProgressStep();
        }
    }
}

void CTolvarView::InsertQuotation(QTreeWidgetItem* hFolder, int nStatus, LONG lOwner,
                                  bool bMetRelatie) {
    const LONG lOfferte = m_setOfferte.dwIndex;
    const LONG lRelatie = m_setOfferte.dwRelatieNummer;
    const int nKind = NODE_OFFERTE_TEVERSTUREN + nStatus;
    QTreeWidgetItem* item = InsertNode(hFolder, m_setOfferte.szInLijst, IMG_OFFERTE, nKind,
                                       lOfferte, NODE_TEVERSTUREN + nStatus, lOwner);
    QTreeWidgetItem* memos = InsertFolder(item, NODE_OFFERTEMEMOS, nKind, lOfferte, lOfferte);
    AddMemos(NODE_OFFERTEMEMO, SEL_OUDER, lOfferte, memos, true);
    if (bMetRelatie) {
        AddRelations(SEL_OUDER, lRelatie, item, true);
    }
}

void CTolvarView::AddCalculations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    AddDocuments(
        {&m_setCalculatie, NODE_CALCULATIE, IMG_CALCULATIE, NODE_CALCULATIES, NODE_CALCULATIEMEMO},
        nMode, lNumber, hParent, bLoop);
}

void CTolvarView::AddOrders(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    AddDocuments({&m_setOrder, NODE_ORDER, IMG_ORDER, NODE_ORDERS, NODE_ORDERMEMO}, nMode, lNumber,
                 hParent, bLoop);
}

void CTolvarView::AddPurchaseOrders(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    AddDocuments(
        {&m_setBestelling, NODE_BESTELLING, IMG_BESTELLING, NODE_BESTELLINGEN, NODE_BESTELLINGMEMO},
        nMode, lNumber, hParent, bLoop);
}

void CTolvarView::AddDocuments(const DocumentScheme& scheme, int nMode, LONG lNumber,
                               QTreeWidgetItem* hParent, bool bLoop) {
    if (!bLoop) {
        Reveal(InsertDocument(scheme, nullptr, 0));
        return;
    }
    const bool bTopLevel = nMode == SEL_ALLES;
    scheme.pSet->Selecteer(nMode, lNumber);
    while (scheme.pSet->Volgende()) {
        InsertDocument(scheme, bTopLevel ? nullptr : hParent, bTopLevel ? 0 : lNumber);
        if (bTopLevel) {
            ProgressStep();
        }
    }
}

// A document at the root shows its relation below it; one under a relation's folder does not.
QTreeWidgetItem* CTolvarView::InsertDocument(const DocumentScheme& scheme, QTreeWidgetItem* hParent,
                                             LONG lOwner) {
    const CRecDocument& set = *scheme.pSet;
    const LONG lDocument = set.dwIndex;
    const LONG lRelatie = set.dwRelatieNummer;
    QTreeWidgetItem* item = InsertNode(hParent, set.szInLijst, scheme.nImage, scheme.nKind,
                                       lDocument, scheme.nFolderKind, lOwner);
    QTreeWidgetItem* memos =
        InsertFolder(item, scheme.nMemoKind - 1, scheme.nKind, lDocument, lDocument);
    AddMemos(scheme.nMemoKind, SEL_OUDER, lDocument, memos, true);
    if (!hParent) {
        AddRelations(SEL_OUDER, lRelatie, item, true);
    }
    return item;
}

void CTolvarView::AddPersons(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    auto insert = [&] {
        InsertNode(hParent,
                   m_setPersoon.szAchterNaam + QStringLiteral(", ") + m_setPersoon.szVoorNaam,
                   IMG_PERSOON, NODE_PERSOON, m_setPersoon.IDnr, NODE_PERSONEN, lNumber);
    };
    if (!bLoop) {
        insert();
        return;
    }
    m_setPersoon.Selecteer(nMode, lNumber);
    while (m_setPersoon.Volgende()) {
        insert();
    }
}

CRecMemo* CTolvarView::MemoRecordset(int nMemoKind) {
    switch (nMemoKind) {
    case NODE_RELATIEMEMO:
        return &m_setRelatieMemo;
    case NODE_OFFERTEMEMO:
        return &m_setOfferteMemo;
    case NODE_ORDERMEMO:
        return &m_setOrderMemo;
    case NODE_CALCULATIEMEMO:
        return &m_setCalculatieMemo;
    case NODE_BESTELLINGMEMO:
        return &m_setBestellingMemo;
    default:
        return nullptr;
    }
}

void CTolvarView::AddMemos(int nMemoKind, int nMode, LONG lNumber, QTreeWidgetItem* hParent,
                           bool bLoop) {
    CRecMemo* set = MemoRecordset(nMemoKind);
    if (!set) {
        return;
    }
    auto insert = [&] {
        InsertNode(hParent, set->szInLijst, IMG_MEMO, nMemoKind, set->dwIndex, nMemoKind - 1,
                   lNumber);
    };
    if (!bLoop) {
        insert();
        return;
    }
    set->Selecteer(nMode, lNumber);
    while (set->Volgende()) {
        insert();
    }
}
