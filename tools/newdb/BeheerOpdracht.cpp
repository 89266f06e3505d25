#include "tools/newdb/BeheerOpdracht.h"

#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"
#include "store/ReserveKopieen.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

QTextStream& Uit() {
    static QTextStream uit(stdout);
    return uit;
}

QTextStream& Fout() {
    static QTextStream fout(stderr);
    return fout;
}

} // namespace

const char* CBeheerOpdracht::Gebruik() {
    return "         tolvar-newdb --check BESTAND\n"
           "         tolvar-newdb --backup BESTAND DOEL\n"
           "--check controleert een Tolvar-bestand; --backup maakt er een reservekopie van, ook "
           "terwijl Tolvar het gebruikt (DOEL is een nieuw bestand of een map).\n";
}

bool CBeheerOpdracht::Herkent(const QStringList& args) {
    return args.size() > 1 &&
           (args[1] == QLatin1String("--check") || args[1] == QLatin1String("--backup"));
}

int CBeheerOpdracht::Uitvoeren(const QStringList& args) {
    if (args.size() > 2 && CDaoEngine::IsServerAddress(args[2])) {
        return OpServer(args[2]);
    }
    if (args[1] == QLatin1String("--check") && args.size() == 3) {
        return Controleer(args[2]);
    }
    if (args[1] == QLatin1String("--backup") && args.size() == 4) {
        return MaakKopie(args[2], args[3]);
    }
    Fout() << "Gebruik:\n" << Gebruik();
    return 2;
}

// A server's database is no file to check or copy: the server's own tools do that, as the
// program's backup menu says too.
int CBeheerOpdracht::OpServer(const QString& adres) {
    Fout() << "tolvar-newdb: de database " << CDaoEngine::NameOf(adres)
           << " staat op een databaseserver. Die controleert en kopieert de beheerder van de "
              "server met de eigen hulpmiddelen van de server: pg_dump en pg_restore.\n";
    return 1;
}

int CBeheerOpdracht::Controleer(const QString& bestand) {
    const QString lokaal = CPaths::ToLocalPath(bestand);
    const CDaoBackup::CheckResult check = CDaoBackup::QuickCheck(lokaal);
    if (check.IsOk()) {
        Uit() << "In orde: " << lokaal << '\n';
        return 0;
    }
    Fout() << "tolvar-newdb: " << lokaal
           << (check.nState == CDaoBackup::CHECK_MISSING ? " bestaat niet." : " is beschadigd:")
           << '\n';
    if (check.nState != CDaoBackup::CHECK_MISSING) {
        Fout() << check.strDetail << '\n';
    }
    return 1;
}

int CBeheerOpdracht::MaakKopie(const QString& bestand, const QString& doel) {
    const QString lokaal = CPaths::ToLocalPath(bestand);
    try {
        // Into a folder the copy gets the dated name the program's own copies have.
        QString pad = CPaths::ToLocalPath(doel);
        if (QFileInfo(pad).isDir()) {
            pad = CReserveKopieen(pad).Maak(lokaal, CReserveKopieen::SOORT_DAGELIJKS);
        } else if (QFileInfo::exists(pad)) {
            Fout() << "tolvar-newdb: " << pad << " bestaat al en wordt niet overschreven.\n";
            return 1;
        } else {
            CDaoBackup::Copy(lokaal, pad, CDaoBackup::kAdminWaitMs);
        }
        const CDaoBackup::CheckResult check = CDaoBackup::QuickCheck(pad);
        if (!check.IsOk()) {
            QFile::remove(pad);
            Fout() << "tolvar-newdb: de kopie van " << lokaal
                   << " is niet in orde en is verwijderd; het bestand is beschadigd:\n"
                   << check.strDetail << '\n';
            return 1;
        }
        Uit() << "Reservekopie gemaakt: " << pad << '\n';
        return 0;
    } catch (const CDaoException& e) {
        Fout() << "tolvar-newdb: " << e.GetErrorMessage() << '\n';
        return 1;
    }
}
