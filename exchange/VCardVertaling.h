#pragma once

#include "exchange/VCardGegevens.h"
#include "exchange/VCardOverig.h"

#include <optional>

class CVCardSchrijver;
struct VCardKaart;

// The one place that decides which record field goes into which vCard property and back,
// so that export and import can never drift apart.
class CVCardVertaling {
public:
    static void SchrijfRelatie(CVCardSchrijver& schrijver, const VCardRelatie& relatie);
    static void SchrijfPersoon(CVCardSchrijver& schrijver, const VCardPersoon& persoon);

    // What a card read from a file becomes: an organisation card only a relation; a card
    // of a person with an organisation a person of the relation of that name (made from
    // firma, with the card's addresses, when it does not exist; when it does, the person's
    // memo text is overigBijBestaande, addresses included); a card of a person without one
    // a private relation with that person in it. What no field took goes into a memo.
    struct Gelezen {
        std::optional<VCardRelatie> relatie;
        std::optional<VCardPersoon> persoon;
        std::optional<VCardRelatie> firma;
        QString overigBijBestaande;
    };
    static Gelezen Lees(const VCardKaart& kaart);

    // A text in angle brackets is the placeholder of a box nobody filled in.
    static bool IsPlaatshouder(const QString& tekst);

private:
    static VCardRelatie LeesRelatie(const VCardKaart& kaart, const char* soort,
                                    VCardGebruikt& gebruikt);
    static VCardPersoon LeesPersoon(const VCardKaart& kaart, VCardGebruikt& gebruikt);
    static void Overig(const VCardKaart& kaart, const VCardGebruikt& gebruikt,
                       VCardRelatie& relatie);
};
