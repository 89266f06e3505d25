#pragma once

#include "platform/dao/DaoTypes.h"

#include <functional>
#include <QString>

class CDaoDatabase;

// Which rows hang under which: persons, relation memos and the four kinds of document under
// a relation, each document's memos under it. With it a row is added under a parent only
// while that parent exists, and a parent goes with every row that points to it, also with
// rows another desk added after this desk's tree was filled.
class CVerwantschap {
public:
    // Runs voegToe, which stores one new row of kindTabel under parent lOuder, in one
    // transaction with a check that the parent is still there; on a server the parent is
    // kept from being deleted until that transaction ends. Throws CDaoException with a Dutch
    // sentence naming the parent when another desk deleted it. lOuder 0 is no parent chosen.
    static void VoegToeOnder(CDaoDatabase& database, const QString& kindTabel, LONG lOuder,
                             const std::function<void()>& voegToe);

    // Deletes the row of tabel with key lNummer and, by key, every row under it. The parent
    // goes first, so that nothing can be added under it any more; then the rows under it
    // are looked up afresh, with what other desks committed meanwhile. Runs in the caller's
    // transaction.
    static void VerwijderMetKinderen(CDaoDatabase& database, const QString& tabel, qint64 lNummer);
};
