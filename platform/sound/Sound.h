#pragma once

#include <QString>

// Plays a WAV file by name, asynchronously, with the platform beep as the fallback when the
// file cannot be played (missing, unreadable, not a sound, no sound device). A new sound
// replaces the one still playing; an empty name plays nothing.
class CSound {
public:
    static void Play(const QString& fileName);

    // What became of the sounds asked for so far: started on the sound device, or replaced
    // by the beep. A request is counted once its outcome is known (loading is asynchronous).
    static int PlayedCount();
    static int FallbackCount();
};
