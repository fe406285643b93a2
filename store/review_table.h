// A drill's review table, read inside the engine: the first due rows in table order, a
// few at a time, and the day the next row falls due, so that a pick never walks the whole
// table. Rows are stored, and deleted only as they were read.
#pragma once

#include "store/ado.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

struct ReviewRow {
    FieldValue word, translation, date;
    bool operator==(const ReviewRow&) const = default;
};

class ReviewTable {
public:
    struct Row {
        std::int64_t id;
        ReviewRow values;
    };
    struct DueRows {
        std::vector<Row> rows; // the first due ones, in table order
        bool complete = false; // every row was looked at: no due row beyond these
        long long nextDueDay = std::numeric_limits<long long>::max(); // when complete
    };

    // Opens `table` on the connection: a missing table raises DB_E_NOTABLE.
    void Open(const _ConnectionPtr& connection, const std::string& table);
    bool IsOpen() const { return m_db != nullptr; }

    // The first `limit` rows due on day `today` (calendar day numbers, see ReviewAge).
    DueRows Due(long long today, size_t limit);
    // Another connection has changed the file since the last Due.
    bool ChangedElsewhere();

    // At row id `at` when that id is free (a row taken back keeps its place in the table's
    // order), else after the last row.
    std::int64_t Insert(const ReviewRow& values, std::int64_t at = 0);
    bool Holds(const Row& row);
    // Deletes the row if the table still holds it as read; false when it did not.
    bool Delete(const Row& row);

private:
    long long DataVersion();
    sqlite::Database& Db() const; // raises when the connection was closed

    std::shared_ptr<sqlite::Database> m_db;
    std::string m_table; // quoted
    std::string m_rowid; // the row id's name, not shadowed by a column
    long long m_dataVersion = 0;
};
