#pragma once

#include <map>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

// A desktop of its own for one test: temporary XDG folders, a mimeapps.list, and desktop
// entries whose program is a script that records what it was asked to open. The real
// xdg-utils run against it. Programs put in Bin() come first on PATH (a test lp, a test
// xdg-email). Everything it changes in the environment is restored when it goes.
class TestDesktop {
public:
    TestDesktop() {
        for (const char* folder : {"config", "data/applications", "share", "etc", "bin"}) {
            QDir(m_root.path()).mkpath(QString::fromLatin1(folder));
        }
        // The MIME database of the system, without the system's programs.
        QFile::link(QStringLiteral("/usr/share/mime"), Path("share/mime"));
        SetEnv("XDG_CONFIG_HOME", Path("config"));
        SetEnv("XDG_DATA_HOME", Path("data"));
        SetEnv("XDG_DATA_DIRS", Path("share"));
        SetEnv("XDG_CONFIG_DIRS", Path("etc"));
        SetEnv("DISPLAY", QStringLiteral(":0"));
        SetEnv("PATH", Bin() + QLatin1Char(':') + qEnvironmentVariable("PATH"));
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "BROWSER", "MAILER"}) {
            SetEnv(name, QString());
        }
    }

    ~TestDesktop() {
        for (const auto& [name, value] : m_saved) {
            if (value.isNull()) {
                qunsetenv(name.constData());
            } else {
                qputenv(name.constData(), value);
            }
        }
    }

    QString Path(const QString& relative) const { return m_root.filePath(relative); }

    // Only the programs put in Bin() are found from here on, so a test means the same with
    // and without the system's own office suite or printer tools.
    void HideSystemPrograms() { SetEnv("PATH", Bin()); }
    QString Bin() const { return Path(QStringLiteral("bin")); }

    // A program in Bin() that records its arguments (one record per call) and exits with
    // the given code.
    QString AddRecorder(const QString& name, int exitCode = 0) {
        const QString script = Bin() + QLatin1Char('/') + name;
        QFile file(script);
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\037' \"$@\" >> '%1'\nprintf '\\036' >> "
                                  "'%1'\nexit %2\n")
                       .arg(RecordFile(name))
                       .arg(exitCode)
                       .toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return script;
    }

    // A desktop entry that runs a recorder, made the default for the MIME types.
    void AddHandler(const QString& name, const QStringList& mimeTypes, const QString& field) {
        const QString program = AddRecorder(name);
        QFile entry(Path(QStringLiteral("data/applications/%1.desktop").arg(name)));
        entry.open(QIODevice::WriteOnly);
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %3\n")
                        .arg(name, program, field)
                        .toUtf8());
        for (const QString& type : mimeTypes) {
            m_defaults += type + QLatin1Char('=') + name + QStringLiteral(".desktop\n");
        }
        QFile list(Path(QStringLiteral("config/mimeapps.list")));
        list.open(QIODevice::WriteOnly);
        list.write("[Default Applications]\n" + m_defaults.toUtf8());
    }

    // The argument lists a recorder was called with, one list per call.
    QList<QStringList> Calls(const QString& name) const {
        QFile file(RecordFile(name));
        QList<QStringList> calls;
        if (!file.open(QIODevice::ReadOnly)) {
            return calls;
        }
        const QString all = QString::fromUtf8(file.readAll());
        for (const QString& call : all.split(QChar(0x1e), Qt::SkipEmptyParts)) {
            QStringList args = call.split(QChar(0x1f));
            args.removeLast();
            calls << args;
        }
        return calls;
    }

    QString WriteFile(const QString& relative, const QByteArray& content) const {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path;
    }

private:
    QString RecordFile(const QString& name) const { return Path(name + QStringLiteral(".calls")); }

    void SetEnv(const char* name, const QString& value) {
        if (m_saved.find(name) == m_saved.end()) {
            m_saved[name] = qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
        }
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value.toUtf8());
        }
    }

    QTemporaryDir m_root;
    QString m_defaults;
    std::map<QByteArray, QByteArray> m_saved;
};
