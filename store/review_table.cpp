#include "store/review_table.h"

#include "store/dates.h"
#include "store/engine_call.h"
#include "store/row_id.h"
#include "store/word_schema.h"

#include <algorithm>

namespace {

// The scan the due function serves now: one at a time, on the program's one thread.
struct DueScan {
    long long today;
    long long nextDueDay;
};
DueScan* g_scan = nullptr;

// wordmill_due(time): ReviewAge's rule, row by row inside the engine. A row not due yet
// tells the scan the day it will be.
void DueFunction(sqlite3_context* context, int, sqlite3_value** args) {
    if (!g_scan) { // called outside a scan: there is no today to compare with
        sqlite3_result_error(context, "wordmill_due outside a review scan", -1);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const auto day = text ? ReviewAge::DayNumber(text) : std::nullopt;
    bool due = !day || g_scan->today - *day >= kReviewDelayDays; // unreadable: due
    if (!due)
        g_scan->nextDueDay = std::min(g_scan->nextDueDay, *day + kReviewDelayDays);
    sqlite3_result_int(context, due ? 1 : 0);
}

FieldValue Column(const sqlite::Statement& row, int column) {
    const char* text = row.Text(column);
    return text ? FieldValue(std::string(text, row.Bytes(column))) : std::nullopt;
}

void Bind(sqlite::Statement& statement, int at, const FieldValue& value) {
    if (value)
        statement.BindText(at, *value);
    else
        statement.BindNull(at);
}

std::string Columns() {
    return std::string(mdb::kWord) + ", " + mdb::kMeaning + ", " + mdb::kDate;
}

// The row as read: every column compared, NULL with NULL.
std::string AsRead() {
    return std::string(" = ?1 AND ") + mdb::kWord + " IS ?2 AND " + mdb::kMeaning + " IS ?3 AND " +
           mdb::kDate + " IS ?4";
}

void BindRow(sqlite::Statement& statement, const ReviewTable::Row& row) {
    statement.BindInt64(1, row.id);
    Bind(statement, 2, row.values.word);
    Bind(statement, 3, row.values.translation);
    Bind(statement, 4, row.values.date);
}

// Once per connection: a connection with statements running refuses a second one.
void RegisterDueFunction(sqlite3* db) {
    sqlite3_stmt* probe = nullptr;
    const bool known =
        sqlite3_prepare_v2(db, "SELECT wordmill_due(NULL)", -1, &probe, nullptr) == SQLITE_OK;
    sqlite3_finalize(probe);
    if (!known && sqlite3_create_function_v2(db, "wordmill_due", 1, SQLITE_UTF8, nullptr,
                                             &DueFunction, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw sqlite::Error(db, sqlite3_errcode(db));
}

} // namespace

sqlite::Database& ReviewTable::Db() const {
    if (!m_db || !m_db->IsOpen())
        throw _com_error(adErrObjectClosed, "connection was closed");
    return *m_db;
}

void ReviewTable::Open(const _ConnectionPtr& connection, const std::string& table) {
    m_db.reset();
    std::shared_ptr<sqlite::Database> db = connection ? connection->Handle() : nullptr;
    if (!db)
        throw _com_error(adErrInvalidConnection, "connection closed or missing");
    Engine([&] {
        sqlite::Statement find(*db, "SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                    "name = ?1 COLLATE NOCASE");
        find.BindText(1, table);
        if (!find.Step())
            throw _com_error(DB_E_NOTABLE, "no such table: " + table);
        const std::string name = find.Text(0);
        m_rowid = RowIdName(db->get(), name);
        m_table = sqlite::QuoteIdentifier(name);
        // Its columns are there, or this fails now rather than at the first pick.
        sqlite::Statement(*db, "SELECT " + Columns() + " FROM " + m_table + " LIMIT 0");
        RegisterDueFunction(db->get());
    });
    m_db = std::move(db);
    m_dataVersion = DataVersion();
}

ReviewTable::DueRows ReviewTable::Due(long long today, size_t limit) {
    sqlite::Database& db = Db();
    DueRows found;
    DueScan scan{today, found.nextDueDay};
    return Engine([&] {
        m_dataVersion = DataVersion();
        sqlite::Statement due(db, "SELECT " + m_rowid + ", " + Columns() + " FROM " + m_table +
                                      " WHERE wordmill_due(" + mdb::kDate + ") ORDER BY " +
                                      m_rowid + " LIMIT ?1");
        due.BindInt64(1, static_cast<std::int64_t>(limit));
        g_scan = &scan;
        struct Done {
            ~Done() { g_scan = nullptr; }
        } done;
        while (due.Step())
            found.rows.push_back({due.Int64(0), {Column(due, 1), Column(due, 2), Column(due, 3)}});
        found.complete = found.rows.size() < limit;
        found.nextDueDay = scan.nextDueDay;
        return found;
    });
}

bool ReviewTable::ChangedElsewhere() {
    return DataVersion() != m_dataVersion;
}

long long ReviewTable::DataVersion() {
    return Engine([&] {
        sqlite::Statement version(Db(), "PRAGMA data_version");
        version.Step();
        return static_cast<long long>(version.Int64(0));
    });
}

std::int64_t ReviewTable::Insert(const ReviewRow& values, std::int64_t at) {
    return Engine([&] {
        if (at > 0) {
            sqlite::Statement insert(Db(), "INSERT INTO " + m_table + " (" + m_rowid + ", " +
                                               Columns() +
                                               ") SELECT ?4, ?1, ?2, ?3 WHERE NOT EXISTS "
                                               "(SELECT 1 FROM " +
                                               m_table + " WHERE " + m_rowid + " = ?4)");
            Bind(insert, 1, values.word);
            Bind(insert, 2, values.translation);
            Bind(insert, 3, values.date);
            insert.BindInt64(4, at);
            insert.Run();
            if (sqlite3_changes(m_db->get()) == 1)
                return at;
        }
        sqlite::Statement insert(Db(), "INSERT INTO " + m_table + " (" + Columns() +
                                           ") VALUES (?1, ?2, ?3)");
        Bind(insert, 1, values.word);
        Bind(insert, 2, values.translation);
        Bind(insert, 3, values.date);
        insert.Run();
        return static_cast<std::int64_t>(sqlite3_last_insert_rowid(m_db->get()));
    });
}

bool ReviewTable::Holds(const Row& row) {
    return Engine([&] {
        sqlite::Statement holds(Db(), "SELECT 1 FROM " + m_table + " WHERE " + m_rowid + AsRead());
        BindRow(holds, row);
        return holds.Step();
    });
}

bool ReviewTable::Delete(const Row& row) {
    return Engine([&] {
        sqlite::Statement remove(Db(), "DELETE FROM " + m_table + " WHERE " + m_rowid + AsRead());
        BindRow(remove, row);
        remove.Run();
        return sqlite3_changes(m_db->get()) == 1;
    });
}
