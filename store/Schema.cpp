#include "store/Schema.h"

#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QCoreApplication>
#include <QFile>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// Counters never come back after a delete (AUTOINCREMENT), so an orphaned memo can never
// attach itself to a later document. Dates are text "YYYY-MM-DD HH:MM:SS".
const char* const kSchema = R"SQL(
CREATE TABLE Relaties (
  lRelatieNummer INTEGER PRIMARY KEY AUTOINCREMENT, dtModificatie TEXT,
  bKlantJaNee INTEGER, bLeverancierJaNee INTEGER, bPriveJaNee INTEGER,
  szInLijst TEXT, szVolleNaam TEXT, szBezoekStraat TEXT, szBezoekNummer TEXT,
  szBezoekPostcode TEXT, szBezoekWoonplaats TEXT, szTelefoon TEXT, szTeleFax TEXT,
  szEmailAdres TEXT, szHomePage TEXT, szBtwNummer TEXT, szAfleverStraat TEXT,
  szAfleverNummer TEXT, szAfleverPostcode TEXT, szAfleverPlaats TEXT,
  memAlgemeneMemo TEXT, szPostBus TEXT);
CREATE TABLE Personen (
  IDnr INTEGER PRIMARY KEY AUTOINCREMENT, dwRelatieNummer INTEGER, szVoorNaam TEXT,
  szAchterNaam TEXT, szTelefoon TEXT, szAutoTelefoon TEXT, szTelefax TEXT, szEmail TEXT,
  szAfdeling TEXT, szFunctie TEXT);
CREATE TABLE Offertes (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwRelatieNummer INTEGER, dtCreateDatum TEXT,
  dtModificatieDatum TEXT, dtVervalDatum TEXT, dwStatusOfferte INTEGER, szDocument TEXT,
  szKontaktPersoon TEXT, szInLijst TEXT, dwSoortDocument TEXT);
CREATE TABLE Calculaties (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwSoortDocument TEXT, dtCreateDatum TEXT,
  dtModificatieDatum TEXT, szDocument TEXT, szInLijst TEXT, szKontaktPersoon TEXT,
  dwRelatieNummer INTEGER);
CREATE TABLE Orders (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwSoortDocument TEXT, dtCreateDatum TEXT,
  dtModificatieDatum TEXT, szDocument TEXT, szInLijst TEXT, dwRelatieNummer INTEGER,
  szKontaktPersoon TEXT);
CREATE TABLE Bestelling (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwSoortDocument TEXT, dtCreateDatum TEXT,
  dtModificatieDatum TEXT, szDocument TEXT, szInLijst TEXT, dwRelatieNummer INTEGER,
  szKontaktPersoon TEXT);
CREATE TABLE MemoRelatie (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwRelatieNr INTEGER, szKontaktPersoon TEXT,
  szTekst TEXT, szInLijst TEXT, dtDatumCreatie TEXT, dtModificatie TEXT, iGestuurdVia INTEGER);
CREATE TABLE MemoOfferte (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwOfferteNr INTEGER, szKontaktPersoon TEXT,
  szTekst TEXT, szInLijst TEXT, dtDatumCreatie TEXT, dtModificatie TEXT, iGestuurdVia INTEGER);
CREATE TABLE MemoCalculatie (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwOfferteNr INTEGER, szKontaktPersoon TEXT,
  szTekst TEXT, szInLijst TEXT, dtDatumCreatie TEXT, dtModificatie TEXT, iGestuurdVia INTEGER);
CREATE TABLE MemoOrder (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwOfferteNr INTEGER, szKontaktPersoon TEXT,
  szTekst TEXT, szInLijst TEXT, dtDatumCreatie TEXT, dtModificatie TEXT, iGestuurdVia INTEGER);
CREATE TABLE MemoBestelling (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwOfferteNr INTEGER, szKontaktPersoon TEXT,
  szTekst TEXT, szInLijst TEXT, dtDatumCreatie TEXT, dtModificatie TEXT, iGestuurdVia INTEGER);
CREATE TABLE KalenderLijst (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, szTekst TEXT, dtDatumTijdAlarm TEXT,
  bGemeld INTEGER);
CREATE TABLE TeDoen (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, lPrio INTEGER, szTekst TEXT, dtDatumTijd TEXT);

CREATE INDEX Relaties_szInLijst ON Relaties (szInLijst);
CREATE INDEX Personen_dwRelatieNummer ON Personen (dwRelatieNummer);
CREATE INDEX Personen_szAchterNaam ON Personen (szAchterNaam);
CREATE INDEX Offertes_dwRelatieNummer ON Offertes (dwRelatieNummer);
CREATE INDEX Offertes_szInLijst ON Offertes (szInLijst);
CREATE INDEX Calculaties_dwRelatieNummer ON Calculaties (dwRelatieNummer);
CREATE INDEX Calculaties_szInLijst ON Calculaties (szInLijst);
CREATE INDEX Orders_dwRelatieNummer ON Orders (dwRelatieNummer);
CREATE INDEX Orders_szInLijst ON Orders (szInLijst);
CREATE INDEX Bestelling_dwRelatieNummer ON Bestelling (dwRelatieNummer);
CREATE INDEX Bestelling_szInLijst ON Bestelling (szInLijst);
CREATE INDEX MemoRelatie_dwRelatieNr ON MemoRelatie (dwRelatieNr);
CREATE INDEX MemoOfferte_dwOfferteNr ON MemoOfferte (dwOfferteNr);
CREATE INDEX MemoCalculatie_dwOfferteNr ON MemoCalculatie (dwOfferteNr);
CREATE INDEX MemoOrder_dwOfferteNr ON MemoOrder (dwOfferteNr);
CREATE INDEX MemoBestelling_dwOfferteNr ON MemoBestelling (dwOfferteNr);
CREATE INDEX KalenderLijst_dtDatumTijdAlarm ON KalenderLijst (dtDatumTijdAlarm);
CREATE INDEX TeDoen_lPrio ON TeDoen (lPrio);
CREATE INDEX TeDoen_dtDatumTijd ON TeDoen (dtDatumTijd);
CREATE INDEX TeDoen_szTekst ON TeDoen (szTekst);
)SQL";

QString Tr(const char* text) {
    return QCoreApplication::translate("CreateTolvarDatabase", text);
}

// Claims the name with O_EXCL, so that a file appearing between a check and the creation
// is never overwritten either.
void ClaimNewFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    if (errno == EEXIST) {
        throw CDaoException(Tr("Het bestand %1 bestaat al; een bestaand bestand wordt niet "
                               "overschreven.")
                                .arg(path));
    }
    throw CDaoException(Tr("Het databasebestand %1 kan niet worden aangemaakt: %2")
                            .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
}

void CreateTables(const QString& path) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* error = nullptr;
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, &error);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, kSchema, nullptr, nullptr, &error);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, &error);
    }
    QString text;
    if (rc != SQLITE_OK) {
        text = QString::fromUtf8(error ? error : db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    }
    sqlite3_free(error);
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) {
        throw CDaoException(
            Tr("Het databasebestand %1 kan niet worden aangemaakt: %2").arg(path, text), rc);
    }
}

} // namespace

void CreateTolvarDatabase(const QString& path) {
    const QString localPath = CPaths::ToLocalPath(path);
    if (localPath.isEmpty()) {
        throw CDaoException(Tr("Er is geen naam voor het databasebestand opgegeven."));
    }
    ClaimNewFile(localPath);
    try {
        CreateTables(localPath);
    } catch (...) {
        QFile::remove(localPath);
        throw;
    }
}
