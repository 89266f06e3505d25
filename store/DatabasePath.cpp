#include "store/DatabasePath.h"

QString g_strDatabasePath;
