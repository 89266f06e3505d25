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
const char* const kVasteTabellen = R"SQL(
CREATE TABLE Relaties (
  lRelatieNummer INTEGER PRIMARY KEY AUTOINCREMENT, dtModificatie TEXT,
  bKlantJaNee INTEGER, bLeverancierJaNee INTEGER, bPriveJaNee INTEGER,
  szInLijst TEXT, szVolleNaam TEXT, szBezoekStraat TEXT, szBezoekNummer TEXT,
  szBezoekPostcode TEXT, szBezoekWoonplaats TEXT, szTelefoon TEXT, szTeleFax TEXT,
  szEmailAdres TEXT, szHomePage TEXT, szBtwNummer TEXT, szAfleverStraat TEXT,
  szAfleverNummer TEXT, szAfleverPostcode TEXT, szAfleverPlaats TEXT,
  memAlgemeneMemo TEXT, szPostBus TEXT);
CREATE INDEX Relaties_szInLijst ON Relaties (szInLijst);
CREATE TABLE Personen (
  IDnr INTEGER PRIMARY KEY AUTOINCREMENT, dwRelatieNummer INTEGER, szVoorNaam TEXT,
  szAchterNaam TEXT, szTelefoon TEXT, szAutoTelefoon TEXT, szTelefax TEXT, szEmail TEXT,
  szAfdeling TEXT, szFunctie TEXT);
CREATE INDEX Personen_dwRelatieNummer ON Personen (dwRelatieNummer);
CREATE INDEX Personen_szAchterNaam ON Personen (szAchterNaam);
CREATE TABLE Offertes (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwRelatieNummer INTEGER, dtCreateDatum TEXT,
  dtModificatieDatum TEXT, dtVervalDatum TEXT, dwStatusOfferte INTEGER, szDocument TEXT,
  szKontaktPersoon TEXT, szInLijst TEXT, dwSoortDocument TEXT);
CREATE INDEX Offertes_dwRelatieNummer ON Offertes (dwRelatieNummer);
CREATE INDEX Offertes_szInLijst ON Offertes (szInLijst);
CREATE TABLE KalenderLijst (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, szTekst TEXT, dtDatumTijdAlarm TEXT,
  bGemeld INTEGER);
CREATE INDEX KalenderLijst_dtDatumTijdAlarm ON KalenderLijst (dtDatumTijdAlarm);
CREATE TABLE TeDoen (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, lPrio INTEGER, szTekst TEXT, dtDatumTijd TEXT);
CREATE INDEX TeDoen_lPrio ON TeDoen (lPrio);
CREATE INDEX TeDoen_dtDatumTijd ON TeDoen (dtDatumTijd);
CREATE INDEX TeDoen_szTekst ON TeDoen (szTekst);
)SQL";

// Calculations, orders and purchase orders have the same columns.
const char* const kDocumentTabel = R"SQL(
CREATE TABLE %1 (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, dwSoortDocument TEXT, dtCreateDatum TEXT,
  dtModificatieDatum TEXT, szDocument TEXT, szInLijst TEXT, szKontaktPersoon TEXT,
  dwRelatieNummer INTEGER);
CREATE INDEX %1_dwRelatieNummer ON %1 (dwRelatieNummer);
CREATE INDEX %1_szInLijst ON %1 (szInLijst);
)SQL";

// The five memo tables differ only in name and parent column.
const char* const kMemoTabel = R"SQL(
CREATE TABLE %1 (
  dwIndex INTEGER PRIMARY KEY AUTOINCREMENT, %2 INTEGER, szKontaktPersoon TEXT,
  szTekst TEXT, szInLijst TEXT, dtDatumCreatie TEXT, dtModificatie TEXT, iGestuurdVia INTEGER);
CREATE INDEX %1_%2 ON %1 (%2);
)SQL";

QByteArray Schema() {
    QString schema = QLatin1String(kVasteTabellen);
    for (const char* tabel : {"Calculaties", "Orders", "Bestelling"}) {
        schema += QLatin1String(kDocumentTabel).arg(QLatin1String(tabel));
    }
    schema += QLatin1String(kMemoTabel).arg("MemoRelatie", "dwRelatieNr");
    for (const char* tabel : {"MemoOfferte", "MemoCalculatie", "MemoOrder", "MemoBestelling"}) {
        schema += QLatin1String(kMemoTabel).arg(QLatin1String(tabel), "dwOfferteNr");
    }
    return schema.toUtf8();
}

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
        rc = sqlite3_exec(db, Schema().constData(), nullptr, nullptr, &error);
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
