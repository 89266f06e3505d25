#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"
#include "store/Schema.h"
#include "tools/newdb/BeheerOpdracht.h"
#include "tools/newdb/DemoData.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <sqlite3.h>

namespace {

const char* const kGebruik = "Gebruik: tolvar-newdb BESTAND\n"
                             "         tolvar-newdb --demo AANTAL BESTAND\n"
                             "Maakt een nieuw, leeg Tolvar-databasebestand; met --demo ook "
                             "AANTAL voorbeeldrelaties met alles wat erbij hoort.\n"
                             "Een bestaand bestand wordt nooit overschreven.\n";

struct Opdracht {
    QString bestand;
    int nDemo = -1;
};

bool LeesOpdracht(const QStringList& args, Opdracht& opdracht) {
    if (args.size() == 2 && !args[1].startsWith(QLatin1String("--"))) {
        opdracht.bestand = args[1];
        return true;
    }
    if (args.size() == 4 && args[1] == QLatin1String("--demo")) {
        bool ok = false;
        opdracht.nDemo = args[2].toInt(&ok);
        opdracht.bestand = args[3];
        return ok && opdracht.nDemo >= 0;
    }
    return false;
}

void Vul(const QString& bestand, int nRelaties) {
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
        CDemoData(db).Vul(nRelaties);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            throw CDaoException(QString::fromUtf8(sqlite3_errmsg(db)));
        }
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
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
    try {
        CreateTolvarDatabase(opdracht.bestand);
    } catch (const CDaoException& e) {
        err << "tolvar-newdb: " << e.GetErrorMessage() << '\n';
        return 1;
    }
    if (opdracht.nDemo > 0) {
        const QString lokaal = CPaths::ToLocalPath(opdracht.bestand);
        try {
            Vul(lokaal, opdracht.nDemo);
        } catch (const CDaoException& e) {
            QFile::remove(lokaal);
            err << "tolvar-newdb: de voorbeeldgegevens konden niet worden opgeslagen: "
                << e.GetErrorMessage() << '\n';
            return 1;
        }
    }
    QTextStream(stdout) << "Databasebestand aangemaakt: " << CPaths::ToLocalPath(opdracht.bestand)
                        << '\n';
    return 0;
}
