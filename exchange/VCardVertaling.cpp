#include "exchange/VCardVertaling.h"

#include "exchange/VCardKaart.h"
#include "exchange/VCardSchrijver.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace {

const char* const kOnderwerpParameter = "X-TOLVAR-ONDERWERP";
const char* const kBtwEigenschap = "X-TOLVAR-BTWNUMMER";

QString Echt(const QString& tekst) {
    return CVCardVertaling::IsPlaatshouder(tekst) ? QString() : tekst;
}

QString Adres(const QString& straat, const QString& nummer) {
    return (Echt(straat) + QLatin1Char(' ') + Echt(nummer)).trimmed();
}

// Parameter values cannot hold a double quote in any version; everything else may stand
// between quotes.
QString Geciteerd(const QString& waarde) {
    QString schoon = waarde;
    schoon.replace(QLatin1Char('"'), QLatin1Char('\''));
    schoon.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QLatin1Char('"') + schoon + QLatin1Char('"');
}

QString Tijdstempel(const COleDateTime& datum) {
    if (!datum.IsValid()) {
        return {};
    }
    return datum.ToQDateTime().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

COleDateTime LeesTijdstempel(QString tekst) {
    tekst.remove(QLatin1Char('-'));
    tekst.remove(QLatin1Char(':'));
    const bool utc = tekst.endsWith(QLatin1Char('Z'));
    if (utc) {
        tekst.chop(1);
    }
    QDateTime tijd = QDateTime::fromString(tekst.left(15), QStringLiteral("yyyyMMdd'T'HHmmss"));
    if (!tijd.isValid()) {
        return COleDateTime::Null();
    }
    if (utc) {
        tijd.setTimeSpec(Qt::UTC);
        tijd = tijd.toLocalTime();
    }
    return COleDateTime(tijd);
}

// "Kerkstraat 12a" is street and house number; a street without a number stays whole.
void SplitsStraat(const QString& regel, QString& straat, QString& nummer) {
    static const QRegularExpression huisnummer(QStringLiteral("^(.*\\S)\\s+(\\d[\\w\\-/]*)$"));
    const QRegularExpressionMatch match = huisnummer.match(regel.trimmed());
    if (match.hasMatch()) {
        straat = match.captured(1);
        nummer = match.captured(2);
    } else {
        straat = regel.trimmed();
        nummer.clear();
    }
}

QString Deel(const QStringList& delen, int i) {
    return i < delen.size() ? delen[i].trimmed() : QString();
}

bool IsOrganisatie(const VCardKaart& kaart) {
    for (const char* naam : {"KIND", "X-ADDRESSBOOKSERVER-KIND", "X-KIND"}) {
        const QString soort = kaart.Tekst(naam).toLower();
        if (!soort.isEmpty()) {
            return soort == QLatin1String("org");
        }
    }
    // Without a kind: a card that names an organisation and no person.
    const VCardEigenschap* n = kaart.Eerste("N");
    const bool heeftPersoon = n && !n->Delen().join(QString()).trimmed().isEmpty();
    const VCardEigenschap* org = kaart.Eerste("ORG");
    return !heeftPersoon && org && !Deel(org->Delen(), 0).isEmpty() &&
           (kaart.Tekst("FN").isEmpty() || kaart.Tekst("FN") == Deel(org->Delen(), 0));
}

QString Naam(const VCardKaart& kaart) {
    QString fn = kaart.Tekst("FN");
    if (fn.isEmpty()) {
        if (const VCardEigenschap* n = kaart.Eerste("N")) {
            fn = (Deel(n->Delen(), 1) + QLatin1Char(' ') + Deel(n->Delen(), 0)).trimmed();
        }
    }
    return fn;
}

QString Organisatie(const VCardKaart& kaart) {
    const VCardEigenschap* org = kaart.Eerste("ORG");
    return org ? Deel(org->Delen(), 0) : QString();
}

const VCardEigenschap* Voorkeur(const VCardKaart& kaart, const char* naam, const char* type) {
    const QList<const VCardEigenschap*> alle = kaart.Alle(naam);
    for (const VCardEigenschap* eigenschap : alle) {
        if (eigenschap->HeeftType(type)) {
            return eigenschap;
        }
    }
    return alle.isEmpty() ? nullptr : alle.front();
}

struct Telefoons {
    QString vast;
    QString mobiel;
    QString fax;
};

Telefoons LeesTelefoons(const VCardKaart& kaart) {
    Telefoons t;
    QString overig;
    for (const VCardEigenschap* tel : kaart.Alle("TEL")) {
        QString nummer = tel->Tekst().trimmed();
        if (nummer.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
            nummer = nummer.mid(4);
        }
        if (tel->HeeftType("fax")) {
            t.fax = t.fax.isEmpty() ? nummer : t.fax;
        } else if (tel->HeeftType("cell") || tel->HeeftType("car")) {
            t.mobiel = t.mobiel.isEmpty() ? nummer : t.mobiel;
        } else if (tel->HeeftType("work") || tel->HeeftType("voice") || tel->types.isEmpty()) {
            t.vast = t.vast.isEmpty() ? nummer : t.vast;
        } else if (overig.isEmpty()) {
            overig = nummer;
        }
    }
    if (t.vast.isEmpty()) {
        t.vast = overig;
    }
    return t;
}

QString LeesEmail(const VCardKaart& kaart) {
    const VCardEigenschap* email = Voorkeur(kaart, "EMAIL", "work");
    QString adres = email ? email->Tekst().trimmed() : QString();
    if (adres.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        adres = adres.mid(7);
    }
    return adres;
}

void LeesAdressen(const VCardKaart& kaart, VCardRelatie& relatie) {
    const VCardEigenschap* bezoek = nullptr;
    for (const VCardEigenschap* adr : kaart.Alle("ADR")) {
        const QStringList delen = adr->Delen();
        const bool eigen = adr->HeeftType("work") || adr->HeeftType("home");
        if (relatie.postBus.isEmpty() && !Deel(delen, 0).isEmpty()) {
            relatie.postBus = Deel(delen, 0);
        }
        if (adr->HeeftType("postal") && !adr->HeeftType("parcel") && !eigen) {
            continue;
        }
        if (adr->HeeftType("parcel") && !adr->HeeftType("postal") && !eigen) {
            SplitsStraat(Deel(delen, 2), relatie.afleverStraat, relatie.afleverNummer);
            relatie.afleverPlaats = Deel(delen, 3);
            relatie.afleverPostcode = Deel(delen, 5);
            continue;
        }
        if (!bezoek || (adr->HeeftType("work") && !bezoek->HeeftType("work"))) {
            bezoek = adr;
        }
    }
    if (bezoek) {
        const QStringList delen = bezoek->Delen();
        SplitsStraat(Deel(delen, 2), relatie.bezoekStraat, relatie.bezoekNummer);
        relatie.bezoekWoonplaats = Deel(delen, 3);
        relatie.bezoekPostcode = Deel(delen, 5);
    }
}

void LeesSoorten(const VCardKaart& kaart, VCardRelatie& relatie) {
    for (const VCardEigenschap* categorieen : kaart.Alle("CATEGORIES")) {
        for (const QString& item : categorieen->Lijst()) {
            const QString soort = item.toLower();
            if (soort == QLatin1String("klant") || soort == QLatin1String("customer")) {
                relatie.klant = true;
            } else if (soort == QLatin1String("leverancier") ||
                       soort == QLatin1String("supplier")) {
                relatie.leverancier = true;
            } else if (soort == QStringLiteral("privé") || soort == QLatin1String("prive") ||
                       soort == QLatin1String("private")) {
                relatie.prive = true;
            }
        }
    }
}

// The general memo is one line in the relation window; a note of several lines, or a
// second note, becomes a memo of its own.
void LeesNotities(const VCardKaart& kaart, VCardRelatie& relatie) {
    for (const VCardEigenschap* note : kaart.Alle("NOTE")) {
        const QString tekst = note->Tekst().trimmed();
        const QString onderwerp = note->Parameter(kOnderwerpParameter);
        if (tekst.isEmpty()) {
            continue;
        }
        if (onderwerp.isEmpty() && relatie.algemeneMemo.isEmpty() &&
            !tekst.contains(QLatin1Char('\n'))) {
            relatie.algemeneMemo = tekst;
        } else {
            relatie.memos.push_back(
                {onderwerp.isEmpty() ? QStringLiteral("Notitie") : onderwerp, tekst});
        }
    }
}

} // namespace

