#include "platform/profile/Profile.h"

#include "platform/profile/ProfileFile.h"

#include <QStandardPaths>

namespace {

QString& Organisation() {
    static QString organisation = QStringLiteral("Merivon");
    return organisation;
}

QString& Application() {
    static QString application = QStringLiteral("Tolvar");
    return application;
}

// Why the last write failed; one user-interface thread writes the settings.
QString& LastError() {
    static QString error;
    return error;
}

} // namespace

void CProfile::SetRegistryKey(const QString& organisation, const QString& application) {
    Organisation() = organisation;
    Application() = application;
}

QString CProfile::FileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + Organisation() + QLatin1Char('/') + Application() +
           QStringLiteral(".conf");
}

int CProfile::GetProfileInt(const QString& section, const QString& entry, int defaultValue) {
    const auto text = CProfileFile(FileName()).Value(section, entry);
    bool ok = false;
    const int value = text ? text->toInt(&ok) : 0;
    return ok ? value : defaultValue;
}

QString CProfile::GetProfileString(const QString& section, const QString& entry,
                                   const QString& defaultValue) {
    return CProfileFile(FileName()).Value(section, entry).value_or(defaultValue);
}

bool CProfile::WriteProfileInt(const QString& section, const QString& entry, int value) {
    return WriteProfileString(section, entry, QString::number(value));
}

bool CProfile::WriteProfileString(const QString& section, const QString& entry,
                                  const QString& value) {
    CProfileFile file(FileName());
    const bool ok = file.SetValue(section, entry, value);
    LastError() = ok ? QString() : file.ErrorText();
    return ok;
}

QString CProfile::LastWriteError() {
    return LastError();
}
