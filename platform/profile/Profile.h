#pragma once

#include <QString>

// The per-user settings: one section per group, one entry per value, every read with its
// default so that a missing setting is never an error. Stored in the desktop's settings
// folder under the organisation name chosen at start-up and the application name, in a file
// a user may edit by hand: values read back as the text written there.
class CProfile {
public:
    // Chooses the branch: ~/.config/<organisation>/<application>.conf.
    static void SetRegistryKey(const QString& organisation,
                               const QString& application = QStringLiteral("Tolvar"));

    // The settings file of the chosen branch.
    static QString FileName();

    static int GetProfileInt(const QString& section, const QString& entry, int defaultValue);
    static QString GetProfileString(const QString& section, const QString& entry,
                                    const QString& defaultValue = QString());
    static bool WriteProfileInt(const QString& section, const QString& entry, int value);
    // A failed write leaves the file as it was and answers false; LastWriteError then says
    // why, in Dutch.
    static bool WriteProfileString(const QString& section, const QString& entry,
                                   const QString& value);
    static QString LastWriteError();
};
