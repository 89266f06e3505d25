#include "store/Schema.h"

#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoException.h"
#include "platform/files/WholeFile.h"
#include "platform/paths/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <QFile>
#include <QStringList>
#include <unistd.h>

namespace {

// {counter}, {int}, {text} and {date} are the column types the engine writes its own way;
// every name is written bare, so that engines that fold names agree with those that keep them.
const char* const kVasteTabellen = R"SQL(
CREATE TABLE Relaties (
  lRelatieNummer {counter}, dtModificatie {date},
  bKlantJaNee {int}, bLeverancierJaNee {int}, bPriveJaNee {int},
  szInLijst {text}, szVolleNaam {text}, szBezoekStraat {text}, szBezoekNummer {text},
  szBezoekPostcode {text}, szBezoekWoonplaats {text}, szTelefoon {text}, szTeleFax {text},
  szEmailAdres {text}, szHomePage {text}, szBtwNummer {text}, szAfleverStraat {text},
  szAfleverNummer {text}, szAfleverPostcode {text}, szAfleverPlaats {text},
  memAlgemeneMemo {text}, szPostBus {text});
CREATE INDEX Relaties_szInLijst ON Relaties (szInLijst);
CREATE TABLE Personen (
  IDnr {counter}, dwRelatieNummer {int}, szVoorNaam {text},
  szAchterNaam {text}, szTelefoon {text}, szAutoTelefoon {text}, szTelefax {text}, szEmail {text},
  szAfdeling {text}, szFunctie {text});
CREATE INDEX Personen_dwRelatieNummer ON Personen (dwRelatieNummer);
CREATE INDEX Personen_szAchterNaam ON Personen (szAchterNaam);
CREATE TABLE Offertes (
  dwIndex {counter}, dwRelatieNummer {int}, dtCreateDatum {date},
  dtModificatieDatum {date}, dtVervalDatum {date}, dwStatusOfferte {int}, szDocument {text},
  szKontaktPersoon {text}, szInLijst {text}, dwSoortDocument {text});
CREATE INDEX Offertes_dwRelatieNummer ON Offertes (dwRelatieNummer);
CREATE INDEX Offertes_szInLijst ON Offertes (szInLijst);
CREATE TABLE KalenderLijst (
  dwIndex {counter}, szTekst {text}, dtDatumTijdAlarm {date},
  bGemeld {int});
CREATE INDEX KalenderLijst_dtDatumTijdAlarm ON KalenderLijst (dtDatumTijdAlarm);
CREATE TABLE TeDoen (
  dwIndex {counter}, lPrio {int}, szTekst {text}, dtDatumTijd {date});
CREATE INDEX TeDoen_lPrio ON TeDoen (lPrio);
CREATE INDEX TeDoen_dtDatumTijd ON TeDoen (dtDatumTijd);
CREATE INDEX TeDoen_szTekst ON TeDoen (szTekst);
)SQL";

// Calculations, orders and purchase orders have the same columns.
const char* const kDocumentTabel = R"SQL(
CREATE TABLE %1 (
  dwIndex {counter}, dwSoortDocument {text}, dtCreateDatum {date},
  dtModificatieDatum {date}, szDocument {text}, szInLijst {text}, szKontaktPersoon {text},
  dwRelatieNummer {int});
CREATE INDEX %1_dwRelatieNummer ON %1 (dwRelatieNummer);
CREATE INDEX %1_szInLijst ON %1 (szInLijst);
)SQL";

// The five memo tables differ only in name and parent column.
const char* const kMemoTabel = R"SQL(
CREATE TABLE %1 (
  dwIndex {counter}, %2 {int}, szKontaktPersoon {text},
  szTekst {text}, szInLijst {text}, dtDatumCreatie {date}, dtModificatie {date}, iGestuurdVia {int});
CREATE INDEX %1_%2 ON %1 (%2);
)SQL";

QString SchemaTemplate() {
    QString schema = QLatin1String(kVasteTabellen);
    for (const char* tabel : {"Calculaties", "Orders", "Bestelling"}) {
        schema += QLatin1String(kDocumentTabel).arg(QLatin1String(tabel));
    }
    schema += QLatin1String(kMemoTabel).arg("MemoRelatie", "dwRelatieNr");
    for (const char* tabel : {"MemoOfferte", "MemoCalculatie", "MemoOrder", "MemoBestelling"}) {
        schema += QLatin1String(kMemoTabel).arg(QLatin1String(tabel), "dwOfferteNr");
    }
    return schema;
}

QString Schema(const CDaoEngine& engine) {
    QString schema = SchemaTemplate();
    return engine.SchemaPreamble() +
           schema.replace(QLatin1String("{counter}"), engine.ColumnType(CDaoEngine::Counter))
               .replace(QLatin1String("{int}"), engine.ColumnType(CDaoEngine::Integer))
               .replace(QLatin1String("{text}"), engine.ColumnType(CDaoEngine::Text))
               .replace(QLatin1String("{date}"), engine.ColumnType(CDaoEngine::Date));
}

