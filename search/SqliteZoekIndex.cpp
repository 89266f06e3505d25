#include "search/SqliteZoekIndex.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"
#include "search/ZoekInhoud.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <algorithm>
#include <QSet>
#include <sqlite3.h>

namespace {

// Words are compared without case and accents; prefix indexes of two and three characters
// keep the first key presses of a search as fast as the later ones.
const char* const kMaakIndex =
    "CREATE VIRTUAL TABLE ZoekTekst USING fts5(naam, tekst, nummers, lijst UNINDEXED, "
    "ouder UNINDEXED, tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');"
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

class Statement {
public:
    Statement(CDaoDatabase& database, const QString& sql) : m_database(database) {
        const QByteArray tekst = sql.toUtf8();
        if (sqlite3_prepare_v2(database.Handle(), tekst.constData(), int(tekst.size()), &m_stmt,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            database.ThrowLastError();
        }
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int n, qint64 waarde) {
        sqlite3_bind_int64(m_stmt, n, waarde);
        return *this;
    }
    Statement& Bind(int n, const QString& waarde) {
        const QByteArray utf8 = waarde.toUtf8();
        sqlite3_bind_text(m_stmt, n, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // True while there is a row; throws on failure.
    bool Stap() {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc != SQLITE_DONE) {
            m_database.ThrowLastError();
        }
        return false;
    }
    void Voer() {
        Stap();
        sqlite3_reset(m_stmt);
    }
    void Reset() { sqlite3_reset(m_stmt); }
    qint64 Getal(int kolom) const { return sqlite3_column_int64(m_stmt, kolom); }
    QString Tekst(int kolom) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, kolom)),
                                 sqlite3_column_bytes(m_stmt, kolom));
    }

private:
    CDaoDatabase& m_database;
    sqlite3_stmt* m_stmt = nullptr;
};

ZoekInhoud LeesInhoud(const ZoekTabel& tabel, const Statement& rij) {
    return ZoekInhoud::Lees(tabel, [&](int kolom) { return rij.Tekst(kolom); });
}

const char* const kSchrijfRij = "INSERT OR REPLACE INTO ZoekTekst (rowid, naam, tekst, nummers, "
                                "lijst, ouder) VALUES (?, ?, ?, ?, ?, ?)";

void SchrijfInhoud(Statement& schrijf, const ZoekTabel& tabel, const ZoekInhoud& inhoud) {
    schrijf.Bind(1, IndexRij(tabel.nSoort, inhoud.lSleutel))
        .Bind(2, inhoud.strNaam)
        .Bind(3, inhoud.strTekst)
        .Bind(4, inhoud.strNummers)
        .Bind(5, inhoud.strLijst)
        .Bind(6, inhoud.lOuder)
        .Voer();
}

QString Kolom(const char* naam, const char* anders) {
    return naam ? QLatin1String(naam) : QLatin1String(anders);
}

// Count, highest number and latest modification time of a table as it is now.
struct Stand {
    qint64 nAantal = 0;
    qint64 lHoogste = 0;
    QString strStempel;
};

Stand LeesStand(CDaoDatabase& database, const ZoekTabel& tabel) {
    // The counter's sequence, not the highest number present: deleting the newest record
    // must not look like a change by another program.
    Statement stand(database,
                    QStringLiteral("SELECT count(*), coalesce((SELECT seq FROM sqlite_sequence "
                                   "WHERE name = '%3'), max(%1), 0), coalesce(max(%2), '') "
                                   "FROM [%3]")
                        .arg(QLatin1String(tabel.sleutel), Kolom(tabel.stempel, "NULL"),
                             QLatin1String(tabel.tabel)));
    stand.Stap();
    return {stand.Getal(0), stand.Getal(1), stand.Tekst(2)};
}

bool HeeftIndex(CDaoDatabase& database) {
    Statement tabel(database, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN "
                                             "('ZoekTekst', 'ZoekStand', 'ZoekWachtrij')"));
    tabel.Stap();
    return tabel.Getal(0) == 3;
}