bool CVCardVertaling::IsPlaatshouder(const QString& tekst) {
    return tekst.size() >= 2 && tekst.startsWith(QLatin1Char('<')) &&
           tekst.endsWith(QLatin1Char('>'));
}

void CVCardVertaling::SchrijfRelatie(CVCardSchrijver& s, const VCardRelatie& r) {
    s.Begin();
    if (s.IsVersie3()) {
        s.Letterlijk("X-ADDRESSBOOKSERVER-KIND", QStringLiteral("org"));
        s.Letterlijk("N", QStringLiteral(";;;;"));
    } else {
        s.Letterlijk("KIND", QStringLiteral("org"));
    }
    const QString volleNaam = Echt(r.volleNaam);
    s.Tekst("FN", volleNaam.isEmpty() ? r.inLijst : volleNaam);
    s.Delen("ORG", {r.inLijst});
    s.Delen("ADR",
            {QString(), QString(), Adres(r.bezoekStraat, r.bezoekNummer), Echt(r.bezoekWoonplaats),
             QString(), Echt(r.bezoekPostcode), QString()},
            QStringLiteral("TYPE=work"));
    s.Delen("ADR",
            {Echt(r.postBus), QString(), QString(), QString(), QString(), QString(), QString()},
            QStringLiteral("TYPE=postal"));
    s.Delen("ADR",
            {QString(), QString(), Adres(r.afleverStraat, r.afleverNummer), Echt(r.afleverPlaats),
             QString(), Echt(r.afleverPostcode), QString()},
            QStringLiteral("TYPE=parcel"));
    s.Tekst("TEL", Echt(r.telefoon), QStringLiteral("TYPE=work,voice"));
    s.Tekst("TEL", Echt(r.fax), QStringLiteral("TYPE=work,fax"));
    s.Tekst("EMAIL", Echt(r.email), QStringLiteral("TYPE=work"));
    s.Letterlijk("URL", Echt(r.homePage));
    s.Tekst(kBtwEigenschap, Echt(r.btwNummer));
    QStringList soorten;
    if (r.klant) {
        soorten << QStringLiteral("Klant");
    }
    if (r.leverancier) {
        soorten << QStringLiteral("Leverancier");
    }
    if (r.prive) {
        soorten << QStringLiteral("Privé");
    }
    s.Lijst("CATEGORIES", soorten);
    s.Tekst("NOTE", Echt(r.algemeneMemo));
    for (const VCardMemo& memo : r.memos) {
        s.Tekst("NOTE", memo.tekst,
                QLatin1String(kOnderwerpParameter) + QLatin1Char('=') + Geciteerd(memo.onderwerp));
    }
    s.Letterlijk("REV", Tijdstempel(r.gewijzigd));
    s.Einde();
}

