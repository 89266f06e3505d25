#include "platform/profile/Profile.h"

#include <QSettings>

namespace {

QString& Organisation() {
    static QString organisation = QStringLiteral("Merivon");
    return organisation;
}

QString& Application() {
    static QString application = QStringLiteral("Tolvar");
    return application;
}

QString Key(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}

} // namespace

void CProfile::SetRegistryKey(const QString& organisation, const QString& application) {
    Organisation() = organisation;
    Application() = application;
}

int CProfile::GetProfileInt(const QString& section, const QString& entry, int defaultValue) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation(),
                       Application());
    bool ok = false;
    const int value = settings.value(Key(section, entry)).toInt(&ok);
    return ok ? value : defaultValue;
}

QString CProfile::GetProfileString(const QString& section, const QString& entry,
                                   const QString& defaultValue) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation(),
                       Application());
    const QVariant value = settings.value(Key(section, entry));
    return value.isValid() ? value.toString() : defaultValue;
}

bool CProfile::WriteProfileInt(const QString& section, const QString& entry, int value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation(),
                       Application());
    settings.setValue(Key(section, entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CProfile::WriteProfileString(const QString& section, const QString& entry,
                                  const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation(),
                       Application());
    settings.setValue(Key(section, entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
