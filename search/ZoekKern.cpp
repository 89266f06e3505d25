#include "search/ZoekKern.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekFragment.h"
#include "search/ZoekInhoud.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <limits>
#include <map>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

// Rows read from a table, and rows written to the index, per statement while building.
constexpr int kLeesRijen = 1000;
constexpr int kSchrijfRijen = 100;

ZoekInhoud LeesInhoud(const ZoekTabel& tabel, const CDaoStatement& rij) {
    return ZoekInhoud::Lees(tabel, [&](int kolom) { return rij.Text(kolom); });
}

// The numbers as a list in a statement; numbers the program made itself, so nothing a user
// typed ever reaches the statement this way.
QString Lijst(const QSet<qint64>& nummers) {
    QStringList tekst;
    for (const qint64 n : nummers) {
        tekst << QString::number(n);
    }
    return tekst.join(QStringLiteral(", "));
}

} // namespace

CZoekKern::CZoekKern(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten)
    : m_database(std::move(database)), m_soorten(std::move(soorten)) {}

bool CZoekKern::IsActueel() {
    if (!HeeftIndex()) {
        return false;
    }
    QStringList voorwaarden{VersieKlopt()};
    for (const int n : m_soorten) {
        voorwaarden << TabelKlopt(ZoekTabel::Van(n));
    }
    try {
        VoorLezen(false);
        const auto vergelijk = m_database->Prepare(QStringLiteral("SELECT ") +
                                                   voorwaarden.join(QStringLiteral(" AND ")));
        return vergelijk->Step() && vergelijk->Int64(0) != 0;
    } catch (const CDaoException&) {
        // An index of another layout, or one damaged: it is built again.
        return false;
    }
}

void CZoekKern::Herbouw(const Voortgang& voortgang) {
    CDaoDatabase& database = *m_database;
    database.BeginTrans();
    try {
        MaakLeeg();
        long nTotaal = 0;
        for (const int n : m_soorten) {
            const auto aantal = database.Prepare(
                QStringLiteral("SELECT count(*) FROM [%1]").arg(ZoekTabel::Van(n).tabel));
            aantal->Step();
            nTotaal += long(aantal->Int64(0));
        }
        const int nKolommen = KolommenPerRij();
        const auto vol = database.Prepare(SchrijfRijen(kSchrijfRijen));
        std::vector<std::pair<const ZoekTabel*, ZoekInhoud>> wachtend;
        const auto schrijf = [&] {
            const size_t nRijen = wachtend.size();
            const auto statement = nRijen == size_t(kSchrijfRijen)
                                       ? nullptr
                                       : database.Prepare(SchrijfRijen(int(nRijen)));
            CDaoStatement& doel = statement ? *statement : *vol;
            for (size_t i = 0; i < nRijen; ++i) {
                BindInhoud(doel, int(i) * nKolommen + 1, *wachtend[i].first, wachtend[i].second);
            }
            doel.Step();
            doel.Reset();
            wachtend.clear();
        };
        long nGedaan = 0;
        for (const int n : m_soorten) {
            const ZoekTabel& tabel = ZoekTabel::Van(n);
            // Read a page at a time by number, so that a large table never sits in memory whole.
            const auto rijen = database.Prepare(tabel.Selectie() +
                                                QStringLiteral(" WHERE %1 > ? ORDER BY %1 LIMIT %2")
                                                    .arg(QLatin1String(tabel.sleutel))
                                                    .arg(kLeesRijen));
            qint64 lVanaf = std::numeric_limits<qint32>::min();
            for (bool bMeer = true; bMeer;) {
                rijen->Reset();
                rijen->BindInt64(1, lVanaf);
                int nGelezen = 0;
                while (rijen->Step()) {
                    ++nGelezen;
                    wachtend.emplace_back(&tabel, LeesInhoud(tabel, *rijen));
                    lVanaf = wachtend.back().second.lSleutel;
                    if (wachtend.size() == size_t(kSchrijfRijen)) {
                        schrijf();
                    }
                    if (voortgang) {
                        voortgang(QLatin1String(tabel.tabel), ++nGedaan, nTotaal);
                    }
                }
                bMeer = nGelezen == kLeesRijen;
            }
            if (!wachtend.empty()) {
                schrijf();
            }
            TabelGedaan(tabel);
        }
        Afronden();
        database.CommitTrans();
    } catch (...) {
        database.Rollback();
        throw;
    }
}

