#pragma once

#include <QString>

// The database file every record class opens, except the appointments: read once at
// start-up from the settings and left as it was typed (a relative path is taken from the
// current folder when the file is opened).
extern QString g_strDatabasePath;
