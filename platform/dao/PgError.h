#pragma once

#include "platform/dao/DaoException.h"

struct pg_conn;
struct pg_result;

// The one place where PostgreSQL's failures become kinds of failure: result is the failed
// statement's result (null when there is none, as when a connection fails) and name the
// database as messages name it.
CDaoException PgError(const pg_conn* conn, const pg_result* result, const QString& name);
// A connection that could not be made: the server is down or unknown, the password or the
// database is wrong.
CDaoException PgConnectError(const pg_conn* conn, const QString& name);
