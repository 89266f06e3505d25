#pragma once

#include <QSet>
#include <QString>

struct VCardEigenschap;
struct VCardKaart;

// The properties of a card that were taken into a record field.
using VCardGebruikt = QSet<const VCardEigenschap*>;

// What a card holds that no record field took (a second phone, a birthday, a person's home
// page, a note on a person's card), one line each with a Dutch label and its types, so that
// an import keeps it in a memo instead of dropping it without a word.
class CVCardOverig {
public:
    static QString Tekst(const VCardKaart& kaart, const VCardGebruikt& gebruikt);
    // One address as a person reads it: "Kerkstraat 12, 1234 AB Utrecht, Nederland".
    static QString Adres(const VCardEigenschap& adres);

private:
    static QString Label(const VCardEigenschap& eigenschap);
};
