#include "platform/dao/DaoException.h"

#include <QRegularExpression>

CDaoException::CDaoException(QString error, int engineCode)
    : m_strError(WithoutSecrets(error)), m_nEngineCode(engineCode),
      m_utf8(m_strError.toUtf8().toStdString()) {}

CDaoException::CDaoException(DaoErrorKind kind, QString name, QString engineText, int engineCode,
                             bool bServer)
    : CDaoException(QStringLiteral("%1\n\nMelding van de database: %2")
                        .arg(KindSentence(kind, name, bServer), engineText),
                    engineCode) {
    m_kind = kind;
    m_strName = WithoutSecrets(name);
    m_strEngineText = WithoutSecrets(engineText);
}

// A server library repeats an address it cannot parse, password and all; whatever the form
// (user:password@ in a URI, password= as a keyword or a URI parameter, quoted or not),
// the password never reaches a message.
QString CDaoException::WithoutSecrets(QString text) {
    static const QRegularExpression userInfo(
        QStringLiteral("(\\b[a-z][a-z0-9+.-]*://[^/?#@\\s:]*:)\\S*@"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression keyword(
        QStringLiteral("(\\bpassword\\s*=\\s*)('(?:[^'\\\\]|\\\\.)*'?|[^\\s&'\"]*)"),
        QRegularExpression::CaseInsensitiveOption);
    text.replace(userInfo, QStringLiteral("\\1***@"));
    text.replace(keyword, QStringLiteral("\\1***"));
    return text;
}

QString CDaoException::KindSentence(DaoErrorKind kind, const QString& name, bool bServer) {
    if (bServer) {
        // A database on a server is no file; the sentences are the same otherwise.
        return KindSentence(kind, name)
            .replace(QStringLiteral("Het databasebestand"), QStringLiteral("De database"))
            .replace(QStringLiteral("databasebestand"), QStringLiteral("database"));
    }
    switch (kind) {
    case DaoErrorKind::FileMissing:
        return QStringLiteral("Het databasebestand %1 is niet gevonden.").arg(name);
    case DaoErrorKind::NotADatabase:
        return QStringLiteral("Het bestand %1 is geen Tolvar-database.").arg(name);
    case DaoErrorKind::Damaged:
        return QStringLiteral("Het databasebestand %1 is beschadigd.").arg(name);
    case DaoErrorKind::SchemaMissing:
        return QStringLiteral(
                   "In databasebestand %1 ontbreekt een tabel of kolom die Tolvar nodig heeft.")
            .arg(name);
    case DaoErrorKind::ReadOnly:
        return QStringLiteral(
                   "Het databasebestand %1 is alleen-lezen: wijzigingen kunnen niet worden "
                   "opgeslagen.")
            .arg(name);
    case DaoErrorKind::InUse:
        return QStringLiteral(
                   "Het databasebestand %1 is in gebruik door een ander programma of werkstation. "
                   "Probeer het over enkele ogenblikken opnieuw.")
            .arg(name);
    case DaoErrorKind::DiskFull:
        return QStringLiteral(
                   "De schijf van databasebestand %1 is vol: er kan niets meer worden opgeslagen.")
            .arg(name);
    case DaoErrorKind::ChangedByOther:
        return QStringLiteral(
            "Dit record is intussen door een andere gebruiker gewijzigd. Uw wijzigingen "
            "zijn niet opgeslagen; open het record opnieuw.");
    case DaoErrorKind::ServerUnreachable:
        return QStringLiteral(
                   "De databaseserver van database %1 is niet bereikbaar. Controleer of de server "
                   "draait en het adres in Tolvar.conf klopt.")
            .arg(name);
    case DaoErrorKind::AccessDenied:
        return QStringLiteral(
                   "De databaseserver weigert de toegang tot database %1: de gebruikersnaam of het "
                   "wachtwoord klopt niet, of de gebruiker heeft geen rechten.")
            .arg(name);
    case DaoErrorKind::DatabaseMissing:
        return QStringLiteral("De database %1 bestaat niet op de databaseserver.").arg(name);
    case DaoErrorKind::ConnectionLost:
        return QStringLiteral(
                   "De verbinding met database %1 is verbroken; wat nog niet was opgeslagen is "
                   "niet bewaard. De volgende opdracht maakt opnieuw verbinding.")
            .arg(name);
    case DaoErrorKind::QueryTooLong:
        return QStringLiteral("De zoektekst is te lang. Zoek met minder woorden.");
    case DaoErrorKind::Other:
        break;
    }
    return QStringLiteral("Er is een fout opgetreden in databasebestand %1.").arg(name);
}
