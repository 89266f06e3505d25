#include "exchange/VCardLezer.h"

#include "exchange/UitwisselFout.h"

#include <QStringDecoder>

namespace {

// BEGIN and END may carry a group prefix too ("home.begin:vcard").
bool IsRegel(const QByteArray& regel, const char* verwacht) {
    QByteArray kern = regel.trimmed();
    const qsizetype punt = kern.indexOf('.');
    if (punt >= 0 && punt < kern.indexOf(':')) {
        kern = kern.mid(punt + 1);
    }
    return kern.compare(verwacht, Qt::CaseInsensitive) == 0;
}

bool IsQuotedPrintable(const QByteArray& regel) {
    const qsizetype dubbelepunt = regel.indexOf(':');
    return dubbelepunt > 0 &&
           regel.left(dubbelepunt).toUpper().contains(QByteArrayLiteral("QUOTED-PRINTABLE"));
}

int HexWaarde(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

QByteArray QuotedPrintable(const QByteArray& bytes) {
    QByteArray uit;
    uit.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '=' && i + 2 < bytes.size() && HexWaarde(bytes[i + 1]) >= 0 &&
            HexWaarde(bytes[i + 2]) >= 0) {
            uit += char(HexWaarde(bytes[i + 1]) * 16 + HexWaarde(bytes[i + 2]));
            i += 2;
        } else {
            uit += bytes[i];
        }
    }
    return uit;
}

// Parameter values may be quoted, and a quoted value may hold ';' and ':'.
qsizetype EindeParameter(const QByteArray& regel, qsizetype i) {
    bool geciteerd = false;
    for (; i < regel.size(); ++i) {
        const char c = regel[i];
        if (c == '"') {
            geciteerd = !geciteerd;
        } else if (!geciteerd && (c == ';' || c == ':')) {
            return i;
        }
    }
    return -1;
}

QString Ontciteer(QByteArray waarde) {
    waarde = waarde.trimmed();
    if (waarde.size() >= 2 && waarde.startsWith('"') && waarde.endsWith('"')) {
        waarde = waarde.mid(1, waarde.size() - 2);
    }
    return QString::fromUtf8(waarde);
}

} // namespace

VCardLeesResultaat CVCardLezer::Lees(const QByteArray& data) {
    return CVCardLezer(data).LeesAlles();
}

