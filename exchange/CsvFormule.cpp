#include "exchange/CsvFormule.h"

#include <QRegularExpression>

namespace {

constexpr QChar kApostrof = QLatin1Char('\'');

} // namespace

// A sign before a telephone number or a plain amount ("+31 20 123 4567", "-12,50") is
// data; before anything else ("-1+2", "+A1", "- punt") a spreadsheet computes it.
bool CCsvFormule::IsFormule(QStringView waarde) {
    if (waarde.isEmpty()) {
        return false;
    }
    const QChar eerste = waarde.front();
    if (eerste == QLatin1Char('=') || eerste == QLatin1Char('@') || eerste == QLatin1Char('\t') ||
        eerste == QLatin1Char('\r')) {
        return true;
    }
    if ((eerste != QLatin1Char('+') && eerste != QLatin1Char('-')) || waarde.size() == 1) {
        return false;
    }
    static const QRegularExpression getal(QStringLiteral("^[0-9(][0-9 ()./,-]*$"));
    return !getal.match(waarde.sliced(1).toString()).hasMatch();
}

bool CCsvFormule::IsBeschermd(QStringView waarde) {
    qsizetype i = 0;
    while (i < waarde.size() && waarde[i] == kApostrof) {
        ++i;
    }
    return i > 0 && IsFormule(waarde.sliced(i));
}

QString CCsvFormule::Bescherm(const QString& waarde) {
    return IsFormule(waarde) || IsBeschermd(waarde) ? kApostrof + waarde : waarde;
}

QString CCsvFormule::Herstel(const QString& waarde) {
    return IsBeschermd(waarde) ? waarde.mid(1) : waarde;
}
