#include "store/study_log.h"

#include "store/database_of.h"
#include "store/dates.h"
#include "store/engine_call.h"
#include "store/word_schema.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

namespace {

const std::string kTable = mdb::kStudyLog;
// Its columns: moment, drill, bank, word, source, 1 for right and 0 for wrong, 1 when graded
// after a hint (added later: null in rows from before it).
const std::string kCreateTable =
    "CREATE TABLE IF NOT EXISTS " + kTable +
    " (shijian TEXT NOT NULL, xiangmu TEXT NOT NULL, ciku TEXT, "
    "danci TEXT NOT NULL, laiyuan TEXT NOT NULL, dui INTEGER NOT NULL, tishi INTEGER)";
const std::string kHintColumn = "tishi";
bool HasHintColumn(sqlite::Database& db) {
    sqlite::Statement find(db, "SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2");
    find.BindText(1, kTable);
    find.BindText(2, kHintColumn);
    return find.Step();
}

constexpr const char* kSourceNames[] = {"xin", "liebiao", "fuxi", "lianxi", "jiyi"};

const char* NameOf(StudySource source) {
    return kSourceNames[static_cast<int>(source)];
}

// The day of a moment of the log's form, "YYYY-MM-DD HH:MM:SS" (or its date alone); nothing
// for a moment whose date is not a real one, which counts on no day.
std::optional<long long> DayOf(std::string_view moment) {
    constexpr size_t kDateLength = 10;
    if (moment.size() < kDateLength || (moment.size() > kDateLength && moment[kDateLength] != ' '))
        return std::nullopt;
    // Ten characters of a year, a month and a day leave two digits each to the month and day.
    return DayNumberOfDate(moment.substr(0, kDateLength));
}

StudySource SourceNamed(const char* name) {
    const std::string text = name ? name : "";
    for (int i = 0; i < static_cast<int>(std::size(kSourceNames)); ++i)
        if (text == kSourceNames[i])
            return static_cast<StudySource>(i);
    return StudySource::NewWord;
}
// The table's column names in order, each followed by a blank.
std::string ColumnNames(sqlite::Database& db) {
    sqlite::Statement columns(db, "SELECT name FROM pragma_table_info(?1)");
    columns.BindText(1, kTable);
    std::string names;
    while (columns.Step())
        names += columns.String(0) + " ";
    return names;
}
// Ours as made now, and as made before hints were noted (the column is added then); a
// table of that name made by something else takes our rows wrongly or not at all, and is
// left as it is.
const std::string kColumnsBeforeHints = "shijian xiangmu ciku danci laiyuan dui ";
const std::string kOurColumns = kColumnsBeforeHints + kHintColumn + " ";
} // namespace

namespace study_log {

std::optional<long long> DayOfMoment(std::string_view moment) {
    return DayOf(moment);
}

long long DailyReviewsOn(const _ConnectionPtr& connection, long long day) {
    return Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return 0LL;
        // Rows come in the order of their moments: read back from the newest to the day.
        sqlite::Statement newest(db,
                                 "SELECT shijian, laiyuan FROM " + kTable + " ORDER BY rowid DESC");
        const std::string date = DateOfDayNumber(day);
        const std::string source = NameOf(StudySource::DailyReview);
        long long count = 0;
        while (newest.Step()) {
            const std::string moment = newest.String(0);
            if (moment.compare(0, date.size(), date) < 0)
                break;
            if (moment.starts_with(date) && newest.String(1) == source)
                ++count;
        }
        return count;
    });
}

bool Prepare(const _ConnectionPtr& connection, std::string& why) {
    try {
        Engine([&] {
            sqlite::Database& db = DatabaseOf(connection);
            if (!TableExists(db, kTable))
                db.Exec(kCreateTable);
            // Something else of that name (a view, say) would take the rows nowhere.
            if (!TableExists(db, kTable))
                throw sqlite::Error(kTable + " is not a table", SQLITE_ERROR);
            if (ColumnNames(db) == kColumnsBeforeHints)
                db.Exec("ALTER TABLE " + kTable + " ADD COLUMN " + kHintColumn + " INTEGER");
        });
        if (Engine([&] { return ColumnNames(DatabaseOf(connection)); }) != kOurColumns) {
            why = "表 " + kTable + " 的列和本程序建的不一样。";
            return false;
        }
        return true;
    } catch (const _com_error& e) {
        why = LearnerText(e);
        return false;
    }
}