std::vector<CZoekTreffer> CZoekKern::Zoek(const QString& strVraag, int nMax) {
    std::vector<CZoekTreffer> treffers;
    const CZoekVraag vraag(strVraag);
    if (vraag.IsLeeg() || nMax <= 0) {
        return treffers;
    }
    if (vraag.IsTeLang()) {
        // Refused before any engine sees it, so that both engines draw the line at one place.
        throw CDaoException(DaoErrorKind::QueryTooLong, m_database->GetName(), QString(), 0,
                            m_database->Engine().IsServer());
    }
    VoorLezen(true);
    QSet<QPair<int, qint64>> gezien;
    for (const auto& zoek : Zoekers(vraag, nMax)) {
        while (int(treffers.size()) < nMax && zoek->Step()) {
            CZoekTreffer treffer;
            treffer.nSoort = int(zoek->Int64(0));
            treffer.lNummer = LONG(zoek->Int64(1));
            if (gezien.contains({treffer.nSoort, treffer.lNummer})) {
                continue;
            }
            gezien.insert({treffer.nSoort, treffer.lNummer});
            treffer.strNaam = zoek->Text(2);
            treffer.lOuder = LONG(zoek->Int64(3));
            treffer.strFragment =
                ZoekFragment({zoek->Text(4), zoek->Text(5), zoek->Text(6)}, vraag);
            treffer.bInNaam = zoek->Int64(7) != 0;
            treffers.push_back(std::move(treffer));
        }
    }
    VulRelaties(treffers);
    return treffers;
}

// The relation each record belongs to: its parent, or its parent's parent for the memos of
// a document. Read from the tables, so a renamed relation shows its new name at once, with
// a few statements for all results together.
void CZoekKern::VulRelaties(std::vector<CZoekTreffer>& treffers) {
    std::map<int, QSet<qint64>> documenten;
    for (const CZoekTreffer& treffer : treffers) {
        const int nOuder = ZoekTabel::Van(treffer.nSoort).nOuderSoort;
        if (nOuder >= 0 && nOuder != ZoekTabel::RELATIE) {
            documenten[nOuder].insert(treffer.lOuder);
        }
    }
    std::map<std::pair<int, qint64>, qint64> relatieVan;
    for (const auto& [nSoort, nummers] : documenten) {
        const ZoekTabel& document = ZoekTabel::Van(nSoort);
        const auto lees = m_database->Prepare(
            QStringLiteral("SELECT %1, %2 FROM [%3] WHERE %1 IN (%4)")
                .arg(QLatin1String(document.sleutel), QLatin1String(document.ouder),
                     QLatin1String(document.tabel), Lijst(nummers)));
        while (lees->Step()) {
            relatieVan[{nSoort, lees->Int64(0)}] = lees->Int64(1);
        }
    }
    std::map<const CZoekTreffer*, qint64> relaties;
    QSet<qint64> nummers;
    for (const CZoekTreffer& treffer : treffers) {
        const int nOuder = ZoekTabel::Van(treffer.nSoort).nOuderSoort;
        if (nOuder < 0) {
            continue;
        }
        const auto gevonden = relatieVan.find({nOuder, treffer.lOuder});
        const qint64 lRelatie = nOuder == ZoekTabel::RELATIE   ? treffer.lOuder
                                : gevonden != relatieVan.end() ? gevonden->second
                                                               : 0;
        relaties[&treffer] = lRelatie;
        nummers.insert(lRelatie);
    }
    if (nummers.isEmpty()) {
        return;
    }
    const auto namen = m_database->Prepare(
        QStringLiteral(
            "SELECT lRelatieNummer, szInLijst FROM [Relaties] WHERE lRelatieNummer IN (%1)")
            .arg(Lijst(nummers)));
    QHash<qint64, QString> naamVan;
    while (namen->Step()) {
        naamVan.insert(namen->Int64(0), namen->Text(1));
    }
    for (CZoekTreffer& treffer : treffers) {
        if (const auto gevonden = relaties.find(&treffer); gevonden != relaties.end()) {
            treffer.strRelatie = naamVan.value(gevonden->second);
        }
    }
}
