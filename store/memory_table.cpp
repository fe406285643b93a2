#include "store/memory_table.h"

#include "store/database_of.h"
#include "store/engine_call.h"
#include "store/word_schema.h"

namespace {

const std::string kTable = mdb::kMemory;
// Its columns: word, skill, stability, difficulty, the day last graded.
const std::string kCreateTable = "CREATE TABLE IF NOT EXISTS " + kTable +
                                 " (danci TEXT NOT NULL, jineng TEXT NOT NULL, wending REAL NOT "
                                 "NULL, nandu REAL NOT NULL, zuihou INTEGER NOT NULL, "
                                 "PRIMARY KEY (danci, jineng))";

bool HasOurShape(sqlite::Database& db) {
    sqlite::Statement columns(db, "SELECT name, pk FROM pragma_table_info(?1)");
    columns.BindText(1, kTable);
    std::string shape;
    while (columns.Step())
        shape += columns.String(0) + ":" + std::to_string(columns.Int64(1)) + " ";
    return shape == "danci:1 jineng:2 wending:0 nandu:0 zuihou:0 ";
}

MemoryRow RowOf(const sqlite::Statement& read) {
    return {read.String(0), read.String(1), read.Double(2), read.Double(3), read.Int64(4)};
}

void Insert(sqlite::Database& db, const MemoryRow& row) {
    sqlite::Statement write(db,
                            "INSERT OR REPLACE INTO " + kTable + " VALUES (?1, ?2, ?3, ?4, ?5)");
    write.BindText(1, row.word);
    write.BindText(2, row.skill);
    write.BindDouble(3, row.stability);
    write.BindDouble(4, row.difficulty);
    write.BindInt64(5, row.lastDay);
    write.Run();
}

// Every row; the order through the key's index costs a lookup of each row.
std::vector<MemoryRow> ReadRows(const _ConnectionPtr& connection, const std::string& order) {
    return Engine([&] {
        std::vector<MemoryRow> rows;
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return rows;
        sqlite::Statement read(db, "SELECT danci, jineng, wending, nandu, zuihou FROM " + kTable +
                                       order);
        while (read.Step())
            rows.push_back(RowOf(read));
        return rows;
    });
}

} // namespace

namespace memory_table {

bool Prepare(const _ConnectionPtr& connection, std::string& why) {
    try {
        const bool ours = Engine([&] {
            sqlite::Database& db = DatabaseOf(connection);
            if (!TableExists(db, kTable))
                db.Exec(kCreateTable);
            return TableExists(db, kTable) && HasOurShape(db);
        });
        if (!ours)
            why = "表 " + kTable + " 的列和本程序建的不一样。";
        return ours;
    } catch (const _com_error& e) {
        why = LearnerText(e);
        return false;
    }
}

std::optional<MemoryRow> Read(const _ConnectionPtr& connection, const std::string& word,
                              const std::string& skill) {
    return Engine([&]() -> std::optional<MemoryRow> {
        sqlite::Statement read(DatabaseOf(connection),
                               "SELECT danci, jineng, wending, nandu, zuihou FROM " + kTable +
                                   " WHERE danci = ?1 AND jineng = ?2");
        read.BindText(1, word);
        read.BindText(2, skill);
        if (!read.Step())
            return std::nullopt;
        return RowOf(read);
    });
}

std::vector<MemoryRow> ReadAll(const _ConnectionPtr& connection) {
    return ReadRows(connection, " ORDER BY danci, jineng");
}

std::vector<MemoryRow> ReadAllUnordered(const _ConnectionPtr& connection) {
    return ReadRows(connection, "");
}

void Write(const _ConnectionPtr& connection, const MemoryRow& row) {
    Engine([&] { Insert(DatabaseOf(connection), row); });
}

void Remove(const _ConnectionPtr& connection, const std::string& word, const std::string& skill) {
    Engine([&] {
        sqlite::Statement remove(DatabaseOf(connection),
                                 "DELETE FROM " + kTable + " WHERE danci = ?1 AND jineng = ?2");
        remove.BindText(1, word);
        remove.BindText(2, skill);
        remove.Run();
    });
}

void ReplaceAll(const _ConnectionPtr& connection, const std::vector<MemoryRow>& rows) {
    Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        sqlite::Transaction replace(db, "BEGIN IMMEDIATE");
        db.Exec(kCreateTable);
        db.Exec("DELETE FROM " + kTable);
        for (const MemoryRow& row : rows)
            Insert(db, row);
        replace.Commit();
    });
}

} // namespace memory_table
