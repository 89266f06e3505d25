#include "exchange/VCardVertaling.h"

#include "exchange/RelatieOpslag.h"
#include "exchange/StraatRegel.h"
#include "exchange/VCardKaart.h"
#include "exchange/VCardOverig.h"
#include "exchange/VCardSchrijver.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>

namespace {

const char* const kOnderwerpParameter = "X-TOLVAR-ONDERWERP";
const char* const kAangemaaktParameter = "X-TOLVAR-AANGEMAAKT";
const char* const kGewijzigdParameter = "X-TOLVAR-GEWIJZIGD";
// The general memo goes out marked, so that it comes back as the general memo even when it
// holds more than one line.
const char* const kAlgemeenParameter = "X-TOLVAR-ALGEMEEN";
const char* const kBtwEigenschap = "X-TOLVAR-BTWNUMMER";

QString Echt(const QString& tekst) {
    return CVCardVertaling::IsPlaatshouder(tekst) ? QString() : tekst;
}

QString Adres(const QString& straat, const QString& nummer) {
    return (Echt(straat) + QLatin1Char(' ') + Echt(nummer)).trimmed();
}

QString Tijdstempel(const COleDateTime& datum) {
    if (!datum.IsValid()) {
        return {};
    }
    return datum.ToQDateTime().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

// Parameter values cannot hold a double quote or a line break in any version; everything
// else may stand between quotes.
QString Geciteerd(const QString& waarde) {
    QString schoon;
    for (const QChar c : waarde) {
        if (c == QLatin1Char('"')) {
            schoon += QLatin1Char('\'');
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            schoon += QLatin1Char(' ');
        } else {
            schoon += c;
        }
    }
    return QLatin1Char('"') + schoon + QLatin1Char('"');
}

QString MemoParameters(const VCardMemo& memo) {
    QString parameters =
        QLatin1String(kOnderwerpParameter) + QLatin1Char('=') + Geciteerd(memo.onderwerp);
    for (const auto& [naam, datum] : {std::pair{kAangemaaktParameter, memo.aangemaakt},
                                      std::pair{kGewijzigdParameter, memo.gewijzigd}}) {
        if (datum.IsValid()) {
            parameters +=
                QLatin1Char(';') + QLatin1String(naam) + QLatin1Char('=') + Tijdstempel(datum);
        }
    }
    return parameters;
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

Telefoons LeesTelefoons(const VCardKaart& kaart, VCardGebruikt& gebruikt) {
    Telefoons t;
    const VCardEigenschap* overig = nullptr;
    const auto neem = [&](QString& veld, const VCardEigenschap* tel) {
        if (veld.isEmpty()) {
            veld = tel->Tekst().trimmed();
            if (veld.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
                veld = veld.mid(4);
            }
            gebruikt << tel;
        }
    };
    for (const VCardEigenschap* tel : kaart.Alle("TEL")) {
        if (tel->HeeftType("fax")) {
            neem(t.fax, tel);
        } else if (tel->HeeftType("cell") || tel->HeeftType("car")) {
            neem(t.mobiel, tel);
        } else if (tel->HeeftType("work") || tel->HeeftType("voice") || tel->types.isEmpty()) {
            neem(t.vast, tel);
        } else if (!overig) {
            overig = tel;
        }
    }
    if (overig) {
        neem(t.vast, overig);
    }
    return t;
}

QString LeesEmail(const VCardKaart& kaart, VCardGebruikt& gebruikt) {
    const VCardEigenschap* email = Voorkeur(kaart, "EMAIL", "work");
    if (!email) {
        return {};
    }
    gebruikt << email;
    QString adres = email->Tekst().trimmed();
    if (adres.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        adres = adres.mid(7);
    }
    return adres;
}

QString AdresSoort(const VCardEigenschap* adr) {
    return adr->HeeftType("work")   ? QStringLiteral("work")
           : adr->HeeftType("home") ? QStringLiteral("home")
                                    : QString();
}

void VulAdres(const QStringList& delen, QString& straat, QString& nummer, QString& plaats,
              QString& postcode) {
    CStraatRegel::Splits(Deel(delen, 2), straat, nummer);
    plaats = Deel(delen, 3);
    postcode = Deel(delen, 5);
}

// The visiting address is the first of the kind the relation is about (work for a firm,
// home for a private person), else the first at all; a second of that same kind is the
// delivery address, or the post-office box when it holds only a box. Addresses marked
// only postal or only parcel are the box and the delivery address of an organisation card.
void LeesAdressen(const VCardKaart& kaart, VCardRelatie& r, const char* soort,
                  VCardGebruikt& gebruikt) {
    QList<const VCardEigenschap*> kandidaten;
    for (const VCardEigenschap* adr : kaart.Alle("ADR")) {
        const QStringList delen = adr->Delen();
        const bool eigen = !AdresSoort(adr).isEmpty();
        if (adr->HeeftType("postal") && !adr->HeeftType("parcel") && !eigen) {
            if (r.postBus.isEmpty() && !Deel(delen, 0).isEmpty()) {
                r.postBus = Deel(delen, 0);
                gebruikt << adr;
            }
        } else if (adr->HeeftType("parcel") && !adr->HeeftType("postal") && !eigen) {
            if (r.afleverStraat.isEmpty() && r.afleverPlaats.isEmpty()) {
                VulAdres(delen, r.afleverStraat, r.afleverNummer, r.afleverPlaats,
                         r.afleverPostcode);
                gebruikt << adr;
            }
        } else {
            kandidaten << adr;
        }
    }
    if (kandidaten.isEmpty()) {
        return;
    }
    const auto passend =
        std::find_if(kandidaten.begin(), kandidaten.end(), [&](const VCardEigenschap* adr) {
            return AdresSoort(adr) == QLatin1String(soort);
        });
    const VCardEigenschap* bezoek = passend != kandidaten.end() ? *passend : kandidaten.front();
    VulAdres(bezoek->Delen(), r.bezoekStraat, r.bezoekNummer, r.bezoekWoonplaats, r.bezoekPostcode);
    if (r.postBus.isEmpty()) {
        r.postBus = Deel(bezoek->Delen(), 0);
    }
    gebruikt << bezoek;
    for (const VCardEigenschap* adr : kandidaten) {
        const QStringList delen = adr->Delen();
        if (adr == bezoek || AdresSoort(adr) != AdresSoort(bezoek)) {
            continue;
        }
        if (!Deel(delen, 2).isEmpty() && r.afleverStraat.isEmpty() && r.afleverPlaats.isEmpty()) {
            VulAdres(delen, r.afleverStraat, r.afleverNummer, r.afleverPlaats, r.afleverPostcode);
            gebruikt << adr;
        } else if (Deel(delen, 2).isEmpty() && !Deel(delen, 0).isEmpty() && r.postBus.isEmpty()) {
            r.postBus = Deel(delen, 0);
            gebruikt << adr;
        }
    }
}

void LeesSoorten(const VCardKaart& kaart, VCardRelatie& relatie, VCardGebruikt& gebruikt) {
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
            } else {
                continue;
            }
            gebruikt << categorieen;
        }
    }
}