// Failures after which the transaction may be gone or the file unusable: the write they
// belong to must fail with them.
bool IsErnstig(int nCode) {
    switch (nCode & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_READONLY:
    case SQLITE_INTERRUPT:
        return true;
    default:
        return false;
    }
}

// Brings the index in step with one record as the table holds it now: present, changed or
// gone. The table's count, counter and modification time in ZoekStand follow, so that they
// keep describing exactly what the index was made from.
void Verwerk(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel) {
    const qint64 lRij = IndexRij(tabel.nSoort, lSleutel);
    Statement aanwezig(database, QStringLiteral("SELECT count(*) FROM ZoekTekst WHERE rowid = ?"));
    aanwezig.Bind(1, lRij);
    aanwezig.Stap();
    const bool bInIndex = aanwezig.Getal(0) > 0;
    Statement rij(database, tabel.Selectie() +
                                QStringLiteral(" WHERE %1 = ?").arg(QLatin1String(tabel.sleutel)));
    rij.Bind(1, lSleutel);
    const bool bInTabel = rij.Stap();
    QString strStempel;
    if (bInTabel) {
        const ZoekInhoud inhoud = LeesInhoud(tabel, rij);
        strStempel = inhoud.strStempel;
        Statement schrijf(database, QLatin1String(kSchrijfRij));
        SchrijfInhoud(schrijf, tabel, inhoud);
    } else if (bInIndex) {
        Statement(database, QStringLiteral("DELETE FROM ZoekTekst WHERE rowid = ?"))
            .Bind(1, lRij)
            .Voer();
    }
    Statement(database, QStringLiteral("UPDATE ZoekStand SET aantal = aantal + ?2, hoogste = "
                                       "max(hoogste, ?3), stempel = max(stempel, ?4) WHERE "
                                       "tabel = ?1"))
        .Bind(1, QLatin1String(tabel.tabel))
        .Bind(2, qint64(bInTabel) - qint64(bInIndex))
        .Bind(3, lSleutel)
        .Bind(4, strStempel)
        .Voer();
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

} // namespace

CSqliteZoekIndex::CSqliteZoekIndex(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten)
    : m_database(std::move(database)), m_soorten(std::move(soorten)) {}

void CSqliteZoekIndex::WerkBij(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel) {
    // Only the record's number is noted, in the write's transaction, so that the write costs
    // little more than before; the full-text work follows before the index is next read.
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(database.Handle(), "INSERT OR IGNORE INTO ZoekWachtrij (rij) VALUES (?)",
                           -1, &stmt, nullptr) != SQLITE_OK) {
        // A file without an index: it gets one when it is next opened.
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_bind_int64(stmt, 1, IndexRij(tabel.nSoort, lSleutel));
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc == SQLITE_DONE) {
        return;
    }
    // A failure that may have cost the transaction fails the write with it. Any other means
    // a damaged index, which must not cost the user the record: the index is taken away, to
    // be rebuilt from the tables when the file is next opened, and the write goes on.
    if (IsErnstig(sqlite3_extended_errcode(database.Handle())) ||
        sqlite3_get_autocommit(database.Handle())) {
        database.ThrowLastError();
    }
    VerwijderIndex(database);
}

