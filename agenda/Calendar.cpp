#include "agenda/Calendar.h"

CCalendar::CCalendar(QWidget* parent) : QCalendarWidget(parent) {
    setGridVisible(true);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
}

QVariant CCalendar::GetValue() const {
    return QVariant(selectedDate());
}
