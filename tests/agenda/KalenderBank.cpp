#include "KalenderBank.h"

#include "AgendaHulp.h"
#include "controls/FullRowListCtrl.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"

#include <QTest>

void KalenderBank::Begin() {
    MessageBoxLog().clear();
    m_db = std::make_unique<TestDatabase>();
    m_nu = Om(10);
}

void KalenderBank::Eind() {
    m_view.reset();
    m_db.reset();
}

void KalenderBank::Afspraak(const QString& strTekst, const QDateTime& dt, bool bGemeld) {
    m_db->AppointmentExec(QStringLiteral("INSERT INTO KalenderLijst (szTekst, "
                                         "dtDatumTijdAlarm, bGemeld) VALUES ('%1', '%2', %3)")
                              .arg(strTekst, AgendaHulp::Opslag(dt))
                              .arg(bGemeld ? 1 : 0));
}

QVariant KalenderBank::Veld(const QString& strVeld, const QString& strTekst) {
    return m_db->AppointmentScalar(
        QStringLiteral("SELECT %1 FROM KalenderLijst WHERE szTekst = '%2'").arg(strVeld, strTekst));
}

void KalenderBank::Start(int nBreedte) {
    m_view = std::make_unique<CLijstKalender>();
    m_view->SetKlok([this] { return AgendaHulp::Ole(m_nu); });
    if (nBreedte > 0) {
        m_view->resize(nBreedte, nBreedte / 2);
    }
    m_view->show();
    QVERIFY(Guarded([this] { m_view->OnInitialUpdate(); }, m_view.get()));
}

QDateTime KalenderBank::Om(int uur, int minuut, int seconde) {
    return QDateTime(QDate(2024, 5, 1), QTime(uur, minuut, seconde));
}
