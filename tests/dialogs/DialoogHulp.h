#pragma once

#include "platform/ui/ControlId.h"

#include <QAbstractButton>
#include <QTimer>
#include <QWidget>

// Clicks a button once the current driver action has returned, so that a modal the click
// opens is driven by the next queued action instead of blocking this one.
inline void KlikStraks(QWidget* dlg, int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(dlg, id));
    QTimer::singleShot(0, button, [button] { button->click(); });
}

inline bool Aan(QWidget* dlg, int id) {
    return GetDlgItem(dlg, id)->isEnabled();
}
