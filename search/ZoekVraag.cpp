#include "search/ZoekVraag.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

QString Frase(const QString& strWoord) {
    QString tekst = strWoord;
    tekst.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + tekst + QStringLiteral("\"*");
}

bool HeeftLetterOfCijfer(const QString& strWoord) {
    for (const QChar c : strWoord) {
        if (c.isLetterOrNumber()) {
            return true;
        }
    }
    return false;
}

} // namespace

CZoekVraag::CZoekVraag(const QString& strVraag) {
    if (strVraag.size() > kMeesteTekens) {
        // Cut the work short too: the query is never made from such a text.
        m_bTeLang = true;
        m_getypt << strVraag.left(kMeesteTekens);
        m_strExpressie = Frase(m_getypt.first());
        return;
    }
    QStringList delen;
    for (const QString& woord :
         strVraag.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        const QString w = woord.trimmed();
        if (!HeeftLetterOfCijfer(w)) {
            continue;
        }
        m_getypt << w;
        const QString cijfers = Cijfers(w);
        if (!cijfers.isEmpty() && cijfers != w) {
            delen << QStringLiteral("(%1 OR {nummers} : %2)").arg(Frase(w), Frase(cijfers));
        } else {
            delen << Frase(w);
        }
    }
    m_strExpressie = delen.join(QStringLiteral(" AND "));
    m_bTeLang = m_getypt.size() > kMeesteWoorden;
}

QString CZoekVraag::Cijfers(const QString& strTekst) {
    QString cijfers;
    for (const QChar c : strTekst) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            cijfers += c;
        }
    }
    return cijfers;
}

QStringList CZoekVraag::Woorden(const QString& strTekst) {
    QStringList woorden;
    QString woord;
    for (const QChar c : strTekst.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark()) {
            continue;
        }
        if (c.isLetterOrNumber()) {
            woord += c;
        } else if (!woord.isEmpty()) {
            woorden << woord.toCaseFolded();
            woord.clear();
        }
    }
    if (!woord.isEmpty()) {
        woorden << woord.toCaseFolded();
    }
    return woorden;
}
