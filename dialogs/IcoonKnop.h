#pragma once

#include <QString>

class QAbstractButton;

// Turns a button into one that shows only its icon (":/icons/<name>.svg"). The text it had
// stays what it was for the user: its accessible name and tool tip, and its "&" mnemonic
// still presses it from the keyboard.
void ZetKnopIcoon(QAbstractButton* button, const QString& name);
