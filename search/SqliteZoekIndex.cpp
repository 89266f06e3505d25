#include "search/SqliteZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "search/ZoekInhoud.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <QFile>
#include <QStringList>

namespace {

// Words are compared without case and accents; prefix indexes of one, two and three
// characters keep the first key presses of a search as fast as the later ones.
const char* const kMaakTekst =
    "CREATE VIRTUAL TABLE %1 USING fts5(naam, tekst, nummers, lijst UNINDEXED, "
    "ouder UNINDEXED, tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2 3')";
const char* const kMaakStand =
    "CREATE TABLE ZoekStand (tabel TEXT PRIMARY KEY, aantal INTEGER NOT NULL, "
    "hoogste INTEGER NOT NULL, stempel TEXT NOT NULL);"
    "CREATE TABLE ZoekWachtrij (rij INTEGER PRIMARY KEY)";

// The row number of a record in the index: its table in the high half, its number below.
qint64 IndexRij(int nSoort, qint64 lSleutel) {
    return (qint64(nSoort) << 32) | (lSleutel & 0xffffffff);
}
int SoortVan(qint64 lRij) {
    return int(lRij >> 32);
}
LONG SleutelVan(qint64 lRij) {
    return LONG(lRij & 0xffffffff);
}

ZoekInhoud LeesInhoud(const ZoekTabel& tabel, const CDaoStatement& rij) {
    return ZoekInhoud::Lees(tabel, [&](int kolom) { return rij.Text(kolom); });
}

constexpr int kKolommen = 6;

// The index built beside the current one, until it takes its place, and the one it
// replaced, until it is cleared away.
const char* const kBouw = "ZoekBouw";
const char* const kOud = "ZoekOud";

QString SchrijfRij(int nRijen) {
    QStringList rijen;
    for (int i = 0; i < nRijen; ++i) {
        rijen << QStringLiteral("(?, ?, ?, ?, ?, ?)");
    }
    return QStringLiteral("INSERT OR REPLACE INTO ZoekTekst (rowid, naam, tekst, nummers, lijst, "
                          "ouder) VALUES ") +
           rijen.join(QStringLiteral(", "));
}

void MaakStand(CDaoDatabase& database) {
    database.Execute(kMaakStand);
    database.Execute(QStringLiteral("INSERT INTO ZoekStand VALUES ('#versie', %1, 0, '')")
                         .arg(CSqliteZoekIndex::kVersie));
}

void BindRij(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
             const ZoekInhoud& inhoud) {
    int n = nEerste;
    schrijf.BindInt64(n++, IndexRij(tabel.nSoort, inhoud.lSleutel));
    schrijf.BindText(n++, inhoud.strNaam);
    schrijf.BindText(n++, inhoud.strTekst);
    schrijf.BindText(n++, inhoud.strNummers);
    schrijf.BindText(n++, inhoud.strLijst);
    schrijf.BindInt64(n++, inhoud.lOuder);
}

// Runs a statement that answers nothing the caller needs.
void Voer(CDaoDatabase& database, const QString& sql,
          const std::function<void(CDaoStatement&)>& bind) {
    const auto statement = database.Prepare(sql);
    bind(*statement);
    statement->Step();
}

QString Kolom(const char* naam, const char* anders) {
    return naam ? QLatin1String(naam) : QLatin1String(anders);
}

// Count, highest number and latest modification time of a table as it is now. The counter's
// sequence, not the highest number present: deleting the newest record must not look like a
// change by another program.
QString Stand(const ZoekTabel& tabel) {
    return QStringLiteral("SELECT count(*) AS aantal, coalesce((SELECT seq FROM sqlite_sequence "
                          "WHERE name = '%3'), max(%1), 0) AS hoogste, CAST(coalesce(max(%2), '') "
                          "AS TEXT) AS stempel FROM [%3]")
        .arg(QLatin1String(tabel.sleutel), Kolom(tabel.stempel, "NULL"),
             QLatin1String(tabel.tabel));
}

// Brings the index in step with one record as the table holds it now: present, changed or
// gone. The table's count, counter and modification time in ZoekStand follow, so that they
// keep describing exactly what the index was made from.
void Verwerk(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel) {
    const qint64 lRij = IndexRij(tabel.nSoort, lSleutel);
    const auto aanwezig =
        database.Prepare(QStringLiteral("SELECT count(*) FROM ZoekTekst WHERE rowid = ?"));
    aanwezig->BindInt64(1, lRij);
    aanwezig->Step();
    const bool bInIndex = aanwezig->Int64(0) > 0;
    const auto rij = database.Prepare(
        tabel.Selectie() + QStringLiteral(" WHERE %1 = ?").arg(QLatin1String(tabel.sleutel)));
    rij->BindInt64(1, lSleutel);
    const bool bInTabel = rij->Step();
    QString strStempel;
    if (bInTabel) {
        const ZoekInhoud inhoud = LeesInhoud(tabel, *rij);
        strStempel = inhoud.strStempel;
        Voer(database, SchrijfRij(1), [&](CDaoStatement& s) { BindRij(s, 1, tabel, inhoud); });
    } else if (bInIndex) {
        Voer(database, QStringLiteral("DELETE FROM ZoekTekst WHERE rowid = ?"),
             [&](CDaoStatement& s) { s.BindInt64(1, lRij); });
    }
    // Parameters in the order of the marks.
    Voer(database,
         QStringLiteral("UPDATE ZoekStand SET aantal = aantal + ?, hoogste = "
                        "max(hoogste, ?), stempel = max(stempel, ?) WHERE tabel = ?"),
         [&](CDaoStatement& s) {
             s.BindInt64(1, qint64(bInTabel) - qint64(bInIndex));
             s.BindInt64(2, lSleutel);
             s.BindText(3, strStempel);
             s.BindText(4, QLatin1String(tabel.tabel));
         });
}

void VerwijderIndex(CDaoDatabase& database) {
    try {
        database.Execute("DROP TABLE IF EXISTS ZoekTekst");
    } catch (const CDaoException&) {
        // A full-text table too damaged to be opened cannot be dropped the ordinary way. Its
        // own schema entry has no storage of its own: it is taken out by hand, and the
        // tables that hold its data are dropped below like any other.
        database.Execute("PRAGMA writable_schema = ON; DELETE FROM sqlite_master WHERE "
                         "type = 'table' AND name = 'ZoekTekst'; PRAGMA writable_schema = RESET");
    }
    database.Execute("DROP TABLE IF EXISTS ZoekTekst_data; DROP TABLE IF EXISTS ZoekTekst_idx; "
                     "DROP TABLE IF EXISTS ZoekTekst_content; DROP TABLE IF EXISTS "
                     "ZoekTekst_docsize; DROP TABLE IF EXISTS ZoekTekst_config; "
                     "DROP TABLE IF EXISTS ZoekStand; DROP TABLE IF EXISTS ZoekWachtrij");
}

void VerwijderBouw(CDaoDatabase& database) {
    database.Execute(QStringLiteral("DROP TABLE IF EXISTS main.%1").arg(QLatin1String(kBouw)));
}

} // namespace

