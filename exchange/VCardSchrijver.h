#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes cards of version 4.0 or 3.0: UTF-8, CRLF, lines folded at 75 octets without
// splitting a character, values escaped as RFC 6350 and RFC 2426 ask.
class CVCardSchrijver {
public:
    explicit CVCardSchrijver(bool bVersie3 = false) : m_bVersie3(bVersie3) {}

    bool IsVersie3() const { return m_bVersie3; }

    void Begin();
    void Einde();
    // A text value; empty values are left out, as an empty property says nothing.
    void Tekst(const char* naam, const QString& waarde, const QString& parameters = QString());
    // A structured value (N, ADR, ORG): the parts escaped one by one and joined with ';'.
    void Delen(const char* naam, const QStringList& delen, const QString& parameters = QString());
    // A list value (CATEGORIES).
    void Lijst(const char* naam, const QStringList& items);
    // A value whose ';' and ',' stand as they are (KIND, timestamp, an empty N); line breaks
    // and control characters are still escaped or left out.
    void Letterlijk(const char* naam, const QString& waarde, const QString& parameters = QString());

    const QByteArray& Uitvoer() const { return m_uit; }
    QByteArray Neem();

    static QString Escape(const QString& tekst);

private:
    void Regel(const char* naam, const QString& parameters, const QString& waarde);

    bool m_bVersie3;
    QByteArray m_uit;
};
