#include "store/table_reads.h"

#include "store/database_of.h"
#include "store/engine_call.h"
#include "store/word_schema.h"

long long CountRows(const _ConnectionPtr& connection, const std::string& table) {
    return Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, table))
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
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, table))
            return counts;
        sqlite::Statement count(db, std::string("SELECT ") + mdb::kDate + ", count(*) FROM " +
                                        sqlite::QuoteIdentifier(table) + " GROUP BY 1");
        while (count.Step())
            counts.emplace_back(count.String(0), count.Int64(1));
        return counts;
    });
}

std::vector<std::pair<std::string, std::string>> ReadColumnPairs(const _ConnectionPtr& connection,
                                                                 const std::string& table,
                                                                 const char* first,
                                                                 const char* second) {
    return Engine([&] {
        std::vector<std::pair<std::string, std::string>> pairs;
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, table))
            return pairs;
        sqlite::Statement read(db, std::string("SELECT ") + first + ", " + second + " FROM " +
                                       sqlite::QuoteIdentifier(table) + " ORDER BY rowid");
        while (read.Step())
            pairs.emplace_back(read.String(0), read.String(1));
        return pairs;
    });
}
