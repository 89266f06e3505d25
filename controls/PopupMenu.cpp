#include "controls/PopupMenu.h"

#include "res/Resource.h"

#include <vector>

namespace {

struct MenuItem {
    int nID;
    const char* text;
};

const std::vector<MenuItem>* ItemsOf(int nResourceId) {
    static const std::vector<MenuItem> trayPopup = {{ID_TRAY_OPEN, "Open Tolvar"},
                                                    {ID_TRAY_EINDE, "Einde"}};
    return nResourceId == IDR_POPUP ? &trayPopup : nullptr;
}

} // namespace

std::unique_ptr<QMenu> LoadPopupMenu(int nResourceId, QWidget* parent) {
    const std::vector<MenuItem>* items = ItemsOf(nResourceId);
    if (!items) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(parent);
    for (const MenuItem& item : *items) {
        menu->addAction(QString::fromUtf8(item.text))->setData(item.nID);
    }
    return menu;
}

int CommandOf(const QAction* action) {
    return action ? action->data().toInt() : 0;
}
