#include "support/TestRegistry.h"

#include "platform/paths/Paths.h"
#include "platform/sound/Sound.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

namespace {

// A tenth of a second of silence: 8 kHz, 16-bit mono PCM.
QByteArray SilentWav() {
    const quint32 samples = 800;
    const quint32 dataSize = samples * 2;
    QByteArray wav;
    const auto put32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    const auto put16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    put32(36 + dataSize);
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    wav.append("data");
    put32(dataSize);
    wav.append(QByteArray(int(dataSize), '\0'));
    return wav;
}

struct Outcome {
    int played;
    int fallbacks;
};

Outcome Counts() {
    return {CSound::PlayedCount(), CSound::FallbackCount()};
}

} // namespace

// Alarm sounds: played when they can be, the beep when they cannot, nothing for no name.
class SoundTest : public QObject {
    Q_OBJECT
private slots:
    void emptyNamePlaysNothing() {
        const Outcome before = Counts();
        CSound::Play(QString());
        QTest::qWait(200);
        QCOMPARE(CSound::PlayedCount(), before.played);
        QCOMPARE(CSound::FallbackCount(), before.fallbacks);
    }

    void unplayableFilesBeep_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QStringLiteral("weg.wav") << QByteArray();
        QTest::newRow("not a sound")
            << QStringLiteral("tekst.wav") << QByteArray("dit is geen geluid\n");
        QTest::newRow("missing on a drive")
            << QStringLiteral("C:\\Geluiden\\weg.wav") << QByteArray();
    }

    void unplayableFilesBeep() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QString path = name.contains(QLatin1Char(':')) ? name : dir.filePath(name);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const Outcome before = Counts();
        CSound::Play(path);
        QTRY_COMPARE(CSound::FallbackCount(), before.fallbacks + 1);
        QCOMPARE(CSound::PlayedCount(), before.played);
    }

    void playsWavFileOnTheSoundDevice() {
        QTemporaryDir dir;
        QDir().mkpath(CPaths::DataFolder() + QStringLiteral("/drive_c/Geluiden"));
        const QString path = CPaths::DataFolder() + QStringLiteral("/drive_c/Geluiden/alarm.wav");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SilentWav());
        file.close();
        const bool device = !QMediaDevices::defaultAudioOutput().isNull();
        const Outcome before = Counts();

        CSound::Play(QStringLiteral("C:\\Geluiden\\alarm.wav"));
        // Without a sound device the file cannot be heard: the beep stands in.
        QTRY_COMPARE(CSound::PlayedCount() + CSound::FallbackCount(),
                     before.played + before.fallbacks + 1);
        QCOMPARE(CSound::PlayedCount(), before.played + (device ? 1 : 0));
    }
};

TOLVAR_TEST(SoundTest);

#include "tst_Sound.moc"
