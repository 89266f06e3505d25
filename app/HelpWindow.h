#pragma once

#include <QDialog>

// The user guide: a short Dutch help page in a window of its own beside the main window.
class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    // Shows the one help window, bringing it to the front when it is open already.
    static CHelpWindow* Show(QWidget* parent);
};
