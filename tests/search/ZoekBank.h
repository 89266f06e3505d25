#pragma once

// A fresh database whose index is built and kept by the program's own write path, with
// records made through the record classes as the program makes them.

#include "fixture/TestDatabase.h"
#include "platform/dao/DaoTypes.h"
#include "search/ZoekIndex.h"

#include <memory>
#include <QStringList>

struct ZoekBank {
    TestDatabase db;
    std::unique_ptr<CZoekIndex> index;

    ZoekBank();
    ~ZoekBank();

    // Builds the index afresh, as opening an old database does.
    void Bouw();
    // The names of what a search finds, best first.
    QStringList Vind(const QString& vraag, int nMax = 200);
    // The same as "kind:number" pairs.
    QStringList Sleutels(const QString& vraag);

    LONG Relatie(const QString& inLijst, const QString& volleNaam = QString(),
                 const QString& telefoon = QString(), const QString& plaats = QString());
    LONG Persoon(LONG relatie, const QString& achter, const QString& voor,
                 const QString& telefoon = QString());
    // A memo of the relation with the subject and a body stored as RTF.
    LONG RelatieMemo(LONG relatie, const QString& onderwerp, const QString& tekst);
    LONG Offerte(LONG relatie, const QString& inLijst, const QString& kontakt = QString());
    // The RTF the memo editor stores for plain text.
    static QString Rtf(const QString& tekst);
};
