#include "exchange/ICalImport.h"

#include "exchange/UitwisselFout.h"
#include "store/RecLijstKalender.h"

#include <libical/ical.h>

#include <QDateTime>
#include <QTimeZone>

#include <optional>

namespace {

QString Sleutel(const QString& tekst, const COleDateTime& tijd) {
    return tekst + QLatin1Char('\x1f') + tijd.ToStorageText();
}

// A zone the file names but does not describe is looked up by name in the system's
// zone database before the time is taken as local.
QDateTime LokaleTijd(const icaltimetype& t, const char* tzid) {
    const QDate datum(t.year, t.month, t.day);
    const QTime tijd = t.is_date ? QTime(0, 0) : QTime(t.hour, t.minute, t.second);
    if (icaltime_is_utc(t)) {
        return QDateTime(datum, tijd, Qt::UTC).toLocalTime();
    }
    if (t.zone && !t.is_date) {
        const icaltimezone* zone = t.zone;
        return QDateTime::fromSecsSinceEpoch(
            qint64(icaltime_as_timet_with_zone(t, const_cast<icaltimezone*>(zone))));
    }
    if (tzid && !t.is_date) {
        // Calendars of Windows programs name their zones the Windows way.
        QTimeZone zone{QByteArray(tzid)};
        if (!zone.isValid()) {
            zone = QTimeZone(QTimeZone::windowsIdToDefaultIanaId(QByteArray(tzid)));
        }
        if (zone.isValid()) {
            return QDateTime(datum, tijd, zone).toLocalTime();
        }
    }
    return QDateTime(datum, tijd);
}

} // namespace

void CICalImport::Lees(const QByteArray& data) {
    if (data.contains('\0')) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand is geen iCalendar-bestand: het bevat binaire "
                           "gegevens in plaats van tekst."));
    }
    if (!data.toUpper().contains("BEGIN:VCALENDAR")) {
        throw CUitwisselFout(QStringLiteral("Het bestand is geen iCalendar-bestand: er staat geen "
                                            "kalender (BEGIN:VCALENDAR) in."));
    }
    icalcomponent* root = icalparser_parse_string(data.constData());
    if (!root) {
        throw CUitwisselFout(QStringLiteral("Het iCalendar-bestand kan niet worden gelezen."));
    }
    LeesBestaande();
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        LeesKalender(root);
    } else {
        for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
            LeesKalender(c);
        }
    }
    icalcomponent_free(root);
}

void CICalImport::LeesBestaande() {
    CRecLijstKalender afspraak(m_pAfspraken);
    for (afspraak.Open(); !afspraak.IsEOF(); afspraak.MoveNext()) {
        m_bestaand.insert(Sleutel(afspraak.szTekst, afspraak.dtDatumTijdAlarm));
    }
}

void CICalImport::LeesKalender(void* kalender) {
    auto* cal = static_cast<icalcomponent*>(kalender);
    for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        LeesEvent(e);
    }
}

// Seconds from the start to the earliest alarm of the event; 0 without an alarm.
qint64 CICalImport::AlarmVoorStart(void* event) {
    auto* e = static_cast<icalcomponent*>(event);
    std::optional<qint64> vroegste;
    for (icalcomponent* alarm = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(e, ICAL_VALARM_COMPONENT)) {
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!trigger) {
            continue;
        }
        const icaltriggertype t = icalproperty_get_trigger(trigger);
        const icaltimetype start = icalcomponent_get_dtstart(e);
        qint64 seconden = 0;
        if (!icaltime_is_null_time(t.time)) {
            seconden =
                qint64(icaltime_as_timet_with_zone(t.time, icaltimezone_get_utc_timezone())) -
                qint64(icaltime_as_timet_with_zone(
                    start, start.zone ? start.zone : icaltimezone_get_utc_timezone()));
        } else {
            seconden = icaldurationtype_as_int(t.duration);
            icalparameter* related =
                icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
            if (related && icalparameter_get_related(related) == ICAL_RELATED_END) {
                seconden += icaldurationtype_as_int(icalcomponent_get_duration(e));
            }
        }
        vroegste = vroegste ? std::min(*vroegste, seconden) : seconden;
    }
    return vroegste.value_or(0);
}

void CICalImport::LeesEvent(void* event) {
    auto* e = static_cast<icalcomponent*>(event);
    const char* summary = icalcomponent_get_summary(e);
    QString tekst = QString::fromUtf8(summary ? summary : "").simplified();
    icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
    const icaltimetype t = start ? icalcomponent_get_dtstart(e) : icaltime_null_time();
    if (!start || icaltime_is_null_time(t) || !icaltime_is_valid_time(t)) {
        m_fouten << QStringLiteral(
                        "Afspraak \"%1\" heeft geen geldige begintijd en is overgeslagen.")
                        .arg(tekst.isEmpty() ? QStringLiteral("(zonder omschrijving)") : tekst);
        return;
    }
    if (tekst.isEmpty()) {
        tekst = QStringLiteral("Afspraak");
    }
    icalparameter* tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
    const char* zone = tzid ? icalparameter_get_tzid(tzid) : nullptr;
    const qint64 alarm = AlarmVoorStart(e);
    if (icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY) ||
        icalcomponent_get_first_property(e, ICAL_RDATE_PROPERTY)) {
        LeesHerhaling(e, tekst, zone, alarm);
    } else {
        Neem(tekst, LokaleTijd(t, zone).addSecs(alarm));
    }
}

