#include "app/StartControle.h"

#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoException.h"
#include "platform/paths/Paths.h"
#include "platform/ui/MessageBox.h"
#include "store/DatabasePath.h"
#include "store/RecLijstKalender.h"

#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>

namespace {

QString Moment(const QDateTime& moment) {
    const QLocale locale;
    return QStringLiteral("%1 om %2")
        .arg(locale.toString(moment.date(), QLocale::LongFormat),
             moment.time().toString(QStringLiteral("HH:mm")));
}

// The first lines of a check's report: enough to tell the kind of damage.
QString KorteUitleg(const QString& strDetail) {
    return strDetail.split(QLatin1Char('\n')).mid(0, 3).join(QLatin1Char('\n'));
}

} // namespace

CStartControle::CStartControle(CReserveKopieen kopieen) : m_kopieen(std::move(kopieen)) {}

QStringList CStartControle::DataBestanden() {
    QStringList bestanden;
    if (CDaoBackup::IsFileDatabase(g_strDatabasePath)) {
        bestanden << QFileInfo(CPaths::ToLocalPath(g_strDatabasePath)).absoluteFilePath();
    }
    const QString afspraken =
        QFileInfo(CPaths::ToLocalPath(CRecLijstKalender().GetDefaultDBName())).absoluteFilePath();
    if (!bestanden.contains(afspraken)) {
        bestanden << afspraken;
    }
    return bestanden;
}

bool CStartControle::Uitvoeren(const QStringList& bestanden) {
    for (const QString& bestand : bestanden) {
        if (!Controleer(bestand)) {
            return false;
        }
    }
    return true;
}

bool CStartControle::Controleer(const QString& strBestand) {
    const CDaoBackup::CheckResult check = CDaoBackup::HeaderCheck(strBestand);
    if (check.IsOk()) {
        m_gezond << strBestand;
        return true;
    }
    // A file held by another program cannot be checked now; the record store says it is in
    // use, and the next start checks it.
    if (check.nState == CDaoBackup::CHECK_IN_USE) {
        return true;
    }
    const auto kopie = m_kopieen.NieuwsteGoede(strBestand);
    if (check.nState == CDaoBackup::CHECK_MISSING) {
        // A missing file without copies is the record store's to report, as it always was.
        if (!kopie) {
            return true;
        }
        const QString vraag =
            QStringLiteral("Het bestand %1 bestaat niet.\n\nDe nieuwste goede reservekopie is "
                           "van %2 (%3).\n\nWilt u deze reservekopie terugzetten? Kiest u Nee, "
                           "dan stopt Tolvar.")
                .arg(strBestand, Moment(kopie->dtGemaakt), kopie->strPad);
        return MessageBox(nullptr, vraag, QString(), MB_YESNO | MB_ICONSTOP) == IDYES &&
               HerstelBijStart(strBestand, *kopie);
    }
    if (!kopie) {
        MessageBox(nullptr,
                   QStringLiteral("Het bestand %1 is beschadigd:\n%2\n\nEr is geen goede "
                                  "reservekopie van dit bestand in %3. Tolvar stopt; het "
                                  "bestand blijft zoals het is.")
                       .arg(strBestand, KorteUitleg(check.strDetail), m_kopieen.Map()),
                   QString(), MB_OK | MB_ICONSTOP);
        return false;
    }
    const QString vraag =
        QStringLiteral("Het bestand %1 is beschadigd:\n%2\n\nDe nieuwste goede reservekopie is "
                       "van %3 (%4).\n\nWilt u deze reservekopie terugzetten? Het beschadigde "
                       "bestand wordt bewaard bij de reservekopieën. Kiest u Nee, dan stopt "
                       "Tolvar zonder iets aan het bestand te veranderen.")
            .arg(strBestand, KorteUitleg(check.strDetail), Moment(kopie->dtGemaakt), kopie->strPad);
    return MessageBox(nullptr, vraag, QString(), MB_YESNO | MB_ICONSTOP) == IDYES &&
           HerstelBijStart(strBestand, *kopie);
}

// Nothing has the file open yet: the copy simply takes the file's place, after the damaged
// file has been kept.
bool CStartControle::HerstelBijStart(const QString& strBestand,
                                     const CReserveKopieen::Kopie& kopie) {
    try {
        if (QFileInfo::exists(strBestand)) {
            m_kopieen.BewaarBeschadigd(strBestand);
        }
        CDaoBackup::Copy(kopie.strPad, strBestand);
        m_meldingen << QStringLiteral("Reservekopie van %1 teruggezet in %2.")
                           .arg(Moment(kopie.dtGemaakt), QFileInfo(strBestand).fileName());
    } catch (const CDaoException& e) {
        MessageBox(nullptr, e.GetErrorMessage() + QStringLiteral("\n\nTolvar stopt."), QString(),
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    m_gezond << strBestand;
    return true;
}

CAchtergrondControle* CStartControle::StartAchtergrond(QMainWindow* frame) const {
    // The record store opens each file by the name its setting gives, not by the local path.
    const QString hoofd = QFileInfo(CPaths::ToLocalPath(g_strDatabasePath)).absoluteFilePath();
    std::vector<CAchtergrondControle::Bestand> bestanden;
    for (const QString& pad : m_gezond) {
        bestanden.push_back(
            {pad, pad == hoofd ? g_strDatabasePath : CRecLijstKalender().GetDefaultDBName()});
    }
    auto* werk = new CAchtergrondControle(std::move(bestanden), m_kopieen, m_meldingen, frame);
    if (!m_meldingen.isEmpty()) {
        frame->statusBar()->showMessage(m_meldingen.join(QLatin1Char(' ')));
    }
    werk->Start();
    return werk;
}
