// Filling the workspace tree from the record store.
#include "workspace/TolvarView.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoStatement.h"
#include "platform/dao/TextCollation.h"
#include "store/DatabasePath.h"
#include "workspace/TreeItem.h"

#include <algorithm>
#include <QTreeWidget>
#include <utility>

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

// The column that ties each table's rows to their parent, as the store selects by parent.
const char* const kOuderKolom[CFillCache::kTables] = {
    "lRelatieNummer", "dwRelatieNummer", "dwRelatieNr", "dwRelatieNummer",
    "dwOfferteNr",    "dwRelatieNummer", "dwOfferteNr", "dwRelatieNummer",
    "dwOfferteNr",    "dwRelatieNummer", "dwOfferteNr"};

// Runs its function when the scope ends, also when a database failure cuts a fill short.
template <class F> struct AtScopeEnd {
    F f;
    ~AtScopeEnd() { f(); }
};
// Spelled out for compilers that deduce no aggregate's arguments (clang before 17).
template <class F> AtScopeEnd(F) -> AtScopeEnd<F>;

} // namespace

void CTolvarView::FillTab(int nTab) {
    ClearTree();
    // A complete fill reads the file as it is now, not the rows an earlier selection saw.
    CloseRecordsets();
    const auto database = CDaoDatabase::OpenShared(g_strDatabasePath);
    // A complete fill reads inside one read transaction: one lock and one consistent view
    // of the database for the whole fill, instead of one per statement.
    const bool bRead = database->BeginRead();
    m_bFilling = true;
    m_pTree->setUpdatesEnabled(false);
    m_pTree->blockSignals(true);
    AtScopeEnd finish{[&] {
        FinishFill();
        if (bRead) {
            database->EndRead();
        }
    }};
    BeginProgress(nTab);
    OpenLazyFill();
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
    m_nodeList.clear();
    m_pendingRoots.clear();
    m_revealed.clear();
    m_unread.clear();
}

// Shows what the fill inserted, complete or cut short: the held-back root items, every
// relation opened, and the last one selected at the top.
void CTolvarView::FinishFill() {
    m_bFilling = false;
    const bool bLazy = std::exchange(m_bLazy, false);
    m_cache.Clear();
    EndProgress();
    if (!m_pendingRoots.empty()) {
        m_pTree->addTopLevelItems(
            QList<QTreeWidgetItem*>(m_pendingRoots.begin(), m_pendingRoots.end()));
        m_pendingRoots.clear();
    }
    // A complete fill opens the folders above every document's relation; a lazy one opens
    // the folders, and the documents when they are unfolded.
    if (bLazy) {
        for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = m_pTree->topLevelItem(i);
            if (!IsUnread(item) && item->childCount() > 0) {
                item->setExpanded(true);
            }
        }
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
    // A complete fill ends on the relation below the last document that has one.
    for (auto unread = m_unread.rbegin(); !last && unread != m_unread.rend(); ++unread) {
        ReadChildren(*unread);
        for (int i = (*unread)->childCount() - 1; i >= 0 && !last; --i) {
            const CTreeNodeData* child = NodeData((*unread)->child(i));
            if (child && child->m_nKind == NODE_RELATIE) {
                last = (*unread)->child(i);
            }
        }
    }
    m_unread.clear();
    if (last) {
        ShowAtTop(last);
    }
}

void CTolvarView::Reveal(QTreeWidgetItem* hItem) {
    if (m_bFilling) {
        m_revealed.push_back(hItem);
    } else if (m_bReading) {
        for (QTreeWidgetItem* item = hItem; item; item = item->parent()) {
            if (!item->isExpanded()) {
                item->setExpanded(true);
            }
        }
    } else {
        ShowAtTop(hItem);
    }
}

