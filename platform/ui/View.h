#pragma once

#include "platform/ui/CmdTarget.h"

#include <QWidget>

// A pane of the main window that handles commands. The frame offers a command to the active
// view first (the view that holds or last held the keyboard focus), then to itself.
class CView : public QWidget, public CCmdTarget {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr) : QWidget(parent) {}

    // Called once by the frame after the layout is complete, inside the dispatch guard.
    virtual void OnInitialUpdate() {}

    // The view that contains widget (or is it), or null.
    static CView* ViewOf(QWidget* widget);
};
