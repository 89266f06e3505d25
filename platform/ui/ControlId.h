#pragma once

#include <QString>

class QObject;
class QWidget;

// Controls that the program addresses carry their numeric id as the dynamic property
// "ctrlId", set in the .ui file or with SetCtrlId.
void SetCtrlId(QWidget* control, int id);
int GetCtrlId(const QObject* control);

// The child of parent with that id, or null.
QWidget* GetDlgItem(const QWidget* parent, int id);

// The text of a control as the platform's window text: a line edit's or combo's text, a
// button's or label's caption, a plain or rich text box's plain text.
QString GetWindowText(const QWidget* control);
// A text longer than its box shows from its first character: the cursor goes to the start.
void SetWindowText(QWidget* control, const QString& text);