// The fill runs lazily when the tab's main table holds more records than a complete fill
// can show at once.
void CTolvarView::OpenLazyFill() {
    m_bLazy = m_dlgProgress.m_nTotaal > DWORD(std::max(m_nVolledigTot, 0)) &&
              m_dlgProgress.m_nTotaal != 0;
    if (m_bLazy) {
        // A node for each record, and a few folders.
        m_nodeList.reserve(m_dlgProgress.m_nTotaal + kStatusCount);
        m_unread.reserve(m_dlgProgress.m_nTotaal);
    }
}

void CTolvarView::MarkUnread(QTreeWidgetItem* hItem) {
    static_cast<CTreeItem*>(hItem)->SetUnread(true);
    m_unread.push_back(hItem);
}

bool CTolvarView::IsUnread(const QTreeWidgetItem* hItem) {
    return hItem && hItem->type() == CTreeItem::Type &&
           static_cast<const CTreeItem*>(hItem)->IsUnread();
}

void CTolvarView::ReadChildren(QTreeWidgetItem* hItem) {
    if (!IsUnread(hItem)) {
        return;
    }
    static_cast<CTreeItem*>(hItem)->SetUnread(false);
    const CTreeNodeData& node = *NodeData(hItem);
    const DocumentScheme* scheme = SchemeOfKind(node.m_nKind);
    const bool bQuotation =
        node.m_nKind >= NODE_OFFERTE_TEVERSTUREN && node.m_nKind <= NODE_OFFERTE_VERVALLEN;
    const int nTable = node.m_nKind == NODE_RELATIE ? TT_RELATIE
                       : bQuotation                 ? TT_OFFERTE
                       : scheme                     ? scheme->nTable
                                                    : -1;
    if (nTable < 0) {
        return;
    }
    CRecBasis& set = TableSet(nTable);
    set.Selecteer(SEL_NUMMER, node.m_lNumber);
    // A record another desk deleted since the fill has nothing left below it.
    if (!set.Volgende()) {
        return;
    }
    const Row row = ReadRow(nTable);
    const bool bReading = std::exchange(m_bReading, true);
    AtScopeEnd restore{[&] { m_bReading = bReading; }};
    if (nTable == TT_RELATIE) {
        InsertRelationChildren(hItem, row, true);
    } else if (bQuotation) {
        InsertQuotationChildren(hItem, row, node.m_nKind, true);
    } else {
        InsertDocumentChildren(*scheme, hItem, row, true);
    }
}

CRecBasis& CTolvarView::TableSet(int nTable) {
    CRecBasis* const sets[CFillCache::kTables] = {
        &m_setRelatie,     &m_setPersoon,    &m_setRelatieMemo,    &m_setOfferte,
        &m_setOfferteMemo, &m_setCalculatie, &m_setCalculatieMemo, &m_setOrder,
        &m_setOrderMemo,   &m_setBestelling, &m_setBestellingMemo};
    return *sets[nTable];
}

int CTolvarView::TableOfMain(int nTab) {
    switch (nTab) {
    case TAB_RELATIES:
        return TT_RELATIE;
    case TAB_OFFERTES:
        return TT_OFFERTE;
    case TAB_CALCULATIES:
        return TT_CALCULATIE;
    case TAB_ORDERS:
        return TT_ORDER;
    case TAB_BESTELLINGEN:
        return TT_BESTELLING;
    default:
        return -1;
    }
}

int CTolvarView::TableOfMemo(int nMemoKind) {
    switch (nMemoKind) {
    case NODE_RELATIEMEMO:
        return TT_RELATIEMEMO;
    case NODE_OFFERTEMEMO:
        return TT_OFFERTEMEMO;
    case NODE_ORDERMEMO:
        return TT_ORDERMEMO;
    case NODE_CALCULATIEMEMO:
        return TT_CALCULATIEMEMO;
    case NODE_BESTELLINGMEMO:
        return TT_BESTELLINGMEMO;
    default:
        return -1;
    }
}

