#include "exchange/ICalImport.h"

#include "exchange/UitwisselFout.h"
#include "store/RecLijstKalender.h"

#include <libical/ical.h>

#include <QDateTime>
#include <QTimeZone>

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
    const QDateTime lokaal = LokaleTijd(t, tzid ? icalparameter_get_tzid(tzid) : nullptr);
    const COleDateTime tijd(lokaal);
    const QString sleutel = Sleutel(tekst, tijd);
    if (m_bestaand.contains(sleutel)) {
        ++m_nOvergeslagen;
        return;
    }
    m_bestaand.insert(sleutel);
    m_afspraken.push_back({tekst, tijd});
}

QString CICalImport::Samenvatting() const {
    return QStringLiteral("%1 afspraken nieuw; %2 overgeslagen omdat ze al bestaan")
        .arg(NieuweAfspraken())
        .arg(Overgeslagen());
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
