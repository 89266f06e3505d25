#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// A settings file as a user may write it by hand, read the way Windows reads its profile
// files: section and entry names in any case, each value the text after "=" exactly as
// written (backslashes, commas and accents are not escapes or lists), with the blanks around
// it dropped and one pair of surrounding double quotes removed. Writing a value replaces
// only its own line, or adds it, and keeps every other line as it was.
class CProfileFile {
public:
    explicit CProfileFile(QString path);

    std::optional<QString> Value(const QString& section, const QString& entry) const;

    // Stores the value and writes the file whole or not at all. A value cannot span lines.
    bool SetValue(const QString& section, const QString& entry, const QString& value);
    // Why the last SetValue failed, in Dutch.
    QString ErrorText() const { return m_error; }

private:
    struct Position {
        qsizetype sectionLine = -1;
        qsizetype entryLine = -1;
        qsizetype lastEntryLine = -1;
    };

    Position Find(const QString& section, const QString& entry) const;
    bool Save();

    QString m_path;
    QStringList m_lines;
    bool m_unreadable = false;
    QString m_error;
};
