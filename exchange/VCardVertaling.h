#pragma once

#include "exchange/VCardGegevens.h"

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
    // of a person with an organisation a person of the relation of that name (made when
    // it does not exist); a card of a person without one a private relation with that
    // person in it.
    struct Gelezen {
        std::optional<VCardRelatie> relatie;
        std::optional<VCardPersoon> persoon;
    };
    static Gelezen Lees(const VCardKaart& kaart);

    // A text in angle brackets is the placeholder of a box nobody filled in.
    static bool IsPlaatshouder(const QString& tekst);

private:
    static VCardRelatie LeesRelatie(const VCardKaart& kaart);
    static VCardPersoon LeesPersoon(const VCardKaart& kaart);
};
