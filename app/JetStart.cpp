#include "app/JetStart.h"

#include "exchange/JetBestand.h"
#include "exchange/JetConversie.h"
#include "exchange/UitwisselFout.h"
#include "platform/ui/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Puts the files back as they were after a step that did not complete.
void ZetTerug(const QList<QPair<QString, QString>>& gedaan) {
    for (auto it = gedaan.rbegin(); it != gedaan.rend(); ++it) {
        QFile::rename(it->second, it->first);
    }
}

} // namespace

QString CJetStart::BewaarNaam(const QString& bestand) {
    const QFileInfo info(bestand);
    const QString basis = info.dir().filePath(info.completeBaseName() + QStringLiteral("-windows"));
    QString naam = basis + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(naam); ++n) {
        naam = basis + QStringLiteral("-%1.mdb").arg(n);
    }
    return naam;
}

// Converts every old file to a new file beside it first; only when all of them succeeded
// are the names exchanged, so that a failure leaves each file as it was.
bool CJetStart::Zet(const QStringList& oud, QStringList& verslag) {
    QStringList nieuw;
    try {
        for (const QString& bestand : oud) {
            nieuw << bestand + QStringLiteral(".omzetten");
            QFile::remove(nieuw.last());
            verslag << CJetConversie::Converteer(bestand, nieuw.last());
        }
    } catch (const CUitwisselFout& fout) {
        for (const QString& bestand : nieuw) {
            QFile::remove(bestand);
        }
        AfxMessageBox(fout.Tekst() +
                          QStringLiteral("\n\nHet programma wordt afgesloten; er is niets "
                                         "veranderd."),
                      MB_ICONSTOP);
        return false;
    }
    QList<QPair<QString, QString>> gedaan;
    for (qsizetype i = 0; i < oud.size(); ++i) {
        const QString bewaar = BewaarNaam(oud[i]);
        if (!QFile::rename(oud[i], bewaar)) {
            break;
        }
        gedaan.append({oud[i], bewaar});
        if (!QFile::rename(nieuw[i], oud[i])) {
            break;
        }
        gedaan.append({nieuw[i], oud[i]});
    }
    if (gedaan.size() == 2 * oud.size()) {
        return true;
    }
    ZetTerug(gedaan);
    for (const QString& bestand : nieuw) {
        QFile::remove(bestand);
    }
    AfxMessageBox(
        QStringLiteral("De omgezette bestanden konden niet op de plaats van de oude worden "
                       "gezet (%1). Het programma wordt afgesloten; er is niets veranderd.")
            .arg(QDir::toNativeSeparators(QFileInfo(oud.first()).absolutePath())),
        MB_ICONSTOP);
    return false;
}

bool CJetStart::Uitvoeren(const QStringList& bestanden) {
    QStringList oud;
    for (const QString& bestand : bestanden) {
        if (CJetBestand::IsJet(bestand)) {
            oud << bestand;
        }
    }
    if (oud.isEmpty()) {
        return true;
    }
    QStringList bewaard;
    for (const QString& bestand : oud) {
        bewaard << QFileInfo(BewaarNaam(bestand)).fileName();
    }
    const QString vraag =
        QStringLiteral(
            "%1 in de vorm van de Windows-versie:\n\n%2\n\nZal Tolvar %3 nu omzetten? De oude "
            "vorm blijft ernaast bewaard als %4; het omgezette bestand krijgt de oude naam, zodat "
            "de instellingen kloppen.\n\nKiest u Nee, dan wordt het programma afgesloten en "
            "blijft alles zoals het is.")
            .arg(oud.size() == 1 ? QStringLiteral("Dit gegevensbestand is nog")
                                 : QStringLiteral("Deze gegevensbestanden zijn nog"),
                 QDir::toNativeSeparators(oud.join(QLatin1Char('\n'))),
                 oud.size() == 1 ? QStringLiteral("het") : QStringLiteral("ze"),
                 bewaard.join(QStringLiteral(" en ")));
    if (AfxMessageBox(vraag, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    QStringList verslag;
    if (!Zet(oud, verslag)) {
        return false;
    }
    AfxMessageBox(QStringLiteral("De gegevens zijn overgenomen.\n\n") +
                      verslag.join(QLatin1Char('\n')),
                  MB_ICONINFORMATION);
    return true;
}
