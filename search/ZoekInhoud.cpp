#include "search/ZoekInhoud.h"

#include "platform/rtf/Rtf.h"
#include "search/ZoekTabel.h"
#include "search/ZoekVraag.h"

#include <QStringList>
#include <QTextDocument>

namespace {

// "<Document>", "<Kontakt Persoon>" and the like: what a new record holds until the user
// fills it in, not content.
bool IsPlaatshouder(const QString& tekst) {
    return tekst.startsWith(QLatin1Char('<')) && tekst.endsWith(QLatin1Char('>'));
}

QString PlatteTekst(const QString& rtf) {
    QTextDocument document;
    if (!ReadRtf(rtf.toUtf8(), &document)) {
        return rtf;
    }
    return document.toPlainText();
}

QString Samen(QStringList delen) {
    delen.removeAll(QString());
    return delen.join(QLatin1Char('\n'));
}

} // namespace

ZoekInhoud ZoekInhoud::Lees(const ZoekTabel& tabel, const std::function<QString(int)>& kolom) {
    ZoekInhoud inhoud;
    int n = 0;
    inhoud.lSleutel = kolom(n++).toLongLong();
    inhoud.lOuder = kolom(n++).toLongLong();
    inhoud.strStempel = kolom(n++);
    inhoud.strLijst = kolom(n++);
    QStringList naam, tekst, nummers;
    for (size_t i = 0; i < tabel.naam.size(); ++i) {
        // A full name that repeats the list name would only show twice in every result.
        if (const QString waarde = kolom(n++); !naam.contains(waarde, Qt::CaseInsensitive)) {
            naam << waarde;
        }
    }
    for (size_t i = 0; i < tabel.tekst.size(); ++i) {
        if (const QString waarde = kolom(n++); !IsPlaatshouder(waarde)) {
            tekst << waarde;
        }
    }
    for (size_t i = 0; i < tabel.nummers.size(); ++i) {
        if (const QString waarde = kolom(n++); !IsPlaatshouder(waarde)) {
            tekst << waarde;
            nummers << CZoekVraag::Cijfers(waarde);
        }
    }
    if (tabel.rtf) {
        tekst << PlatteTekst(kolom(n++));
    }
    inhoud.strNaam = Samen(naam);
    inhoud.strTekst = Samen(tekst);
    inhoud.strNummers = Samen(nummers);
    return inhoud;
}
