// Fills a review table with many rows for the benchmarks, in one transaction.
#pragma once

#include "store/sqlite_util.h"

#include <string>

inline void AddReviewRows(const std::string& path, int rows, const char* date) {
    sqlite::Database db(path, SQLITE_OPEN_READWRITE);
    sqlite::Transaction fill(db);
    sqlite::Statement insert(db, "INSERT INTO readfuxi VALUES (?1, 'n. 复习的释义', ?2)");
    for (int i = 0; i < rows; ++i) {
        insert.BindText(1, "review" + std::to_string(i));
        insert.BindText(2, date);
        insert.Run();
        insert.Reset();
    }
    fill.Commit();
}
