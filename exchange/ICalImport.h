#pragma once

#include "platform/dao/OleDateTime.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QStringList>

class CDaoDatabase;

// Reads the events of an iCalendar file as appointments: the start, in the time zone the
// file gives it and moved forward by the event's alarm (TRIGGER), becomes the local alarm
// time; a repeating event becomes its occurrences of the coming year. An appointment that
// lies in the past is
// stored as reported, so that importing an old calendar raises no flood of alarms. An
// appointment with the same text at the same time is not added twice.
class CICalImport {
public:
    explicit CICalImport(CDaoDatabase* pAfspraken) : m_pAfspraken(pAfspraken) {}

    // The most occurrences one repeating event brings in: an hourly event of a year is not
    // an agenda, and would bury it.
    static constexpr int kMaxKeren = 1000;

    // Throws CUitwisselFout when the data is not an iCalendar file at all.
    void Lees(const QByteArray& data);

    int NieuweAfspraken() const { return int(m_afspraken.size()); }
    int Overgeslagen() const { return m_nOvergeslagen; }
    const QStringList& Fouten() const { return m_fouten; }
    QString Samenvatting() const;

    // Stores what Lees found, in one transaction.
    void Bewaar();

private:
    struct Afspraak {
        QString tekst;
        COleDateTime tijd;
    };

    void LeesBestaande();
    void LeesKalender(void* kalender);
    void LeesEvent(void* event);
    void LeesHerhaling(void* event, const QString& tekst, const char* zone, qint64 alarm);
    static qint64 AlarmVoorStart(void* event);
    bool Neem(const QString& tekst, const QDateTime& lokaal);

    CDaoDatabase* m_pAfspraken;
    QSet<QString> m_bestaand;
    QList<Afspraak> m_afspraken;
    QStringList m_fouten;
    int m_nOvergeslagen = 0;
    int m_nHerhaald = 0;
    int m_nKeren = 0;
};