namespace {

struct Keren {
    QList<time_t> starts;
    bool bTeVeel = false;
};

void NeemKeer(icalcomponent*, icaltime_span* span, void* data) {
    auto* keren = static_cast<Keren*>(data);
    if (keren->starts.size() < CICalImport::kMaxKeren) {
        keren->starts << span->start;
    } else {
        keren->bTeVeel = true;
    }
}

} // namespace

// A repeating event comes in as the appointments of its occurrences from today to a year
// ahead, as libical works them out from RRULE, RDATE and EXDATE. libical counts a time
// without a zone it knows as UTC; such a time is put back on the wall clock and read in its
// own zone, as a single event's is.
void CICalImport::LeesHerhaling(void* event, const QString& tekst, const char* zone, qint64 alarm) {
    auto* e = static_cast<icalcomponent*>(event);
    for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(e, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype regel = icalproperty_get_rrule(p);
        if (regel.freq == ICAL_SECONDLY_RECURRENCE || regel.freq == ICAL_MINUTELY_RECURRENCE) {
            m_fouten << QStringLiteral("Afspraak \"%1\" herhaalt zich elke seconde of minuut en is "
                                       "overgeslagen.")
                            .arg(tekst);
            return;
        }
    }
    const QDateTime van(QDate::currentDate(), QTime(0, 0));
    const QDateTime tot = van.addYears(1);
    icaltimezone* utc = icaltimezone_get_utc_timezone();
    // A day's margin on both sides covers every zone; the exact bounds follow below.
    Keren keren;
    icalcomponent_foreach_recurrence(
        e, icaltime_from_timet_with_zone(time_t(van.toSecsSinceEpoch() - 86400), 0, utc),
        icaltime_from_timet_with_zone(time_t(tot.toSecsSinceEpoch() + 86400), 0, utc), NeemKeer,
        &keren);
    const icaltimetype t = icalcomponent_get_dtstart(e);
    int nieuw = 0;
    for (const time_t begin : keren.starts) {
        const QDateTime lokaal =
            t.zone && !t.is_date
                ? QDateTime::fromSecsSinceEpoch(qint64(begin))
                : LokaleTijd(icaltime_from_timet_with_zone(begin, t.is_date, nullptr), zone);
        if (lokaal >= van && lokaal < tot) {
            nieuw += Neem(tekst, lokaal.addSecs(alarm));
        }
    }
    if (keren.bTeVeel) {
        m_fouten << QStringLiteral(
                        "Afspraak \"%1\" herhaalt zich vaker dan %2 keer in een jaar; alleen de "
                        "eerste %2 keer zijn ingelezen.")
                        .arg(tekst)
                        .arg(kMaxKeren);
    }
    ++m_nHerhaald;
    m_nKeren += nieuw;
}

bool CICalImport::Neem(const QString& tekst, const QDateTime& lokaal) {
    const COleDateTime tijd(lokaal);
    const QString sleutel = Sleutel(tekst, tijd);
    if (m_bestaand.contains(sleutel)) {
        ++m_nOvergeslagen;
        return false;
    }
    m_bestaand.insert(sleutel);
    m_afspraken.push_back({tekst, tijd});
    return true;
}

QString CICalImport::Samenvatting() const {
    QString tekst = QStringLiteral("%1 afspraken nieuw; %2 overgeslagen omdat ze al bestaan")
                        .arg(NieuweAfspraken())
                        .arg(Overgeslagen());
    if (m_nHerhaald) {
        tekst += QStringLiteral(
                     "; %1 daarvan zijn de keren van %2 herhaalde afspraken, van vandaag tot over "
                     "een jaar")
                     .arg(m_nKeren)
                     .arg(m_nHerhaald);
    }
    return tekst;
}

void CICalImport::Bewaar() {
    CRecLijstKalender afspraak(m_pAfspraken);
    afspraak.m_strFilter = QStringLiteral("[dwIndex] = 0");
    afspraak.Open();
    const COleDateTime nu = COleDateTime::GetCurrentTime();
    afspraak.BeginTrans();
    try {
        for (const Afspraak& a : m_afspraken) {
            afspraak.AddNew();
            afspraak.szTekst = a.tekst;
            afspraak.dtDatumTijdAlarm = a.tijd;
            afspraak.bGemeld = a.tijd < nu;
            afspraak.Update();
        }
        afspraak.CommitTrans();
    } catch (...) {
        afspraak.Rollback();
        throw;
    }
}
