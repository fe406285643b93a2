#include "store/own_words.h"

#include "store/database_of.h"
#include "store/dates.h"
#include "store/engine_call.h"
#include "store/word_schema.h"

namespace {

const std::string kTable = mdb::kOwnWords;
// Its columns: the word, its meaning and bank as they were added, and when.
const std::string kCreateTable = "CREATE TABLE IF NOT EXISTS " + kTable +
                                 " (danci TEXT NOT NULL, fanyi TEXT, ciku TEXT, shijian TEXT)";
} // namespace

namespace own_words {

bool Add(const _ConnectionPtr& connection, const OwnWord& word) {
    return Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        sqlite::Transaction add(db, "BEGIN IMMEDIATE");
        db.Exec(kCreateTable);
        sqlite::Statement insert(db, "INSERT INTO " + kTable +
                                         " SELECT ?1, ?2, ?3, ?4 WHERE NOT EXISTS "
                                         "(SELECT 1 FROM " +
                                         kTable + " WHERE danci = ?1)");
        insert.BindText(1, word.word);
        insert.BindText(2, word.meaning);
        insert.BindText(3, word.bank);
        insert.BindText(4, LocalMoment(clock_source::Now()));
        insert.Run();
        const bool added = sqlite3_changes(db.get()) == 1;
        add.Commit();
        return added;
    });
}

void Remove(const _ConnectionPtr& connection, const std::string& word) {
    Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return;
        sqlite::Statement remove(db, "DELETE FROM " + kTable + " WHERE danci = ?1");
        remove.BindText(1, word);
        remove.Run();
    });
}

std::vector<OwnWord> All(const _ConnectionPtr& connection) {
    return Engine([&] {
        std::vector<OwnWord> words;
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return words;
        sqlite::Statement all(db, "SELECT danci, fanyi, ciku FROM " + kTable + " ORDER BY rowid");
        while (all.Step())
            words.push_back({all.String(0), all.String(1), all.String(2)});
        return words;
    });
}
} // namespace own_words
