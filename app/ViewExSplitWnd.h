#pragma once

#include <QSplitter>

class CView;

// A splitter of panes that knows its place in the main window's layout, so that F6 and
// Shift+F6 can walk the three panes in one ring: workspace, to-do list, appointment list.
class CViewExSplitWnd : public QSplitter {
    Q_OBJECT
public:
    CViewExSplitWnd(int rows, int columns, QWidget* parent = nullptr);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nColumns; }
    QWidget* GetPane(int row, int column) const;
    // The row and column of the pane that holds view; false when it is not here.
    bool PaneOf(const QWidget* view, int& row, int& column) const;

    // Activates the next (or previous) pane after the one that holds the active view.
    void ActivateNext(bool previous, QWidget* activeView);

    static void SetSplitters(CViewExSplitWnd* outer, CViewExSplitWnd* inner);
    static CViewExSplitWnd* Outer();
    static CViewExSplitWnd* Inner();

    // The splitter that directly holds the view, or null.
    static CViewExSplitWnd* SplitterOf(const QWidget* view);

private:
    void ActivatePane(int row, int column);

    int m_nRows;
    int m_nColumns;
};
