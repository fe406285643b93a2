#include "store/review_holds.h"

#include "store/database_of.h"
#include "store/engine_call.h"
#include "store/process_id.h"
#include "store/word_schema.h"

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
    return Engine([&] {
        sqlite::Transaction transaction(db, "BEGIN IMMEDIATE");
        db.Exec(kCreateTable);
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
    });
}

void ReviewHolds::Release(const std::string& table, std::int64_t row) {
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
    if (!db)
        return;
    try {
        sqlite::Statement release(*db, "DELETE FROM " + kTable + " WHERE zhuren = ?1");
        release.BindText(1, m_holder);
        release.Run();
    } catch (const sqlite::Error&) {
        // A locked or read-only file: the lapsed holds stay behind, harmless.
    }
}