CFillCache::Row CTolvarView::ReadRow(int nTable) {
    Row row;
    switch (nTable) {
    case TT_RELATIE:
        row.lNumber = row.lOuder = m_setRelatie.lRelatieNummer;
        row.strText = m_setRelatie.szInLijst;
        row.bKlant = m_setRelatie.bKlantJaNee != 0;
        row.bLeverancier = m_setRelatie.bLeverancierJaNee != 0;
        break;
    case TT_PERSOON:
        row.lNumber = m_setPersoon.IDnr;
        row.lOuder = m_setPersoon.dwRelatieNummer;
        row.strText = m_setPersoon.szAchterNaam + QStringLiteral(", ") + m_setPersoon.szVoorNaam;
        break;
    case TT_RELATIEMEMO:
        row.lNumber = m_setRelatieMemo.dwIndex;
        row.lOuder = m_setRelatieMemo.dwRelatieNr;
        row.strText = m_setRelatieMemo.szInLijst;
        break;
    case TT_OFFERTEMEMO:
    case TT_CALCULATIEMEMO:
    case TT_ORDERMEMO:
    case TT_BESTELLINGMEMO: {
        const auto& memo = static_cast<CRecDocumentMemo&>(TableSet(nTable));
        row.lNumber = memo.dwIndex;
        row.lOuder = memo.dwOfferteNr;
        row.strText = memo.szInLijst;
        break;
    }
    default: {
        const auto& document = static_cast<CRecDocument&>(TableSet(nTable));
        row.lNumber = document.dwIndex;
        row.lOuder = row.lRelatie = document.dwRelatieNummer;
        row.strText = document.szInLijst;
        row.lStatus = nTable == TT_OFFERTE ? m_setOfferte.dwStatusOfferte : 0;
        break;
    }
    }
    return row;
}

void CTolvarView::ForEachRow(int nTable, int nMode, LONG lNumber, const RowVisitor& visit) {
    if (m_bLazy && nMode == SEL_ALLES) {
        ForEachTopRow(nTable, visit);
        return;
    }
    if (m_bFilling && nMode != SEL_ALLES) {
        for (const Row& row : m_cache.Children(
                 nTable, TableSet(nTable), kOuderKolom[nTable],
                 [this, nTable] { return ReadRow(nTable); }, lNumber)) {
            visit(row);
        }
        return;
    }
    CRecBasis& set = TableSet(nTable);
    set.Selecteer(nMode, lNumber);
    while (set.Volgende()) {
        visit(ReadRow(nTable));
    }
}

// A lazy fill needs a few columns of each top-level record, in the order of the store's
// selection of all records: one statement, instead of every row fetched whole. What lies
// below a record is read with the record itself when it is unfolded, so only the number,
// the text and a quotation's status are needed; the index on the text then holds all of it
// for every table but the quotations. Where the engine would call back into the program for
// every comparison, the rows are sorted here on keys made once per row.
void CTolvarView::ForEachTopRow(int nTable, const RowVisitor& visit) {
    const bool bOfferte = nTable == TT_OFFERTE;
    const QString strKey =
        nTable == TT_RELATIE ? QStringLiteral("[lRelatieNummer]") : QStringLiteral("[dwIndex]");
    const QString strExtra = bOfferte ? QStringLiteral("[dwStatusOfferte]") : QStringLiteral("0");
    const auto database = CDaoDatabase::OpenShared(g_strDatabasePath);
    const bool bHierSorteren = database->Engine().SortsTextThroughProgram();
    QString sql = QStringLiteral("SELECT %1, [szInLijst], %2 FROM %3")
                      .arg(strKey, strExtra, TableSet(nTable).GetDefaultSQL());
    if (!bHierSorteren) {
        sql += QStringLiteral(" ORDER BY %1, %2")
                   .arg(database->Engine().TextSortTerm(QStringLiteral("[szInLijst]")), strKey);
    }
    const auto stmt = database->Prepare(sql);
    const auto readRow = [&] {
        Row row;
        row.lNumber = row.lOuder = LONG(stmt->Int64(0));
        row.strText = stmt->Text(1);
        row.lStatus = LONG(stmt->Int64(2));
        return row;
    };
    if (!bHierSorteren) {
        while (stmt->Step()) {
            visit(readRow());
        }
        return;
    }
    // A null text sorts first. The first bytes of each key, as two numbers, decide most
    // comparisons without reading the keys themselves.
    struct Sorted {
        bool bNull;
        quint64 nBegin[2];
        QByteArray key;
        Row row;
    };
    std::vector<Sorted> rows;
    rows.reserve(m_dlgProgress.m_nTotaal);
    while (stmt->Step()) {
        Sorted sorted{stmt->IsNull(1), {0, 0}, {}, readRow()};
        sorted.key = CTextCollation::SortKey(sorted.row.strText);
        for (int i = 0; i < 16; ++i) {
            sorted.nBegin[i / 8] =
                sorted.nBegin[i / 8] << 8 | (i < sorted.key.size() ? uchar(sorted.key[i]) : 0);
        }
        rows.push_back(std::move(sorted));
    }
    std::sort(rows.begin(), rows.end(), [](const Sorted& a, const Sorted& b) {
        if (a.bNull != b.bNull) {
            return a.bNull;
        }
        for (int i = 0; i < 2; ++i) {
            if (a.nBegin[i] != b.nBegin[i]) {
                return a.nBegin[i] < b.nBegin[i];
            }
        }
        const int nOrder = a.key.compare(b.key);
        return nOrder != 0 ? nOrder < 0 : a.row.lNumber < b.row.lNumber;
    });
    for (const Sorted& sorted : rows) {
        visit(sorted.row);
    }
}