void CSqliteZoekIndex::VerwerkWachtrij(bool bWachten) {
    CDaoDatabase& database = *m_database;
    Statement leeg(database, QStringLiteral("SELECT EXISTS (SELECT 1 FROM ZoekWachtrij)"));
    leeg.Stap();
    if (leeg.Getal(0) == 0) {
        return;
    }
    const bool bEigenTransactie =
        !database.InTransaction() && sqlite3_get_autocommit(database.Handle()) != 0;
    if (bEigenTransactie) {
        // While the user types, a file another program is writing is not waited for: the
        // search then shows what the index holds, and the queue follows next time.
        auto& engine = dynamic_cast<CSqliteEngine&>(database.Engine());
        engine.SetLockWait(bWachten ? CSqliteEngine::kBusyTimeoutMs : 0);
        try {
            database.BeginTrans();
        } catch (...) {
            engine.SetLockWait(CSqliteEngine::kBusyTimeoutMs);
            throw;
        }
        engine.SetLockWait(CSqliteEngine::kBusyTimeoutMs);
    }
    try {
        Statement wachtrij(database, QStringLiteral("SELECT rij FROM ZoekWachtrij"));
        std::vector<qint64> rijen;
        while (wachtrij.Stap()) {
            rijen.push_back(wachtrij.Getal(0));
        }
        for (const qint64 lRij : rijen) {
            const int nSoort = SoortVan(lRij);
            if (std::find(m_soorten.begin(), m_soorten.end(), nSoort) != m_soorten.end()) {
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

bool CSqliteZoekIndex::IsActueel() {
    CDaoDatabase& database = *m_database;
    if (!HeeftIndex(database)) {
        return false;
    }
    try {
        VerwerkWachtrij(true);
    } catch (const CDaoException&) {
        return false;
    }
    Statement bewaard(
        database, QStringLiteral("SELECT aantal, hoogste, stempel FROM ZoekStand WHERE tabel = ?"));
    const auto lees = [&](const QString& naam, Stand& stand) {
        bewaard.Reset();
        bewaard.Bind(1, naam);
        if (!bewaard.Stap()) {
            return false;
        }
        stand = {bewaard.Getal(0), bewaard.Getal(1), bewaard.Tekst(2)};
        return true;
    };
    Stand versie;
    if (!lees(QStringLiteral("#versie"), versie) || versie.nAantal != kVersie) {
        return false;
    }
    for (const int n : m_soorten) {
        const ZoekTabel& tabel = ZoekTabel::Van(n);
        Stand stand;
        if (!lees(QLatin1String(tabel.tabel), stand)) {
            return false;
        }
        const Stand nu = LeesStand(database, tabel);
        if (nu.nAantal != stand.nAantal || nu.lHoogste != stand.lHoogste ||
            nu.strStempel > stand.strStempel) {
            return false;
        }
    }
    return true;
}

// The engine's data version moves only with commits of other connections, so the program's
// own writes (already in the index's queue) do not count.
bool CSqliteZoekIndex::DoorAnderenGewijzigd() {
    Statement versie(*m_database, QStringLiteral("PRAGMA data_version"));
    versie.Stap();
    const qint64 nVersie = versie.Getal(0);
    const bool bGewijzigd = m_nDataVersie >= 0 && nVersie != m_nDataVersie;
    m_nDataVersie = nVersie;
    return bGewijzigd;
}

void CSqliteZoekIndex::Herbouw(const Voortgang& voortgang) {
    CDaoDatabase& database = *m_database;
    database.BeginTrans();
    try {
        VerwijderIndex(database);
        database.Execute(kMaakIndex);
        Statement schrijf(database, QLatin1String(kSchrijfRij));
        Statement stand(database, QStringLiteral("INSERT INTO ZoekStand VALUES (?, ?, ?, ?)"));
        stand.Bind(1, QStringLiteral("#versie")).Bind(2, kVersie).Bind(3, 0).Bind(4, QString());
        stand.Voer();
        std::vector<Stand> standen;
        long nTotaal = 0;
        for (const int n : m_soorten) {
            standen.push_back(LeesStand(database, ZoekTabel::Van(n)));
            nTotaal += long(standen.back().nAantal);
        }
        long nGedaan = 0;
        for (size_t i = 0; i < m_soorten.size(); ++i) {
            const ZoekTabel& tabel = ZoekTabel::Van(m_soorten[i]);
            Statement rij(database, tabel.Selectie());
            while (rij.Stap()) {
                SchrijfInhoud(schrijf, tabel, LeesInhoud(tabel, rij));
                if (voortgang) {
                    voortgang(QLatin1String(tabel.tabel), ++nGedaan, nTotaal);
                }
            }
            stand.Bind(1, QLatin1String(tabel.tabel))
                .Bind(2, standen[i].nAantal)
                .Bind(3, standen[i].lHoogste)
                .Bind(4, standen[i].strStempel)
                .Voer();
        }
        database.CommitTrans();
    } catch (...) {
        database.Rollback();
        throw;
    }
}

std::vector<CZoekTreffer> CSqliteZoekIndex::Zoek(const QString& strVraag, int nMax) {
    std::vector<CZoekTreffer> treffers;
    const CZoekVraag vraag(strVraag);
    if (vraag.IsLeeg() || nMax <= 0) {
        return treffers;
    }
    try {
        VerwerkWachtrij(false);
    } catch (const CDaoException& e) {
        // Another program holding the file, or a file that may only be read: search what
        // the index holds; the waiting records follow at the next search.
        if (!IsErnstig(e.m_nEngineCode)) {
            throw;
        }
    }
    Statement zoek(*m_database,
                   QStringLiteral("SELECT rowid, lijst, ouder, snippet(ZoekTekst, -1, char(1), "
                                  "char(2), '…', 10) FROM ZoekTekst WHERE ZoekTekst MATCH ? "
                                  "ORDER BY rank LIMIT ?"));
    QSet<qint64> gezien;
    const auto verzamel = [&](const QString& expressie, bool bInNaam) {
        zoek.Reset();
        zoek.Bind(1, expressie).Bind(2, qint64(nMax) + gezien.size());
        while (zoek.Stap() && int(treffers.size()) < nMax) {
            const qint64 rij = zoek.Getal(0);
            if (gezien.contains(rij)) {
                continue;
            }
            gezien.insert(rij);
            CZoekTreffer treffer;
            treffer.nSoort = SoortVan(rij);
            treffer.lNummer = SleutelVan(rij);
            treffer.strNaam = zoek.Tekst(1);
            treffer.lOuder = LONG(zoek.Getal(2));
            treffer.strFragment = zoek.Tekst(3);
            treffer.bInNaam = bInNaam;
            treffers.push_back(std::move(treffer));
        }
    };
    verzamel(vraag.InNaam(), true);
    verzamel(vraag.Expressie(), false);
    VulRelaties(treffers);
    return treffers;
}

// The relation each record belongs to: its parent, or its parent's parent for the memos of
// a document. Read from the tables, so a renamed relation shows its new name at once.
void CSqliteZoekIndex::VulRelaties(std::vector<CZoekTreffer>& treffers) {
    Statement relatie(*m_database,
                      QStringLiteral("SELECT szInLijst FROM Relaties WHERE lRelatieNummer = ?"));
    for (CZoekTreffer& treffer : treffers) {
        const ZoekTabel& tabel = ZoekTabel::Van(treffer.nSoort);
        qint64 lRelatie = treffer.lOuder;
        if (tabel.nOuderSoort < 0) {
            continue;
        }
        if (tabel.nOuderSoort != ZoekTabel::RELATIE) {
            const ZoekTabel& ouder = ZoekTabel::Van(tabel.nOuderSoort);
            Statement document(*m_database,
                               QStringLiteral("SELECT %1 FROM [%2] WHERE %3 = ?")
                                   .arg(QLatin1String(ouder.ouder), QLatin1String(ouder.tabel),
                                        QLatin1String(ouder.sleutel)));
            document.Bind(1, lRelatie);
            lRelatie = document.Stap() ? document.Getal(0) : 0;
        }
        relatie.Reset();
        relatie.Bind(1, lRelatie);
        if (relatie.Stap()) {
            treffer.strRelatie = relatie.Tekst(0);
        }
    }
}