const char* const kTabellen[] = {"Relaties",      "Personen",    "Offertes",       "KalenderLijst",
                                 "TeDoen",        "Calculaties", "Orders",         "Bestelling",
                                 "MemoRelatie",   "MemoOfferte", "MemoCalculatie", "MemoOrder",
                                 "MemoBestelling"};

// The engine's reason, in Dutch where the kind of failure has a sentence, its own text
// as a detail line below.
QString EngineDetail(const CDaoException& failure, bool bServer) {
    const QString detail =
        QStringLiteral("\n\nMelding van de database: %1").arg(failure.m_strEngineText);
    if (failure.m_kind == DaoErrorKind::Other) {
        return detail;
    }
    return QLatin1Char(' ') +
           CDaoException::KindSentence(failure.m_kind, failure.m_strName, bServer) + detail;
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
        throw CDaoException(
            QStringLiteral("Het bestand %1 bestaat al; een bestaand bestand wordt niet "
                           "overschreven.")
                .arg(path));
    }
    throw CDaoException(QStringLiteral("Het databasebestand %1 kan niet worden aangemaakt: %2")
                            .arg(path, CWholeFile::Reason(errno)));
}

void CreateTables(CDaoEngine& engine) {
    engine.Begin(true);
    try {
        engine.Execute(Schema(engine));
        engine.Commit();
    } catch (...) {
        engine.Rollback();
        throw;
    }
}

// A database on a server is made empty by its administrator; the tables go in only when
// none of them is there yet, so that a database already in use is never touched.
void CreateOnServer(const QString& address) {
    const auto engine = CDaoEngine::Connect(address);
    for (const char* tabel : kTabellen) {
        if (engine->HasTable(QLatin1String(tabel))) {
            throw CDaoException(
                QStringLiteral("De database %1 bevat al Tolvar-tabellen; een bestaande "
                               "database wordt niet overschreven.")
                    .arg(engine->DisplayName()));
        }
    }
    try {
        CreateTables(*engine);
    } catch (const CDaoException& failure) {
        throw CDaoException(
            QStringLiteral("De tabellen in database %1 kunnen niet worden aangemaakt.%2")
                .arg(engine->DisplayName(), EngineDetail(failure, true)),
            failure.m_nEngineCode);
    }
}

} // namespace

void DropTolvarTables(const QString& address) {
    const auto engine = CDaoEngine::Connect(address);
    QStringList drop;
    for (const char* tabel : kTabellen) {
        drop << QStringLiteral("DROP TABLE IF EXISTS %1;").arg(QLatin1String(tabel));
    }
    engine->Begin(true);
    try {
        engine->Execute(drop.join(QLatin1Char('\n')));
        engine->Commit();
    } catch (...) {
        engine->Rollback();
        throw;
    }
}

void CreateTolvarDatabase(const QString& path) {
    if (CDaoEngine::IsServerAddress(path)) {
        CreateOnServer(path);
        return;
    }
    const QString localPath = CPaths::ToLocalPath(path);
    if (localPath.isEmpty()) {
        throw CDaoException(QStringLiteral("Er is geen naam voor het databasebestand opgegeven."));
    }
    ClaimNewFile(localPath);
    try {
        try {
            CreateTables(*CDaoEngine::Connect(localPath));
        } catch (const CDaoException& failure) {
            throw CDaoException(
                QStringLiteral("Het databasebestand %1 kan niet worden aangemaakt.%2")
                    .arg(localPath, EngineDetail(failure, false)),
                failure.m_nEngineCode);
        }
    } catch (...) {
        QFile::remove(localPath);
        throw;
    }
}

QStringList TolvarTables() {
    QStringList tables;
    for (const char* tabel : kTabellen) {
        tables << QLatin1String(tabel);
    }
    return tables;
}

std::vector<std::pair<QString, CDaoEngine::ColumnKind>> TolvarColumns(const QString& table) {
    static const std::pair<const char*, CDaoEngine::ColumnKind> kKinds[] = {
        {"{counter}", CDaoEngine::Counter},
        {"{int}", CDaoEngine::Integer},
        {"{text}", CDaoEngine::Text},
        {"{date}", CDaoEngine::Date}};
    const QString schema = SchemaTemplate();
    const QString start = QStringLiteral("CREATE TABLE %1 (").arg(table);
    const qsizetype begin = schema.indexOf(start);
    if (begin < 0) {
        return {};
    }
    const qsizetype from = begin + start.size();
    std::vector<std::pair<QString, CDaoEngine::ColumnKind>> columns;
    for (const QString& part : schema.mid(from, schema.indexOf(QLatin1String(");"), from) - from)
                                   .split(QLatin1Char(','))) {
        const QStringList words = part.simplified().split(QLatin1Char(' '));
        for (const auto& [token, kind] : kKinds) {
            if (words.size() == 2 && words[1] == QLatin1String(token)) {
                columns.emplace_back(words[0], kind);
            }
        }
    }
    return columns;
}
