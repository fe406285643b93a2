// Fills a review table with many rows for the benchmarks, in one transaction.
#pragma once

#include <sqlite3.h>

#include <string>

inline void AddReviewRows(const std::string& path, int rows, const char* date) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO readfuxi VALUES (?1, 'n. 复习的释义', ?2)", -1, &insert,
                       nullptr);
    for (int i = 0; i < rows; ++i) {
        const std::string word = "review" + std::to_string(i);
        sqlite3_bind_text(insert, 1, word.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, date, -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
