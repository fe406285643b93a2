#include "store/review_holds.h"

#include "store/database_of.h"
#include "store/engine_call.h"
#include "store/process_id.h"
#include "store/row_id.h"
#include "store/word_schema.h"

#include <map>

#include <set>

namespace {

// Its columns: the review table, the row id, the word the row held when taken, the holder.
const std::string kTable = mdb::kHolds;
const std::string kCreateTable = "CREATE TABLE IF NOT EXISTS " + kTable +
                                 " (biao TEXT NOT NULL, hang INTEGER NOT NULL, danci TEXT, "
                                 "zhuren TEXT NOT NULL, PRIMARY KEY (biao, hang))";

// The drills of this process that are alive, by holder name.
std::set<std::string>& LiveHolders() {
    static std::set<std::string> holders;
    return holders;
}

// "pid:start" of the process, then the drill's number in it.
std::string ProcessOf(const std::string& holder) {
    return holder.substr(0, holder.rfind(':'));
}

bool HolderIsAlive(const std::string& holder) {
    if (ProcessOf(holder) == ThisProcess())
        return LiveHolders().count(holder) != 0;
    return ProcessIsRunning(ProcessOf(holder));
}

// Our table as we made it: a table (not a view or an index) with the four columns, keyed
// by review table and row. Anything else is no hold table of ours.
bool HoldTableIsOurs(sqlite::Database& db) {
    sqlite::Statement kind(db, "SELECT type FROM sqlite_master WHERE name = ?1 COLLATE NOCASE");
    kind.BindText(1, kTable);
    if (!kind.Step())
        return true; // not there yet: made now
    if (std::string(kind.Text(0) ? kind.Text(0) : "") != "table")
        return false;
    sqlite::Statement columns(db, "SELECT name, pk FROM pragma_table_info(?1)");
    columns.BindText(1, kTable);
    std::map<std::string, long long> found;
    while (columns.Step())
        found[columns.String(0)] = columns.Int64(1);
    return found.size() == 4 && found.count("danci") && found.count("zhuren") &&
           found["biao"] == 1 && found["hang"] == 2;
}

// The row still holds `word` as the drill read it: another copy may have graded and
// deleted it while this one waited for the file.
bool RowStillThere(sqlite::Database& db, const std::string& table, std::int64_t row,
                   const std::string& word) {
    sqlite::Statement read(db, "SELECT danci FROM " + sqlite::QuoteIdentifier(table) + " WHERE " +
                                   RowIdName(db.get(), table) + " = ?1");
    read.BindInt64(1, row);
    return read.Step() && word == (read.Text(0) ? read.Text(0) : "");
}

bool IsReadOnly(int code) {
    return (code & 0xFF) == SQLITE_READONLY;
}
} // namespace

ReviewHolds::ReviewHolds() {
    static unsigned long long made = 0;
    m_holder = ThisProcess() + ":" + std::to_string(++made);
    LiveHolders().insert(m_holder);
}

ReviewHolds::~ReviewHolds() {
    LiveHolders().erase(m_holder);
    ReleaseAll();
}

bool ReviewHolds::Take(const _ConnectionPtr& connection, const std::string& table, std::int64_t row,
                       const std::string& word) {
    sqlite::Database& db = DatabaseOf(connection);
    m_connection = connection;
    if (m_off) // the row is this drill's alone to show; another copy may show it too
        return Engine([&] { return RowStillThere(db, table, row, word); });
    try {
        return TakeHeld(db, table, row, word);
    } catch (const sqlite::Error& e) {
        if (!IsReadOnly(e.code()))
            throw _com_error(E_FAIL, e.what(), e.code());
        TurnOff(e.what());
        return Engine([&] { return RowStillThere(db, table, row, word); });
    }
}

bool ReviewHolds::TakeHeld(sqlite::Database& db, const std::string& table, std::int64_t row,
                           const std::string& word) {
    sqlite::Transaction transaction(db, "BEGIN IMMEDIATE");
    if (!HoldTableIsOurs(db)) {
        TurnOff("table " + kTable + " is not of the shape this program made");
        return RowStillThere(db, table, row, word);
    }
    db.Exec(kCreateTable);
    if (!RowStillThere(db, table, row, word))
        return false;
    sqlite::Statement held(db, "SELECT danci, zhuren FROM " + kTable +
                                   " WHERE biao = ?1 AND hang = ?2");
    held.BindText(1, table);
    held.BindInt64(2, row);
    // A hold on a row id that now names another word is left over from a deleted row.
    if (held.Step() && held.Text(0) && word == held.Text(0) && held.Text(1) != m_holder &&
        HolderIsAlive(held.Text(1)))
        return false;
    sqlite::Statement take(db, "INSERT OR REPLACE INTO " + kTable + " VALUES (?1, ?2, ?3, ?4)");
    take.BindText(1, table);
    take.BindInt64(2, row);
    take.BindText(3, word);
    take.BindText(4, m_holder);
    take.Run();
    transaction.Commit();
    return true;
}

// A database that takes no hold (read-only, or a table of that name that is not ours)
// still studies: without holds, two running copies could show one due row at once.
void ReviewHolds::TurnOff(const std::string& why) {
    m_off = true;
    LogFailure("holding due rows", why);
}

void ReviewHolds::Release(const std::string& table, std::int64_t row) {
    if (m_off || !m_connection)
        return;
    sqlite::Database& db = DatabaseOf(m_connection);
    Engine([&] {
        sqlite::Statement release(db, "DELETE FROM " + kTable +
                                          " WHERE biao = ?1 AND hang = ?2 AND zhuren = ?3");
        release.BindText(1, table);
        release.BindInt64(2, row);
        release.BindText(3, m_holder);
        release.Run();
    });
}

// Only tidiness: once this drill is gone its holds count for nothing, cleared or not.
void ReviewHolds::ReleaseAll() noexcept {
    sqlite::Database* db = m_connection ? m_connection->Handle().get() : nullptr;
    if (!db || m_off)
        return;
    try {
        sqlite::Statement release(*db, "DELETE FROM " + kTable + " WHERE zhuren = ?1");
        release.BindText(1, m_holder);
        release.Run();
    } catch (const sqlite::Error&) {
        // A locked or read-only file: the lapsed holds stay behind, harmless.
    }
}