// The general memo is one line in the relation window: a note of several lines, or a
// second note, becomes a memo of its own, unless Tolvar wrote it as the general memo.
void LeesNotities(const VCardKaart& kaart, VCardRelatie& relatie, VCardGebruikt& gebruikt) {
    for (const VCardEigenschap* note : kaart.Alle("NOTE")) {
        const QString tekst = note->Tekst().trimmed();
        const QString onderwerp = note->Parameter(kOnderwerpParameter);
        gebruikt << note;
        if (tekst.isEmpty()) {
            continue;
        }
        const bool algemeen = !note->Parameter(kAlgemeenParameter).isEmpty() ||
                              (onderwerp.isEmpty() && !tekst.contains(QLatin1Char('\n')));
        if (algemeen && relatie.algemeneMemo.isEmpty()) {
            relatie.algemeneMemo = tekst;
        } else {
            relatie.memos.push_back({onderwerp.isEmpty() ? QStringLiteral("Notitie") : onderwerp,
                                     tekst, LeesTijdstempel(note->Parameter(kAangemaaktParameter)),
                                     LeesTijdstempel(note->Parameter(kGewijzigdParameter))});
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
    s.Tekst("URL", Echt(r.homePage));
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
    s.Tekst("NOTE", Echt(r.algemeneMemo), QLatin1String(kAlgemeenParameter) + QLatin1String("=ja"));
    for (const VCardMemo& memo : r.memos) {
        s.Tekst("NOTE", memo.tekst, MemoParameters(memo));
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
    VCardGebruikt gebruikt;
    if (IsOrganisatie(kaart)) {
        gelezen.relatie = LeesRelatie(kaart, "work", gebruikt);
        Overig(kaart, gebruikt, *gelezen.relatie);
        return gelezen;
    }
    gelezen.persoon = LeesPersoon(kaart, gebruikt);
    if (gelezen.persoon->relatie.isEmpty()) {
        VCardRelatie relatie = LeesRelatie(kaart, "home", gebruikt);
        relatie.prive = true;
        gelezen.persoon->relatie = relatie.inLijst;
        Overig(kaart, gebruikt, relatie);
        gelezen.relatie = relatie;
        return gelezen;
    }
    // The firm of a person card is made from it when the file has no card of its own for
    // it; its addresses are the firm's, and otherwise go with the rest into the memo.
    VCardRelatie firma;
    firma.inLijst = firma.volleNaam = gelezen.persoon->relatie;
    VCardGebruikt adressen;
    LeesAdressen(kaart, firma, "work", adressen);
    gelezen.firma = firma;
    gelezen.persoon->overig = CVCardOverig::Tekst(kaart, VCardGebruikt(gebruikt).unite(adressen));
    gelezen.overigBijBestaande = CVCardOverig::Tekst(kaart, gebruikt);
    return gelezen;
}

void CVCardVertaling::Overig(const VCardKaart& kaart, const VCardGebruikt& gebruikt,
                             VCardRelatie& relatie) {
    const QString tekst = CVCardOverig::Tekst(kaart, gebruikt);
    if (!tekst.isEmpty()) {
        relatie.memos.push_back({QLatin1String(CRelatieOpslag::kOverigOnderwerp), tekst,
                                 COleDateTime::Null(), COleDateTime::Null()});
    }
}

VCardRelatie CVCardVertaling::LeesRelatie(const VCardKaart& kaart, const char* soort,
                                          VCardGebruikt& gebruikt) {
    VCardRelatie r;
    const QString naam = Naam(kaart);
    const QString organisatie = Organisatie(kaart);
    r.inLijst = organisatie.isEmpty() ? naam : organisatie;
    r.volleNaam = naam.isEmpty() ? r.inLijst : naam;
    LeesAdressen(kaart, r, soort, gebruikt);
    const Telefoons telefoons = LeesTelefoons(kaart, gebruikt);
    r.telefoon = telefoons.vast.isEmpty() ? telefoons.mobiel : telefoons.vast;
    r.fax = telefoons.fax;
    r.email = LeesEmail(kaart, gebruikt);
    if (const VCardEigenschap* url = kaart.Eerste("URL")) {
        r.homePage = url->Tekst().trimmed();
        gebruikt << url;
    }
    r.btwNummer = kaart.Tekst(kBtwEigenschap);
    LeesSoorten(kaart, r, gebruikt);
    LeesNotities(kaart, r, gebruikt);
    r.gewijzigd = LeesTijdstempel(kaart.Tekst("REV"));
    return r;
}

VCardPersoon CVCardVertaling::LeesPersoon(const VCardKaart& kaart, VCardGebruikt& gebruikt) {
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
    const VCardEigenschap* functie = kaart.Eerste("TITLE");
    functie = functie ? functie : kaart.Eerste("ROLE");
    if (functie) {
        p.functie = functie->Tekst().trimmed();
        gebruikt << functie;
    }
    const Telefoons telefoons = LeesTelefoons(kaart, gebruikt);
    p.telefoon = telefoons.vast;
    p.autoTelefoon = telefoons.mobiel;
    p.fax = telefoons.fax;
    p.email = LeesEmail(kaart, gebruikt);
    return p;
}
