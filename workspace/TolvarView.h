#pragma once

#include "dialogs/ProgressDlg.h"
#include "platform/ui/View.h"
#include "store/RecBestelling.h"
#include "store/RecBestellingMemo.h"
#include "store/RecCalculatie.h"
#include "store/RecCalculatieMemo.h"
#include "store/RecOfferte.h"
#include "store/RecOfferteMemo.h"
#include "store/RecOrder.h"
#include "store/RecOrderMemo.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"
#include "workspace/FillCache.h"
#include "workspace/NodeKinds.h"
#include "workspace/TreeImageList.h"
#include "workspace/TreeNodeData.h"

#include <functional>
#include <memory>
#include <QElapsedTimer>
#include <vector>

class QMenu;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class TolvarView;
}

// The workspace: one tree of relations, documents, persons and memos, seen through one of
// five tabs. Every tree item carries a CTreeNodeData that tells its kind and record; the
// record commands act on the selected node through it.
class CTolvarView : public CView {
    Q_OBJECT
public:
    enum { IDD = 101, IDC_TAB = 1000, IDC_TREE = 1001 };
    enum Tab { TAB_RELATIES = 0, TAB_OFFERTES, TAB_CALCULATIES, TAB_ORDERS, TAB_BESTELLINGEN };
    static constexpr int kTabCount = 5;
    // The strip below the tree that the tabs need, at least.
    static constexpr int kTabStripHeight = 25;

    explicit CTolvarView(QWidget* parent = nullptr);
    ~CTolvarView() override;

    void OnInitialUpdate() override;

    // Inserts a last child of hParent (a root item when none) with the picture of cell
    // nImage, and its node data, which goes to the end of the node list.
    QTreeWidgetItem* InsertNode(QTreeWidgetItem* hParent, const QString& strText, int nImage,
                                int nKind, LONG lNumber, int nParentKind, LONG lOwnerNumber);
    // -1 when the tree is hidden or empty, 0 with no selection, else the selected node's
    // kind (-1 when that item carries no node data).
    int GetSelectedKind() const;
    // The selected node, or null when the tree is hidden, empty or has no node selected.
    CTreeNodeData* GetSelectedNode() const;
    int GetSelectedTab() const;
    static CTreeNodeData* NodeData(const QTreeWidgetItem* hItem);

    // A tab with more top-level records than this is filled lazily: only its top-level
    // nodes at once, what lies below each one when it is first unfolded (or needed by a
    // command or the search). Below it the whole tree is read at once, as before.
    static constexpr int kVolledigTot = 2000;
    int m_nVolledigTot = kVolledigTot;
    // The progress window shows only when a fill takes longer than this.
    static constexpr qint64 kVoortgangNaMs = 500;

    // Rebuilds the whole tree for tab nTab (TAB_...), reading the file as it is now.
    void FillTab(int nTab);
    // Reads the nodes below an item that a lazy fill left unread, exactly as a complete
    // fill inserts them; does nothing for an item already read.
    void ReadChildren(QTreeWidgetItem* hItem);
    static bool IsUnread(const QTreeWidgetItem* hItem);
    void BeginProgress(int nTab);
    void EndProgress();

