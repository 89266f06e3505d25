#pragma once

// What went wrong in the engine, in the terms a user can act on. Each engine maps its own
// result codes to these; the sentence the user reads depends on the kind alone.
enum class DaoErrorKind {
    Other,
    FileMissing,
    NotADatabase,
    Damaged,
    SchemaMissing, // a table or column the program needs
    ReadOnly,
    InUse, // locked by another program or workstation
    DiskFull,
    ChangedByOther, // the row changed since it was read
    ServerUnreachable,
    AccessDenied,    // the server refused the user or the password
    DatabaseMissing, // the server has no database of that name
    ConnectionLost,  // the server went away in the middle of the work
    QueryTooLong,    // a search text longer than the engine (or the program) takes
};
