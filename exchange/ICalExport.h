#pragma once

#include <QByteArray>

class CDaoDatabase;

// The appointments of an appointment file as iCalendar: one event per appointment, its
// start at the alarm time in UTC and a display alarm at the start.
class CICalExport {
public:
    explicit CICalExport(CDaoDatabase* pAfspraken) : m_pAfspraken(pAfspraken) {}

    QByteArray Exporteer();
    int AantalAfspraken() const { return m_nAfspraken; }

private:
    CDaoDatabase* m_pAfspraken;
    int m_nAfspraken = 0;
};
