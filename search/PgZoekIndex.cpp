#include "search/PgZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekInhoud.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <QHash>
#include <QStringList>

namespace {

const char* const kMaakTekst =
    "CREATE TABLE %1 (soort integer NOT NULL, sleutel bigint NOT NULL, "
    "ouder bigint NOT NULL, stempel text COLLATE \"C\" NOT NULL, lijst text NOT NULL, "
    "naam text NOT NULL, tekst text NOT NULL, nummers text NOT NULL, woorden tsvector NOT NULL, "
    "PRIMARY KEY (soort, sleutel))";
const char* const kMaakVersie = "CREATE TABLE zoekversie (versie integer NOT NULL)";
const char* const kMaakZoeker = "CREATE INDEX %1_woorden ON %1 USING gin (woorden)";
// The index built beside the current one, until it takes its place.
const char* const kBouw = "zoekbouw";

const char* const kKolommen =
    "soort, sleutel, ouder, stempel, lijst, naam, tekst, nummers, woorden";
constexpr int kAantalKolommen = 9;

// Desks that find the index missing at the same moment build it one after the other.
constexpr qint64 kBouwSlot = 0x546f6c7a;

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

// Whether the index exists and this desk's server account may keep it.
const char* const kMagSchrijven = "CASE WHEN to_regclass('zoektekst') IS NULL THEN false ELSE "
                                  "has_table_privilege(to_regclass('zoektekst'), 'INSERT') AND "
                                  "has_table_privilege(to_regclass('zoektekst'), 'UPDATE') AND "
                                  "has_table_privilege(to_regclass('zoektekst'), 'DELETE') END";

ZoekInhoud LeesInhoud(const ZoekTabel& tabel, const CDaoStatement& rij, int nEerste) {
    return ZoekInhoud::Lees(tabel, [&](int kolom) { return rij.Text(nEerste + kolom); });
}

void BindRij(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
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

QString Waarden(int nRijen, const char* doel = "zoektekst") {
    QStringList rijen;
    for (int i = 0; i < nRijen; ++i) {
        rijen << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?::tsvector)");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(QLatin1String(doel), QLatin1String(kKolommen), rijen.join(QStringLiteral(", ")));
}

void MaakVersie(CDaoDatabase& database) {
    database.Execute(kMaakVersie);
    database.Execute(
        QStringLiteral("INSERT INTO zoekversie VALUES (%1)").arg(CPgZoekIndex::kVersie));
}

} // namespace

CPgZoekIndex::CPgZoekIndex(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten)
    : CZoekKern(std::move(database), std::move(soorten)) {}

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
    BindRij(*schrijf, 1, tabel, LeesInhoud(tabel, *rij, 1));
    schrijf->Step();
}

bool CPgZoekIndex::HeeftIndex() {
    const auto bestaat = Database().Prepare(QStringLiteral(
        "SELECT to_regclass('zoektekst') IS NOT NULL AND to_regclass('zoekversie') IS NOT NULL"));
    return bestaat->Step() && bestaat->Int64(0) != 0;
}

QString CPgZoekIndex::VersieKlopt() const {
    return QStringLiteral("(SELECT max(versie) FROM zoekversie) = %1").arg(kVersie);
}

// Count, highest number and latest modification time of the table and of its rows in the
// index.
QString CPgZoekIndex::TabelKlopt(const ZoekTabel& tabel) const {
    const QString stempel = tabel.stempel
                                ? Database().Engine().DateAsText(
                                      QStringLiteral("max(%1)").arg(QLatin1String(tabel.stempel)))
                                : QStringLiteral("''");
    return QStringLiteral("(SELECT count(*) || '/' || coalesce(max(%1), 0) || '/' || "
                          "%2 FROM [%3]) = (SELECT count(*) || '/' || "
                          "coalesce(max(sleutel), 0) || '/' || coalesce(max(stempel), "
                          "'') FROM zoektekst WHERE soort = %4)")
        .arg(QLatin1String(tabel.sleutel), stempel, QLatin1String(tabel.tabel))
        .arg(int(tabel.nSoort));
}

// The server has no cheap sign of another desk's commits; those keep the index themselves.
// What remains, a program that does not, is found by the few counts of IsActueel, which
// are therefore asked at every turn to the search line.
bool CPgZoekIndex::DoorAnderenGewijzigd() {
    const bool bEerder = m_bGevraagd;
    m_bGevraagd = true;
    return bEerder;
}

void CPgZoekIndex::MaakLeeg() {
    CDaoDatabase& database = Database();
    database.Execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kBouwSlot));
    database.Execute("DROP TABLE IF EXISTS zoektekst, zoekversie");
    database.Execute(QString::fromLatin1(kMaakTekst).arg(QLatin1String("zoektekst")));
    MaakVersie(database);
}

QString CPgZoekIndex::SchrijfRijen(int nRijen, bool bBouw) const {
    return bBouw ? Waarden(nRijen, kBouw) : Waarden(nRijen);
}

