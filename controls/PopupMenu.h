#pragma once

#include <memory>
#include <QMenu>

// The pop-up menu of the notification-area icon: "Open Tolvar" and "Einde".
inline constexpr int IDR_POPUP = 189;

// Builds the pop-up menu with resource id nResourceId; each action carries its command id
// as its data. Null for an id that names no pop-up menu.
std::unique_ptr<QMenu> LoadPopupMenu(int nResourceId, QWidget* parent = nullptr);

// The command id carried by an action of a loaded pop-up menu (0 for none).
int CommandOf(const QAction* action);
