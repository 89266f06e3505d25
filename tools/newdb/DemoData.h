#pragma once

#include "tools/newdb/DemoStatement.h"
#include <QByteArray>

#include <QDate>
#include <random>

// Fills a new database with relations the way a small firm has them: customers, suppliers
// and private persons with their contact persons, memos, quotations in every status,
// calculations, orders and purchase orders with their memos, some documents not yet tied
// to a relation, to-do items of every priority and appointments before and after today.
// The same number of relations always gives the same rows (agenda dates count from today),
// so that benchmarks and try-outs compare alike.
class CDemoData {
public:
    explicit CDemoData(CDaoEngine& engine);
    CDemoData(const CDemoData&) = delete;
    CDemoData& operator=(const CDemoData&) = delete;

    // Adds nRelaties relations and everything that hangs under them, plus the agenda, in
    // one transaction; throws CDaoException and leaves the file unchanged on failure.
    void Vul(int nRelaties);

    // Adds only appointments, none of them overdue: for the file the agenda reads them from.
    void VulAfspraken(int aantal);

    // The appointments lie within this many days from today.
    static constexpr int kAfsprakenDagen = 28;

private:
    void VulRelatie(int nr);
    qint64 VoegRelatieToe(bool bKlant, bool bLeverancier, bool bPrive);
    void VoegPersonenToe(qint64 relatie, int aantal);
    void VoegRelatieMemosToe(qint64 relatie, int aantal);
    void VoegDocumentenToe(qint64 relatie, bool bKlant, bool bLeverancier);
    qint64 VoegDocumentToe(int soort, qint64 relatie);
    void VoegAgendaToe(int nRelaties);

    int Kans(int n) { return int(m_random() % unsigned(n)); }
    template <typename T, size_t N> const T& Kies(const T (&items)[N]) {
        return items[Kans(int(N))];
    }
    QByteArray Datum(int dagenVanaf, int dagenBereik);
    QByteArray Rtf(const QByteArray& tekst) const;
    QByteArray Telefoon();

    std::mt19937 m_random;
    QDate m_vandaag;
    CDemoStatement m_relatie;
    CDemoStatement m_persoon;
    CDemoStatement m_relatieMemo;
    CDemoStatement m_offerte;
    CDemoStatement m_calculatie;
    CDemoStatement m_order;
    CDemoStatement m_bestelling;
    CDemoStatement m_documentMemo[4];
    CDemoStatement m_teDoen;
    CDemoStatement m_afspraak;
};
