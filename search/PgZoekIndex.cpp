#include "search/PgZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekInhoud.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

const char* const kMaakIndex =
    "CREATE TABLE zoektekst (soort integer NOT NULL, sleutel bigint NOT NULL, "
    "ouder bigint NOT NULL, stempel text COLLATE \"C\" NOT NULL, lijst text NOT NULL, "
    "naam text NOT NULL, tekst text NOT NULL, nummers text NOT NULL, woorden tsvector NOT NULL, "
    "PRIMARY KEY (soort, sleutel));"
    "CREATE TABLE zoekversie (versie integer NOT NULL)";
const char* const kMaakZoeker = "CREATE INDEX zoektekst_woorden ON zoektekst USING gin (woorden)";

const char* const kKolommen =
    "soort, sleutel, ouder, stempel, lijst, naam, tekst, nummers, woorden";
constexpr int kAantalKolommen = 9;

// Desks that find the index missing at the same moment build it one after the other.
constexpr qint64 kBouwSlot = 0x546f6c7a;

// Rows read from a table, and rows written to the index, per statement while building.
constexpr int kLeesRijen = 1000;
constexpr int kSchrijfRijen = 100;

// The server's limits on a vector: a word of at most 2 KB, positions up to 16383, at most
// 256 positions a word and 1 MB in all. Longer words are no words anyone types.
constexpr int kLangsteWoord = 200;
constexpr int kHoogstePositie = 16383;
constexpr int kPositiesPerWoord = 255;
constexpr int kGrootsteVector = 512 * 1024;

QString Lexeem(const QString& woord) {
    QString tekst = woord;
    tekst.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), "''");
    return QLatin1Char('\'') + tekst + QLatin1Char('\'');
}

// The words of a record in the server's vector notation: each word with its positions and
// the part it came from (A for the name, B for the other text, C for the telephone digits),
// so that a search can ask for words in the name alone.
QString Vector(const ZoekInhoud& inhoud) {
    QHash<QString, QList<int>> posities;
    QStringList volgorde;
    int nPositie = 1;
    qsizetype nGrootte = 0;
    const auto voeg = [&](const QString& deel, int nGewicht) {
        for (const QString& woord : CZoekVraag::Woorden(deel)) {
            const int nHier = std::min(nPositie++, kHoogstePositie);
            if (woord.size() > kLangsteWoord) {
                continue;
            }
            auto gevonden = posities.find(woord);
            if (gevonden == posities.end()) {
                if (nGrootte > kGrootsteVector) {
                    continue;
                }
                nGrootte += woord.size() + 8;
                volgorde << woord;
                gevonden = posities.insert(woord, {});
            }
            QList<int>& lijst = *gevonden;
            if (lijst.size() < kPositiesPerWoord &&
                (lijst.isEmpty() || (lijst.last() & 0xffff) != nHier)) {
                lijst << (nHier | (nGewicht << 16));
                nGrootte += 7;
            }
        }
        // A phrase does not run on from one part into the next.
        ++nPositie;
    };
    voeg(inhoud.strNaam, 'A');
    voeg(inhoud.strTekst, 'B');
    voeg(inhoud.strNummers, 'C');
    QString vector;
    vector.reserve(nGrootte);
    for (const QString& woord : volgorde) {
        if (!vector.isEmpty()) {
            vector += QLatin1Char(' ');
        }
        vector += Lexeem(woord);
        QChar scheiding = QLatin1Char(':');
        for (const int n : posities.value(woord)) {
            vector += scheiding + QString::number(n & 0xffff) + QChar(n >> 16);
            scheiding = QLatin1Char(',');
        }
    }
    return vector;
}

// What the user typed as the server's query: every typed word must occur, as a phrase of
// its parts ("zomer-act" as "zomer" followed by a word starting with "act"), the last part
// as the start of a word. strGewicht limits the words to one part of the record.
QString Vraag(const CZoekVraag& vraag, const QString& strGewicht, bool bOokNummers) {
    QStringList termen;
    for (const QString& getypt : vraag.Getypt()) {
        const QStringList delen = CZoekVraag::Woorden(getypt);
        QStringList frase;
        for (qsizetype i = 0; i < delen.size(); ++i) {
            const bool bLaatste = i + 1 == delen.size();
            const QString merk = (bLaatste ? QStringLiteral("*") : QString()) + strGewicht;
            frase << Lexeem(delen[i].left(kLangsteWoord)) +
                         (merk.isEmpty() ? QString() : QLatin1Char(':') + merk);
        }
        QString term = frase.join(QStringLiteral(" <-> "));
        const QString cijfers = CZoekVraag::Cijfers(getypt);
        if (bOokNummers && !cijfers.isEmpty() && cijfers != getypt) {
            term = QStringLiteral("(%1) | %2:*C").arg(term, Lexeem(cijfers.left(kLangsteWoord)));
        }
        termen << QLatin1Char('(') + term + QLatin1Char(')');
    }
    return termen.join(QStringLiteral(" & "));
}

