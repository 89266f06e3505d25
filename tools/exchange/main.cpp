#include "exchange/CsvExport.h"
#include "exchange/CsvImport.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/UitwisselBestand.h"
#include "exchange/UitwisselFout.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* const kGebruik =
    "Gebruik: tolvar-exchange export-vcard DATABASE BESTAND [--version 3.0|4.0]\n"
    "         tolvar-exchange import-vcard DATABASE BESTAND [--dry-run]\n"
    "         tolvar-exchange export-ical  AFSPRAKEN BESTAND\n"
    "         tolvar-exchange import-ical  AFSPRAKEN BESTAND [--dry-run]\n"
    "         tolvar-exchange export-csv   DATABASE "
    "relaties|personen|offertes|calculaties|orders|bestellingen BESTAND\n"
    "         tolvar-exchange import-csv   DATABASE relaties|personen BESTAND [--dry-run] "
    "[--kolommen KEUZE]\n"
    "Zet relaties en personen over als vCard, de afspraken als iCalendar en de lijsten als "
    "CSV.\nEen import toont wat er nieuw is en slaat het op; met --dry-run alleen het "
    "eerste.\n--kolommen kiest per kolom van het CSV-bestand, gescheiden door komma's, wat erin "
    "staat:\neen kolomnaam (Naam, Straat, Postcode, ...), '-' om de kolom over te slaan, of "
    "niets\nom de naam in het bestand te volgen.\n";

struct Opdracht {
    QString soort;
    QString database;
    QString bestand;
    QString tabblad;
    QString kolommen;
    bool bVersie3 = false;
    bool bProef = false;
};

bool LeesOpdracht(QStringList args, Opdracht& o) {
    args.removeFirst();
    if (args.size() < 3) {
        return false;
    }
    o.soort = args.takeFirst();
    o.database = args.takeFirst();
    const bool csv =
        o.soort == QLatin1String("export-csv") || o.soort == QLatin1String("import-csv");
    if (csv) {
        if (args.size() < 2) {
            return false;
        }
        o.tabblad = args.takeFirst();
    }
    o.bestand = args.takeFirst();
    if (o.soort == QLatin1String("export-vcard") && args.size() == 2 &&
        args[0] == QLatin1String("--version")) {
        if (args[1] != QLatin1String("3.0") && args[1] != QLatin1String("4.0")) {
            return false;
        }
        o.bVersie3 = args[1] == QLatin1String("3.0");
        args.clear();
    }
    if (o.soort.startsWith(QLatin1String("import-"))) {
        o.bProef = args.removeAll(QStringLiteral("--dry-run")) == 1;
        const qsizetype k = args.indexOf(QStringLiteral("--kolommen"));
        if (o.soort == QLatin1String("import-csv") && k >= 0 && k + 1 < args.size()) {
            o.kolommen = args[k + 1];
            args.remove(k, 2);
        }
    }
    if (o.soort == QLatin1String("import-csv") && o.tabblad != QLatin1String("relaties") &&
        o.tabblad != QLatin1String("personen")) {
        return false;
    }
    static const QStringList soorten{"export-vcard", "import-vcard", "export-ical",
                                     "import-ical",  "export-csv",   "import-csv"};
    return args.isEmpty() && soorten.contains(o.soort);
}

// What every import ends with: the cards that were skipped, and whether anything at all
// could be read. A trial run tells what would be stored; a real run tells what was, and
// only once it is.
template <typename Import>
int RondAf(Import& import, const Opdracht& o, QTextStream& out, QTextStream& err,
           bool bNietsGelezen) {
    for (const QString& fout : import.Fouten()) {
        err << "tolvar-exchange: " << fout << '\n';
    }
    if (bNietsGelezen) {
        err << "tolvar-exchange: "
            << QCoreApplication::translate("main", "Er kon niets uit %1 "
                                                   "worden gelezen; er is "
                                                   "niets opgeslagen.")
                   .arg(o.bestand)
            << '\n';
        return 1;
    }
    if (!o.bProef) {
        import.Bewaar();
    }
    out << import.Samenvatting() << '\n';
    return 0;
}

int Voer(const Opdracht& o, QTextStream& out, QTextStream& err) {
    const std::shared_ptr<CDaoDatabase> db = CDaoDatabase::OpenShared(o.database);
    if (o.soort == QLatin1String("export-vcard")) {
        CVCardExport exp(db.get(), o.bVersie3);
        CUitwisselBestand::Schrijf(o.bestand, exp.Exporteer());
        out << exp.AantalKaarten() << " kaarten geschreven naar " << o.bestand << '\n';
    } else if (o.soort == QLatin1String("import-vcard")) {
        CVCardImport imp(db.get());
        imp.Lees(CUitwisselBestand::Lees(o.bestand));
        const bool leeg = !imp.Fouten().isEmpty() && imp.NieuweRelaties() == 0 &&
                          imp.NieuwePersonen() == 0 && imp.Overgeslagen() == 0;
        return RondAf(imp, o, out, err, leeg);
    } else if (o.soort == QLatin1String("export-ical")) {
        CICalExport exp(db.get());
        CUitwisselBestand::Schrijf(o.bestand, exp.Exporteer());
        out << exp.AantalAfspraken() << " afspraken geschreven naar " << o.bestand << '\n';
    } else if (o.soort == QLatin1String("import-ical")) {
        CICalImport imp(db.get());
        imp.Lees(CUitwisselBestand::Lees(o.bestand));
        const bool leeg =
            !imp.Fouten().isEmpty() && imp.NieuweAfspraken() == 0 && imp.Overgeslagen() == 0;
        return RondAf(imp, o, out, err, leeg);
    } else if (o.soort == QLatin1String("import-csv")) {
        CCsvImport imp(db.get(), o.tabblad == QLatin1String("personen"));
        imp.Lees(CUitwisselBestand::Lees(o.bestand));
        if (!o.kolommen.isNull()) {
            imp.ZetKolommen(o.kolommen);
        }
        for (const QString& naam : imp.NietIngelezen()) {
            err << "tolvar-exchange: de kolom '" << naam << "' wordt niet ingelezen\n";
        }
        const bool leeg = !imp.Fouten().isEmpty() && imp.Nieuw() == 0 && imp.Overgeslagen() == 0;
        return RondAf(imp, o, out, err, leeg);
    } else {
        CCsvExport exp(db.get());
        const QByteArray csv = exp.Exporteer(o.tabblad);
        CUitwisselBestand::Schrijf(o.bestand, csv);
        out << exp.AantalRegels() - 1 << " regels geschreven naar " << o.bestand << '\n';
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Opdracht opdracht;
    if (!LeesOpdracht(app.arguments(), opdracht)) {
        err << kGebruik;
        return 2;
    }
    try {
        return Voer(opdracht, out, err);
    } catch (const CUitwisselFout& e) {
        err << "tolvar-exchange: " << e.Tekst() << '\n';
    } catch (const CDaoException& e) {
        err << "tolvar-exchange: " << e.GetErrorMessage() << '\n';
    }
    return 1;
}
