#include "app/ViewExSplitWnd.h"

#include "platform/ui/View.h"

#include <QPointer>

namespace {
QPointer<CViewExSplitWnd> g_outer;
QPointer<CViewExSplitWnd> g_inner;
} // namespace

CViewExSplitWnd::CViewExSplitWnd(int rows, int columns, QWidget* parent)
    : QSplitter(rows > 1 ? Qt::Vertical : Qt::Horizontal, parent), m_nRows(rows),
      m_nColumns(columns) {
    setChildrenCollapsible(false);
}

QWidget* CViewExSplitWnd::GetPane(int row, int column) const {
    const int index = m_nRows > 1 ? row : column;
    return index >= 0 && index < count() ? widget(index) : nullptr;
}

bool CViewExSplitWnd::PaneOf(const QWidget* view, int& row, int& column) const {
    for (int i = 0; i < count(); ++i) {
        if (widget(i) == view) {
            row = m_nRows > 1 ? i : 0;
            column = m_nRows > 1 ? 0 : i;
            return true;
        }
    }
    return false;
}

void CViewExSplitWnd::SetSplitters(CViewExSplitWnd* outer, CViewExSplitWnd* inner) {
    g_outer = outer;
    g_inner = inner;
}

CViewExSplitWnd* CViewExSplitWnd::Outer() {
    return g_outer;
}
CViewExSplitWnd* CViewExSplitWnd::Inner() {
    return g_inner;
}

CViewExSplitWnd* CViewExSplitWnd::SplitterOf(const QWidget* view) {
    int row = 0;
    int column = 0;
    for (CViewExSplitWnd* splitter : {Outer(), Inner()}) {
        if (splitter && splitter->PaneOf(view, row, column)) {
            return splitter;
        }
    }
    return nullptr;
}

void CViewExSplitWnd::ActivatePane(int row, int column) {
    QWidget* pane = GetPane(row, column);
    if (!pane) {
        return;
    }
    QWidget* target = pane->focusProxy() ? pane->focusProxy() : pane;
    if (target->focusPolicy() == Qt::NoFocus) {
        const auto children = pane->findChildren<QWidget*>();
        for (QWidget* child : children) {
            if ((child->focusPolicy() & Qt::TabFocus) && child->isVisibleTo(pane)) {
                target = child;
                break;
            }
        }
    }
    target->setFocus(Qt::OtherFocusReason);
}

void CViewExSplitWnd::ActivateNext(bool previous, QWidget* activeView) {
    int row = 0;
    int column = 0;
    if (!activeView || !PaneOf(activeView, row, column)) {
        if (Inner()) {
            Inner()->ActivatePane(0, previous ? 0 : 1);
        }
        return;
    }
    if (previous) {
        if (column - 1 >= 0) {
            ActivatePane(row, column - 1);
        } else if (m_nRows == 2) {
            Inner()->ActivatePane(0, 1);
        } else {
            Outer()->ActivatePane(0, 0);
        }
        return;
    }
    if (column + 1 < m_nColumns) {
        ActivatePane(row, column + 1);
    } else if (m_nRows == 2) {
        Inner()->ActivatePane(0, 0);
    } else {
        Outer()->ActivatePane(0, 0);
    }
}
