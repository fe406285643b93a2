// The SQLite database behind the program's connection, for the tables of our own that the
// store reads and writes directly.
#pragma once

#include "store/ado.h"
#include "store/comerror.h"
#include "store/sqlite_util.h"

#include <string>

inline sqlite::Database& DatabaseOf(const _ConnectionPtr& connection) {
    sqlite::Database* db = connection ? connection->Handle().get() : nullptr;
    if (!db)
        throw _com_error(adErrObjectClosed, "connection is closed");
    return *db;
}

// Raises sqlite::Error.
inline bool TableExists(sqlite::Database& db, const std::string& table) {
    sqlite::Statement find(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 "
                               "COLLATE NOCASE");
    find.BindText(1, table);
    return find.Step();
}