    // The insertion operations. nMode is SEL_ALLES (every record, at the root, with the
    // records' subtrees and one progress step each), SEL_OUDER (the records of parent
    // lNumber under hParent) or SEL_NUMMER (one record by number under hParent; relations
    // only). With bLoop clear only the record the recordset stands on is inserted, with
    // lNumber its parent's number: a relation or document at the root (hParent null) comes
    // with its subtree and is expanded, scrolled to the top and selected; a quotation goes
    // under the status folder hParent as one still to be sent, with its relation below it
    // when bMetRelatie.
    void AddRelations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop);
    void AddQuotations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop,
                       bool bMetRelatie = false);
    void AddCalculations(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop);
    void AddOrders(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop);
    void AddPurchaseOrders(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop);
    void AddPersons(int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop);
    // nMemoKind picks the memo table: NODE_RELATIEMEMO, NODE_OFFERTEMEMO, NODE_ORDERMEMO,
    // NODE_CALCULATIEMEMO or NODE_BESTELLINGMEMO; hParent is the "Memo's" folder.
    void AddMemos(int nMemoKind, int nMode, LONG lNumber, QTreeWidgetItem* hParent, bool bLoop);

    // Expands the item, opens the items above it, scrolls it to the top and selects it.
    void ShowAtTop(QTreeWidgetItem* hItem);

    // Selects the node of a record the search found (nSoort a ZoekTabel::Soort) in the tab
    // where it has its own place, opening the way down and giving the tree the focus; false
    // when the record is not in the tree even after filling the tab afresh.
    bool ToonRecord(int nSoort, LONG lNummer);
    // The first node of a kind from nFirstKind to nLastKind standing for record lNumber.
    QTreeWidgetItem* FindRecordNode(int nFirstKind, int nLastKind, LONG lNumber) const;

    // The record and document commands on the selected node. Modify is also what a double
    // click on a record node runs.
    void OnRecordNieuw();
    void OnRecordVerwijder();
    virtual void OnRecordWijzig();
    void OnEditDoc();
    void OnPrintDoc();

    // The enabling rules of those commands, by selected kind (GetSelectedKind) and tab.
    static bool CanNew(int nKind, int nTab);
    static bool CanDelete(int nKind, int nTab);
    static bool CanModify(int nKind, int nTab);
    static bool CanUseDocument(int nKind, int nTab);

    // The file linked to the selected document: DOC_GEEN when there is none, else the
    // stored path in strPath and whether the file can be both read and written.
    enum LinkedDocument { DOC_GEEN = 0, DOC_ONBRUIKBAAR = 1, DOC_BRUIKBAAR = 2 };
    int GetLinkedDocument(QString& strPath);

    // Keeping the tree in step with a command: every node of one record gets its new text;
    // every matching folder gets a new last child; every node of a record goes, with what
    // lies below it.
    void RelabelNodes(LONG lNumber, int nKind, const QString& strText);
    void AddUnderFolders(LONG lNewNumber, int nNewKind, int nImage, const QString& strText,
                         LONG lFolderNumber, int nFolderKind);
    void RemoveNodes(int nKind, LONG lNumber);
    // Deletes the record of hItem with every record under it by key, also those another
    // desk added after the tree was filled, in one transaction, then the nodes. When the
    // store fails nothing is deleted: the failure is shown and the tab is filled afresh.
    void DeleteSubtree(QTreeWidgetItem* hItem);

    // The tree's pop-up menu with the rules of the moment, and its handling of a right click
    // at pos (tree viewport coordinates).
    std::unique_ptr<QMenu> CreateContextMenu();
    void OnContextMenu(const QPoint& pos);

    QTreeWidget* Tree() const { return m_pTree; }
    QTabWidget* Tabs() const { return m_pTabs; }
    const CTreeImageList& Images() const { return m_images; }
    CProgressDlg& ProgressDlg() { return m_dlgProgress; }
    // Node data in the order of insertion; the view owns it.
    std::vector<std::unique_ptr<CTreeNodeData>>& NodeList() { return m_nodeList; }

    // The kind of the node at which the running delete started.
    int m_nDeleteRootKind = 0;

    CRecRelatie m_setRelatie;
    CRecPersoon m_setPersoon;
    CRecRelatieMemo m_setRelatieMemo;
    CRecOfferte m_setOfferte;
    CRecOfferteMemo m_setOfferteMemo;
    CRecCalculatie m_setCalculatie;
    CRecCalculatieMemo m_setCalculatieMemo;
    CRecOrder m_setOrder;
    CRecOrderMemo m_setOrderMemo;
    CRecBestelling m_setBestelling;
    CRecBestellingMemo m_setBestellingMemo;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    bool DeleteRecords(QTreeWidgetItem* hItem);
    void RemoveItem(QTreeWidgetItem* hItem);
    CRecBasis* RecordSet(int nKind);

    // The eleven tables the tree shows, in the order of the recordsets above.
    enum TreeTable {
        TT_RELATIE,
        TT_PERSOON,
        TT_RELATIEMEMO,
        TT_OFFERTE,
        TT_OFFERTEMEMO,
        TT_CALCULATIE,
        TT_CALCULATIEMEMO,
        TT_ORDER,
        TT_ORDERMEMO,
        TT_BESTELLING,
        TT_BESTELLINGMEMO,
    };
    // How the three kinds of document without a status are shown.
    struct DocumentScheme {
        int nTable;
        int nKind;
        int nImage;
        int nFolderKind;
        int nMemoKind;
    };
    using Row = CFillCache::Row;
    using RowVisitor = std::function<void(const Row&)>;

    void SetupTree();
    void InsertTabs();
    void LayoutControls();
    void ClearTree();
    void CloseRecordsets();
    void Reveal(QTreeWidgetItem* hItem);
    void FinishFill();
    void OpenLazyFill();
    void MarkUnread(QTreeWidgetItem* hItem);
    // Reads the top-level node under which the record a search found lies (nSoort a
    // ZoekTabel::Soort), so that its node can be found.
    void ReadWayTo(int nSoort, LONG lNummer);
    void ProgressStep();
    void AttachItem(QTreeWidgetItem* hParent, QTreeWidgetItem* hItem);

    CRecBasis& TableSet(int nTable);
    static int TableOfMain(int nTab);
    static int TableOfMemo(int nMemoKind);
    Row ReadRow(int nTable);
    // Visits the rows of a selection: during a complete fill the children of one parent
    // come from the fill's cache, everything else from the table's recordset.
    void ForEachRow(int nTable, int nMode, LONG lNumber, const RowVisitor& visit);
    void ForEachTopRow(int nTable, const RowVisitor& visit);

    QTreeWidgetItem* InsertRelation(const Row& row, QTreeWidgetItem* hParent, bool bTopLevel);
    void InsertRelationChildren(QTreeWidgetItem* hRelatie, const Row& row, bool bTopLevel);
    void InsertQuotationChildren(QTreeWidgetItem* hItem, const Row& row, int nKind,
                                 bool bMetRelatie);
    void InsertDocumentChildren(const DocumentScheme& scheme, QTreeWidgetItem* hItem,
                                const Row& row, bool bMetRelatie);
    static const DocumentScheme* SchemeOfKind(int nKind);
    void InsertCustomerFolders(QTreeWidgetItem* hRelatie, LONG lRelatie);
    QTreeWidgetItem* InsertFolder(QTreeWidgetItem* hParent, int nKind, int nParentKind,
                                  LONG lNumber, LONG lOwner);
    std::vector<QTreeWidgetItem*> InsertStatusFolders(QTreeWidgetItem* hParent, LONG lNumber);
    void InsertQuotation(const Row& row, QTreeWidgetItem* hFolder, int nStatus, LONG lOwner,
                         bool bMetRelatie);
    void AddDocuments(const DocumentScheme& scheme, int nMode, LONG lNumber,
                      QTreeWidgetItem* hParent, bool bLoop);
    QTreeWidgetItem* InsertDocument(const DocumentScheme& scheme, const Row& row,
                                    QTreeWidgetItem* hParent, LONG lOwner);

    std::unique_ptr<Ui::TolvarView> m_ui;
    QTreeWidget* m_pTree = nullptr;
    QTabWidget* m_pTabs = nullptr;
    CTreeImageList m_images;
    CProgressDlg m_dlgProgress;
    std::vector<std::unique_ptr<CTreeNodeData>> m_nodeList;

    // During a complete fill root items wait here and are shown together at its end, and
    // the relation nodes to open are remembered, so the fill costs the same for every row.
    bool m_bFilling = false;
    std::vector<QTreeWidgetItem*> m_pendingRoots;
    std::vector<QTreeWidgetItem*> m_revealed;
    CFillCache m_cache;
    // During a lazy fill: top-level records get no subtree yet; they are remembered in the
    // order of the fill, since it ends by showing the relation below the last document.
    bool m_bLazy = false;
    std::vector<QTreeWidgetItem*> m_unread;
    // While unread nodes are read: a relation below a document opens as a fill opens it,
    // without taking the selection.
    bool m_bReading = false;
    QElapsedTimer m_fillClock;
};