// The rows' count and the sum of the transactions that wrote them: a row added, changed or
// removed by a committed transaction moves one of them, whether or not the program that
// wrote it keeps the index.
QString CPgZoekIndex::Wijzigingsteken() {
    QStringList delen;
    for (const int n : Soorten()) {
        delen << QStringLiteral("(SELECT count(*) || '/' || coalesce(sum(xmin::text::bigint), 0) "
                                "FROM [%1])")
                     .arg(QLatin1String(ZoekTabel::Van(n).tabel));
    }
    const auto teken =
        Database().Prepare(QStringLiteral("SELECT ") + delen.join(QStringLiteral(" || ';' || ")));
    teken->Step();
    return teken->Text(0);
}

// A desk that finds another building is not kept waiting (nor is its window, which waits
// for the build when it closes): it uses the index as it is and asks again later.
void CPgZoekIndex::BeginBouw() {
    const auto slot =
        Database().Prepare(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(kBouwSlot));
    if (!slot->Step() || slot->Int64(0) == 0) {
        throw CDaoException(DaoErrorKind::InUse, Database().GetName(),
                            QStringLiteral("zoekindex wordt al opgebouwd"), 0, true);
    }
}

void CPgZoekIndex::EindBouw() noexcept {
    try {
        Database().Execute(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(kBouwSlot));
    } catch (const CDaoException&) {
        // A connection that broke took the lock with it.
    }
}

void CPgZoekIndex::MaakBouw() {
    RuimBouwOp();
    Database().Execute(QString::fromLatin1(kMaakTekst).arg(QLatin1String(kBouw)));
}

void CPgZoekIndex::RuimBouwOp() {
    Database().Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(kBouw)));
}

void CPgZoekIndex::BouwGevuld() {
    Database().Execute(QString::fromLatin1(kMaakZoeker).arg(QLatin1String(kBouw)));
}

// Writers that are under way are waited for, new ones wait until the swap commits; a wait
// beyond half a second gives way (to be tried again) before the server would have to choose
// between this transaction and a user's save.
void CPgZoekIndex::VoorWissel() {
    QStringList tabellen;
    for (const int n : Soorten()) {
        tabellen << QStringLiteral("[%1]").arg(QLatin1String(ZoekTabel::Van(n).tabel));
    }
    Database().Execute("SET LOCAL lock_timeout = '500ms'");
    Database().Execute(
        QStringLiteral("LOCK TABLE %1 IN SHARE MODE").arg(tabellen.join(QStringLiteral(", "))));
}

void CPgZoekIndex::Wissel() {
    CDaoDatabase& database = Database();
    database.Execute("DROP TABLE IF EXISTS zoektekst, zoekversie");
    database.Execute(
        QStringLiteral("ALTER TABLE %1 RENAME TO zoektekst").arg(QLatin1String(kBouw)));
    database.Execute(
        QStringLiteral("ALTER INDEX %1_pkey RENAME TO zoektekst_pkey").arg(QLatin1String(kBouw)));
    database.Execute(QStringLiteral("ALTER INDEX %1_woorden RENAME TO zoektekst_woorden")
                         .arg(QLatin1String(kBouw)));
    MaakVersie(database);
}

int CPgZoekIndex::KolommenPerRij() const {
    return kAantalKolommen;
}

void CPgZoekIndex::BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                              const ZoekInhoud& inhoud) const {
    BindRij(schrijf, nEerste, tabel, inhoud);
}

// Made once the rows are in: far quicker than keeping it up row by row.
void CPgZoekIndex::Afronden() {
    Database().Execute(QString::fromLatin1(kMaakZoeker).arg(QLatin1String("zoektekst")));
}

// What was found by its name first, then by how well the words match, among the first
// candidates found by name and the first found anywhere. The piece of text
// shown is cut from the first 20,000 characters of a memo, which keeps a long memo's cost
// off every key press.
std::vector<std::unique_ptr<CDaoStatement>> CPgZoekIndex::Zoekers(const CZoekVraag& vraag,
                                                                  int nMax) {
    auto zoek = Database().Prepare(QStringLiteral(
        "WITH a AS (SELECT ?::tsquery AS q), n AS (SELECT ?::tsquery AS q), kandidaat AS "
        "((SELECT soort, sleutel FROM zoektekst, n WHERE woorden @@ n.q LIMIT ?) UNION "
        "(SELECT soort, sleutel FROM zoektekst, a WHERE woorden @@ a.q LIMIT ?)) "
        "SELECT z.soort, z.sleutel, z.lijst, z.ouder, z.naam, left(z.tekst, 20000), z.nummers, "
        "z.woorden @@ n.q FROM kandidaat k JOIN zoektekst z USING (soort, sleutel), a, n "
        "ORDER BY 8 DESC, ts_rank(z.woorden, a.q) DESC, z.soort, z.sleutel LIMIT ?"));
    zoek->BindText(1, Vraag(vraag, QString(), true));
    zoek->BindText(2, Vraag(vraag, QStringLiteral("A"), false));
    zoek->BindInt64(3, kKandidaten);
    zoek->BindInt64(4, kKandidaten);
    zoek->BindInt64(5, nMax);
    std::vector<std::unique_ptr<CDaoStatement>> zoekers;
    zoekers.push_back(std::move(zoek));
    return zoekers;
}
