#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// The desktop's own command-line tools (xdg-utils, CUPS). Every program is started with an
// argument list and never through a shell, so a file name is always one argument whatever
// characters it holds.
class CDesktopTools {
public:
    // The full path of a program found on PATH, or empty.
    static QString FindProgram(const QString& name);

    // Runs a program to its end and answers what it printed (trimmed) when it exited with 0;
    // nothing when it is missing, failed or took longer than the time allowed.
    static std::optional<QString> Query(const QString& program, const QStringList& arguments,
                                        int timeoutMs = 10000);

    // Runs a program to its end and answers whether it exited with 0.
    static bool Run(const QString& program, const QStringList& arguments, int timeoutMs = 10000);

    // Starts a program that lives on by itself (a viewer, a composer).
    static bool StartDetached(const QString& program, const QStringList& arguments);

    // The MIME type the desktop gives the file: by its name first, by its content when the
    // name says nothing.
    static QString FileType(const QString& path);

    // The desktop entry that opens this type or the nearest type it derives from, as the
    // desktop's own launcher would pick it; empty when no program is known.
    static QString DefaultHandler(const QString& mimeType);
};