CVCardLezer::CVCardLezer(const QByteArray& data) {
    QByteArray tekst = data;
    // Some desktop programs write UTF-16 with a byte-order mark; everything else is read as
    // bytes, since 2.1 cards mix character sets property by property.
    if (tekst.startsWith("\xFF\xFE") || tekst.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(tekst.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        tekst = QString(utf16(tekst.mid(2))).toUtf8();
    } else if (tekst.startsWith("\xEF\xBB\xBF")) {
        tekst = tekst.mid(3);
    }
    if (tekst.contains('\0')) {
        throw CUitwisselFout(QStringLiteral(
            "Het bestand is geen vCard-bestand: het bevat binaire gegevens in plaats van "
            "tekst."));
    }
    Verdeel(tekst);
}

// Lines end in CRLF, LF, or a lone CR as old Mac address books wrote them.
void CVCardLezer::Verdeel(const QByteArray& data) {
    int nummer = 1;
    qsizetype begin = 0;
    while (begin < data.size()) {
        qsizetype einde = begin;
        while (einde < data.size() && data[einde] != '\n' && data[einde] != '\r') {
            ++einde;
        }
        m_regels.push_back({data.mid(begin, einde - begin), nummer++});
        const bool crlf = einde + 1 < data.size() && data[einde] == '\r' && data[einde + 1] == '\n';
        begin = einde + (crlf ? 2 : 1);
    }
}

VCardLeesResultaat CVCardLezer::LeesAlles() {
    VCardLeesResultaat resultaat;
    bool kaartGezien = false;
    qsizetype i = 0;
    while (i < m_regels.size()) {
        if (!IsRegel(m_regels[i].tekst, "BEGIN:VCARD")) {
            ++i;
            continue;
        }
        kaartGezien = true;
        VCardKaart kaart;
        kaart.regel = m_regels[i].nummer;
        ++i;
        QString fout;
        if (LeesKaart(i, kaart, fout)) {
            resultaat.kaarten.push_back(std::move(kaart));
        } else {
            resultaat.fouten << QStringLiteral("Kaart op regel %1: %2").arg(kaart.regel).arg(fout);
        }
    }
    if (!kaartGezien) {
        throw CUitwisselFout(QStringLiteral(
            "Het bestand is geen vCard-bestand: er staat geen enkele kaart (BEGIN:VCARD) in."));
    }
    return resultaat;
}

// Reads up to and including END:VCARD. On a fault the rest of the card is passed over, so
// that reading goes on with the next card.
bool CVCardLezer::LeesKaart(qsizetype& i, VCardKaart& kaart, QString& fout) {
    auto slaOver = [&](const QString& reden) {
        fout = reden;
        while (i < m_regels.size() && !IsRegel(m_regels[i].tekst, "END:VCARD") &&
               !IsRegel(m_regels[i].tekst, "BEGIN:VCARD")) {
            ++i;
        }
        if (i < m_regels.size() && IsRegel(m_regels[i].tekst, "END:VCARD")) {
            ++i;
        }
        return false;
    };
    while (i < m_regels.size()) {
        const int nummer = m_regels[i].nummer;
        if (IsRegel(m_regels[i].tekst, "END:VCARD")) {
            ++i;
            const QString versie = kaart.Tekst("VERSION");
            kaart.versie = versie.isEmpty() ? QStringLiteral("3.0") : versie;
            if (kaart.versie != QLatin1String("2.1") && kaart.versie != QLatin1String("3.0") &&
                kaart.versie != QLatin1String("4.0")) {
                fout = QStringLiteral("onbekende vCard-versie %1; gelezen worden 2.1, 3.0 en 4.0.")
                           .arg(kaart.versie.left(20));
                return false;
            }
            return true;
        }
        if (IsRegel(m_regels[i].tekst, "BEGIN:VCARD")) {
            fout = QStringLiteral("de kaart eindigt niet met END:VCARD.");
            return false;
        }
        if (m_regels[i].tekst.trimmed().isEmpty()) {
            ++i;
            continue;
        }
        const QByteArray regel = LogischeRegel(i);
        if (regel.size() > kMaxRegel) {
            return slaOver(
                QStringLiteral("regel %1 is langer dan %2 MB.").arg(nummer).arg(kMaxRegel >> 20));
        }
        VCardEigenschap eigenschap;
        eigenschap.regel = nummer;
        if (!LeesEigenschap(regel, eigenschap)) {
            // Base64 data of version 2.1 continues on lines without indentation.
            if (!kaart.eigenschappen.isEmpty() &&
                kaart.eigenschappen.back().Parameter("ENCODING").startsWith(QLatin1Char('B'))) {
                continue;
            }
            return slaOver(QStringLiteral("regel %1 is geen geldige vCard-regel.").arg(nummer));
        }
        kaart.eigenschappen.push_back(std::move(eigenschap));
    }
    fout = QStringLiteral("de kaart eindigt niet met END:VCARD.");
    return false;
}

// Joins a line with its folded continuations, and with the lines that a quoted-printable
// soft line break ('=' at the end) carries on to.
QByteArray CVCardLezer::LogischeRegel(qsizetype& i) const {
    QByteArray regel = m_regels[i++].tekst;
    const bool qp = IsQuotedPrintable(regel);
    while (i < m_regels.size() && regel.size() <= kMaxRegel) {
        const QByteArray& volgend = m_regels[i].tekst;
        // A soft line break goes first: its next line may or may not be indented.
        if (qp && regel.endsWith('=') && !IsRegel(volgend, "END:VCARD")) {
            regel.chop(1);
            regel += volgend.trimmed();
        } else if (!volgend.isEmpty() && (volgend[0] == ' ' || volgend[0] == '\t')) {
            regel += volgend.mid(1);
        } else {
            break;
        }
        ++i;
    }
    return regel;
}

bool CVCardLezer::LeesEigenschap(const QByteArray& regel, VCardEigenschap& eigenschap) {
    qsizetype i = 0;
    while (i < regel.size() && regel[i] != ';' && regel[i] != ':') {
        ++i;
    }
    if (i == 0 || i >= regel.size()) {
        return false;
    }
    QByteArray naam = regel.left(i).trimmed().toUpper();
    naam = naam.mid(naam.lastIndexOf('.') + 1);
    eigenschap.naam = QString::fromLatin1(naam);
    QString encoding;
    QString charset;
    while (regel[i] == ';') {
        const qsizetype einde = EindeParameter(regel, i + 1);
        if (einde < 0) {
            return false;
        }
        const QByteArray param = regel.mid(i + 1, einde - i - 1);
        i = einde;
        const qsizetype is = param.indexOf('=');
        const QString pnaam =
            QString::fromLatin1((is < 0 ? param : param.left(is)).trimmed().toUpper());
        const QString pwaarde = is < 0 ? QString() : Ontciteer(param.mid(is + 1));
        if (is < 0) {
            // Version 2.1 names types and encodings without the parameter name.
            if (pnaam == QLatin1String("QUOTED-PRINTABLE") || pnaam == QLatin1String("BASE64")) {
                encoding = pnaam;
            } else if (!pnaam.isEmpty()) {
                eigenschap.types << pnaam.toLower();
            }
        } else if (pnaam == QLatin1String("TYPE")) {
            for (const QString& type : pwaarde.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                eigenschap.types << type.trimmed().toLower();
            }
        } else if (pnaam == QLatin1String("ENCODING")) {
            encoding = pwaarde.toUpper();
        } else if (pnaam == QLatin1String("CHARSET")) {
            charset = pwaarde;
        } else {
            eigenschap.parameters.push_back({pnaam, pwaarde});
        }
    }
    if (!encoding.isEmpty()) {
        eigenschap.parameters.push_back({QStringLiteral("ENCODING"), encoding});
    }
    QByteArray waarde = regel.mid(i + 1);
    if (encoding == QLatin1String("QUOTED-PRINTABLE")) {
        waarde = QuotedPrintable(waarde);
    }
    eigenschap.waarde = Decodeer(waarde, charset);
    return true;
}

// Without a character set the text is UTF-8 when it is valid UTF-8; older programs wrote
// the Windows code page without saying so.
QString CVCardLezer::Decodeer(const QByteArray& bytes, const QString& charset) {
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.toLatin1().constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid()) {
            QString tekst = decoder(bytes);
            if (!decoder.hasError()) {
                return tekst;
            }
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString tekst = utf8(bytes);
    if (!utf8.hasError()) {
        return tekst;
    }
    QStringDecoder windows("windows-1252", QStringDecoder::Flag::Stateless);
    return windows.isValid() ? QString(windows(bytes)) : QString::fromLatin1(bytes);
}
