#include "store/table_reads.h"

#include "store/engine_call.h"
#include "store/word_schema.h"

namespace {

sqlite::Database* DatabaseOf(const _ConnectionPtr& connection) {
    sqlite::Database* db = connection ? connection->Handle().get() : nullptr;
    if (!db)
        throw _com_error(adErrObjectClosed, "connection is closed");
    return db;
}

bool Exists(sqlite::Database& db, const std::string& table) {
    sqlite::Statement find(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 "
                               "COLLATE NOCASE");
    find.BindText(1, table);
    return find.Step();
}

} // namespace

long long CountRows(const _ConnectionPtr& connection, const std::string& table) {
    return Engine([&] {
        sqlite::Database& db = *DatabaseOf(connection);
        if (!Exists(db, table))
            return 0LL;
        sqlite::Statement count(db, "SELECT count(*) FROM " + sqlite::QuoteIdentifier(table));
        count.Step();
        return static_cast<long long>(count.Int64(0));
    });
}

std::vector<std::pair<std::string, long long>> CountByDate(const _ConnectionPtr& connection,
                                                           const std::string& table) {
    return Engine([&] {
        std::vector<std::pair<std::string, long long>> counts;
        sqlite::Database& db = *DatabaseOf(connection);
        if (!Exists(db, table))
            return counts;
        sqlite::Statement count(db, std::string("SELECT ") + mdb::kDate + ", count(*) FROM " +
                                        sqlite::QuoteIdentifier(table) + " GROUP BY 1");
        while (count.Step())
            counts.emplace_back(count.Text(0) ? count.Text(0) : "", count.Int64(1));
        return counts;
    });
}

std::vector<std::pair<std::string, std::string>> ReadColumnPairs(const _ConnectionPtr& connection,
                                                                 const std::string& table,
                                                                 const char* first,
                                                                 const char* second) {
    return Engine([&] {
        std::vector<std::pair<std::string, std::string>> pairs;
        sqlite::Database& db = *DatabaseOf(connection);
        if (!Exists(db, table))
            return pairs;
        sqlite::Statement read(db, std::string("SELECT ") + first + ", " + second + " FROM " +
                                       sqlite::QuoteIdentifier(table) + " ORDER BY rowid");
        while (read.Step())
            pairs.emplace_back(read.Text(0) ? read.Text(0) : "", read.Text(1) ? read.Text(1) : "");
        return pairs;
    });
}
