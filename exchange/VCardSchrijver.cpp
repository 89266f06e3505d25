#include "exchange/VCardSchrijver.h"

namespace {

constexpr qsizetype kRegelLengte = 75;

bool IsVervolgByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsBesturing(QChar c) {
    return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F;
}

// A line break in a value, in any of its three forms, is written as "\n"; any other control
// character has no way to be written in a card and is left out, so that no value can end
// its line, or its card, early.
QString ZonderRegeleinden(const QString& tekst, bool bScheidingen) {
    QString uit;
    uit.reserve(tekst.size() + 8);
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const QChar c = tekst[i];
        if (c == QLatin1Char('\r') && i + 1 < tekst.size() && tekst[i + 1] == QLatin1Char('\n')) {
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            uit += QLatin1String("\\n");
        } else if (bScheidingen &&
                   (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';'))) {
            uit += QLatin1Char('\\');
            uit += c;
        } else if (!IsBesturing(c)) {
            uit += c;
        }
    }
    return uit;
}

} // namespace

void CVCardSchrijver::Begin() {
    m_uit += "BEGIN:VCARD\r\n";
    m_uit += m_bVersie3 ? "VERSION:3.0\r\n" : "VERSION:4.0\r\n";
}

void CVCardSchrijver::Einde() {
    m_uit += "END:VCARD\r\n";
}

QString CVCardSchrijver::Escape(const QString& tekst) {
    return ZonderRegeleinden(tekst, true);
}

void CVCardSchrijver::Tekst(const char* naam, const QString& waarde, const QString& parameters) {
    if (!waarde.isEmpty()) {
        Regel(naam, parameters, Escape(waarde));
    }
}

void CVCardSchrijver::Delen(const char* naam, const QStringList& delen, const QString& parameters) {
    QStringList escaped;
    bool leeg = true;
    for (const QString& deel : delen) {
        escaped << Escape(deel);
        leeg = leeg && deel.isEmpty();
    }
    if (!leeg) {
        Regel(naam, parameters, escaped.join(QLatin1Char(';')));
    }
}

void CVCardSchrijver::Lijst(const char* naam, const QStringList& items) {
    QStringList escaped;
    for (const QString& item : items) {
        escaped << Escape(item);
    }
    if (!escaped.isEmpty()) {
        Regel(naam, QString(), escaped.join(QLatin1Char(',')));
    }
}

void CVCardSchrijver::Letterlijk(const char* naam, const QString& waarde,
                                 const QString& parameters) {
    if (!waarde.isEmpty()) {
        Regel(naam, parameters, ZonderRegeleinden(waarde, false));
    }
}

QByteArray CVCardSchrijver::Neem() {
    QByteArray uit;
    uit.swap(m_uit);
    return uit;
}

// Folding counts octets, so a line is cut only between whole UTF-8 characters; each
// continuation starts with one space, which counts towards its 75.
void CVCardSchrijver::Regel(const char* naam, const QString& parameters, const QString& waarde) {
    QByteArray regel(naam);
    if (!parameters.isEmpty()) {
        regel += ';';
        regel += parameters.toUtf8();
    }
    regel += ':';
    regel += waarde.toUtf8();
    qsizetype begin = 0;
    qsizetype ruimte = kRegelLengte;
    while (regel.size() - begin > ruimte) {
        qsizetype einde = begin + ruimte;
        while (einde > begin && IsVervolgByte(regel[einde])) {
            --einde;
        }
        m_uit += QByteArrayView(regel).sliced(begin, einde - begin);
        m_uit += "\r\n ";
        begin = einde;
        ruimte = kRegelLengte - 1;
    }
    m_uit += QByteArrayView(regel).sliced(begin);
    m_uit += "\r\n";
}
