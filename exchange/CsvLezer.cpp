#include "exchange/CsvLezer.h"

#include "exchange/UitwisselFout.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

bool IsBesturing(uint c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

// A line with control bytes is a damaged record that will be refused anyway; it must not
// make the good lines around it be read in the wrong character set.
bool IsUtf8(const QByteArray& data) {
    qsizetype begin = 0;
    while (begin < data.size()) {
        qsizetype einde = data.indexOf('\n', begin);
        if (einde < 0) {
            einde = data.size();
        }
        const QByteArrayView regel = QByteArrayView(data).sliced(begin, einde - begin);
        const bool binair = std::any_of(regel.begin(), regel.end(), [](char c) {
            return IsBesturing(static_cast<unsigned char>(c));
        });
        if (!binair) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            (void)QString(utf8(regel));
            if (utf8.hasError()) {
                return false;
            }
        }
        begin = einde + 1;
    }
    return true;
}

bool IsBinair(const QStringList& velden) {
    for (const QString& veld : velden) {
        for (const QChar c : veld) {
            if (IsBesturing(c.unicode()) || c == QChar::ReplacementCharacter) {
                return true;
            }
        }
    }
    return false;
}

bool IsLeeg(const QStringList& velden) {
    return std::all_of(velden.begin(), velden.end(),
                       [](const QString& veld) { return veld.trimmed().isEmpty(); });
}

} // namespace

QString CCsvLezer::Decodeer(const QByteArray& data, QString& codering) {
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        codering = QStringLiteral("UTF-16");
        QStringDecoder utf16(data.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                         : QStringDecoder::Utf16BE);
        return utf16(QByteArrayView(data).sliced(2));
    }
    const bool bom = data.startsWith("\xEF\xBB\xBF");
    const QByteArray rest = bom ? data.mid(3) : data;
    if (bom || IsUtf8(rest)) {
        codering = QStringLiteral("UTF-8");
        return QString::fromUtf8(rest);
    }
    codering = QStringLiteral("Windows-1252");
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? QString(windows(rest)) : QString::fromLatin1(rest);
}

// The separator that the first row, outside quotes, uses most; a file of one column has
// none, and ';' is as good as any.
QChar CCsvLezer::Scheiding(const QString& tekst) {
    int puntkomma = 0;
    int komma = 0;
    int tab = 0;
    bool geciteerd = false;
    for (const QChar c : tekst) {
        if (c == QLatin1Char('"')) {
            geciteerd = !geciteerd;
        } else if (!geciteerd && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            break;
        } else if (!geciteerd) {
            puntkomma += c == QLatin1Char(';');
            komma += c == QLatin1Char(',');
            tab += c == QLatin1Char('\t');
        }
    }
    if (komma > puntkomma && komma >= tab) {
        return QLatin1Char(',');
    }
    return tab > puntkomma ? QLatin1Char('\t') : QLatin1Char(';');
}

CsvTabel CCsvLezer::Lees(const QByteArray& data) {
    CsvTabel tabel;
    CCsvLezer lezer(Decodeer(data, tabel.codering));
    lezer.m_scheiding = tabel.scheiding = Scheiding(lezer.m_tekst);
    bool kopGelezen = false;
    for (;;) {
        CsvRij rij;
        QString fout;
        const Uitkomst uitkomst = lezer.LeesRij(rij, fout);
        if (uitkomst == Uitkomst::Einde) {
            break;
        }
        if (uitkomst == Uitkomst::Goed && IsBinair(rij.velden)) {
            fout = QStringLiteral("de regel bevat binaire gegevens in plaats van tekst.");
        }
        if (!kopGelezen && !fout.isEmpty()) {
            throw CUitwisselFout(
                QStringLiteral("Het bestand is geen CSV-bestand: de eerste regel, met de "
                               "namen van de kolommen, kan niet worden gelezen (%1)")
                    .arg(fout));
        }
        if (!fout.isEmpty()) {
            tabel.fouten << QStringLiteral("Regel %1: %2").arg(rij.regel).arg(fout);
        } else if (IsLeeg(rij.velden)) {
            continue;
        } else if (!kopGelezen) {
            for (const QString& naam : rij.velden) {
                tabel.kop << naam.trimmed();
            }
            kopGelezen = true;
        } else {
            tabel.rijen.push_back(std::move(rij));
        }
    }
    if (!kopGelezen) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand is leeg: er staat geen regel met kolomnamen in."));
    }
    return tabel;
}

CCsvLezer::Uitkomst CCsvLezer::LeesRij(CsvRij& rij, QString& fout) {
    const qsizetype begin = m_pos;
    const int beginRegel = m_regel;
    rij.regel = m_regel;
    if (m_pos >= m_tekst.size()) {
        return Uitkomst::Einde;
    }
    for (;;) {
        QString veld;
        if (m_pos < m_tekst.size() && m_tekst[m_pos] == QLatin1Char('"')) {
            ++m_pos;
            if (!LeesGeciteerd(veld, fout)) {
                m_regel = beginRegel;
                VolgendeRegel(begin);
                return Uitkomst::Fout;
            }
        } else {
            while (m_pos < m_tekst.size() && m_tekst[m_pos] != m_scheiding &&
                   m_tekst[m_pos] != QLatin1Char('\n') && m_tekst[m_pos] != QLatin1Char('\r')) {
                veld += m_tekst[m_pos++];
            }
        }
        rij.velden << veld;
        if (m_pos >= m_tekst.size()) {
            return Uitkomst::Goed;
        }
        if (m_tekst[m_pos] != m_scheiding) {
            VolgendeRegel(m_pos);
            return Uitkomst::Goed;
        }
        ++m_pos;
    }
}

// After the opening quote: up to and including the closing one, which must end the field.
bool CCsvLezer::LeesGeciteerd(QString& veld, QString& fout) {
    while (m_pos < m_tekst.size()) {
        const QChar c = m_tekst[m_pos++];
        if (c != QLatin1Char('"')) {
            m_regel += c == QLatin1Char('\n') ||
                       (c == QLatin1Char('\r') &&
                        (m_pos >= m_tekst.size() || m_tekst[m_pos] != QLatin1Char('\n')));
            veld += c;
        } else if (m_pos < m_tekst.size() && m_tekst[m_pos] == QLatin1Char('"')) {
            veld += c;
            ++m_pos;
        } else if (m_pos >= m_tekst.size() || m_tekst[m_pos] == m_scheiding ||
                   m_tekst[m_pos] == QLatin1Char('\n') || m_tekst[m_pos] == QLatin1Char('\r')) {
            return true;
        } else {
            fout = QStringLiteral(
                "na een sluitend aanhalingsteken volgt nog tekst in hetzelfde veld.");
            return false;
        }
    }
    fout = QStringLiteral("een aanhalingsteken wordt niet gesloten.");
    return false;
}

// Goes past the line end at or after vanaf: CRLF, LF or a lone CR.
void CCsvLezer::VolgendeRegel(qsizetype vanaf) {
    m_pos = vanaf;
    while (m_pos < m_tekst.size() && m_tekst[m_pos] != QLatin1Char('\n') &&
           m_tekst[m_pos] != QLatin1Char('\r')) {
        ++m_pos;
    }
    if (m_pos < m_tekst.size()) {
        m_pos += m_tekst[m_pos] == QLatin1Char('\r') && m_pos + 1 < m_tekst.size() &&
                         m_tekst[m_pos + 1] == QLatin1Char('\n')
                     ? 2
                     : 1;
        ++m_regel;
    }
}
