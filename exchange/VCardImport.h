#pragma once

#include "exchange/RelatieOpslag.h"
#include "exchange/VCardGegevens.h"
#include "exchange/VCardVertaling.h"
#include "exchange/Voortgang.h"
#include "platform/dao/DaoTypes.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QStringList>

class CDaoDatabase;
struct VCardKaart;

// Reads a vCard file against a database and works out what it would add, without storing
// anything; Bewaar then stores exactly that, in one transaction. A relation is known by
// its name in the list, a person by first and last name within their relation, so that
// reading the same file twice adds nothing the second time.
class CVCardImport {
public:
    explicit CVCardImport(CDaoDatabase* pDatabase);

    // Throws CUitwisselFout when the data is not a vCard file at all.
    void Lees(const QByteArray& data);

    int NieuweRelaties() const { return int(m_relaties.size()); }
    int NieuwePersonen() const { return int(m_personen.size()); }
    int Overgeslagen() const { return m_nOvergeslagen; }
    // The cards that could not be read, each with its line number.
    const QStringList& Fouten() const { return m_fouten; }
    // "n relaties, m personen nieuw; k overgeslagen omdat ze al bestaan"
    QString Samenvatting() const;

    // Stores what Lees found: everything or, on a failure or a stop, nothing.
    void Bewaar(const Voortgang& voortgang = {});

private:
    using Doel = CRelatieOpslag::Doel;

    void LeesBestaande();
    bool NeemRelatie(const VCardRelatie& relatie);
    bool NeemPersoon(const CVCardVertaling::Gelezen& gelezen);
    Doel ZoekRelatie(const QString& naam);
    static QString Sleutel(const QString& naam);
    static QString PersoonSleutel(const Doel& doel, const QString& voorNaam,
                                  const QString& achterNaam);

    CDaoDatabase* m_pDatabase;
    QHash<QString, LONG> m_bestaandeRelaties;
    QSet<QString> m_bestaandePersonen;
    QHash<QString, int> m_nieuweRelatieIndex;
    QList<VCardRelatie> m_relaties;
    QList<CRelatieOpslag::Persoon> m_personen;
    QStringList m_fouten;
    int m_nOvergeslagen = 0;
};