// A short piece of the part of the record where most typed words were found, with those
// words between the markers, cut as the file's index cuts its pieces: ten words from just
// before the first match, "…" where the text goes on. A long memo is read only as far as
// the piece reaches, as this runs for every result at every key press.
QString Fragment(const QStringList& delen, const CZoekVraag& vraag) {
    constexpr size_t kWoorden = 10;
    constexpr size_t kVooraf = 2;
    QStringList gezocht;
    for (const QString& getypt : vraag.Getypt()) {
        gezocht << CZoekVraag::Woorden(getypt);
        if (const QString cijfers = CZoekVraag::Cijfers(getypt); !cijfers.isEmpty()) {
            gezocht << cijfers;
        }
    }
    const auto treft = [&](const QString& woord) {
        const QStringList gevouwen = CZoekVraag::Woorden(woord);
        const QString vorm = gevouwen.isEmpty() ? QString() : gevouwen.first();
        return std::any_of(gezocht.begin(), gezocht.end(),
                           [&](const QString& g) { return vorm.startsWith(g); });
    };
    struct Woord {
        qsizetype nBegin;
        qsizetype nEinde;
        bool bTreft;
    };
    struct Stuk {
        QString tekst;
        std::vector<Woord> woorden; // from at most kVooraf words before the first match
        bool bMeer = false;         // words follow the last one
        bool bEerder = false;       // words come before the first one
        int nTreffers = -1;
    };
    Stuk beste;
    for (const QString& deel : delen) {
        Stuk stuk{deel, {}, false, false, 0};
        std::optional<size_t> eerste;
        for (qsizetype i = 0; i < deel.size();) {
            if (!deel[i].isLetterOrNumber()) {
                ++i;
                continue;
            }
            if (eerste && stuk.woorden.size() >= kWoorden) {
                stuk.bMeer = true;
                break;
            }
            qsizetype j = i;
            while (j < deel.size() && (deel[j].isLetterOrNumber() || deel[j].isMark())) {
                ++j;
            }
            const bool bTreft = treft(deel.mid(i, j - i));
            stuk.woorden.push_back({i, j, bTreft});
            if (bTreft) {
                ++stuk.nTreffers;
                if (!eerste) {
                    // Only the words just before the first match are kept.
                    const size_t nWeg =
                        stuk.woorden.size() > kVooraf + 1 ? stuk.woorden.size() - kVooraf - 1 : 0;
                    stuk.bEerder = nWeg > 0;
                    stuk.woorden.erase(stuk.woorden.begin(),
                                       stuk.woorden.begin() + qsizetype(nWeg));
                    eerste = stuk.woorden.size() - 1;
                }
            }
            i = j;
        }
        if (!eerste && stuk.woorden.size() > kWoorden) {
            stuk.woorden.resize(kWoorden);
            stuk.bMeer = true;
        }
        if (stuk.nTreffers > beste.nTreffers) {
            beste = std::move(stuk);
        }
    }
    if (beste.woorden.empty()) {
        return {};
    }
    QString fragment = beste.bEerder ? QStringLiteral("…") : QString();
    qsizetype nPlek = beste.woorden.front().nBegin;
    for (const Woord& w : beste.woorden) {
        fragment += beste.tekst.mid(nPlek, w.nBegin - nPlek);
        const QString tekst = beste.tekst.mid(w.nBegin, w.nEinde - w.nBegin);
        fragment += w.bTreft ? CZoekTreffer::kBegin + tekst + CZoekTreffer::kEinde : tekst;
        nPlek = w.nEinde;
    }
    if (beste.bMeer) {
        fragment += QStringLiteral("…");
    }
    return fragment;
}

// Whether the index exists and this desk's server account may keep it.
const char* const kMagSchrijven = "CASE WHEN to_regclass('zoektekst') IS NULL THEN false ELSE "
                                  "has_table_privilege(to_regclass('zoektekst'), 'INSERT') AND "
                                  "has_table_privilege(to_regclass('zoektekst'), 'UPDATE') AND "
                                  "has_table_privilege(to_regclass('zoektekst'), 'DELETE') END";

ZoekInhoud LeesInhoud(const ZoekTabel& tabel, const CDaoStatement& rij, int nEerste) {
    return ZoekInhoud::Lees(tabel, [&](int kolom) { return rij.Text(nEerste + kolom); });
}

void BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                const ZoekInhoud& inhoud) {
    int n = nEerste;
    schrijf.BindInt64(n++, tabel.nSoort);
    schrijf.BindInt64(n++, inhoud.lSleutel);
    schrijf.BindInt64(n++, inhoud.lOuder);
    schrijf.BindText(n++, inhoud.strStempel);
    schrijf.BindText(n++, inhoud.strLijst);
    schrijf.BindText(n++, inhoud.strNaam);
    schrijf.BindText(n++, inhoud.strTekst);
    schrijf.BindText(n++, inhoud.strNummers);
    schrijf.BindText(n++, Vector(inhoud));
}

