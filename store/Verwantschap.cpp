#include "store/Verwantschap.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoWriteObserver.h"

#include <vector>

namespace {

struct Tabel {
    const char* naam;
    const char* sleutel;
    const char* ouder;
    const char* ouderKolom;
    // The parent as the user's message names it.
    const char* omschrijving;
};

const Tabel kTabellen[] = {
    {"Relaties", "lRelatieNummer", nullptr, nullptr, "relatie"},
    {"Personen", "IDnr", "Relaties", "dwRelatieNummer", nullptr},
    {"MemoRelatie", "dwIndex", "Relaties", "dwRelatieNr", nullptr},
    {"Offertes", "dwIndex", "Relaties", "dwRelatieNummer", "offerte"},
    {"Calculaties", "dwIndex", "Relaties", "dwRelatieNummer", "calculatie"},
    {"Orders", "dwIndex", "Relaties", "dwRelatieNummer", "order"},
    {"Bestelling", "dwIndex", "Relaties", "dwRelatieNummer", "bestelling"},
    {"MemoOfferte", "dwIndex", "Offertes", "dwOfferteNr", nullptr},
    {"MemoCalculatie", "dwIndex", "Calculaties", "dwOfferteNr", nullptr},
    {"MemoOrder", "dwIndex", "Orders", "dwOfferteNr", nullptr},
    {"MemoBestelling", "dwIndex", "Bestelling", "dwOfferteNr", nullptr},
};

const Tabel* Zoek(const QString& naam) {
    for (const Tabel& tabel : kTabellen) {
        if (naam.compare(QLatin1String(tabel.naam), Qt::CaseInsensitive) == 0) {
            return &tabel;
        }
    }
    return nullptr;
}

void Bestaat(CDaoDatabase& database, const Tabel& ouder, LONG lOuder) {
    const auto query =
        database.Prepare(QStringLiteral("SELECT 1 FROM [%1] WHERE [%2] = ?")
                             .arg(QLatin1String(ouder.naam), QLatin1String(ouder.sleutel)) +
                         database.Engine().KeepRowClause());
    query->BindInt64(1, lOuder);
    if (!query->Step()) {
        throw CDaoException(
            QStringLiteral("De %1 waaronder dit zou komen bestaat niet meer: een andere gebruiker "
                           "heeft die intussen verwijderd. Er is niets toegevoegd.")
                .arg(QLatin1String(ouder.omschrijving)));
    }
    while (query->Step()) {
    }
}

void VerwijderRij(CDaoDatabase& database, const Tabel& tabel, qint64 lNummer) {
    CDaoWriteObserver::Write(
        database, QLatin1String(tabel.naam), CDaoWriteObserver::RowDeleted, [&] {
            const auto remove =
                database.Prepare(QStringLiteral("DELETE FROM [%1] WHERE [%2] = ?")
                                     .arg(QLatin1String(tabel.naam), QLatin1String(tabel.sleutel)));
            remove->BindInt64(1, lNummer);
            while (remove->Step()) {
            }
            return lNummer;
        });
}

std::vector<qint64> Kinderen(CDaoDatabase& database, const Tabel& kind, qint64 lOuder) {
    const auto query =
        database.Prepare(QStringLiteral("SELECT [%1] FROM [%2] WHERE [%3] = ?")
                             .arg(QLatin1String(kind.sleutel), QLatin1String(kind.naam),
                                  QLatin1String(kind.ouderKolom)));
    query->BindInt64(1, lOuder);
    std::vector<qint64> sleutels;
    while (query->Step()) {
        sleutels.push_back(query->Int64(0));
    }
    return sleutels;
}

void Verwijder(CDaoDatabase& database, const Tabel& tabel, qint64 lNummer) {
    VerwijderRij(database, tabel, lNummer);
    for (const Tabel& kind : kTabellen) {
        if (kind.ouder && qstrcmp(kind.ouder, tabel.naam) == 0) {
            for (const qint64 sleutel : Kinderen(database, kind, lNummer)) {
                Verwijder(database, kind, sleutel);
            }
        }
    }
}

} // namespace

void CVerwantschap::VoegToeOnder(CDaoDatabase& database, const QString& kindTabel, LONG lOuder,
                                 const std::function<void()>& voegToe) {
    const Tabel* kind = Zoek(kindTabel);
    const Tabel* ouder = kind && kind->ouder ? Zoek(QLatin1String(kind->ouder)) : nullptr;
    if (!ouder || lOuder == 0) {
        voegToe();
        return;
    }
    const bool bEigen = !database.Engine().InTransaction();
    if (bEigen) {
        database.BeginTrans();
    }
    try {
        Bestaat(database, *ouder, lOuder);
        voegToe();
        if (bEigen) {
            database.CommitTrans();
        }
    } catch (...) {
        if (bEigen) {
            database.Rollback();
        }
        throw;
    }
}

void CVerwantschap::VerwijderMetKinderen(CDaoDatabase& database, const QString& tabel,
                                         qint64 lNummer) {
    if (const Tabel* gevonden = Zoek(tabel)) {
        Verwijder(database, *gevonden, lNummer);
    }
}
