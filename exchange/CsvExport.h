#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include "platform/dao/DaoTypes.h"

class CDaoDatabase;
class CRecDocument;

// The records of one tab as a table that LibreOffice and the Dutch spreadsheet defaults
// open without asking: UTF-8 with a byte-order mark, ';' between fields, dates as
// dd-mm-jjjj, fields quoted as RFC 4180 says.
class CCsvExport {
public:
    explicit CCsvExport(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

    // The names a tab is asked for by: relaties, personen, offertes, calculaties, orders,
    // bestellingen.
    static QStringList Tabbladen();

    // Throws CUitwisselFout for a name that is not a tab.
    QByteArray Exporteer(const QString& tabblad);
    int AantalRegels() const { return m_nRegels; }

    static QByteArray Veld(const QString& waarde);

private:
    void Regel(const QStringList& velden);
    void Relaties();
    void Personen();
    void Documenten(CRecDocument& document, bool bOfferte);
    void LeesRelatieNamen();

    CDaoDatabase* m_pDatabase;
    QByteArray m_uit;
    QHash<LONG, QString> m_relatieNamen;
    int m_nRegels = 0;
};
