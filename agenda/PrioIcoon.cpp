#include "agenda/PrioIcoon.h"

QIcon CPrioIcoon::Laad(int nResource) {
    const int nPrio = nResource - IDI_PRIO_0;
    if (!IsPrio(nPrio)) {
        return QIcon();
    }
    return QIcon(QStringLiteral(":/icons/prio_%1.svg").arg(nPrio));
}

QList<QIcon> CPrioIcoon::AllePrios() {
    QList<QIcon> icons;
    for (int p = 0; p < AANTAL; ++p) {
        icons << Prio(p);
    }
    return icons;
}
