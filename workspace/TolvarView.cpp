#include "workspace/TolvarView.h"

#include "platform/ui/DispatchGuard.h"
#include "ui_TolvarView.h"
#include "workspace/TreeItem.h"
#include "workspace/TreeLineStyle.h"

#include <algorithm>
#include <QEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

const char* const kTabTexts[CTolvarView::kTabCount] = {"Relaties", "Offertes", "Calculaties",
                                                       "Orders", "Bestellingen"};

} // namespace

CTolvarView::CTolvarView(QWidget* parent)
    : CView(parent), m_ui(std::make_unique<Ui::TolvarView>()), m_dlgProgress(this) {
    m_ui->setupUi(this);
    m_pTree = m_ui->tree;
    m_pTabs = m_ui->tabs;
    SetupTree();
    setFocusProxy(m_pTree);
    // What a lazy fill left unread is read when it is first unfolded.
    connect(m_pTree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { Guarded([&] { ReadChildren(item); }, this); });
    RegisterCommands();
}

CTolvarView::~CTolvarView() {
    CloseRecordsets();
    m_pTree->viewport()->removeEventFilter(this);
    m_pTree->clear();
    while (!m_nodeList.empty()) {
        m_nodeList.pop_back();
    }
}

void CTolvarView::SetupTree() {
    auto style = new CTreeLineStyle;
    style->setParent(m_pTree);
    m_pTree->setStyle(style);
    m_pTree->setDragDropMode(QAbstractItemView::NoDragDrop);
    m_pTree->setAcceptDrops(false);
    m_pTree->setExpandsOnDoubleClick(true);
    QPalette palette = m_pTree->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 234));
    // The selection stays as visible when the focus is elsewhere.
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    m_pTree->setPalette(palette);
    m_pTree->viewport()->installEventFilter(this);
}

void CTolvarView::InsertTabs() {
    const QSignalBlocker blocker(m_pTabs);
    while (m_pTabs->count() > 0) {
        delete m_pTabs->widget(0);
    }
    for (const char* text : kTabTexts) {
        auto page = new QWidget;
        page->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_pTabs->addTab(page, QString::fromLatin1(text));
    }
    m_pTabs->tabBar()->setAttribute(Qt::WA_Hover);
    m_pTabs->setCurrentIndex(TAB_RELATIES);
}

void CTolvarView::OnInitialUpdate() {
    InsertTabs();
    connect(m_pTabs, &QTabWidget::currentChanged, this,
            GuardedSlot([this] { FillTab(m_pTabs->currentIndex()); }, this));
    QTimer::singleShot(0, this, [this] { LayoutControls(); });
    FillTab(TAB_RELATIES);
}

void CTolvarView::LayoutControls() {
    m_pTabs->setGeometry(0, 0, width(), height());
    // The strip was measured for the 8-point system font; a larger font needs a taller one.
    // Its top border line may lie under the tree's lowest row.
    const int nStrip = std::max(kTabStripHeight, m_pTabs->tabBar()->sizeHint().height() - 1);
    m_pTree->setGeometry(1, 1, width() - 2, height() - (nStrip + 1));
    m_pTree->raise();
}

void CTolvarView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    if (isVisible()) {
        LayoutControls();
    }
}

void CTolvarView::showEvent(QShowEvent* event) {
    CView::showEvent(event);
    LayoutControls();
}

QTreeWidgetItem* CTolvarView::InsertNode(QTreeWidgetItem* hParent, const QString& strText,
                                         int nImage, int nKind, LONG lNumber, int nParentKind,
                                         LONG lOwnerNumber) {
    auto data = std::make_unique<CTreeNodeData>();
    auto* item = new CTreeItem(strText, nImage, &m_images, data.get());
    data->m_nKind = nKind;
    data->m_nParentKind = nParentKind;
    data->m_lNumber = lNumber;
    data->m_lOwnerNumber = lOwnerNumber;
    data->m_hItem = item;
    data->m_hParentItem = hParent;
    m_nodeList.push_back(std::move(data));
    AttachItem(hParent, item);
    return item;
}

// Items added under an item that is not in the tree yet cost the view nothing; a complete
// fill therefore holds its root items back until its end.
void CTolvarView::AttachItem(QTreeWidgetItem* hParent, QTreeWidgetItem* hItem) {
    if (hParent) {
        hParent->addChild(hItem);
    } else if (m_bFilling) {
        m_pendingRoots.push_back(hItem);
    } else {
        m_pTree->addTopLevelItem(hItem);
    }
}

CTreeNodeData* CTolvarView::NodeData(const QTreeWidgetItem* hItem) {
    return hItem && hItem->type() == CTreeItem::Type ? static_cast<const CTreeItem*>(hItem)->Node()
                                                     : nullptr;
}

int CTolvarView::GetSelectedKind() const {
    if (!m_pTree->isVisible() || m_pTree->topLevelItemCount() == 0) {
        return -1;
    }
    QTreeWidgetItem* item = m_pTree->currentItem();
    if (!item || !item->isSelected()) {
        return 0;
    }
    const CTreeNodeData* node = NodeData(item);
    return node ? node->m_nKind : -1;
}

CTreeNodeData* CTolvarView::GetSelectedNode() const {
    if (!m_pTree->isVisible() || m_pTree->topLevelItemCount() == 0) {
        return nullptr;
    }
    QTreeWidgetItem* item = m_pTree->currentItem();
    return item && item->isSelected() ? NodeData(item) : nullptr;
}

int CTolvarView::GetSelectedTab() const {
    return m_pTabs->currentIndex();
}

void CTolvarView::ShowAtTop(QTreeWidgetItem* hItem) {
    ReadChildren(hItem);
    for (QTreeWidgetItem* item = hItem; item; item = item->parent()) {
        item->setExpanded(true);
    }
    m_pTree->setCurrentItem(hItem);
    m_pTree->scrollToItem(hItem, QAbstractItemView::PositionAtTop);
}

// A double click on a record opens it instead of folding the node; on a folder the tree
// folds as usual.
bool CTolvarView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pTree->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const bool handled = IsRecordKind(GetSelectedKind());
        if (handled) {
            Guarded([this] { OnRecordWijzig(); }, this);
        }
        return handled;
    }
    // A right click beside the nodes opens the menu of the node already selected, so it
    // must not take the selection away as a left click does.
    if (watched == m_pTree->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::RightButton && !m_pTree->itemAt(mouse->position().toPoint());
    }
    return CView::eventFilter(watched, event);
}

void CTolvarView::CloseRecordsets() {
    for (CDaoRecordset* set : std::initializer_list<CDaoRecordset*>{
             &m_setRelatie, &m_setPersoon, &m_setRelatieMemo, &m_setOfferte, &m_setOfferteMemo,
             &m_setCalculatie, &m_setCalculatieMemo, &m_setOrder, &m_setOrderMemo, &m_setBestelling,
             &m_setBestellingMemo}) {
        if (set->IsOpen()) {
            set->Close();
        }
    }
}
