#include "platform/dao/OleDateTime.h"

#include <cmath>
#include <QLocale>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;

// Day zero's fraction runs the other way for days before it: -1.25 is 29 December 1899 at
// 06:00, so day and time are taken apart on the absolute fraction.
bool SplitOle(double dt, QDate& date, QTime& time) {
    if (!std::isfinite(dt) || std::fabs(dt) > 2958466.0) {
        return false;
    }
    double whole = std::trunc(dt);
    long long seconds = std::llround(std::fabs(dt - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        whole += dt < 0 ? -1 : 1;
    }
    date = kDayZero.addDays(static_cast<qint64>(whole));
    time = QTime(0, 0).addSecs(static_cast<int>(seconds));
    return date.isValid();
}

double JoinOle(const QDate& date, const QTime& time) {
    const double days = static_cast<double>(kDayZero.daysTo(date));
    const double fraction = QTime(0, 0).secsTo(time) / double(kSecondsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

// The storage form "YYYY-MM-DD HH:MM:SS", read by hand: it comes with every date of every
// row fetched, and as a wall-clock time it needs no time-zone lookup.
bool ParseStorageText(const QString& text, QDate& date, QTime& time) {
    static constexpr int kStart[6] = {0, 5, 8, 11, 14, 17};
    static constexpr int kLength[6] = {4, 2, 2, 2, 2, 2};
    static constexpr char kSeparator[6] = {'-', '-', ' ', ':', ':', '\0'};
    if (text.size() != 19) {
        return false;
    }
    int values[6] = {};
    for (int field = 0; field < 6; ++field) {
        for (int i = kStart[field]; i < kStart[field] + kLength[field]; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9') {
                return false;
            }
            values[field] = values[field] * 10 + (c - u'0');
        }
        const int after = kStart[field] + kLength[field];
        if (kSeparator[field] && text[after] != QLatin1Char(kSeparator[field])) {
            return false;
        }
    }
    date = QDate(values[0], values[1], values[2]);
    time = QTime(values[3], values[4], values[5]);
    return date.isValid() && time.isValid();
}

} // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const QDateTime& dt) {
    if (!dt.isValid()) {
        m_status = invalid;
        return;
    }
    m_dt = JoinOle(dt.date(), QTime(dt.time().hour(), dt.time().minute(), dt.time().second()));
}

COleDateTime COleDateTime::GetCurrentTime() {
    return COleDateTime(QDateTime::currentDateTime());
}

COleDateTime COleDateTime::Null() {
    COleDateTime dt;
    dt.m_status = null;
    return dt;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid() || year < 100 || year > 9999) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = JoinOle(date, time);
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
    const QTime time(hour, minute, second);
    if (!time.isValid()) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = QTime(0, 0).secsTo(time) / double(kSecondsPerDay);
    m_status = valid;
    return 0;
}

QDateTime COleDateTime::ToQDateTime() const {
    QDate date;
    QTime time;
    if (m_status != valid || !SplitOle(m_dt, date, time)) {
        return {};
    }
    return QDateTime(date, time);
}

// Day and time are taken apart without a local date-time in between: that would consult the
// time zone for every value and shift or lose times that fall in a daylight-saving gap.
QDate COleDateTime::ToQDate() const {
    QDate date;
    QTime time;
    return m_status == valid && SplitOle(m_dt, date, time) ? date : QDate();
}
QTime COleDateTime::ToQTime() const {
    QDate date;
    QTime time;
    return m_status == valid && SplitOle(m_dt, date, time) ? time : QTime();
}

int COleDateTime::GetYear() const {
    return ToQDate().year();
}
int COleDateTime::GetMonth() const {
    return ToQDate().month();
}
int COleDateTime::GetDay() const {
    return ToQDate().day();
}
int COleDateTime::GetHour() const {
    return ToQTime().hour();
}
int COleDateTime::GetMinute() const {
    return ToQTime().minute();
}
int COleDateTime::GetSecond() const {
    return ToQTime().second();
}

QString COleDateTime::Format(unsigned flags) const {
    QDate date;
    QTime time;
    if (m_status != valid || !SplitOle(m_dt, date, time)) {
        return {};
    }
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    if (!timeFormat.contains(QLatin1Char('s'))) {
        timeFormat.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    }
    const QString dateText = locale.toString(date, QLocale::ShortFormat);
    const QString timeText = locale.toString(time, timeFormat);
    if (flags & VAR_DATEVALUEONLY) {
        return dateText;
    }
    if (flags & VAR_TIMEVALUEONLY) {
        return timeText;
    }
    const bool hasDate = date != kDayZero;
    const bool hasTime = time != QTime(0, 0);
    if (hasDate && hasTime) {
        return dateText + QLatin1Char(' ') + timeText;
    }
    return hasTime ? timeText : dateText;
}

QString COleDateTime::ToStorageText() const {
    QDate date;
    QTime time;
    if (m_status != valid || !SplitOle(m_dt, date, time)) {
        return {};
    }
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss"));
}

COleDateTime COleDateTime::FromStorageText(const QString& text) {
    QDate date;
    QTime time;
    if (ParseStorageText(text, date, time)) {
        COleDateTime result;
        result.m_dt = JoinOle(date, time);
        result.m_status = valid;
        return result;
    }
    QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid()) {
        dt = QDateTime::fromString(text, Qt::ISODate);
    }
    if (!dt.isValid()) {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (date.isValid()) {
            dt = QDateTime(date, QTime(0, 0));
        }
    }
    COleDateTime result;
    if (!dt.isValid()) {
        result.m_status = invalid;
        return result;
    }
    return COleDateTime(dt);
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    if (m_status != other.m_status) {
        return false;
    }
    return m_status != valid || m_dt == other.m_dt;
}
