#pragma once

#include <QDateTime>
#include <QString>

// A point in time as a day count since 30 December 1899 with the time of day as the
// fraction, which is how the records keep their dates. It can also be null (no date) or
// invalid (a value that is not a date).
class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    // Text flags of Format: the date part only, or the time part only.
    static constexpr unsigned VAR_DATEVALUEONLY = 0x2;
    static constexpr unsigned VAR_TIMEVALUEONLY = 0x1;

    COleDateTime() = default;
    explicit COleDateTime(double dt) : m_dt(dt) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    explicit COleDateTime(const QDateTime& dt);

    static COleDateTime GetCurrentTime();
    static COleDateTime Null();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    bool IsValid() const { return m_status == valid; }
    bool IsNull() const { return m_status == null; }

    // Sets the date and keeps nothing of the time; answers 0 on success as the platform does.
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    QDateTime ToQDateTime() const; // invalid QDateTime when not valid
    QDate ToQDate() const;
    QTime ToQTime() const;

    // Text in the user's locale: date and time (the time left out at midnight, the date
    // left out on day zero), or one part by flag. Null and invalid give "".
    QString Format(unsigned flags = 0) const;

    // Storage form "YYYY-MM-DD HH:MM:SS"; FromStorageText gives an invalid date for
    // text that is not in that form.
    QString ToStorageText() const;
    static COleDateTime FromStorageText(const QString& text);

    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const { return m_dt < other.m_dt; }
    bool operator>(const COleDateTime& other) const { return m_dt > other.m_dt; }
    bool operator<=(const COleDateTime& other) const { return m_dt <= other.m_dt; }
    bool operator>=(const COleDateTime& other) const { return m_dt >= other.m_dt; }

    double m_dt = 0.0;
    DateTimeStatus m_status = valid;
};
