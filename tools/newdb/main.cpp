#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"
#include "store/Schema.h"
#include "tools/newdb/BeheerOpdracht.h"
#include "tools/newdb/DemoData.h"

#include <algorithm>
#include <functional>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <sqlite3.h>

namespace {

const char* const kGebruik =
    "Gebruik: tolvar-newdb [--demo AANTAL] [--afspraken AFSPRAKENBESTAND] BESTAND\n"
    "Maakt een nieuw, leeg Tolvar-databasebestand; met --demo ook AANTAL voorbeeldrelaties met "
    "alles wat erbij hoort.\n"
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
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(bestand).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        const QString fout = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw CDaoException(fout);
    }
    try {
        // One transaction with a large page cache: the indexes are built in memory and the
        // file is written once.
        sqlite3_exec(db, "PRAGMA cache_size = -262144; BEGIN", nullptr, nullptr, nullptr);
        CDemoData data(db);
        vul(data);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            throw CDaoException(QString::fromUtf8(sqlite3_errmsg(db)));
        }
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

// Makes and fills the files; on any failure removes what it made, so nothing half is left.
int Maak(const Opdracht& opdracht, QTextStream& err) {
    QStringList gemaakt;
    try {
        CreateTolvarDatabase(opdracht.bestand);
        gemaakt << CPaths::ToLocalPath(opdracht.bestand);
        if (!opdracht.afspraken.isEmpty()) {
            CreateTolvarDatabase(opdracht.afspraken);
            gemaakt << CPaths::ToLocalPath(opdracht.afspraken);
        }
    } catch (const CDaoException& e) {
        for (const QString& bestand : gemaakt) {
            QFile::remove(bestand);
        }
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
        for (const QString& bestand : gemaakt) {
            QFile::remove(bestand);
        }
        err << "tolvar-newdb: de voorbeeldgegevens konden niet worden opgeslagen: "
            << e.GetErrorMessage() << '\n';
        return 1;
    }
    QTextStream out(stdout);
    for (const QString& bestand : gemaakt) {
        out << "Databasebestand aangemaakt: " << bestand << '\n';
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
    Opdracht opdracht;
    if (!LeesOpdracht(app.arguments(), opdracht)) {
        err << kGebruik << CBeheerOpdracht::Gebruik();
        return 2;
    }
    return Maak(opdracht, err);
}
