#include "platform/sound/Sound.h"

#include "platform/paths/Paths.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

int g_played = 0;
int g_fallbacks = 0;

QPointer<QSoundEffect>& Current() {
    static QPointer<QSoundEffect> current;
    return current;
}

void Fallback() {
    ++g_fallbacks;
    QApplication::beep();
}

void StopCurrent() {
    if (QSoundEffect* effect = Current()) {
        effect->stop();
        effect->deleteLater();
    }
}

// Follows one sound through loading: it plays once it is ready, or the beep sounds.
void Follow(QSoundEffect* effect) {
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error) {
            Fallback();
            effect->deleteLater();
        } else if (effect->status() == QSoundEffect::Ready) {
            ++g_played;
            effect->play();
        }
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() == QSoundEffect::Ready) {
            effect->deleteLater();
        }
    });
}

} // namespace

void CSound::Play(const QString& fileName) {
    if (fileName.isEmpty()) {
        return;
    }
    StopCurrent();
    const QFileInfo file(CPaths::ToLocalPath(fileName));
    if (!file.isFile() || !file.isReadable() || QMediaDevices::defaultAudioOutput().isNull()) {
        Fallback();
        return;
    }
    auto* effect = new QSoundEffect(qApp);
    Current() = effect;
    Follow(effect);
    effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
}

int CSound::PlayedCount() {
    return g_played;
}
int CSound::FallbackCount() {
    return g_fallbacks;
}
