#include "exchange/ICalExport.h"

#include "store/RecLijstKalender.h"

#include <libical/ical.h>

#include <QDateTime>

namespace {

icaltimetype Utc(qint64 seconden) {
    return icaltime_from_timet_with_zone(time_t(seconden), 0, icaltimezone_get_utc_timezone());
}

icalcomponent* Alarm(const QByteArray& tekst) {
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(tekst.constData()));
    return alarm;
}

} // namespace

QByteArray CICalExport::Exporteer() {
    m_nAfspraken = 0;
    icalcomponent* kalender = icalcomponent_new_vcalendar();
    icalcomponent_add_property(kalender, icalproperty_new_version("2.0"));
    icalcomponent_add_property(kalender, icalproperty_new_prodid("-//Merivon//Tolvar//NL"));
    const icaltimetype nu = Utc(QDateTime::currentSecsSinceEpoch());

    CRecLijstKalender afspraak(m_pAfspraken);
    afspraak.m_strSort = QStringLiteral("dtDatumTijdAlarm");
    for (afspraak.Open(); !afspraak.IsEOF(); afspraak.MoveNext()) {
        if (!afspraak.dtDatumTijdAlarm.IsValid()) {
            continue;
        }
        const qint64 begin = afspraak.dtDatumTijdAlarm.ToQDateTime().toSecsSinceEpoch();
        const QByteArray tekst = afspraak.szTekst.toUtf8();
        // The number and the time together: a changed appointment is a new event to a
        // calendar that already holds the old one.
        const QByteArray uid = "afspraak-" + QByteArray::number(afspraak.dwIndex) + '-' +
                               QByteArray::number(begin) + "@tolvar";
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid(uid.constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(nu));
        icalcomponent_add_property(event, icalproperty_new_dtstart(Utc(begin)));
        icalcomponent_add_property(event, icalproperty_new_summary(tekst.constData()));
        icalcomponent_add_component(event, Alarm(tekst));
        icalcomponent_add_component(kalender, event);
        ++m_nAfspraken;
    }
    char* tekst = icalcomponent_as_ical_string_r(kalender);
    QByteArray uit(tekst);
    free(tekst);
    icalcomponent_free(kalender);
    return uit;
}
