#include "exchange/CsvImport.h"

#include "exchange/CsvFormule.h"
#include "exchange/StraatRegel.h"
#include "exchange/UitwisselFout.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"

#include <QDate>

#include <algorithm>
#include <QRegularExpression>

#include <optional>

namespace {

QString Postcode(const QString& tekst) {
    QString schoon = tekst.toUpper();
    schoon.remove(QLatin1Char(' '));
    return schoon;
}

std::optional<bool> JaNee(const QString& tekst) {
    static const QStringList ja{"ja", "j", "1", "true", "x", "waar", "yes", "y"};
    static const QStringList nee{"nee", "n", "0", "false", "", "onwaar", "no"};
    const QString woord = tekst.toLower();
    if (ja.contains(woord)) {
        return true;
    }
    if (nee.contains(woord)) {
        return false;
    }
    return std::nullopt;
}

// dd-mm-jjjj as the Dutch spreadsheet writes it, jjjj-mm-dd as databases do; '/' and '.'
// between the parts as well.
std::optional<COleDateTime> Datum(const QString& tekst) {
    if (tekst.isEmpty()) {
        return COleDateTime::Null();
    }
    static const QRegularExpression dmj(QStringLiteral("^(\\d{1,2})[-/.](\\d{1,2})[-/.](\\d{4})$"));
    static const QRegularExpression jmd(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    QDate datum;
    if (const auto m = dmj.match(tekst); m.hasMatch()) {
        datum = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    } else if (const auto m = jmd.match(tekst); m.hasMatch()) {
        datum = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    if (!datum.isValid()) {
        return std::nullopt;
    }
    return COleDateTime(QDateTime(datum, QTime(0, 0)));
}

int RegelVan(const QString& fout) {
    static const QRegularExpression nummer(QStringLiteral("^\\D*(\\d+)"));
    return nummer.match(fout).captured(1).toInt();
}

} // namespace

CCsvImport::CCsvImport(CDaoDatabase* pDatabase, bool bPersonen)
    : m_pDatabase(pDatabase), m_bPersonen(bPersonen) {}

QString CCsvImport::Sleutel(const QString& tekst) {
    return tekst.simplified().toCaseFolded();
}

void CCsvImport::Lees(const QByteArray& data) {
    m_tabel = CCsvLezer::Lees(data);
    QList<CsvVeld> kolommen;
    for (const QString& naam : m_tabel.kop) {
        const CsvVeld veld = CCsvKolom::Herken(m_bPersonen, naam);
        // A field named twice is read from its first column.
        kolommen << (kolommen.contains(veld) ? CsvVeld::Geen : veld);
    }
    LeesBestaande();
    ZetKolommen(kolommen);
}

void CCsvImport::LeesBestaande() {
    CRecRelatie relatie(m_pDatabase);
    for (relatie.Open(); !relatie.IsEOF(); relatie.MoveNext()) {
        m_relatieNummers.insert(relatie.lRelatieNummer);
        m_relatieVanNaam[Sleutel(relatie.szInLijst)] << relatie.lRelatieNummer;
        if (Sleutel(relatie.szVolleNaam) != Sleutel(relatie.szInLijst)) {
            m_relatieVanNaam[Sleutel(relatie.szVolleNaam)] << relatie.lRelatieNummer;
        }
        if (!m_bPersonen) {
            m_bestaandeNamen.insert(Sleutel(relatie.szInLijst) + QLatin1Char('\x1f') +
                                    Postcode(relatie.szBezoekPostcode));
            m_bestaandeEmails.insert(Sleutel(relatie.szEmailAdres));
        }
    }
    if (m_bPersonen) {
        CRecPersoon persoon(m_pDatabase);
        for (persoon.Open(); !persoon.IsEOF(); persoon.MoveNext()) {
            m_bestaandeNamen.insert(
                QStringLiteral("%1\x1f%2\x1f%3")
                    .arg(persoon.dwRelatieNummer)
                    .arg(Sleutel(persoon.szVoorNaam), Sleutel(persoon.szAchterNaam)));
            m_bestaandeEmails.insert(Sleutel(persoon.szEmail));
        }
    }
    m_bestaandeEmails.remove(QString());
}

void CCsvImport::ZetKolommen(const QList<CsvVeld>& kolommen) {
    m_kolommen = kolommen;
    m_kolomVan.clear();
    for (qsizetype i = 0; i < m_kolommen.size(); ++i) {
        if (m_kolommen[i] != CsvVeld::Geen && !m_kolomVan.contains(int(m_kolommen[i]))) {
            m_kolomVan.insert(int(m_kolommen[i]), int(i));
        }
    }
    Beoordeel();
}

void CCsvImport::ZetKolommen(const QString& keuze) {
    const QStringList namen = keuze.split(QLatin1Char(','));
    if (namen.size() > m_kolommen.size()) {
        throw CUitwisselFout(
            QStringLiteral("De kolomkeuze noemt %1 kolommen; het bestand heeft er %2.")
                .arg(namen.size())
                .arg(m_kolommen.size()));
    }
    QList<CsvVeld> kolommen = m_kolommen;
    for (qsizetype i = 0; i < namen.size(); ++i) {
        const QString naam = namen[i].trimmed();
        if (naam == QLatin1String("-")) {
            kolommen[i] = CsvVeld::Geen;
        } else if (!naam.isEmpty()) {
            kolommen[i] = CCsvKolom::Herken(m_bPersonen, naam);
            if (kolommen[i] == CsvVeld::Geen) {
                QStringList bekend;
                for (const CsvVeld veld : CCsvKolom::Velden(m_bPersonen)) {
                    bekend << CCsvKolom::Naam(veld);
                }
                throw CUitwisselFout(
                    QStringLiteral(
                        "Onbekende kolom '%1' in de kolomkeuze; kies uit %2, of '-' om de kolom "
                        "over te slaan.")
                        .arg(naam, bekend.join(QStringLiteral(", "))));
            }
        }
    }
    ZetKolommen(kolommen);
}

QStringList CCsvImport::NietIngelezen() const {
    QStringList namen;
    for (qsizetype i = 0; i < m_kolommen.size(); ++i) {
        if (m_kolommen[i] == CsvVeld::Geen) {
            namen << m_tabel.kop.value(i);
        }
    }
    return namen;
}

// Blanks around a value are the spreadsheet's, not the user's; the apostrophe before a
// formula is the export's.
QString CCsvImport::Waarde(const CsvRij& rij, CsvVeld veld) const {
    const int kolom = m_kolomVan.value(int(veld), -1);
    if (kolom < 0 || kolom >= rij.velden.size()) {
        return {};
    }
    QString waarde = rij.velden[kolom];
    qsizetype begin = 0;
    qsizetype einde = waarde.size();
    while (begin < einde && waarde[begin] == QLatin1Char(' ')) {
        ++begin;
    }
    while (einde > begin && waarde[einde - 1] == QLatin1Char(' ')) {
        --einde;
    }
    return CCsvFormule::Herstel(waarde.sliced(begin, einde - begin));
}

void CCsvImport::Beoordeel() {
    m_namen = m_bestaandeNamen;
    m_emails = m_bestaandeEmails;
    m_relaties.clear();
    m_personen.clear();
    m_nOvergeslagen = 0;
    m_fouten = m_tabel.fouten;
    const qsizetype nKolommen = m_tabel.kop.size();
    for (const CsvRij& rij : m_tabel.rijen) {
        QString fout;
        bool nieuw = false;
        if (rij.velden.size() > nKolommen) {
            fout = QStringLiteral("de regel heeft %1 velden; de eerste regel noemt er %2.")
                       .arg(rij.velden.size())
                       .arg(nKolommen);
        } else if (m_bPersonen) {
            CRelatieOpslag::Persoon persoon;
            fout = LeesPersoon(rij, persoon);
            nieuw = fout.isEmpty() && IsNieuwePersoon(persoon);
        } else {
            VCardRelatie relatie;
            fout = LeesRelatie(rij, relatie);
            nieuw = fout.isEmpty() && IsNieuweRelatie(relatie);
        }
        if (!fout.isEmpty()) {
            m_fouten << QStringLiteral("Regel %1: %2").arg(rij.regel).arg(fout);
        } else if (!nieuw) {
            ++m_nOvergeslagen;
        }
    }
    std::stable_sort(m_fouten.begin(), m_fouten.end(),
                     [](const QString& a, const QString& b) { return RegelVan(a) < RegelVan(b); });
}

QString CCsvImport::LeesRelatie(const CsvRij& rij, VCardRelatie& r) const {
    const QString naam = Waarde(rij, CsvVeld::Naam);
    const QString volleNaam = Waarde(rij, CsvVeld::VolleNaam);
    const QString weergave = Waarde(rij, CsvVeld::Weergave);
    r.inLijst = !weergave.isEmpty() ? weergave : !naam.isEmpty() ? naam : volleNaam;
    if (r.inLijst.isEmpty()) {
        return QStringLiteral("de relatie heeft geen naam.");
    }
    r.volleNaam = Heeft(CsvVeld::VolleNaam)                          ? volleNaam
                  : Heeft(CsvVeld::Weergave) && Heeft(CsvVeld::Naam) ? naam
                                                                     : r.inLijst;
    if (Heeft(CsvVeld::Huisnummer)) {
        r.bezoekStraat = Waarde(rij, CsvVeld::Straat);
        r.bezoekNummer = Waarde(rij, CsvVeld::Huisnummer);
    } else {
        CStraatRegel::Splits(Waarde(rij, CsvVeld::Straat), r.bezoekStraat, r.bezoekNummer);
    }
    r.bezoekPostcode = Waarde(rij, CsvVeld::Postcode);
    r.bezoekWoonplaats = Waarde(rij, CsvVeld::Plaats);
    r.postBus = Waarde(rij, CsvVeld::Postbus);
    r.afleverStraat = Waarde(rij, CsvVeld::AfleverStraat);
    r.afleverNummer = Waarde(rij, CsvVeld::AfleverNummer);
    r.afleverPostcode = Waarde(rij, CsvVeld::AfleverPostcode);
    r.afleverPlaats = Waarde(rij, CsvVeld::AfleverPlaats);
    r.telefoon = Waarde(rij, CsvVeld::Telefoon);
    r.fax = Waarde(rij, CsvVeld::Fax);
    r.email = Waarde(rij, CsvVeld::Email);
    r.homePage = Waarde(rij, CsvVeld::Website);
    r.btwNummer = Waarde(rij, CsvVeld::BtwNummer);
    r.algemeneMemo = Waarde(rij, CsvVeld::Memo);
    for (const auto& [veld, doel] :
         {std::pair{CsvVeld::Klant, &r.klant}, std::pair{CsvVeld::Leverancier, &r.leverancier},
          std::pair{CsvVeld::Prive, &r.prive}}) {
        const std::optional<bool> ja = JaNee(Waarde(rij, veld));
        if (!ja) {
            return QStringLiteral("'%1' in de kolom %2 is geen ja of nee.")
                .arg(Waarde(rij, veld), CCsvKolom::Naam(veld));
        }
        *doel = *ja;
    }
    const std::optional<COleDateTime> gewijzigd = Datum(Waarde(rij, CsvVeld::Gewijzigd));
    if (!gewijzigd) {
        return QStringLiteral("'%1' in de kolom %2 is geen datum (dd-mm-jjjj of jjjj-mm-dd).")
            .arg(Waarde(rij, CsvVeld::Gewijzigd), CCsvKolom::Naam(CsvVeld::Gewijzigd));
    }
    r.gewijzigd = *gewijzigd;
    return {};
}

// The relation is looked for by number, list name or full name, and never guessed: a name
// that fits no relation, or more than one, makes the row unreadable.
QString CCsvImport::LeesPersoon(const CsvRij& rij, CRelatieOpslag::Persoon& persoon) const {
    VCardPersoon& p = persoon.second;
    p.voorNaam = Waarde(rij, CsvVeld::Voornaam);
    p.achterNaam = Waarde(rij, CsvVeld::Achternaam);
    if (p.voorNaam.isEmpty() && p.achterNaam.isEmpty()) {
        return QStringLiteral("de persoon heeft geen naam.");
    }
    p.relatie = Waarde(rij, CsvVeld::Relatie);
    if (p.relatie.isEmpty()) {
        return QStringLiteral("bij de persoon staat geen relatie.");
    }
    bool getal = false;
    const LONG nummer = p.relatie.toInt(&getal);
    QList<LONG> kandidaten = getal && m_relatieNummers.contains(nummer)
                                 ? QList<LONG>{nummer}
                                 : m_relatieVanNaam.value(Sleutel(p.relatie));
    std::sort(kandidaten.begin(), kandidaten.end());
    kandidaten.erase(std::unique(kandidaten.begin(), kandidaten.end()), kandidaten.end());
    if (kandidaten.isEmpty()) {
        return QStringLiteral("de relatie '%1' bestaat niet.").arg(p.relatie);
    }
    if (kandidaten.size() > 1) {
        return QStringLiteral("er zijn %1 relaties met de naam '%2'.")
            .arg(kandidaten.size())
            .arg(p.relatie);
    }
    persoon.first.lBestaand = kandidaten.front();
    p.telefoon = Waarde(rij, CsvVeld::Telefoon);
    p.autoTelefoon = Waarde(rij, CsvVeld::Mobiel);
    p.fax = Waarde(rij, CsvVeld::Fax);
    p.email = Waarde(rij, CsvVeld::Email);
    p.afdeling = Waarde(rij, CsvVeld::Afdeling);
    p.functie = Waarde(rij, CsvVeld::Functie);
    return {};
}

bool CCsvImport::IsNieuweRelatie(const VCardRelatie& r) {
    const QString naam = Sleutel(r.inLijst) + QLatin1Char('\x1f') + Postcode(r.bezoekPostcode);
    const QString email = Sleutel(r.email);
    if (m_namen.contains(naam) || (!email.isEmpty() && m_emails.contains(email))) {
        return false;
    }
    m_namen.insert(naam);
    m_emails.insert(email);
    m_relaties.push_back(r);
    return true;
}

bool CCsvImport::IsNieuwePersoon(const CRelatieOpslag::Persoon& persoon) {
    const VCardPersoon& p = persoon.second;
    const QString naam = QStringLiteral("%1\x1f%2\x1f%3")
                             .arg(persoon.first.lBestaand)
                             .arg(Sleutel(p.voorNaam), Sleutel(p.achterNaam));
    const QString email = Sleutel(p.email);
    if (m_namen.contains(naam) || (!email.isEmpty() && m_emails.contains(email))) {
        return false;
    }
    m_namen.insert(naam);
    m_emails.insert(email);
    m_personen.push_back(persoon);
    return true;
}

QString CCsvImport::Samenvatting() const {
    return (m_bPersonen ? QStringLiteral(
                              "%1 personen nieuw, %2 overgeslagen omdat ze al bestaan, %3 regels "
                              "niet leesbaar")
                        : QStringLiteral(
                              "%1 relaties nieuw, %2 overgeslagen omdat ze al bestaan, %3 regels "
                              "niet leesbaar"))
        .arg(Nieuw())
        .arg(Overgeslagen())
        .arg(NietLeesbaar());
}

void CCsvImport::Bewaar(const Voortgang& voortgang) {
    CRelatieOpslag::Bewaar(m_pDatabase, m_relaties, m_personen, voortgang);
}
