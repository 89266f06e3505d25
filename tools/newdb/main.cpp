#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"
#include "search/ZoekIndex.h"
#include "search/ZoekTabel.h"
#include "store/Schema.h"
#include "tools/newdb/BeheerOpdracht.h"
#include "tools/newdb/DemoData.h"
#include "tools/newdb/JetOpdracht.h"

#include <algorithm>
#include <functional>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

const char* const kGebruik =
    "Gebruik: tolvar-newdb [--demo AANTAL] [--afspraken AFSPRAKENBESTAND] BESTAND|ADRES\n"
    "Maakt een nieuw, leeg Tolvar-databasebestand; met --demo ook AANTAL voorbeeldrelaties met "
    "alles wat erbij hoort.\n"
    "Met een PostgreSQL-adres (postgresql://server/database of \"host=... dbname=...\") komen "
    "de tabellen in die lege database op de server.\n"
    "Met --afspraken ook het afsprakenbestand van de agenda, met --demo gevuld met afspraken in "
    "de komende weken.\n"
    "Een bestaand bestand wordt nooit overschreven.\n";

struct Opdracht {
    QString bestand;
    QString afspraken;
    int nDemo = -1;
};

// Options come in any order around the one file, each with its value.
bool LeesOpdracht(const QStringList& args, Opdracht& opdracht) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool heeftWaarde = i + 1 < args.size();
        if (arg == QLatin1String("--demo") && heeftWaarde) {
            bool ok = false;
            opdracht.nDemo = args[++i].toInt(&ok);
            if (!ok || opdracht.nDemo < 0) {
                return false;
            }
        } else if (arg == QLatin1String("--afspraken") && heeftWaarde) {
            opdracht.afspraken = args[++i];
        } else if (arg.startsWith(QLatin1String("--")) || !opdracht.bestand.isEmpty()) {
            return false;
        } else {
            opdracht.bestand = arg;
        }
    }
    return !opdracht.bestand.isEmpty();
}

void Vul(const QString& bestand, const std::function<void(CDemoData&)>& vul) {
    const auto engine = CDaoEngine::Connect(bestand);
    if (!CDaoEngine::IsServerAddress(bestand)) {
        // A large page cache: the indexes are built in memory and the file is written once.
        engine->Execute(QStringLiteral("PRAGMA cache_size = -262144"));
    }
    // One transaction: the examples are there completely or not at all.
    engine->Begin(true);
    try {
        CDemoData data(*engine);
        vul(data);
        engine->Commit();
    } catch (...) {
        engine->Rollback();
        throw;
    }
}

// What Maak made: a file it can remove, or the tables on a server it can drop again.
QString Naam(const QString& bestand) {
    return CDaoEngine::IsServerAddress(bestand) ? bestand.trimmed() : CPaths::ToLocalPath(bestand);
}

void RuimOp(const QStringList& gemaakt) {
    for (const QString& bestand : gemaakt) {
        if (!CDaoEngine::IsServerAddress(bestand)) {
            QFile::remove(bestand);
            continue;
        }
        try {
            DropTolvarTables(bestand);
        } catch (const CDaoException&) {
            // The creation's own failure is the one to report.
        }
    }
}

// Makes and fills the files; on any failure removes what it made, so nothing half is left.
int Maak(const Opdracht& opdracht, QTextStream& err) {
    QStringList gemaakt;
    try {
        CreateTolvarDatabase(opdracht.bestand);
        gemaakt << Naam(opdracht.bestand);
        if (!opdracht.afspraken.isEmpty()) {
            CreateTolvarDatabase(opdracht.afspraken);
            gemaakt << Naam(opdracht.afspraken);
        }
    } catch (const CDaoException& e) {
        RuimOp(gemaakt);
        err << "tolvar-newdb: " << e.GetErrorMessage() << '\n';
        return 1;
    }
    try {
        if (opdracht.nDemo > 0) {
            Vul(gemaakt.first(), [&](CDemoData& data) { data.Vul(opdracht.nDemo); });
            if (gemaakt.size() > 1) {
                Vul(gemaakt.last(),
                    [&](CDemoData& data) { data.VulAfspraken(std::max(10, opdracht.nDemo / 20)); });
            }
        }
    } catch (const CDaoException& e) {
        RuimOp(gemaakt);
        err << "tolvar-newdb: de voorbeeldgegevens konden niet worden opgeslagen: "
            << e.GetErrorMessage() << '\n';
        return 1;
    }
    try {
        // On a server the search index's tables are made now, by the account that made the
        // database, so that each desk finds them ready: a desk's own account may not be
        // allowed to create tables.
        if (CDaoEngine::IsServerAddress(opdracht.bestand)) {
            CZoekIndex::Voor(gemaakt.first(), ZoekTabel::Hoofdbestand())->Herbouw({});
        }
    } catch (const CDaoException& e) {
        RuimOp(gemaakt);
        err << "tolvar-newdb: de zoekindex kon niet worden gemaakt: " << e.GetErrorMessage()
            << '\n';
        return 1;
    }
    QTextStream out(stdout);
    for (const QString& bestand : gemaakt) {
        if (CDaoEngine::IsServerAddress(bestand)) {
            out << "Tabellen aangemaakt in database " << CDaoEngine::NameOf(bestand) << '\n';
        } else {
            out << "Databasebestand aangemaakt: " << bestand << '\n';
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (CBeheerOpdracht::Herkent(app.arguments())) {
        return CBeheerOpdracht::Uitvoeren(app.arguments());
    }
    if (CJetOpdracht::Herkent(app.arguments())) {
        return CJetOpdracht::Uitvoeren(app.arguments());
    }
    Opdracht opdracht;
    if (!LeesOpdracht(app.arguments(), opdracht)) {
        err << kGebruik << CBeheerOpdracht::Gebruik() << CJetOpdracht::Gebruik();
        return 2;
    }
    return Maak(opdracht, err);
}