void CTolvarView::BeginProgress(int nTab) {
    m_dlgProgress.m_nTeller = 0;
    m_dlgProgress.m_nTotaal = 0;
    m_fillClock.start();
    const int nTable = TableOfMain(nTab);
    if (nTable < 0) {
        EndProgress();
        return;
    }
    // Counted by the engine: a large table is not sorted, nor its keys kept, for the count.
    const auto count =
        CDaoDatabase::OpenShared(g_strDatabasePath)
            ->Prepare(QStringLiteral("SELECT count(*) FROM ") + TableSet(nTable).GetDefaultSQL());
    auto nTotaal = DWORD(count->Step() ? count->Int64(0) : 0);
    if (nTotaal == 0) {
        if (nTab != TAB_RELATIES) {
            EndProgress();
            return;
        }
        m_setRelatie.NieuwRecord();
        nTotaal = 1;
    }
    m_dlgProgress.StartVerzameling(QString::fromUtf8(kVerzamelingen[nTab]), nTotaal);
    if (nTotaal == 0) {
        EndProgress();
    }
}

void CTolvarView::EndProgress() {
    if (m_dlgProgress.m_nTotaal != 0) {
        m_dlgProgress.ToonStand();
    }
    m_dlgProgress.DestroyWindow();
    m_dlgProgress.StartVerzameling(QString(), 0);
}

void CTolvarView::ProgressStep() {
    if (!m_bFilling) {
        return;
    }
    // Only a fill that is still running after a moment gets the window.
    if (!m_dlgProgress.IsWindow() && m_dlgProgress.m_nTotaal != 0 &&
        m_fillClock.hasExpired(kVoortgangNaMs)) {
        m_dlgProgress.Create();
    }
    m_dlgProgress.VolgendRecord();
}

QTreeWidgetItem* CTolvarView::InsertFolder(QTreeWidgetItem* hParent, int nKind, int nParentKind,
                                           LONG lNumber, LONG lOwner) {
    return InsertNode(hParent, FolderText(nKind), FolderImage(nKind), nKind, lNumber, nParentKind,
                      lOwner);
}

void CTolvarView::AddRelations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    const bool bTopLevel = hParent == nullptr;
    QTreeWidgetItem* last = nullptr;
    const RowVisitor insert = [&](const Row& row) {
        last = InsertRelation(row, hParent, bTopLevel);
    };
    if (bLoop) {
        ForEachRow(TT_RELATIE, nMode, lNumber, insert);
    } else {
        insert(ReadRow(TT_RELATIE));
    }
    if (last) {
        Reveal(last);
    }
}