CSqliteZoekIndex::CSqliteZoekIndex(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten)
    : CZoekKern(std::move(database), std::move(soorten)) {}

void CSqliteZoekIndex::WerkBij(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel) {
    // Only the record's number is noted, in the write's transaction, so that the write costs
    // little more than before; the full-text work follows before the index is next read.
    std::unique_ptr<CDaoStatement> noteer;
    try {
        noteer =
            database.Prepare(QStringLiteral("INSERT OR IGNORE INTO ZoekWachtrij (rij) VALUES (?)"));
    } catch (const CDaoException&) {
        // A file without an index: it gets one when it is next opened.
        return;
    }
    try {
        noteer->BindInt64(1, IndexRij(tabel.nSoort, lSleutel));
        noteer->Step();
    } catch (const CDaoException& e) {
        // A failure that may have cost the transaction fails the write with it. Any other
        // means a damaged index, which must not cost the user the record: the index is taken
        // away, to be rebuilt from the tables when the file is next opened, and the write
        // goes on.
        if (database.Engine().EndsTransaction(e.m_nEngineCode) ||
            !database.Engine().InTransaction()) {
            throw;
        }
        VerwijderIndex(database);
    }
}

bool CSqliteZoekIndex::HeeftIndex() {
    const auto tabel = Database().Prepare(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE name IN ('ZoekTekst', 'ZoekStand', "
        "'ZoekWachtrij')"));
    tabel->Step();
    return tabel->Int64(0) == 3;
}

void CSqliteZoekIndex::VoorLezen(bool bZoeken) {
    if (!bZoeken) {
        VerwerkWachtrij(true);
        return;
    }
    try {
        VerwerkWachtrij(false);
    } catch (const CDaoException& e) {
        // Another program holding the file, or a file that may only be read: search what
        // the index holds; the waiting records follow at the next search.
        if (!Database().Engine().EndsTransaction(e.m_nEngineCode)) {
            throw;
        }
    }
}

