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
};