QTreeWidgetItem* CTolvarView::InsertRelation(const Row& row, QTreeWidgetItem* hParent,
                                             bool bTopLevel) {
    QTreeWidgetItem* item =
        InsertNode(hParent, row.strText, IMG_RELATIE, NODE_RELATIE, row.lNumber, 0, 0);
    if (bTopLevel && m_bLazy) {
        MarkUnread(item);
    } else {
        InsertRelationChildren(item, row, bTopLevel);
    }
    if (bTopLevel) {
        ProgressStep();
    }
    return item;
}

void CTolvarView::InsertRelationChildren(QTreeWidgetItem* item, const Row& row, bool bTopLevel) {
    const LONG lRelatie = row.lNumber;
    QTreeWidgetItem* personen = InsertFolder(item, NODE_PERSONEN, NODE_RELATIE, lRelatie, lRelatie);
    AddPersons(SEL_OUDER, lRelatie, personen, true);
    QTreeWidgetItem* memos =
        InsertFolder(item, NODE_RELATIEMEMOS, NODE_RELATIE, lRelatie, lRelatie);
    AddMemos(NODE_RELATIEMEMO, SEL_OUDER, lRelatie, memos, true);
    // Documents hang under a relation only in the relations tab, where it is the root.
    if (bTopLevel && row.bKlant) {
        InsertCustomerFolders(item, lRelatie);
    }
    if (bTopLevel && row.bLeverancier) {
        QTreeWidgetItem* folder =
            InsertFolder(item, NODE_BESTELLINGEN, NODE_RELATIE, lRelatie, lRelatie);
        AddPurchaseOrders(SEL_OUDER, lRelatie, folder, true);
    }
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
        InsertQuotation(ReadRow(TT_OFFERTE), hParent, 0, folder ? folder->m_lNumber : 0,
                        bMetRelatie);
        return;
    }
    const bool bTopLevel = nMode == SEL_ALLES;
    const LONG lOwner = bTopLevel ? 0 : lNumber;
    const auto folders = InsertStatusFolders(bTopLevel ? nullptr : hParent, lOwner);
    ForEachRow(TT_OFFERTE, nMode, lNumber, [&](const Row& row) {
        const int nStatus = StatusIndex(row.lStatus);
        InsertQuotation(row, folders[size_t(nStatus)], nStatus, lOwner, bTopLevel);
        if (bTopLevel) {
            ProgressStep();
        }
    });
}

void CTolvarView::InsertQuotation(const Row& row, QTreeWidgetItem* hFolder, int nStatus,
                                  LONG lOwner, bool bMetRelatie) {
    const int nKind = NODE_OFFERTE_TEVERSTUREN + nStatus;
    QTreeWidgetItem* item = InsertNode(hFolder, row.strText, IMG_OFFERTE, nKind, row.lNumber,
                                       NODE_TEVERSTUREN + nStatus, lOwner);
    if (bMetRelatie && m_bLazy) {
        MarkUnread(item);
    } else {
        InsertQuotationChildren(item, row, nKind, bMetRelatie);
    }
}

void CTolvarView::InsertQuotationChildren(QTreeWidgetItem* item, const Row& row, int nKind,
                                          bool bMetRelatie) {
    QTreeWidgetItem* memos = InsertFolder(item, NODE_OFFERTEMEMOS, nKind, row.lNumber, row.lNumber);
    AddMemos(NODE_OFFERTEMEMO, SEL_OUDER, row.lNumber, memos, true);
    if (bMetRelatie) {
        AddRelations(SEL_OUDER, row.lRelatie, item, true);
    }
}