QString Waarden(int nRijen) {
    QStringList rijen;
    for (int i = 0; i < nRijen; ++i) {
        rijen << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?::tsvector)");
    }
    return QStringLiteral("INSERT INTO zoektekst (%1) VALUES %2")
        .arg(QLatin1String(kKolommen), rijen.join(QStringLiteral(", ")));
}

// The numbers as the server reads an array of them.
QString Lijst(const QSet<qint64>& nummers) {
    QStringList tekst;
    for (const qint64 n : nummers) {
        tekst << QString::number(n);
    }
    return QLatin1Char('{') + tekst.join(QLatin1Char(',')) + QLatin1Char('}');
}

} // namespace

CPgZoekIndex::CPgZoekIndex(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten)
    : m_database(std::move(database)), m_soorten(std::move(soorten)) {}

void CPgZoekIndex::WerkBij(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel) {
    // One round trip tells whether there is an index to keep and reads the row as it is now.
    const auto rij = database.Prepare(
        QStringLiteral("SELECT %1, r.* FROM (SELECT 1) e LEFT JOIN (%2 WHERE %3 = ?) r ON true")
            .arg(QLatin1String(kMagSchrijven), tabel.Selectie(), QLatin1String(tabel.sleutel)));
    rij->BindInt64(1, lSleutel);
    if (!rij->Step() || rij->Int64(0) == 0) {
        return;
    }
    if (rij->IsNull(1)) {
        const auto weg = database.Prepare(
            QStringLiteral("DELETE FROM zoektekst WHERE soort = ? AND sleutel = ?"));
        weg->BindInt64(1, tabel.nSoort);
        weg->BindInt64(2, lSleutel);
        weg->Step();
        return;
    }
    const auto schrijf = database.Prepare(
        Waarden(1) + QStringLiteral(" ON CONFLICT (soort, sleutel) DO UPDATE SET ouder = "
                                    "excluded.ouder, stempel = excluded.stempel, lijst = "
                                    "excluded.lijst, naam = excluded.naam, tekst = excluded.tekst, "
                                    "nummers = excluded.nummers, woorden = excluded.woorden"));
    BindInhoud(*schrijf, 1, tabel, LeesInhoud(tabel, *rij, 1));
    schrijf->Step();
}

bool CPgZoekIndex::IsActueel() {
    CDaoDatabase& database = *m_database;
    const auto bestaat = database.Prepare(QStringLiteral(
        "SELECT to_regclass('zoektekst') IS NOT NULL AND to_regclass('zoekversie') IS NOT NULL"));
    if (!bestaat->Step() || bestaat->Int64(0) == 0) {
        return false;
    }
    // One statement, so that the tables and the index are compared as one moment saw them,
    // whatever other desks commit meanwhile.
    QStringList voorwaarden{
        QStringLiteral("(SELECT max(versie) FROM zoekversie) = %1").arg(kVersie)};
    for (const int n : m_soorten) {
        const ZoekTabel& tabel = ZoekTabel::Van(n);
        const QString stempel =
            tabel.stempel ? database.Engine().DateAsText(
                                QStringLiteral("max(%1)").arg(QLatin1String(tabel.stempel)))
                          : QStringLiteral("''");
        voorwaarden << QStringLiteral("(SELECT count(*) || '/' || coalesce(max(%1), 0) || '/' || "
                                      "%2 FROM [%3]) = (SELECT count(*) || '/' || "
                                      "coalesce(max(sleutel), 0) || '/' || coalesce(max(stempel), "
                                      "'') FROM zoektekst WHERE soort = %4)")
                           .arg(QLatin1String(tabel.sleutel), stempel, QLatin1String(tabel.tabel))
                           .arg(n);
    }
    try {
        const auto vergelijk =
            database.Prepare(QStringLiteral("SELECT ") + voorwaarden.join(QStringLiteral(" AND ")));
        return vergelijk->Step() && vergelijk->Int64(0) != 0;
    } catch (const CDaoException&) {
        // An index of another layout, or one damaged: it is built again.
        return false;
    }
}

// The server has no cheap sign of another desk's commits; those keep the index themselves.
// What remains, a program that does not, is found by the few counts of IsActueel, which
// are therefore asked at every turn to the search line.
bool CPgZoekIndex::DoorAnderenGewijzigd() {
    const bool bEerder = m_bGevraagd;
    m_bGevraagd = true;
    return bEerder;
}

