#include "app/ReserveKopieMenu.h"

#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "app/MainFrame.h"
#include "app/StartControle.h"
#include "app/TerugzetDlg.h"
#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoException.h"
#include "platform/ui/MessageBox.h"
#include "store/DatabasePath.h"
#include "store/ReserveKopieen.h"
#include "workspace/TolvarView.h"

#include <algorithm>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>

namespace {

// How the list names the data of each file: the database first, then the appointments.
QString Gegevens(const QStringList& bestanden, int index) {
    const QString naam = QFileInfo(bestanden[index]).fileName();
    if (bestanden.size() == 1) {
        return QStringLiteral("Alle gegevens (%1)").arg(naam);
    }
    return (index == 0 ? QStringLiteral("Relaties en documenten (%1)")
                       : QStringLiteral("Afspraken (%1)"))
        .arg(naam);
}

} // namespace

bool CReserveKopieMenu::IsServer(CMainFrame* frame) {
    if (CDaoBackup::IsFileDatabase(g_strDatabasePath)) {
        return false;
    }
    MessageBox(frame,
               QStringLiteral("De gegevens staan op een databaseserver. Reservekopieën daarvan "
                              "maakt en herstelt de beheerder van de server met pg_dump en "
                              "pg_restore."),
               QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
    return true;
}

void CReserveKopieMenu::Maken(CMainFrame* frame) {
    if (IsServer(frame)) {
        return;
    }
    QFileDialog kiezer(frame, QStringLiteral("Map voor de reservekopie kiezen"), QDir::homePath());
    kiezer.setFileMode(QFileDialog::Directory);
    kiezer.setOption(QFileDialog::ShowDirsOnly);
    if (kiezer.exec() != QDialog::Accepted || kiezer.selectedFiles().isEmpty()) {
        return;
    }
    CReserveKopieen map(kiezer.selectedFiles().constFirst());
    QStringList gemaakt;
    for (const QString& bestand : CStartControle::DataBestanden()) {
        gemaakt << map.Maak(bestand, CReserveKopieen::SOORT_DAGELIJKS);
    }
    MessageBox(frame,
               QStringLiteral("Reservekopie gemaakt:\n%1").arg(gemaakt.join(QLatin1Char('\n'))),
               QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
}

void CReserveKopieMenu::Terugzetten(CMainFrame* frame) {
    if (IsServer(frame)) {
        return;
    }
    const CReserveKopieen kopieen;
    const QStringList bestanden = CStartControle::DataBestanden();
    std::vector<CTerugzetDlg::Regel> regels;
    for (int i = 0; i < bestanden.size(); ++i) {
        for (const auto& kopie : kopieen.Kopieen(bestanden[i])) {
            regels.push_back({bestanden[i], Gegevens(bestanden, i), kopie});
        }
    }
    if (regels.empty()) {
        MessageBox(frame,
                   QStringLiteral("Er zijn nog geen reservekopieën in %1.").arg(kopieen.Map()),
                   QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::stable_sort(regels.begin(), regels.end(), [](const auto& a, const auto& b) {
        return a.kopie.dtGemaakt > b.kopie.dtGemaakt;
    });
    CTerugzetDlg dialoog(std::move(regels), frame);
    if (dialoog.DoModal() != IDOK || !dialoog.GetGekozen()) {
        return;
    }
    const CTerugzetDlg::Regel gekozen = *dialoog.GetGekozen();
    const QString bewaard = ZetTerug(gekozen.strBestand, gekozen.kopie.strPad);
    Herlaad(frame);
    frame->statusBar()->showMessage(
        QStringLiteral("Reservekopie van %1 teruggezet; de gegevens van daarvoor staan in %2.")
            .arg(QLocale().toString(gekozen.kopie.dtGemaakt, QLocale::ShortFormat),
                 QFileInfo(bewaard).fileName()));
}

QString CReserveKopieMenu::ZetTerug(const QString& strBestand, const QString& strKopie) {
    const CDaoBackup::CheckResult check = CDaoBackup::QuickCheck(strKopie);
    if (!check.IsOk()) {
        throw CDaoException(
            QStringLiteral("De reservekopie %1 is beschadigd: %2\n\nEr is niets veranderd.")
                .arg(strKopie, check.strDetail.section(QLatin1Char('\n'), 0, 2)));
    }
    CReserveKopieen kopieen;
    const QString bewaard = kopieen.Maak(strBestand, CReserveKopieen::SOORT_VOOR_TERUGZETTEN);
    CDaoBackup::RestoreInto(strKopie, strBestand);
    return bewaard;
}

// Every pane reads the file afresh; the workspace keeps the tab it shows.
void CReserveKopieMenu::Herlaad(CMainFrame* frame) {
    if (auto* werkruimte = dynamic_cast<CTolvarView*>(frame->GetPaneView(0))) {
        werkruimte->FillTab(std::max(0, werkruimte->GetSelectedTab()));
    }
    if (auto* teDoen = dynamic_cast<CInfoDisplay*>(frame->GetPaneView(1))) {
        teDoen->Herlaad();
    }
    if (auto* afspraken = dynamic_cast<CLijstKalender*>(frame->GetPaneView(2))) {
        afspraken->Herlaad();
    }
}
