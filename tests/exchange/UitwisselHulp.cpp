#include "UitwisselHulp.h"
#include "support/BestandVraag.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace UitwisselHulp {

QString Schrijf(const QTemporaryDir& map, const QString& naam, const QByteArray& inhoud) {
    const QString pad = map.filePath(naam);
    QFile bestand(pad);
    bestand.open(QIODevice::WriteOnly);
    bestand.write(inhoud);
    return pad;
}

QString DataPad(const QString& naam) {
    return QStringLiteral(TOLVAR_SOURCE_DIR "/tests/data/") + naam;
}

QByteArray DataBestand(const QString& naam) {
    QFile bestand(DataPad(naam));
    bestand.open(QIODevice::ReadOnly);
    return bestand.readAll();
}

QStringList Rijen(const QString& database, const QString& sql) {
    return BestandRijen(database, sql);
}

namespace {

Uitkomst Start(const QString& programma, const QStringList& args, const QProcessEnvironment& env) {
    QProcess proces;
    proces.setProcessEnvironment(env);
    proces.start(programma, args);
    proces.waitForFinished(120000);
    return {proces.exitStatus() == QProcess::NormalExit ? proces.exitCode() : -1,
            QString::fromUtf8(proces.readAllStandardOutput()),
            QString::fromUtf8(proces.readAllStandardError())};
}

} // namespace

Uitkomst Exchange(const QStringList& args, const QProcessEnvironment& env) {
    return Start(QStringLiteral(TOLVAR_EXCHANGE), args, env);
}

Uitkomst Python(const QString& script, const QStringList& args) {
    return Start(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + args,
                 QProcessEnvironment::systemEnvironment());
}

QString DemoDatabase(const QString& folder, int nRelaties) {
    const QString pad =
        folder + (nRelaties ? QStringLiteral("/demo.doc") : QStringLiteral("/leeg.doc"));
    QProcess proces;
    proces.start(QStringLiteral(TOLVAR_NEWDB),
                 nRelaties ? QStringList{QStringLiteral("--demo"), QString::number(nRelaties), pad}
                           : QStringList{pad});
    proces.waitForFinished(120000);
    return pad;
}

} // namespace UitwisselHulp
