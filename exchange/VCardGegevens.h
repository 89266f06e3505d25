#pragma once

#include "platform/dao/OleDateTime.h"

#include <QList>
#include <QString>

// A memo of a relation as plain text, as it travels in a card's NOTE.
struct VCardMemo {
    QString onderwerp;
    QString tekst;
    COleDateTime aangemaakt = COleDateTime::Null();
    COleDateTime gewijzigd = COleDateTime::Null();
};

// What a relation card carries, column by column of Relaties, plus its memos.
struct VCardRelatie {
    QString inLijst;
    QString volleNaam;
    QString bezoekStraat;
    QString bezoekNummer;
    QString bezoekPostcode;
    QString bezoekWoonplaats;
    QString telefoon;
    QString fax;
    QString email;
    QString homePage;
    QString btwNummer;
    QString afleverStraat;
    QString afleverNummer;
    QString afleverPostcode;
    QString afleverPlaats;
    QString algemeneMemo;
    QString postBus;
    bool klant = false;
    bool leverancier = false;
    bool prive = false;
    COleDateTime gewijzigd = COleDateTime::Null();
    QList<VCardMemo> memos;
};

// What a person card carries, column by column of Personen; relatie is the name of the
// organisation it belongs to.
struct VCardPersoon {
    QString relatie;
    QString voorNaam;
    QString achterNaam;
    QString telefoon;
    QString autoTelefoon;
    QString fax;
    QString email;
    QString afdeling;
    QString functie;
    // What the card holds that Personen has no column for, one labelled line each; it goes
    // into a memo of the relation so that nothing is dropped without a word.
    QString overig;
};
