#pragma once

#include <QString>
#include <QStringList>

// Turns what the user typed into a full-text query (Expressie in the file index's own
// language; the words themselves for an index that builds its query from them): every word
// must occur, each as the start of a word; a word with digits also matches telephone numbers
// written without separators. Quotes and operators typed by the user are taken as text.
class CZoekVraag {
public:
    explicit CZoekVraag(const QString& strVraag);

    // What a search text may hold, on every engine: more than anyone types into a search
    // line, far less than what makes an engine refuse the query.
    static constexpr int kMeesteWoorden = 50;
    static constexpr int kMeesteTekens = 500;

    bool IsLeeg() const { return m_strExpressie.isEmpty(); }
    // Beyond kMeesteWoorden words or kMeesteTekens characters: not searched.
    bool IsTeLang() const { return m_bTeLang; }
    // The whole query, and the same limited to the name column.
    QString Expressie() const { return m_strExpressie; }
    QString InNaam() const { return QStringLiteral("{naam} : (%1)").arg(m_strExpressie); }

    // The words typed, as typed; only those with a letter or digit.
    const QStringList& Getypt() const { return m_getypt; }

    // The digits of a text, so that "038-422 11 00" is found as "0384221100".
    static QString Cijfers(const QString& strTekst);
    // The words of a text as an index compares them: the runs of letters and digits, in
    // small letters and without accents ("IJs-Café" gives "ijs" and "cafe").
    static QStringList Woorden(const QString& strTekst);

private:
    QString m_strExpressie;
    QStringList m_getypt;
    bool m_bTeLang = false;
};
