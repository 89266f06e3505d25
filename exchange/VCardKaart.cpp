#include "exchange/VCardKaart.h"

namespace {

// Splits on an unescaped separator and undoes the escapes of each part. Versions 2.1 and
// 3.0 writers are not consistent about escaping ':' or ',' so any escaped character
// stands for itself.
QStringList Splits(const QString& waarde, QChar scheiding) {
    QStringList delen;
    QString deel;
    for (qsizetype i = 0; i < waarde.size(); ++i) {
        const QChar c = waarde[i];
        if (c == QLatin1Char('\\') && i + 1 < waarde.size()) {
            const QChar volgend = waarde[++i];
            deel += (volgend == QLatin1Char('n') || volgend == QLatin1Char('N'))
                        ? QChar(QLatin1Char('\n'))
                        : volgend;
        } else if (c == scheiding) {
            delen << deel;
            deel.clear();
        } else {
            deel += c;
        }
    }
    delen << deel;
    return delen;
}

} // namespace

bool VCardEigenschap::HeeftType(const char* type) const {
    return types.contains(QLatin1String(type));
}

QString VCardEigenschap::Parameter(const char* gezocht) const {
    for (const auto& [naamParam, waardeParam] : parameters) {
        if (naamParam == QLatin1String(gezocht)) {
            return waardeParam;
        }
    }
    return {};
}

QString VCardEigenschap::Tekst() const {
    return Splits(waarde, QChar(0)).join(QString());
}

QStringList VCardEigenschap::Delen() const {
    return Splits(waarde, QLatin1Char(';'));
}

QStringList VCardEigenschap::Lijst() const {
    QStringList lijst;
    for (const QString& item : Splits(waarde, QLatin1Char(','))) {
        if (!item.trimmed().isEmpty()) {
            lijst << item.trimmed();
        }
    }
    return lijst;
}

const VCardEigenschap* VCardKaart::Eerste(const char* naam) const {
    for (const VCardEigenschap& eigenschap : eigenschappen) {
        if (eigenschap.naam == QLatin1String(naam)) {
            return &eigenschap;
        }
    }
    return nullptr;
}

QList<const VCardEigenschap*> VCardKaart::Alle(const char* naam) const {
    QList<const VCardEigenschap*> alle;
    for (const VCardEigenschap& eigenschap : eigenschappen) {
        if (eigenschap.naam == QLatin1String(naam)) {
            alle << &eigenschap;
        }
    }
    return alle;
}

QString VCardKaart::Tekst(const char* naam) const {
    const VCardEigenschap* eigenschap = Eerste(naam);
    return eigenschap ? eigenschap->Tekst().trimmed() : QString();
}