void CVCardVertaling::SchrijfPersoon(CVCardSchrijver& s, const VCardPersoon& p) {
    s.Begin();
    if (!s.IsVersie3()) {
        s.Letterlijk("KIND", QStringLiteral("individual"));
    }
    const QString voorNaam = Echt(p.voorNaam);
    const QString achterNaam = Echt(p.achterNaam);
    s.Tekst("FN", (voorNaam + QLatin1Char(' ') + achterNaam).trimmed());
    s.Delen("N", {achterNaam, voorNaam, QString(), QString(), QString()});
    if (s.IsVersie3() && voorNaam.isEmpty() && achterNaam.isEmpty()) {
        s.Letterlijk("N", QStringLiteral(";;;;"));
    }
    s.Delen("ORG", Echt(p.afdeling).isEmpty() ? QStringList{p.relatie}
                                              : QStringList{p.relatie, Echt(p.afdeling)});
    s.Tekst("TITLE", Echt(p.functie));
    s.Tekst("TEL", Echt(p.telefoon), QStringLiteral("TYPE=work,voice"));
    s.Tekst("TEL", Echt(p.autoTelefoon),
            s.IsVersie3() ? QStringLiteral("TYPE=car") : QStringLiteral("TYPE=cell"));
    s.Tekst("TEL", Echt(p.fax), QStringLiteral("TYPE=work,fax"));
    s.Tekst("EMAIL", Echt(p.email), QStringLiteral("TYPE=work"));
    s.Einde();
}

