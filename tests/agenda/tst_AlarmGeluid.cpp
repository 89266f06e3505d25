#include "agenda/AlarmDlg.h"
#include "fixture/TestDatabase.h"
#include "platform/profile/Profile.h"
#include "platform/sound/Sound.h"
#include "platform/ui/MessageBox.h"
#include "store/RecLijstKalender.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <memory>
#include <QAudioDevice>
#include <QDataStream>
#include <QFile>
#include <QMediaDevices>
#include <QTest>
#include <QtMath>

// The alarm pop-up's sound: the file of the settings at once and on every repeat, nothing
// when no file is set, the platform's beep when the file cannot be played.
class AlarmGeluidTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    static int Aangevraagd() { return CSound::PlayedCount() + CSound::FallbackCount(); }

    // A tenth of a second of a 440 Hz tone, 16-bit mono PCM.
    QString MaakWav() {
        const QString path = m_db->Folder() + QStringLiteral("/alarm.wav");
        const int nRate = 8000;
        const int nSamples = nRate / 10;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return QString();
        }
        QDataStream out(&file);
        out.setByteOrder(QDataStream::LittleEndian);
        const quint32 nData = quint32(nSamples * 2);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + nData);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << quint32(nRate) << quint32(nRate * 2)
            << quint16(2) << quint16(16);
        out.writeRawData("data", 4);
        out << nData;
        for (int n = 0; n < nSamples; ++n) {
            out << qint16(8000 * qSin(2 * M_PI * 440 * n / nRate));
        }
        return path;
    }

    // Opens the pop-up on the one appointment for nOpenMs with the repeat period nHerhaling,
    // then closes it with Escape.
    void ToonPopup(int nHerhaling, int nOpenMs) {
        CRecLijstKalender set;
        set.Open();
        set.Edit();
        CAlarmDlg dlg(&set);
        dlg.SetHerhaling(nHerhaling);
        ModalDriver driver;
        driver.Queue([nOpenMs](QWidget* modal) {
            QTimer::singleShot(nOpenMs, modal, [modal] { PressKey(modal, Qt::Key_Escape); });
        });
        QCOMPARE(dlg.DoModal(), int(IDCANCEL));
        QVERIFY(!dlg.IsGeluidActief());
        set.Update();
        set.Close();
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->AppointmentExec("INSERT INTO KalenderLijst (szTekst, dtDatumTijdAlarm, bGemeld) "
                              "VALUES ('Bel Pieters', '2024-05-01 10:00:00', 0)");
    }
    void cleanup() {
        CProfile::WriteProfileString("Geluiden", "Kalender", QString());
        m_db.reset();
    }

    void speeltMeteenEnHerhaalt() {
        const QString wav = MaakWav();
        QVERIFY(!wav.isEmpty());
        CProfile::WriteProfileString("Geluiden", "Kalender", wav);
        const int nVoor = Aangevraagd();
        const int nGespeeld = CSound::PlayedCount();
        // Open for one and a half periods: the sound at once and one repeat.
        ToonPopup(400, 600);
        QTRY_COMPARE(Aangevraagd(), nVoor + 2);
        if (!QMediaDevices::defaultAudioOutput().isNull()) {
            QVERIFY(CSound::PlayedCount() > nGespeeld);
        }
        QTest::qWait(600); // no repeats once the pop-up is closed
        QCOMPARE(Aangevraagd(), nVoor + 2);
        QCOMPARE(m_db->AppointmentScalar("SELECT bGemeld FROM KalenderLijst").toInt(), 1);
    }

    void stilZonderInstelling() {
        const int nVoor = Aangevraagd();
        const int nBeep = CSound::FallbackCount();
        ToonPopup(100, 450);
        QTest::qWait(100);
        QCOMPARE(Aangevraagd(), nVoor);
        QCOMPARE(CSound::FallbackCount(), nBeep);
    }

    void piepjeAlsHetBestandNietSpeelt() {
        CProfile::WriteProfileString("Geluiden", "Kalender", m_db->Folder() + "/bestaat-niet.wav");
        const int nBeep = CSound::FallbackCount();
        const int nGespeeld = CSound::PlayedCount();
        ToonPopup(5000, 200);
        QTRY_COMPARE(CSound::FallbackCount(), nBeep + 1);
        QCOMPARE(CSound::PlayedCount(), nGespeeld);
    }

    // The setting is read at every repeat: a sound chosen while the pop-up is open is heard.
    void leestDeInstellingOpnieuw() {
        const int nVoor = Aangevraagd();
        const int nBeep = CSound::FallbackCount();
        QTimer::singleShot(100, [this] {
            CProfile::WriteProfileString("Geluiden", "Kalender", m_db->Folder() + "/weg.wav");
        });
        ToonPopup(300, 450);
        QTRY_COMPARE(CSound::FallbackCount(), nBeep + 1);
        QCOMPARE(Aangevraagd(), nVoor + 1);
    }
};

TOLVAR_TEST(AlarmGeluidTest);

#include "tst_AlarmGeluid.moc"
