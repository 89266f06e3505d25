#pragma once

#include <QCalendarWidget>
#include <QVariant>

// The month calendar of the program's date dialogs. It keeps the date it was given when it
// was made (its stored state) and never moves to today by itself.
class CCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit CCalendar(QWidget* parent = nullptr);

    // The selected date, as the control's value property gives it.
    QVariant GetValue() const;
};
