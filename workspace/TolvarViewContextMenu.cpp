// The tree's right-click menu: the record and document commands at the mouse.
#include "workspace/TolvarView.h"

#include "platform/ui/DispatchGuard.h"
#include "res/Resource.h"

#include <QMenu>
#include <QTreeWidget>

namespace {

// The pictures of the menu items, bitmap resources 157 to 161.
enum ContextBitmap {
    IDB_CTX_NIEUW = 157,
    IDB_CTX_MODIFICEER = 158,
    IDB_CTX_VERWIJDEREN = 159,
    IDB_CTX_EDITDOC = 160,
    IDB_CTX_PRINTDOC = 161,
};

struct ContextItem {
    int nCommand;
    const char* szText;
    bool (*enabled)(int nKind, int nTab);
    int nBitmap;
    const char* szIcon;
};

// Zero as command: a separator.
const ContextItem kItems[] = {
    {ID_RECORD_NIEUW, "   Nieuw\tIns", &CTolvarView::CanNew, IDB_CTX_NIEUW, "ctx_nieuw"},
    {ID_RECORD_WIJZIG, "   Modificeer\tEnter", &CTolvarView::CanModify, IDB_CTX_MODIFICEER,
     "ctx_modificeer"},
    {ID_RECORD_VERWIJDER, "   Verwijderen\tDel", &CTolvarView::CanDelete, IDB_CTX_VERWIJDEREN,
     "ctx_verwijderen"},
    {0, nullptr, nullptr, 0, nullptr},
    {ID_EDIT_DOC, "   Edit Doc\tF5", &CTolvarView::CanUseDocument, IDB_CTX_EDITDOC, "ctx_editdoc"},
    {ID_PRINT_DOC, "   Print Doc\tCtrl+F5", &CTolvarView::CanUseDocument, IDB_CTX_PRINTDOC,
     "ctx_printdoc"},
};

} // namespace

std::unique_ptr<QMenu> CTolvarView::CreateContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const int nKind = GetSelectedKind();
    const int nTab = GetSelectedTab();
    for (const ContextItem& item : kItems) {
        if (item.nCommand == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action =
            menu->addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(item.szIcon))),
                            QString::fromUtf8(item.szText));
        action->setData(item.nCommand);
        action->setProperty("bitmap", item.nBitmap);
        action->setEnabled(item.enabled(nKind, nTab));
    }
    // A relation's own cards, offered on relation nodes only.
    if (nKind == NODE_RELATIE) {
        menu->addSeparator();
        QAction* action = menu->addAction(QIcon(QStringLiteral(":/icons/ctx_vcard.svg")),
                                          QStringLiteral("   Als vCard exporteren..."));
        action->setData(int(ID_RELATIE_VCARD));
    }
    return menu;
}

// The menu acts on the clicked node; a click beside the nodes leaves the selection as it
// is. The chosen command goes through the view's own command table, which asks its rule
// once more, as for a command from the main menu.
void CTolvarView::OnContextMenu(const QPoint& pos) {
    if (QTreeWidgetItem* item = m_pTree->itemAt(pos)) {
        m_pTree->setCurrentItem(item);
    }
    const std::unique_ptr<QMenu> menu = CreateContextMenu();
    const QAction* chosen = menu->exec(m_pTree->viewport()->mapToGlobal(pos));
    if (chosen) {
        OnCmdMsg(chosen->data().toInt());
    }
}