void CSqliteZoekIndex::VerwerkWachtrij(bool bWachten) {
    CDaoDatabase& database = Database();
    const auto leeg =
        database.Prepare(QStringLiteral("SELECT EXISTS (SELECT 1 FROM ZoekWachtrij)"));
    leeg->Step();
    if (leeg->Int64(0) == 0) {
        return;
    }
    CDaoEngine& engine = database.Engine();
    const bool bEigenTransactie = !database.InTransaction() && !engine.InTransaction();
    if (bEigenTransactie) {
        // While the user types, a file another program is writing is not waited for: the
        // search then shows what the index holds, and the queue follows next time.
        engine.WaitForOthers(bWachten);
        try {
            database.BeginTrans();
        } catch (...) {
            engine.WaitForOthers(true);
            throw;
        }
        engine.WaitForOthers(true);
    }
    try {
        const auto wachtrij = database.Prepare(QStringLiteral("SELECT rij FROM ZoekWachtrij"));
        std::vector<qint64> rijen;
        while (wachtrij->Step()) {
            rijen.push_back(wachtrij->Int64(0));
        }
        for (const qint64 lRij : rijen) {
            const int nSoort = SoortVan(lRij);
            if (std::find(Soorten().begin(), Soorten().end(), nSoort) != Soorten().end()) {
                Verwerk(database, ZoekTabel::Van(nSoort), SleutelVan(lRij));
            }
        }
        if (!rijen.empty()) {
            database.Execute("DELETE FROM ZoekWachtrij");
        }
        if (bEigenTransactie) {
            database.CommitTrans();
        }
    } catch (...) {
        if (bEigenTransactie) {
            database.Rollback();
        }
        throw;
    }
}

QString CSqliteZoekIndex::VersieKlopt() const {
    return QStringLiteral("(SELECT aantal FROM ZoekStand WHERE tabel = '#versie') = %1")
        .arg(kVersie);
}

// A modification time later than the index's means an edit the index did not see; an
// earlier one only that the latest record was deleted.
QString CSqliteZoekIndex::TabelKlopt(const ZoekTabel& tabel) const {
    return QStringLiteral("(SELECT s.aantal = t.aantal AND s.hoogste = t.hoogste AND t.stempel <= "
                          "s.stempel FROM ZoekStand s, (%1) t WHERE s.tabel = '%2')")
        .arg(Stand(tabel), QLatin1String(tabel.tabel));
}

// The engine's data version moves only with commits of other connections, so the program's
// own writes (already in the index's queue) do not count.
bool CSqliteZoekIndex::DoorAnderenGewijzigd() {
    const auto versie = Database().Prepare(QStringLiteral("PRAGMA data_version"));
    versie->Step();
    const qint64 nVersie = versie->Int64(0);
    const bool bGewijzigd = m_nDataVersie >= 0 && nVersie != m_nDataVersie;
    m_nDataVersie = nVersie;
    return bGewijzigd;
}

void CSqliteZoekIndex::MaakLeeg() {
    VerwijderIndex(Database());
    Database().Execute(QString::fromLatin1(kMaakTekst).arg(QLatin1String("ZoekTekst")));
    MaakStand(Database());
}

// A build writes to the index of the same name in its scratch file.
QString CSqliteZoekIndex::SchrijfRijen(int nRijen, bool) const {
    return SchrijfRij(nRijen);
}

// Moves with every commit of another connection, never with this one's own.
QString CSqliteZoekIndex::Wijzigingsteken() {
    const auto versie = Database().Prepare(QStringLiteral("PRAGMA data_version"));
    versie->Step();
    return versie->Text(0);
}

// The words of every row are indexed in a scratch file, in one transaction that keeps no
// lock on the database file; the index is then copied in, a few rows in each transaction.
void CSqliteZoekIndex::MaakBouw() {
    EindBouw();
    Kort([&] { VerwijderBouw(Database()); });
    RuimOudOp();
    m_pBouwMap = std::make_unique<QTemporaryDir>();
    const QString strPad = m_pBouwMap->filePath(QStringLiteral("zoekbouw.db"));
    // An empty file is an empty database.
    if (QFile bestand(strPad); !m_pBouwMap->isValid() || !bestand.open(QIODevice::WriteOnly)) {
        throw CDaoException(DaoErrorKind::DiskFull, strPad, m_pBouwMap->errorString(), 0);
    }
    m_bouw = CDaoDatabase::OpenPrivate(strPad);
    // Scratch: it is thrown away whatever happens.
    m_bouw->Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
    m_bouw->Execute(QString::fromLatin1(kMaakTekst).arg(QLatin1String("ZoekTekst")));
    m_bouw->BeginTrans();
}

