#pragma once

#include "platform/dao/DaoException.h"

struct sqlite3;

// The one place where SQLite's result codes become kinds of failure. db may be null when
// the connection could not be made; code is the (extended) result code of the failed call
// and path the file it concerns. The engine's text is taken from db, else from the code.
CDaoException SqliteError(sqlite3* db, int code, const QString& path,
                          const QString& engineText = QString());

DaoErrorKind SqliteErrorKind(int code, int systemError, const QString& engineText,
                             const QString& path);
