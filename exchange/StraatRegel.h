#pragma once

#include <QString>

// Other programs keep street and house number on one line; Relaties has a box for each.
class CStraatRegel {
public:
    // "Kerkstraat 12a" is street and house number; a street without a number stays whole.
    static void Splits(const QString& regel, QString& straat, QString& nummer);
};