void CSqliteZoekIndex::RuimBouwOp() {
    m_stand.clear();
    VerwijderBouw(Database());
}

void CSqliteZoekIndex::BeginLezen() {
    m_stand.clear();
    for (const int n : Soorten()) {
        const ZoekTabel& tabel = ZoekTabel::Van(n);
        const auto stand = Database().Prepare(Stand(tabel));
        stand->Step();
        m_stand[QLatin1String(tabel.tabel)] = {stand->Text(0), stand->Text(1), stand->Text(2)};
    }
}

void CSqliteZoekIndex::EindBouw() noexcept {
    if (m_bGekoppeld) {
        try {
            Database().Execute("DETACH DATABASE zoekbouw");
        } catch (const CDaoException&) {
            // Closing the connection lets go of it as well.
        }
        m_bGekoppeld = false;
    }
    m_bouw.reset();
    m_pBouwMap.reset();
}

void CSqliteZoekIndex::BouwGevuld() {
    m_bouw->CommitTrans();
    const auto koppel = Database().Prepare(QStringLiteral("ATTACH DATABASE ? AS zoekbouw"));
    koppel->BindText(1, m_pBouwMap->filePath(QStringLiteral("zoekbouw.db")));
    koppel->Step();
    m_bGekoppeld = true;
    KopieerBouw();
    EindBouw();
}

// The full-text table's own tables, row for row: its words, pages, texts and sizes as the
// scratch file holds them, into a new full-text table of the same layout.
void CSqliteZoekIndex::KopieerBouw() {
    Kort([&] {
        Database().Execute(QString::fromLatin1(kMaakTekst)
                               .arg(QStringLiteral("main.%1").arg(QLatin1String(kBouw))));
    });
    struct Deel {
        const char* naam;
        const char* sleutel; // null: copied whole
        int nRijen;
    };
    for (const Deel& deel :
         {Deel{"config", nullptr, 0}, Deel{"idx", nullptr, 0}, Deel{"data", "id", 500},
          Deel{"content", "id", 5000}, Deel{"docsize", "id", 20000}}) {
        const QString strKopie =
            QStringLiteral("INSERT OR REPLACE INTO main.%1_%2 SELECT * FROM zoekbouw.ZoekTekst_%2")
                .arg(QLatin1String(kBouw), QLatin1String(deel.naam));
        if (!deel.sleutel) {
            Kort([&] { Database().Execute(strKopie); });
            continue;
        }
        const QString strStuk = QStringLiteral(" WHERE %1 > ? ORDER BY %1 LIMIT %2")
                                    .arg(QLatin1String(deel.sleutel))
                                    .arg(deel.nRijen);
        const auto kopie = Database().Prepare(strKopie + strStuk);
        const auto stuk = Database().Prepare(
            QStringLiteral("SELECT count(*), max(%1) FROM (SELECT %1 FROM zoekbouw.ZoekTekst_%2%3)")
                .arg(QLatin1String(deel.sleutel), QLatin1String(deel.naam), strStuk));
        for (qint64 lVanaf = std::numeric_limits<qint64>::min(), nRijen = deel.nRijen;
             nRijen == deel.nRijen;) {
            Kort([&] {
                for (CDaoStatement* statement : {kopie.get(), stuk.get()}) {
                    statement->Reset();
                    statement->BindInt64(1, lVanaf);
                    statement->Step();
                }
                nRijen = stuk->Int64(0);
                lVanaf = stuk->Int64(1);
                kopie->Reset();
                stuk->Reset();
            });
        }
    }
}

// The full-text table takes its tables of words and rows along under the new name, so that
// the swap costs no more than dropping the old index.
void CSqliteZoekIndex::Wissel() {
    CDaoDatabase& database = Database();
    try {
        database.Execute(
            QStringLiteral("ALTER TABLE ZoekTekst RENAME TO %1").arg(QLatin1String(kOud)));
        database.Execute("DROP TABLE IF EXISTS ZoekStand; DROP TABLE IF EXISTS ZoekWachtrij");
    } catch (const CDaoException& e) {
        // No index, or one too damaged to be moved: it goes at once.
        if (database.Engine().EndsTransaction(e.m_nEngineCode)) {
            throw;
        }
        VerwijderIndex(database);
    }
    database.Execute(
        QStringLiteral("ALTER TABLE %1 RENAME TO ZoekTekst").arg(QLatin1String(kBouw)));
    MaakStand(database);
}