CVCardVertaling::Gelezen CVCardVertaling::Lees(const VCardKaart& kaart) {
    Gelezen gelezen;
    if (Naam(kaart).isEmpty() && Organisatie(kaart).isEmpty()) {
        return gelezen;
    }
    if (IsOrganisatie(kaart)) {
        gelezen.relatie = LeesRelatie(kaart);
        return gelezen;
    }
    gelezen.persoon = LeesPersoon(kaart);
    if (gelezen.persoon->relatie.isEmpty()) {
        VCardRelatie relatie = LeesRelatie(kaart);
        relatie.prive = true;
        gelezen.persoon->relatie = relatie.inLijst;
        gelezen.relatie = relatie;
    }
    return gelezen;
}

VCardRelatie CVCardVertaling::LeesRelatie(const VCardKaart& kaart) {
    VCardRelatie r;
    const QString naam = Naam(kaart);
    const QString organisatie = Organisatie(kaart);
    r.inLijst = organisatie.isEmpty() ? naam : organisatie;
    r.volleNaam = naam.isEmpty() ? r.inLijst : naam;
    LeesAdressen(kaart, r);
    const Telefoons telefoons = LeesTelefoons(kaart);
    r.telefoon = telefoons.vast.isEmpty() ? telefoons.mobiel : telefoons.vast;
    r.fax = telefoons.fax;
    r.email = LeesEmail(kaart);
    r.homePage = kaart.Tekst("URL");
    r.btwNummer = kaart.Tekst(kBtwEigenschap);
    LeesSoorten(kaart, r);
    LeesNotities(kaart, r);
    r.gewijzigd = LeesTijdstempel(kaart.Tekst("REV"));
    return r;
}

VCardPersoon CVCardVertaling::LeesPersoon(const VCardKaart& kaart) {
    VCardPersoon p;
    if (const VCardEigenschap* n = kaart.Eerste("N")) {
        const QStringList delen = n->Delen();
        p.achterNaam = Deel(delen, 0);
        p.voorNaam = (Deel(delen, 1) + QLatin1Char(' ') + Deel(delen, 2)).trimmed();
    }
    if (p.voorNaam.isEmpty() && p.achterNaam.isEmpty()) {
        const QString naam = Naam(kaart);
        const qsizetype spatie = naam.indexOf(QLatin1Char(' '));
        p.voorNaam = spatie < 0 ? QString() : naam.left(spatie);
        p.achterNaam = spatie < 0 ? naam : naam.mid(spatie + 1).trimmed();
    }
    if (const VCardEigenschap* org = kaart.Eerste("ORG")) {
        p.relatie = Deel(org->Delen(), 0);
        p.afdeling = Deel(org->Delen(), 1);
    }
    p.functie = kaart.Tekst("TITLE");
    if (p.functie.isEmpty()) {
        p.functie = kaart.Tekst("ROLE");
    }
    const Telefoons telefoons = LeesTelefoons(kaart);
    p.telefoon = telefoons.vast;
    p.autoTelefoon = telefoons.mobiel;
    p.fax = telefoons.fax;
    p.email = LeesEmail(kaart);
    return p;
}