std::int64_t Append(const _ConnectionPtr& connection, const StudyEntry& entry) {
    return Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        sqlite::Statement insert(db, "INSERT INTO " + kTable +
                                         " (shijian, xiangmu, ciku, danci, laiyuan, dui, " +
                                         kHintColumn + ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
        insert.BindText(1, entry.moment);
        insert.BindText(2, entry.drill);
        insert.BindText(3, entry.bank);
        insert.BindText(4, entry.word);
        insert.BindText(5, NameOf(entry.source));
        insert.BindInt64(6, entry.right ? 1 : 0);
        insert.BindInt64(7, entry.hinted ? 1 : 0);
        insert.Run();
        return static_cast<std::int64_t>(sqlite3_last_insert_rowid(db.get()));
    });
}

void Remove(const _ConnectionPtr& connection, std::int64_t id) {
    Engine([&] {
        sqlite::Statement remove(DatabaseOf(connection),
                                 "DELETE FROM " + kTable + " WHERE rowid = ?1");
        remove.BindInt64(1, id);
        remove.Run();
    });
}

// Summed here in one pass rather than grouped by the engine, which would sort every row:
// rows come in the order they were graded, so each drill's row mostly falls on the day of
// that drill's row before it.
std::vector<DayTally> DayTallies(const _ConnectionPtr& connection) {
    return Engine([&] {
        std::map<std::pair<long long, std::string>, DayTally> days;
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return std::vector<DayTally>{};
        sqlite::Statement all(db, "SELECT substr(shijian, 1, 11), xiangmu, laiyuan = 'xin', "
                                  "dui <> 0 FROM " +
                                      kTable);
        struct Recent {
            std::string drill, date;
            DayTally* tally;
        };
        std::vector<Recent> recent; // one a drill
        while (all.Step()) {
            const char* date = all.Text(0);
            const char* drill = all.Text(1);
            if (!date || !drill)
                continue;
            auto seen = std::find_if(recent.begin(), recent.end(),
                                     [drill](const Recent& r) { return r.drill == drill; });
            if (seen == recent.end() || seen->date != date) {
                const auto day = DayOf(date);
                if (!day)
                    continue;
                DayTally& tally = days[{*day, drill}];
                tally.day = *day;
                tally.drill = drill;
                if (seen == recent.end())
                    seen = recent.insert(recent.end(), {drill, date, &tally});
                else
                    *seen = {drill, date, &tally};
            }
            (all.Int64(2) ? seen->tally->newWords : seen->tally->reviews) += 1;
            (all.Int64(3) ? seen->tally->right : seen->tally->wrong) += 1;
        }
        std::vector<DayTally> tallies;
        tallies.reserve(days.size());
        for (auto& [key, tally] : days)
            tallies.push_back(std::move(tally));
        return tallies;
    });
}

std::vector<std::pair<std::string, long long>> MostMissed(const _ConnectionPtr& connection,
                                                          size_t count) {
    return Engine([&] {
        std::vector<std::pair<std::string, long long>> words;
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return words;
        sqlite::Statement missed(db,
                                 "SELECT danci, count(*) FROM " + kTable +
                                     " WHERE dui = 0 GROUP BY danci ORDER BY 2 DESC, 1 LIMIT ?1");
        missed.BindInt64(1, static_cast<std::int64_t>(count));
        while (missed.Step())
            words.emplace_back(missed.String(0), missed.Int64(1));
        return words;
    });
}

void ForEach(const _ConnectionPtr& connection,
             const std::function<void(const StudyEntry&)>& visit) {
    Engine([&] {
        sqlite::Database& db = DatabaseOf(connection);
        if (!TableExists(db, kTable))
            return;
        // A table no drill has prepared since the hints came has no such column yet.
        const std::string hinted = HasHintColumn(db) ? kHintColumn + " = 1" : "0";
        sqlite::Statement all(db, "SELECT shijian, xiangmu, ciku, danci, laiyuan, dui, " + hinted +
                                      " FROM " + kTable + " ORDER BY rowid");
        while (all.Step())
            visit({all.String(0), all.String(1), all.String(2), all.String(3),
                   SourceNamed(all.Text(4)), all.Int64(5) != 0, all.Int64(6) != 0});
    });
}
} // namespace study_log