void CPgZoekIndex::Herbouw(const Voortgang& voortgang) {
    CDaoDatabase& database = *m_database;
    database.BeginTrans();
    try {
        database.Execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kBouwSlot));
        database.Execute("DROP TABLE IF EXISTS zoektekst, zoekversie");
        database.Execute(kMaakIndex);
        database.Execute(QStringLiteral("INSERT INTO zoekversie VALUES (%1)").arg(kVersie));

        long nTotaal = 0;
        for (const int n : m_soorten) {
            const auto aantal = database.Prepare(
                QStringLiteral("SELECT count(*) FROM [%1]").arg(ZoekTabel::Van(n).tabel));
            aantal->Step();
            nTotaal += long(aantal->Int64(0));
        }
        const auto vol = database.Prepare(Waarden(kSchrijfRijen));
        std::vector<std::pair<const ZoekTabel*, ZoekInhoud>> wachtend;
        const auto schrijf = [&](size_t nRijen) {
            const auto statement =
                nRijen == size_t(kSchrijfRijen) ? nullptr : database.Prepare(Waarden(int(nRijen)));
            CDaoStatement& doel = statement ? *statement : *vol;
            for (size_t i = 0; i < nRijen; ++i) {
                BindInhoud(doel, int(i) * kAantalKolommen + 1, *wachtend[i].first,
                           wachtend[i].second);
            }
            doel.Step();
            doel.Reset();
            wachtend.clear();
        };
        long nGedaan = 0;
        for (const int n : m_soorten) {
            const ZoekTabel& tabel = ZoekTabel::Van(n);
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
                    wachtend.emplace_back(&tabel, LeesInhoud(tabel, *rijen, 0));
                    lVanaf = wachtend.back().second.lSleutel;
                    if (wachtend.size() == size_t(kSchrijfRijen)) {
                        schrijf(wachtend.size());
                    }
                    if (voortgang) {
                        voortgang(QLatin1String(tabel.tabel), ++nGedaan, nTotaal);
                    }
                }
                bMeer = nGelezen == kLeesRijen;
            }
        }
        if (!wachtend.empty()) {
            schrijf(wachtend.size());
        }
        // Made once the rows are in: far quicker than keeping it up row by row.
        database.Execute(kMaakZoeker);
        database.CommitTrans();
    } catch (...) {
        database.Rollback();
        throw;
    }
}

std::vector<CZoekTreffer> CPgZoekIndex::Zoek(const QString& strVraag, int nMax) {
    std::vector<CZoekTreffer> treffers;
    const CZoekVraag vraag(strVraag);
    if (vraag.IsLeeg() || nMax <= 0) {
        return treffers;
    }
    // What was found by its name first, then by how well the words match. The piece of
    // text shown is cut from the first 20,000 characters of a memo, which keeps a long
    // memo's cost off every key press.
    const auto zoek = m_database->Prepare(QStringLiteral(
        "SELECT soort, sleutel, lijst, ouder, naam, left(tekst, 20000), nummers, woorden @@ n.q "
        "FROM zoektekst, (SELECT ?::tsquery AS q) a, (SELECT ?::tsquery AS q) n "
        "WHERE woorden @@ a.q ORDER BY 8 DESC, ts_rank(woorden, a.q) DESC, soort, sleutel "
        "LIMIT ?"));
    zoek->BindText(1, Vraag(vraag, QString(), true));
    zoek->BindText(2, Vraag(vraag, QStringLiteral("A"), false));
    zoek->BindInt64(3, nMax);
    while (zoek->Step()) {
        CZoekTreffer treffer;
        treffer.nSoort = int(zoek->Int64(0));
        treffer.lNummer = LONG(zoek->Int64(1));
        treffer.strNaam = zoek->Text(2);
        treffer.lOuder = LONG(zoek->Int64(3));
        treffer.strFragment = Fragment({zoek->Text(4), zoek->Text(5), zoek->Text(6)}, vraag);
        treffer.bInNaam = zoek->Int64(7) != 0;
        treffers.push_back(std::move(treffer));
    }
    VulRelaties(treffers);
    return treffers;
}

// The relation each record belongs to: its parent, or its parent's parent for the memos of
// a document. Read from the tables, a few statements for all results together.
void CPgZoekIndex::VulRelaties(std::vector<CZoekTreffer>& treffers) {
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
            QStringLiteral("SELECT %1, %2 FROM [%3] WHERE %1 = ANY (CAST(? AS bigint ARRAY))")
                .arg(QLatin1String(document.sleutel), QLatin1String(document.ouder),
                     QLatin1String(document.tabel)));
        lees->BindText(1, Lijst(nummers));
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
    const auto namen =
        m_database->Prepare(QStringLiteral("SELECT lRelatieNummer, szInLijst FROM [Relaties] WHERE "
                                           "lRelatieNummer = ANY (CAST(? AS bigint ARRAY))"));
    namen->BindText(1, Lijst(nummers));
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
