#include "exchange/VCardImport.h"

#include "exchange/RelatieOpslag.h"
#include "exchange/VCardLezer.h"
#include "exchange/VCardVertaling.h"
#include "platform/dao/DaoDatabase.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"

CVCardImport::CVCardImport(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

QString CVCardImport::Sleutel(const QString& naam) {
    return naam.simplified().toCaseFolded();
}

QString CVCardImport::PersoonSleutel(const Doel& doel, const QString& voorNaam,
                                     const QString& achterNaam) {
    return QStringLiteral("%1/%2\x1f%3\x1f%4")
        .arg(doel.lBestaand)
        .arg(doel.nNieuw)
        .arg(Sleutel(voorNaam), Sleutel(achterNaam));
}

void CVCardImport::LeesBestaande() {
    CRecRelatie relatie(m_pDatabase);
    relatie.m_strSort = QStringLiteral("lRelatieNummer");
    for (relatie.Open(); !relatie.IsEOF(); relatie.MoveNext()) {
        m_bestaandeRelaties.insert(Sleutel(relatie.szInLijst), relatie.lRelatieNummer);
    }
    CRecPersoon persoon(m_pDatabase);
    persoon.m_strSort = QStringLiteral("IDnr");
    for (persoon.Open(); !persoon.IsEOF(); persoon.MoveNext()) {
        Doel doel;
        doel.lBestaand = persoon.dwRelatieNummer;
        m_bestaandePersonen.insert(PersoonSleutel(doel, persoon.szVoorNaam, persoon.szAchterNaam));
    }
}

CVCardImport::Doel CVCardImport::ZoekRelatie(const QString& naam) {
    Doel doel;
    const QString sleutel = Sleutel(naam);
    doel.lBestaand = m_bestaandeRelaties.value(sleutel, 0);
    doel.nNieuw = m_nieuweRelatieIndex.value(sleutel, -1);
    return doel;
}

bool CVCardImport::NeemRelatie(const VCardRelatie& relatie) {
    const Doel doel = ZoekRelatie(relatie.inLijst);
    if (doel.lBestaand || doel.nNieuw >= 0) {
        return false;
    }
    m_nieuweRelatieIndex.insert(Sleutel(relatie.inLijst), int(m_relaties.size()));
    m_relaties.push_back(relatie);
    return true;
}

// A person whose organisation has no card of its own brings a relation of that name, with
// the addresses of the person's card.
bool CVCardImport::NeemPersoon(const CVCardVertaling::Gelezen& gelezen) {
    VCardPersoon persoon = *gelezen.persoon;
    Doel doel = ZoekRelatie(persoon.relatie);
    if (!doel.lBestaand && doel.nNieuw < 0 && gelezen.firma) {
        NeemRelatie(*gelezen.firma);
        doel = ZoekRelatie(persoon.relatie);
    } else if (gelezen.firma) {
        persoon.overig = gelezen.overigBijBestaande;
    }
    const QString sleutel = PersoonSleutel(doel, persoon.voorNaam, persoon.achterNaam);
    if (m_bestaandePersonen.contains(sleutel)) {
        return false;
    }
    m_bestaandePersonen.insert(sleutel);
    m_personen.push_back({doel, persoon});
    return true;
}

// Relations first, persons after, so that a person card standing before the card of its
// organisation still finds that organisation's own details.
void CVCardImport::Lees(const QByteArray& data) {
    const VCardLeesResultaat resultaat = CVCardLezer::Lees(data);
    m_fouten = resultaat.fouten;
    LeesBestaande();
    QList<CVCardVertaling::Gelezen> gelezen;
    QList<bool> nieuw;
    for (const VCardKaart& kaart : resultaat.kaarten) {
        // A group card only lists other cards; its members come in on their own cards.
        const bool groep =
            kaart.Tekst("KIND").compare(QLatin1String("group"), Qt::CaseInsensitive) == 0;
        gelezen.push_back(groep ? CVCardVertaling::Gelezen() : CVCardVertaling::Lees(kaart));
        if (groep) {
            m_fouten << QStringLiteral(
                            "Kaart op regel %1: een groep wordt niet ingelezen, alleen de kaarten "
                            "van de leden.")
                            .arg(kaart.regel);
        } else if (!gelezen.back().relatie && !gelezen.back().persoon) {
            m_fouten
                << QStringLiteral("Kaart op regel %1: de kaart heeft geen naam.").arg(kaart.regel);
        }
        nieuw.push_back(false);
    }
    for (qsizetype i = 0; i < gelezen.size(); ++i) {
        if (gelezen[i].relatie) {
            nieuw[i] = NeemRelatie(*gelezen[i].relatie);
        }
    }
    for (qsizetype i = 0; i < gelezen.size(); ++i) {
        if (gelezen[i].persoon) {
            nieuw[i] = NeemPersoon(gelezen[i]) || nieuw[i];
        }
        if (!nieuw[i] && (gelezen[i].relatie || gelezen[i].persoon)) {
            ++m_nOvergeslagen;
        }
    }
}

QString CVCardImport::Samenvatting() const {
    return QStringLiteral("%1 relaties, %2 personen nieuw; %3 overgeslagen omdat ze al bestaan")
        .arg(NieuweRelaties())
        .arg(NieuwePersonen())
        .arg(Overgeslagen());
}

void CVCardImport::Bewaar(const Voortgang& voortgang) {
    CRelatieOpslag::Bewaar(m_pDatabase, m_relaties, m_personen, voortgang);
}
