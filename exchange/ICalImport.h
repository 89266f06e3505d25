#pragma once

#include "platform/dao/OleDateTime.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QStringList>

class CDaoDatabase;

// Reads the events of an iCalendar file as appointments: the start, in the time zone the
// file gives it, becomes the local alarm time; an appointment that lies in the past is
// stored as reported, so that importing an old calendar raises no flood of alarms. An
// appointment with the same text at the same time is not added twice.
class CICalImport {
public:
    explicit CICalImport(CDaoDatabase* pAfspraken) : m_pAfspraken(pAfspraken) {}

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

    CDaoDatabase* m_pAfspraken;
    QSet<QString> m_bestaand;
    QList<Afspraak> m_afspraken;
    QStringList m_fouten;
    int m_nOvergeslagen = 0;
};
