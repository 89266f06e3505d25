#pragma once

#include "agenda/LijstKalender.h"
#include "fixture/TestDatabase.h"

#include <memory>
#include <QDateTime>
#include <QVariant>

class CFullRowListCtrl;

// The appointment list on a fresh database and on a clock the test moves, on 1 May 2024.
// A test class takes it as a base and calls Begin in init() and Eind in cleanup().
class KalenderBank {
protected:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CLijstKalender> m_view;
    QDateTime m_nu;

    void Begin();
    void Eind();

    CFullRowListCtrl& Lijst() { return *m_view->GetListCtrl(); }
    void Afspraak(const QString& strTekst, const QDateTime& dt, bool bGemeld = false);
    // A column of the appointment with that text.
    QVariant Veld(const QString& strVeld, const QString& strTekst);
    // Shows the list, nBreedte wide when given, filled as at m_nu.
    void Start(int nBreedte = 0);
    static QDateTime Om(int uur, int minuut = 0, int seconde = 0);
};
