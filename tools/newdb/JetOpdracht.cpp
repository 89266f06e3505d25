#include "tools/newdb/JetOpdracht.h"

#include "exchange/JetConversie.h"
#include "exchange/UitwisselFout.h"

#include <QTextStream>

bool CJetOpdracht::Herkent(const QStringList& args) {
    return args.size() > 1 && args[1] == QLatin1String("--van-jet");
}

const char* CJetOpdracht::Gebruik() {
    return "       tolvar-newdb --van-jet JETBESTAND BESTAND|ADRES\n"
           "Neemt een database van de Windows-versie (hoofdbestand of afsprakenbestand) over in "
           "een nieuw databasebestand of een lege database op de server.\n";
}

int CJetOpdracht::Uitvoeren(const QStringList& args) {
    QTextStream err(stderr);
    if (args.size() != 4) {
        err << Gebruik();
        return 2;
    }
    try {
        QTextStream out(stdout);
        for (const QString& regel : CJetConversie::Converteer(args[2], args[3])) {
            out << regel << '\n';
        }
        return 0;
    } catch (const CUitwisselFout& fout) {
        err << "tolvar-newdb: " << fout.Tekst() << '\n';
        return 1;
    }
}
