#pragma once

#include <QString>
#include <QStringList>

// What a database file holds, read through a read-only connection of its own, so that a
// test sees the file as another program would, whatever the program's connection holds.
// Each row's columns joined by "|"; a statement the engine refuses gives one row
// "FOUT: <engine's text>".
QStringList BestandRijen(const QString& strPad, const QString& strSql);
// The first column of the first row as a number; -1 when there is none.
qint64 BestandGetal(const QString& strPad, const QString& strSql);
