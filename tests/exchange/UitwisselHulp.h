#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QTemporaryDir;

// What the exchange tests share: real files from tests/data, the rows of a database file
// as text, and runs of the real tolvar-exchange and python3 programs.
namespace UitwisselHulp {

QString DataPad(const QString& naam);
QByteArray DataBestand(const QString& naam);
// Writes inhoud as the file naam in map and gives its path.
QString Schrijf(const QTemporaryDir& map, const QString& naam, const QByteArray& inhoud);

// Every row of the query, its columns joined by '|', NULL as empty text.
QStringList Rijen(const QString& database, const QString& sql);

struct Uitkomst {
    int code = -1;
    QString uit;
    QString fout;
};
Uitkomst Exchange(const QStringList& args,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
Uitkomst Python(const QString& script, const QStringList& args);

// A database with demo data, made by tolvar-newdb in folder; with nRelaties 0 an empty one.
QString DemoDatabase(const QString& folder, int nRelaties);

} // namespace UitwisselHulp
