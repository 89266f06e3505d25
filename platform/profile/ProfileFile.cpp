#include "platform/profile/ProfileFile.h"

#include "platform/files/WholeFile.h"
#include "platform/rtf/RtfCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// A file saved by an old Windows editor is in the Western code page rather than UTF-8.
QString Decode(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? CRtfCodePage().Decode(bytes, CRtfCodePage::kWindowsWestern) : text;
}

std::optional<QString> SectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (!trimmed.startsWith(QLatin1Char('[')) || close < 0) {
        return std::nullopt;
    }
    return trimmed.mid(1, close - 1).trimmed();
}

bool IsComment(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString Unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
        value.endsWith(QLatin1Char('"'))) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

// Quotes only what reading would otherwise change.
QString Quoted(const QString& value) {
    const bool needed =
        value != value.trimmed() || (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
                                     value.endsWith(QLatin1Char('"')));
    return needed ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

} // namespace

CProfileFile::CProfileFile(QString path) : m_path(std::move(path)) {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        // A file that is there but cannot be read must not be replaced by the one value.
        m_unreadable = file.exists();
        return;
    }
    m_lines = Decode(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : m_lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    if (!m_lines.isEmpty() && m_lines.last().isEmpty()) {
        m_lines.removeLast();
    }
}

CProfileFile::Position CProfileFile::Find(const QString& section, const QString& entry) const {
    Position found;
    bool inSection = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        if (const auto name = SectionName(line)) {
            // The first section of that name counts, as a second one is never reached.
            if (found.sectionLine >= 0) {
                break;
            }
            inSection = SameName(*name, section);
            if (inSection) {
                found.sectionLine = found.lastEntryLine = i;
            }
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inSection || IsComment(line) || equals < 0) {
            continue;
        }
        found.lastEntryLine = i;
        if (found.entryLine < 0 && SameName(line.left(equals).trimmed(), entry)) {
            found.entryLine = i;
        }
    }
    return found;
}

std::optional<QString> CProfileFile::Value(const QString& section, const QString& entry) const {
    const Position at = Find(section, entry);
    if (at.entryLine < 0) {
        return std::nullopt;
    }
    const QString& line = m_lines[at.entryLine];
    return Unquoted(line.mid(line.indexOf(QLatin1Char('=')) + 1));
}

bool CProfileFile::SetValue(const QString& section, const QString& entry, const QString& value) {
    if (m_unreadable) {
        m_error = QStringLiteral("Het bestaande bestand kan niet worden gelezen.");
        return false;
    }
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        m_error = QStringLiteral("Een waarde kan niet over meer regels lopen.");
        return false;
    }
    const Position at = Find(section, entry);
    if (at.entryLine >= 0) {
        const QString& line = m_lines[at.entryLine];
        m_lines[at.entryLine] =
            line.left(line.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + Quoted(value);
    } else if (at.sectionLine >= 0) {
        m_lines.insert(at.lastEntryLine + 1, entry + QLatin1Char('=') + Quoted(value));
    } else {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) {
            m_lines.append(QString());
        }
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(entry + QLatin1Char('=') + Quoted(value));
    }
    return Save();
}

bool CProfileFile::Save() {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return CWholeFile::Write(m_path, (m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(),
                             &m_error);
}
