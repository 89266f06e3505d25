#include "store/ReserveKopieen.h"

#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoException.h"
#include "platform/files/WholeFile.h"
#include "platform/paths/Paths.h"

#include <algorithm>
#include <map>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {

const QString kMomentFormaat = QStringLiteral("yyyy-MM-dd-HHmmss");
// A hidden copy older than this is left over from a program that stopped while copying.
constexpr qint64 kAchtergelatenNaSeconden = 3600;

QString Tag(CReserveKopieen::Soort nSoort) {
    switch (nSoort) {
    case CReserveKopieen::SOORT_VOOR_TERUGZETTEN:
        return QStringLiteral("-voor-terugzetten");
    case CReserveKopieen::SOORT_BESCHADIGD:
        return QStringLiteral("-beschadigd");
    default:
        return QString();
    }
}

// The name of a file's copies without moment and kind: "Tolvar" and ".Doc".
struct NaamDelen {
    QString strStam;
    QString strAchtervoegsel;
};

NaamDelen Delen(const QString& strBestand) {
    const QFileInfo info(CPaths::ToLocalPath(strBestand));
    const QString suffix = info.suffix();
    return {info.completeBaseName(), suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix};
}

QDate Maandag(const QDate& dag) {
    return dag.addDays(1 - dag.dayOfWeek());
}

} // namespace

CReserveKopieen::CReserveKopieen(QString strMap, Klok klok)
    : m_strMap(std::move(strMap)), m_klok(std::move(klok)) {}

QString CReserveKopieen::StandaardMap() {
    return CPaths::DataFolder() + QStringLiteral("/reservekopie");
}

QDateTime CReserveKopieen::Nu() const {
    return m_klok ? m_klok() : QDateTime::currentDateTime();
}

QString CReserveKopieen::Naam(const QString& strBestand, const QDateTime& moment,
                              Soort nSoort) const {
    const NaamDelen delen = Delen(strBestand);
    return delen.strStam + QLatin1Char('-') + moment.toString(kMomentFormaat) + Tag(nSoort) +
           delen.strAchtervoegsel;
}

std::vector<CReserveKopieen::Kopie> CReserveKopieen::Kopieen(const QString& strBestand) const {
    const NaamDelen delen = Delen(strBestand);
    const QRegularExpression patroon(
        QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2}-\\d{6})(-voor-terugzetten|-beschadigd)?%2$")
            .arg(QRegularExpression::escape(delen.strStam),
                 QRegularExpression::escape(delen.strAchtervoegsel)));
    std::vector<Kopie> kopieen;
    const QFileInfoList bestanden = QDir(m_strMap).entryInfoList(QDir::Files);
    for (const QFileInfo& info : bestanden) {
        const QRegularExpressionMatch match = patroon.match(info.fileName());
        if (!match.hasMatch()) {
            continue;
        }
        const QDateTime moment = QDateTime::fromString(match.captured(1), kMomentFormaat);
        if (!moment.isValid()) {
            continue;
        }
        const QString tag = match.captured(2);
        const Soort soort = tag.isEmpty()                  ? SOORT_DAGELIJKS
                            : tag == Tag(SOORT_BESCHADIGD) ? SOORT_BESCHADIGD
                                                           : SOORT_VOOR_TERUGZETTEN;
        kopieen.push_back({info.absoluteFilePath(), moment, soort, info.size()});
    }
    std::sort(kopieen.begin(), kopieen.end(), [](const Kopie& a, const Kopie& b) {
        return a.dtGemaakt != b.dtGemaakt ? a.dtGemaakt > b.dtGemaakt : a.strPad > b.strPad;
    });
    return kopieen;
}

std::optional<CReserveKopieen::Kopie>
CReserveKopieen::NieuwsteGoede(const QString& strBestand) const {
    for (const Kopie& kopie : Kopieen(strBestand)) {
        if (kopie.nSoort != SOORT_BESCHADIGD && CDaoBackup::QuickCheck(kopie.strPad).IsOk()) {
            return kopie;
        }
    }
    return std::nullopt;
}

QString CReserveKopieen::VrijePad(const QString& strBestand, Soort nSoort) const {
    if (!QDir().mkpath(m_strMap)) {
        throw CDaoException(
            QStringLiteral("De map voor reservekopieën %1 kan niet worden gemaakt.").arg(m_strMap));
    }
    // Two copies in the same second must not overwrite each other.
    QDateTime moment = Nu();
    QString pad = QDir(m_strMap).filePath(Naam(strBestand, moment, nSoort));
    while (QFileInfo::exists(pad)) {
        moment = moment.addSecs(1);
        pad = QDir(m_strMap).filePath(Naam(strBestand, moment, nSoort));
    }
    return pad;
}

