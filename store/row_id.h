// The row id of a table, by a name no column of it shadows. Private to the store.
#pragma once

#include "store/comerror.h"
#include "store/sqlite_util.h"
#include "store/text_util.h"

#include <algorithm>
#include <string>
#include <vector>

// A name for the row id that no column of `table` shadows: a column called "rowid"
// would otherwise be read and deleted by in its place.
inline std::string RowIdName(sqlite3* db, const std::string& table) {
    sqlite::Statement info(db, "SELECT name FROM pragma_table_info(?1)");
    info.BindText(1, table);
    std::vector<std::string> columns;
    while (info.Step())
        columns.emplace_back(info.Text(0));
    for (const char* name : {"rowid", "_rowid_", "oid"})
        if (std::none_of(columns.begin(), columns.end(),
                         [name](const std::string& c) { return text::SameIgnoringCase(c, name); }))
            return name;
    throw _com_error(E_FAIL, "table " + table + " hides its row id behind columns");
}
