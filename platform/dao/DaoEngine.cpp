#include "platform/dao/DaoEngine.h"

#include "platform/dao/PgEngine.h"
#include "platform/dao/SqliteEngine.h"

#include <QRegularExpression>

bool CDaoEngine::IsServerAddress(const QString& name) {
    static const QRegularExpression keywords(QStringLiteral("^\\s*[a-z_]+\\s*="));
    const QString trimmed = name.trimmed();
    return trimmed.startsWith(QLatin1String("postgresql://")) ||
           trimmed.startsWith(QLatin1String("postgres://")) || keywords.match(trimmed).hasMatch();
}

QString CDaoEngine::NameOf(const QString& name) {
    return IsServerAddress(name) ? CPgEngine::DisplayNameOf(name) : name;
}

std::unique_ptr<CDaoEngine> CDaoEngine::Connect(const QString& name) {
    if (IsServerAddress(name)) {
        return std::make_unique<CPgEngine>(name);
    }
    return std::make_unique<CSqliteEngine>(name);
}
