#include "search/ZoekKern.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekFragment.h"
#include "search/ZoekInhoud.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <algorithm>
#include <limits>
#include <map>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

// Rows read from a table, and rows written to the index, per statement while building.
constexpr int kLeesRijen = 1000;
constexpr int kSchrijfRijen = 100;
// Readings of the tables that others' writes may overtake before the build holds the lock
// throughout.
constexpr int kPogingen = 3;

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

long CZoekKern::Totaal() {
    long nTotaal = 0;
    for (const int n : m_soorten) {
        const auto aantal = m_database->Prepare(
            QStringLiteral("SELECT count(*) FROM [%1]").arg(ZoekTabel::Van(n).tabel));
        aantal->Step();
        nTotaal += long(aantal->Int64(0));
    }
    return nTotaal;
}

// A page at a time by number, so that a large table never sits in memory whole. Each page's
// statement is finished before its rows are made into index content (reading the memos'
// rich text takes a while): outside a transaction, the reading then keeps no writer waiting
// longer than the reading itself.
void CZoekKern::LeesPaginas(const ZoekTabel& tabel,
                            const std::function<void(const std::vector<ZoekInhoud>&)>& pagina) {
    const auto rijen =
        m_database->Prepare(tabel.Selectie() + QStringLiteral(" WHERE %1 > ? ORDER BY %1 LIMIT %2")
                                                   .arg(QLatin1String(tabel.sleutel))
                                                   .arg(kLeesRijen));
    const int nKolommen = tabel.AantalKolommen();
    qint64 lVanaf = std::numeric_limits<qint32>::min();
    for (bool bMeer = true; bMeer;) {
        rijen->Reset();
        rijen->BindInt64(1, lVanaf);
        std::vector<QStringList> gelezen;
        while (rijen->Step()) {
            QStringList rij;
            for (int kolom = 0; kolom < nKolommen; ++kolom) {
                rij << rijen->Text(kolom);
            }
            gelezen.push_back(std::move(rij));
        }
        rijen->Reset();
        bMeer = gelezen.size() == size_t(kLeesRijen);
        std::vector<ZoekInhoud> inhoud;
        inhoud.reserve(gelezen.size());
        for (const QStringList& rij : gelezen) {
            inhoud.push_back(ZoekInhoud::Lees(tabel, [&](int kolom) { return rij[kolom]; }));
        }
        if (!inhoud.empty()) {
            lVanaf = inhoud.back().lSleutel;
            pagina(inhoud);
        }
    }
}

void CZoekKern::LeesAlles(
    const Voortgang& voortgang,
    const std::function<void(const ZoekTabel&, const std::vector<ZoekInhoud>&)>& verwerk,
    const std::function<void(const ZoekTabel&)>& naTabel) {
    const long nTotaal = Totaal();
    long nGedaan = 0;
    for (const int n : m_soorten) {
        const ZoekTabel& tabel = ZoekTabel::Van(n);
        LeesPaginas(tabel, [&](const std::vector<ZoekInhoud>& rijen) {
            verwerk(tabel, rijen);
            for (size_t i = 0; i < rijen.size() && voortgang; ++i) {
                voortgang(QLatin1String(tabel.tabel), ++nGedaan, nTotaal);
            }
        });
        if (naTabel) {
            naTabel(tabel);
        }
    }
}

void CZoekKern::Schrijf(const ZoekTabel& tabel, const std::vector<ZoekInhoud>& rijen, bool bBouw) {
    const int nKolommen = KolommenPerRij();
    CDaoDatabase& doel = bBouw ? BouwDatabase() : *m_database;
    std::unique_ptr<CDaoStatement> vol;
    for (size_t nEerste = 0; nEerste < rijen.size(); nEerste += kSchrijfRijen) {
        const int nRijen = int(std::min(rijen.size() - nEerste, size_t(kSchrijfRijen)));
        std::unique_ptr<CDaoStatement> deel;
        if (nRijen < kSchrijfRijen) {
            deel = doel.Prepare(SchrijfRijen(nRijen, bBouw));
        } else if (!vol) {
            vol = doel.Prepare(SchrijfRijen(nRijen, bBouw));
        }
        CDaoStatement& schrijf = deel ? *deel : *vol;
        for (int i = 0; i < nRijen; ++i) {
            BindInhoud(schrijf, i * nKolommen + 1, tabel, rijen[nEerste + size_t(i)]);
        }
        schrijf.Step();
        schrijf.Reset();
    }
}

