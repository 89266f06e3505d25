#pragma once

#include "exchange/VCardGegevens.h"
#include "exchange/Voortgang.h"
#include "platform/dao/DaoTypes.h"

#include <QList>

class CDaoDatabase;

// Stores the relations and persons an import found, with their memos, in one transaction:
// everything or, on a failure or a stop, nothing. Both the vCard and the CSV import end
// here, so that a field lands in the same column whichever file it came from.
class CRelatieOpslag {
public:
    // A person's relation: an existing one by number, or one of the new ones by index.
    struct Doel {
        LONG lBestaand = 0;
        int nNieuw = -1;
    };
    using Persoon = std::pair<Doel, VCardPersoon>;

    // The subject of the memo that holds what a card had no place for.
    static constexpr const char* kOverigOnderwerp = "Uit vCard";

    static void Bewaar(CDaoDatabase* pDatabase, const QList<VCardRelatie>& relaties,
                       const QList<Persoon>& personen, const Voortgang& voortgang = {});
};
