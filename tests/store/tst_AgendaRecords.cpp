#include "fixture/TestDatabase.h"
#include "platform/dao/DaoException.h"
#include "store/DatabasePath.h"
#include "store/RecLijstKalender.h"
#include "store/RecTeDoen.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

// The two agenda tables: appointments always in the file at the fixed path, to-do items in
// the file of the setting, and the to-do list's sort columns.
class TestAgendaRecords : public QObject {
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<TestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void sortColumnsOfTheToDoList() {
        CRecTeDoen teDoen;
        teDoen.m_strFilter = "[dwIndex] = 3";
        const QList<QPair<int, QString>> cases = {
            {0, "szTekst"}, {1, "lPrio"}, {2, "dtDatumTijd"}, {3, "dtDatumTijd"}, {7, "szTekst"}};
        for (const auto& [kolom, sort] : cases) {
            teDoen.SorteerOp(kolom);
            QCOMPARE(teDoen.m_strSort, sort);
            QCOMPARE(teDoen.m_strFilter, QString());
            QVERIFY(!teDoen.IsOpen());
        }
        m_db->Exec("INSERT INTO TeDoen (lPrio, szTekst, dtDatumTijd) VALUES "
                   "(5, 'bellen', '2024-03-01 09:00:00'), (1, 'Afwassen', "
                   "'2024-01-01 08:00:00'), (9, 'Ëten', '2023-12-31 23:59:59')");
        teDoen.SorteerOp(1);
        teDoen.Open();
        QCOMPARE(teDoen.lPrio, 1);
        teDoen.Close();
        teDoen.SorteerOp(0);
        teDoen.Open();
        QStringList texts;
        for (; !teDoen.IsEOF(); teDoen.MoveNext()) {
            texts << teDoen.szTekst;
        }
        QCOMPARE(texts, (QStringList{"Afwassen", "bellen", "Ëten"}));
        teDoen.Close();
        teDoen.SorteerOp(2);
        teDoen.Open();
        QCOMPARE(teDoen.dtDatumTijd, COleDateTime(2023, 12, 31, 23, 59, 59));
    }

    void appointmentsFollowTheFixedPathAndToDoTheSetting() {
        QCOMPARE(CRecLijstKalender().GetDefaultDBName(), TestDatabase::AppointmentName());
        QCOMPARE(g_strDatabasePath, m_db->Path());
        CRecTeDoen teDoen;
        teDoen.Open();
        teDoen.AddNew();
        teDoen.lPrio = 0;
        teDoen.szTekst = "Offerte nakijken";
        teDoen.dtDatumTijd = COleDateTime::GetCurrentTime();
        teDoen.Update();
        CRecLijstKalender afspraak;
        QCOMPARE(afspraak.bGemeld, 0);
        afspraak.Open();
        QVERIFY(afspraak.IsBOF());
        afspraak.AddNew();
        afspraak.szTekst = "Tandarts";
        afspraak.dtDatumTijdAlarm = COleDateTime(2030, 5, 6, 14, 30, 0);
        afspraak.Update();
        QCOMPARE(m_db->Scalar("SELECT szTekst FROM TeDoen").toString(),
                 QString("Offerte nakijken"));
        QCOMPARE(m_db->Scalar("SELECT count(*) FROM KalenderLijst").toInt(), 0);
        QCOMPARE(m_db->AppointmentScalar("SELECT szTekst || '|' || dtDatumTijdAlarm FROM "
                                         "KalenderLijst")
                     .toString(),
                 QString("Tandarts|2030-05-06 14:30:00"));
        QCOMPARE(m_db->AppointmentScalar("SELECT count(*) FROM TeDoen").toInt(), 0);
        // Not set by a new appointment: stored null, read as not reported.
        QVERIFY(m_db->AppointmentScalar("SELECT bGemeld FROM KalenderLijst").isNull());
        afspraak.Close();
        afspraak.m_strFilter = "[dwIndex] = 1";
        afspraak.m_strSort = "dwIndex";
        afspraak.Open();
        QCOMPARE(afspraak.bGemeld, 0);
        QCOMPARE(afspraak.szTekst, QString("Tandarts"));
    }

    void missingAppointmentFileLeavesToDoAlone() {
        QFile::remove(m_db->AppointmentPath());
        CRecLijstKalender afspraak;
        QVERIFY_THROWS_EXCEPTION(CDaoException, afspraak.Open());
        QVERIFY(!QFile::exists(m_db->AppointmentPath()));
        CRecTeDoen teDoen;
        teDoen.SorteerOp(1);
        teDoen.Open();
        QVERIFY(teDoen.IsBOF());
    }

private:
    std::unique_ptr<TestDatabase> m_db;
};

TOLVAR_ENGINE_TEST(TestAgendaRecords);
#include "tst_AgendaRecords.moc"