void CZoekKern::Herbouw(const Voortgang& voortgang) {
    CDaoDatabase& database = *m_database;
    database.BeginTrans();
    try {
        MaakLeeg();
        LeesAlles(
            voortgang,
            [&](const ZoekTabel& tabel, const std::vector<ZoekInhoud>& rijen) {
                Schrijf(tabel, rijen, false);
            },
            [&](const ZoekTabel& tabel) { TabelGedaan(tabel); });
        Afronden();
        database.CommitTrans();
    } catch (...) {
        database.Rollback();
        throw;
    }
}

void CZoekKern::Kort(const std::function<void()>& werk) {
    QElapsedTimer slot;
    m_database->BeginTrans();
    slot.start();
    try {
        werk();
        m_database->CommitTrans();
    } catch (...) {
        m_database->Rollback();
        throw;
    }
    m_msLangsteSlot = std::max(m_msLangsteSlot, double(slot.nsecsElapsed()) / 1e6);
}

double CZoekKern::Bouw(const Voortgang& voortgang) {
    m_msLangsteSlot = 0;
    BeginBouw();
    try {
        if (!BouwErnaast(voortgang)) {
            Kort([&] { RuimBouwOp(); });
            QElapsedTimer slot;
            slot.start();
            Herbouw(voortgang);
            m_msLangsteSlot = std::max(m_msLangsteSlot, double(slot.nsecsElapsed()) / 1e6);
        }
    } catch (...) {
        try {
            Kort([&] { RuimBouwOp(); });
        } catch (const CDaoException&) {
            // What is left of it goes when the next build begins.
        }
        EindBouw();
        throw;
    }
    EindBouw();
    return m_msLangsteSlot;
}

bool CZoekKern::BouwErnaast(const Voortgang& voortgang) {
    bool bGelezen = false;
    QString strTeken;
    for (int nPoging = 0; nPoging < kPogingen; ++nPoging) {
        if (!bGelezen) {
            strTeken = Wijzigingsteken();
            BeginLezen();
            VulBouw(voortgang);
            bGelezen = true;
        }
        const Wisseling wisseling = ProbeerWissel(strTeken);
        if (wisseling == Wisseling::Gedaan) {
            NaWissel();
            return true;
        }
        bGelezen = wisseling != Wisseling::Gewijzigd;
    }
    return false;
}

// A save of the user's never waits longer than one page takes to write.
void CZoekKern::VulBouw(const Voortgang& voortgang) {
    MaakBouw();
    LeesAlles(voortgang, [&](const ZoekTabel& tabel, const std::vector<ZoekInhoud>& rijen) {
        SchrijfPagina([&] { Schrijf(tabel, rijen, true); });
    });
    BouwGevuld();
}

// A write the program made meanwhile is in the tables but may not be in what was read: the
// reading starts again. A table held by another writer for longer than the wait is tried
// again without reading anew.
CZoekKern::Wisseling CZoekKern::ProbeerWissel(const QString& strTeken) {
    Wisseling wisseling = Wisseling::Gewijzigd;
    try {
        Kort([&] {
            VoorWissel();
            if (Wijzigingsteken() != strTeken) {
                return;
            }
            Wissel();
            for (const int n : m_soorten) {
                TabelGedaan(ZoekTabel::Van(n));
            }
            wisseling = Wisseling::Gedaan;
        });
    } catch (const CDaoException& e) {
        if (e.m_kind != DaoErrorKind::InUse) {
            throw;
        }
        return Wisseling::Bezet;
    }
    return wisseling;
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