const CTolvarView::DocumentScheme* CTolvarView::SchemeOfKind(int nKind) {
    static const DocumentScheme kSchemes[] = {
        {TT_CALCULATIE, NODE_CALCULATIE, IMG_CALCULATIE, NODE_CALCULATIES, NODE_CALCULATIEMEMO},
        {TT_ORDER, NODE_ORDER, IMG_ORDER, NODE_ORDERS, NODE_ORDERMEMO},
        {TT_BESTELLING, NODE_BESTELLING, IMG_BESTELLING, NODE_BESTELLINGEN, NODE_BESTELLINGMEMO}};
    for (const DocumentScheme& scheme : kSchemes) {
        if (scheme.nKind == nKind) {
            return &scheme;
        }
    }
    return nullptr;
}

void CTolvarView::AddCalculations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    AddDocuments(*SchemeOfKind(NODE_CALCULATIE), nMode, lNumber, hParent, bLoop);
}

void CTolvarView::AddOrders(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    AddDocuments(*SchemeOfKind(NODE_ORDER), nMode, lNumber, hParent, bLoop);
}

void CTolvarView::AddPurchaseOrders(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    AddDocuments(*SchemeOfKind(NODE_BESTELLING), nMode, lNumber, hParent, bLoop);
}

void CTolvarView::AddDocuments(const DocumentScheme& scheme, int nMode, LONG lNumber,
                               QTreeWidgetItem* hParent, bool bLoop) {
    if (!bLoop) {
        Reveal(InsertDocument(scheme, ReadRow(scheme.nTable), nullptr, 0));
        return;
    }
    const bool bTopLevel = nMode == SEL_ALLES;
    ForEachRow(scheme.nTable, nMode, lNumber, [&](const Row& row) {
        InsertDocument(scheme, row, bTopLevel ? nullptr : hParent, bTopLevel ? 0 : lNumber);
        if (bTopLevel) {
            ProgressStep();
        }
    });
}

// A document at the root shows its relation below it; one under a relation's folder does not.
QTreeWidgetItem* CTolvarView::InsertDocument(const DocumentScheme& scheme, const Row& row,
                                             QTreeWidgetItem* hParent, LONG lOwner) {
    QTreeWidgetItem* item = InsertNode(hParent, row.strText, scheme.nImage, scheme.nKind,
                                       row.lNumber, scheme.nFolderKind, lOwner);
    if (!hParent && m_bLazy) {
        MarkUnread(item);
    } else {
        InsertDocumentChildren(scheme, item, row, !hParent);
    }
    return item;
}

void CTolvarView::InsertDocumentChildren(const DocumentScheme& scheme, QTreeWidgetItem* item,
                                         const Row& row, bool bMetRelatie) {
    QTreeWidgetItem* memos =
        InsertFolder(item, scheme.nMemoKind - 1, scheme.nKind, row.lNumber, row.lNumber);
    AddMemos(scheme.nMemoKind, SEL_OUDER, row.lNumber, memos, true);
    if (bMetRelatie) {
        AddRelations(SEL_OUDER, row.lRelatie, item, true);
    }
}

void CTolvarView::AddPersons(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop) {
    const RowVisitor insert = [&](const Row& row) {
        InsertNode(hParent, row.strText, IMG_PERSOON, NODE_PERSOON, row.lNumber, NODE_PERSONEN,
                   lNumber);
    };
    if (bLoop) {
        ForEachRow(TT_PERSOON, nMode, lNumber, insert);
    } else {
        insert(ReadRow(TT_PERSOON));
    }
}

void CTolvarView::AddMemos(int nMemoKind, int nMode, LONG lNumber, QTreeWidgetItem* hParent,
                           bool bLoop) {
    const int nTable = TableOfMemo(nMemoKind);
    if (nTable < 0) {
        return;
    }
    const RowVisitor insert = [&](const Row& row) {
        InsertNode(hParent, row.strText, IMG_MEMO, nMemoKind, row.lNumber, nMemoKind - 1, lNumber);
    };
    if (bLoop) {
        ForEachRow(nTable, nMode, lNumber, insert);
    } else {
        insert(ReadRow(nTable));
    }
}
