#pragma once

#include "platform/dao/DaoTypes.h"

#include <QString>

// One record found: its table (ZoekTabel::Soort) and number, its parent's number, the name
// it is listed under, the relation it belongs to, and a short piece of the text where it was
// found with the matched words between the markers kBegin and kEinde.
struct CZoekTreffer {
    static constexpr QChar kBegin = QChar(0x01);
    static constexpr QChar kEinde = QChar(0x02);

    int nSoort = 0;
    LONG lNummer = 0;
    LONG lOuder = 0;
    QString strNaam;
    QString strRelatie;
    QString strFragment;
    // Every word was found in the record's name, not only in its other text.
    bool bInNaam = false;
};