QString CReserveKopieen::Maak(const QString& strBestand, Soort nSoort) {
    const QString pad = VrijePad(strBestand, nSoort);
    CDaoBackup::Copy(strBestand, pad);
    return pad;
}

QString CReserveKopieen::BewaarBeschadigd(const QString& strBestand) {
    const QString bron = CPaths::ToLocalPath(strBestand);
    const QString pad = VrijePad(strBestand, SOORT_BESCHADIGD);
    const QString journaal = bron + QStringLiteral("-journal");
    QString reden;
    if (!CWholeFile::Copy(bron, pad, &reden) ||
        (QFileInfo::exists(journaal) &&
         !CWholeFile::Copy(journaal, pad + QStringLiteral("-journal"), &reden))) {
        QFile::remove(pad);
        throw CDaoException(
            QStringLiteral("Het beschadigde bestand %1 kan niet worden bewaard in %2; er is niets "
                           "veranderd. %3")
                .arg(bron, m_strMap, reden));
    }
    QFile::remove(journaal);
    return pad;
}

QString CReserveKopieen::MaakDagelijks(const QString& strBestand) {
    const QDate vandaag = Nu().date();
    const auto kopieen = Kopieen(strBestand);
    const bool bGedaan = std::any_of(kopieen.begin(), kopieen.end(), [&](const Kopie& kopie) {
        return kopie.nSoort == SOORT_DAGELIJKS && kopie.dtGemaakt.date() == vandaag;
    });
    if (bGedaan) {
        return QString();
    }
    const QString pad = Maak(strBestand, SOORT_DAGELIJKS);
    Snoei(strBestand);
    return pad;
}

void CReserveKopieen::Snoei(const QString& strBestand) {
    const QDate vandaag = Nu().date();
    const QDate dezeWeek = Maandag(vandaag);
    // Newest first: the first copy met in a week is the one that week keeps.
    std::map<QDate, bool> weekGehouden;
    for (const Kopie& kopie : Kopieen(strBestand)) {
        const QDate dag = kopie.dtGemaakt.date();
        const qint64 nWeken = Maandag(dag).daysTo(dezeWeek) / 7;
        bool bHouden = dag.daysTo(vandaag) < kDagenAlles;
        if (nWeken >= 1 && nWeken <= kWeken && !weekGehouden[Maandag(dag)]) {
            weekGehouden[Maandag(dag)] = true;
            bHouden = true;
        }
        if (!bHouden) {
            QFile::remove(kopie.strPad);
            QFile::remove(kopie.strPad + QStringLiteral("-journal"));
        }
    }
    const QDateTime nu = QDateTime::currentDateTime();
    const QFileInfoList verborgen =
        QDir(m_strMap).entryInfoList({QStringLiteral(".*.deel")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : verborgen) {
        if (info.lastModified().secsTo(nu) > kAchtergelatenNaSeconden) {
            QFile::remove(info.absoluteFilePath());
        }
    }
}

QString CReserveKopieen::Inhoud(const QString& strKopie) {
    const std::vector<qint64> aantallen = CDaoBackup::CountRows(
        strKopie, {QStringLiteral("Relaties"), QStringLiteral("KalenderLijst")});
    const qint64 relaties = aantallen[0];
    const qint64 afspraken = aantallen[1];
    const QLocale locale;
    QStringList delen;
    if (relaties >= 0) {
        delen << (relaties == 1 ? QStringLiteral("1 relatie")
                                : QStringLiteral("%1 relaties").arg(locale.toString(relaties)));
    }
    if (afspraken > 0) {
        delen << (afspraken == 1 ? QStringLiteral("1 afspraak")
                                 : QStringLiteral("%1 afspraken").arg(locale.toString(afspraken)));
    }
    return delen.isEmpty() ? QStringLiteral("onleesbaar") : delen.join(QStringLiteral(", "));
}

QString CReserveKopieen::SoortTekst(Soort nSoort) {
    switch (nSoort) {
    case SOORT_VOOR_TERUGZETTEN:
        return QStringLiteral("Vóór terugzetten");
    case SOORT_BESCHADIGD:
        return QStringLiteral("Beschadigd bestand");
    default:
        return QStringLiteral("Dagelijks");
    }
}
