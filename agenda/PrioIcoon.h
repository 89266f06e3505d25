#pragma once

#include <QIcon>
#include <QList>

// The digit icons of the agenda: icon resource 170 + p shows the digit p in the colour of
// priority p. The appointment list borrows two of them: 170 (a dark red 0) for a reported
// appointment and 178 (a magenta 8) for one still pending.
class CPrioIcoon {
public:
    enum : int { IDI_PRIO_0 = 170, IDI_PRIO_8 = 178, AANTAL = 10 };

    static bool IsPrio(int nPrio) { return nPrio >= 0 && nPrio < AANTAL; }
    // The icon of resource nResource (170 to 179); a null icon for any other number.
    static QIcon Laad(int nResource);
    // The icon of a priority; a null icon outside 0 to 9.
    static QIcon Prio(int nPrio) { return Laad(IDI_PRIO_0 + nPrio); }
    static QList<QIcon> AllePrios();
};
