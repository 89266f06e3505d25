#pragma once

#include <QString>
#include <stdexcept>

// A file that cannot be exchanged at all (unreadable, not the expected format, nothing in
// it that can be used): the text is the Dutch sentence the user sees.
class CUitwisselFout : public std::runtime_error {
public:
    explicit CUitwisselFout(const QString& tekst)
        : std::runtime_error(tekst.toStdString()), m_strTekst(tekst) {}

    const QString& Tekst() const { return m_strTekst; }

private:
    QString m_strTekst;
};
