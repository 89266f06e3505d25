#pragma once

#include <QObject>

class QWidget;

// Makes a multi-line box behave as a dialog's multi-line box that does not want the Return
// key: Enter presses the dialog's default button, Ctrl+Enter inserts the line break.
class CEnterPressesDefault : public QObject {
public:
    // Installs the behaviour on a QPlainTextEdit or QTextEdit; the box owns it.
    static void Install(QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CEnterPressesDefault(QObject* box) : QObject(box) {}
};
