#pragma once

#include "platform/ui/View.h"

#include <algorithm>
#include <QAbstractItemModel>
#include <QAbstractItemView>

// The rows a pane shows: the longest of its lists, whatever kind of list the pane holds.
inline int RowsIn(CView* view) {
    const auto lists = view->findChildren<QAbstractItemView*>();
    int rows = 0;
    for (const QAbstractItemView* list : lists) {
        if (list->model()) {
            rows = std::max(rows, list->model()->rowCount());
        }
    }
    return rows;
}
