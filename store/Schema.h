#pragma once

#include "platform/dao/DaoEngine.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// Creates a new database file with the thirteen tables of the program and their indexes.
// A path that already exists is refused with a CDaoException and left untouched; when the
// creation fails halfway the new file is removed again, so no half-made database remains.
// A server address puts the tables into its (empty) database in one transaction; a
// database that already holds any of them is refused and left untouched.
void CreateTolvarDatabase(const QString& path);
// Removes the thirteen tables from the database on a server at address again, in one
// transaction, for a creation that could not be completed.
void DropTolvarTables(const QString& address);

// The thirteen tables, and the columns of one in their order with their kind (the first is
// the key), for code that fills a new database from elsewhere.
QStringList TolvarTables();
std::vector<std::pair<QString, CDaoEngine::ColumnKind>> TolvarColumns(const QString& table);