// Dropping a large table at once would keep the file locked for as long as its pages take
// to free; emptied first, it goes quickly.
void CSqliteZoekIndex::NaWissel() {
    m_stand.clear();
    try {
        RuimOudOp();
    } catch (const CDaoException&) {
        // What is left goes before the next build.
    }
}

void CSqliteZoekIndex::RuimOudOp() {
    if (!Database().Engine().HasTable(QLatin1String(kOud))) {
        return;
    }
    // The full-text table's own records (its layout, numbered up to 10) stay: dropping it
    // reads them.
    for (const auto& [deel, nRijen] :
         {std::pair{"data", 500}, std::pair{"content", 5000}, std::pair{"docsize", 20000}}) {
        const auto wis = Database().Prepare(
            QStringLiteral("DELETE FROM main.%1_%2 WHERE id IN (SELECT id FROM main.%1_%2 WHERE "
                           "id > 10 LIMIT %3)")
                .arg(QLatin1String(kOud), QLatin1String(deel))
                .arg(nRijen));
        for (qint64 nGewist = nRijen; nGewist > 0;) {
            Kort([&] {
                wis->Reset();
                wis->Step();
                nGewist = Database().Engine().Changes();
                wis->Reset();
            });
        }
    }
    Kort([&] {
        Database().Execute(QStringLiteral("DROP TABLE IF EXISTS main.%1").arg(QLatin1String(kOud)));
    });
}

int CSqliteZoekIndex::KolommenPerRij() const {
    return kKolommen;
}

void CSqliteZoekIndex::BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                                  const ZoekInhoud& inhoud) const {
    BindRij(schrijf, nEerste, tabel, inhoud);
}

// What the index was made from; the table has not changed since, as the rebuild holds the
// write lock, or the swap checked under it that nothing was written since the reading began.
void CSqliteZoekIndex::TabelGedaan(const ZoekTabel& tabel) {
    const auto gelezen = m_stand.find(QLatin1String(tabel.tabel));
    if (gelezen == m_stand.end()) {
        Database().Execute(QStringLiteral("INSERT INTO ZoekStand SELECT '%1', aantal, hoogste, "
                                          "stempel FROM (%2)")
                               .arg(QLatin1String(tabel.tabel), Stand(tabel)));
        return;
    }
    const auto stand =
        Database().Prepare(QStringLiteral("INSERT INTO ZoekStand VALUES (?, ?, ?, ?)"));
    stand->BindText(1, gelezen->first);
    stand->BindInt64(2, gelezen->second[0].toLongLong());
    stand->BindInt64(3, gelezen->second[1].toLongLong());
    stand->BindText(4, gelezen->second[2]);
    stand->Step();
}

// Those found by their name first, then the rest, each by the engine's own ranking of the
// first candidates in the index's order; only the best of those are read whole.
std::vector<std::unique_ptr<CDaoStatement>> CSqliteZoekIndex::Zoekers(const CZoekVraag& vraag,
                                                                      int nMax) {
    std::vector<std::unique_ptr<CDaoStatement>> zoekers;
    for (const bool bInNaam : {true, false}) {
        auto zoek = Database().Prepare(
            QStringLiteral(
                "WITH kandidaat AS (SELECT rowid AS rij, rank AS r FROM ZoekTekst WHERE "
                "ZoekTekst MATCH ? LIMIT ?), beste AS (SELECT rij, r FROM kandidaat ORDER BY r "
                "LIMIT ?) SELECT z.rowid >> 32, z.rowid & 4294967295, lijst, ouder, naam, "
                "substr(tekst, 1, 20000), nummers, %1 FROM beste JOIN ZoekTekst z ON z.rowid = "
                "beste.rij ORDER BY beste.r")
                .arg(int(bInNaam)));
        zoek->BindText(1, bInNaam ? vraag.InNaam() : vraag.Expressie());
        zoek->BindInt64(2, kKandidaten);
        // Room for those the first query found already.
        zoek->BindInt64(3, 2 * qint64(nMax));
        zoekers.push_back(std::move(zoek));
    }
    return zoekers;
}
