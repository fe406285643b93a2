#include "drills/core/drill_core.h"
#include "mainwnd/core/study_csv.h"

#include "store/paths.h"
#include "support/drill_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::vector<StudyEntry> Logged(const std::string& db) {
    std::vector<StudyEntry> entries;
    study_log::ForEach(OpenConnection(db), [&](const StudyEntry& e) { entries.push_back(e); });
    return entries;
}

class StudyLogTest : public ::testing::Test {
protected:
    DrillCore& Start(const DrillKeys& keys = kBrowseKeys) {
        core = std::make_unique<DrillCore>(keys,
                                           [this](const std::string& m) { messages.push_back(m); });
        core->SetUp({world.connection, 40, world.ini});
        return *core;
    }

    DrillWorld world;
    std::unique_ptr<DrillCore> core;
    std::vector<std::string> messages;
};

// Each grading is in the file the moment it is made, named by drill, bank, word and source.
TEST_F(StudyLogTest, EveryGradingIsLoggedAtOnceWithWhereItsWordCameFrom) {
    world.Sql("INSERT INTO spellfuxi VALUES ('due', '到期', '2026-12-01')");
    world.SetNow(LocalTime(2026, 12, 8, 23, 59, 58));
    DrillCore& drill = Start(kSpellKeys);
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.CurrentSource(), StudySource::DueRow);
    drill.GradeRight();
    ASSERT_TRUE(drill.PickNextWord()); // six0
    drill.GradeWrong(false);
    world.SetNow(LocalTime(2026, 12, 9, 0, 0, 3));
    for (int i = 0; i < 5; ++i) { // six1 … until the missed word comes back
        ASSERT_TRUE(drill.PickNextWord());
        if (drill.Source() == WordSource::FromReviewList)
            break;
        drill.GradeRight();
    }
    EXPECT_EQ(drill.CurrentSource(), StudySource::ReviewList);
    drill.GradeRight();

    const std::vector<StudyEntry> log = Logged(world.db); // before any close
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[0], (StudyEntry{"2026-12-08 23:59:58", "pinxie", "CET6", "due",
                                  StudySource::DueRow, true}));
    EXPECT_EQ(log[1], (StudyEntry{"2026-12-08 23:59:58", "pinxie", "CET6", "six0",
                                  StudySource::NewWord, false}));
    EXPECT_EQ(log[2].moment, "2026-12-09 00:00:03");
    EXPECT_EQ(log.back().word, "six0");
    EXPECT_EQ(log.back().source, StudySource::ReviewList);

    const std::vector<DayTally> days = study_log::DayTallies(OpenConnection(world.db));
    ASSERT_EQ(days.size(), 2u); // split at midnight
    EXPECT_EQ(days[0], (DayTally{*ReviewAge::DayNumber("2026-12-08"), "pinxie", 1, 1, 1, 1}));
    EXPECT_EQ(days[1], (DayTally{*ReviewAge::DayNumber("2026-12-09"), "pinxie", 4, 1, 5, 0}));
    EXPECT_EQ(study_log::MostMissed(OpenConnection(world.db), 10),
              (std::vector<std::pair<std::string, long long>>{{"six0", 1}}));
    EXPECT_TRUE(messages.empty());
}

// The spelling drill's hint goes with its grading, into a table made before hints gained a
// column; a grading kept only later keeps its hint too.
TEST_F(StudyLogTest, AHintNotedBeforeAGradingIsLoggedWithIt) {
    world.Sql("CREATE TABLE xuexijilu (shijian TEXT NOT NULL, xiangmu TEXT NOT NULL, ciku TEXT, "
              "danci TEXT NOT NULL, laiyuan TEXT NOT NULL, dui INTEGER NOT NULL)");
    world.Sql("INSERT INTO xuexijilu VALUES ('2026-12-01 08:00:00', 'pinxie', 'CET6', 'old', "
              "'xin', 1)");
    ASSERT_EQ(Logged(world.db).size(), 1u); // read before any drill added the column
    DrillCore& drill = Start(kSpellKeys);
    const _ConnectionPtr& db = world.connection;
    ASSERT_TRUE(drill.PickNextWord()); // six0
    drill.NoteHint(true);
    drill.GradeRight();
    ASSERT_TRUE(drill.PickNextWord()); // six1
    drill.NoteHint(true);
    drill.NoteHint(false); // taken back before the grading
    drill.GradeWrong(true);
    ASSERT_TRUE(drill.PickNextWord()); // six2: kept only with the next grading
    drill.NoteHint(true);
    db->Handle()->Exec("PRAGMA query_only = 1");
    drill.GradeRight();
    ASSERT_EQ(messages.size(), 1u);
    db->Handle()->Exec("PRAGMA query_only = 0");
    ASSERT_TRUE(drill.PickNextWord());
    drill.GradeRight();

    std::vector<std::pair<std::string, bool>> hints;
    for (const StudyEntry& entry : Logged(world.db))
        hints.emplace_back(entry.word, entry.hinted);
    EXPECT_EQ(
        hints,
        (std::vector<std::pair<std::string, bool>>{
            {"old", false}, {"six0", true}, {"six1", false}, {"six2", true}, {"six3", false}}));
    const std::vector<DayTally> days = study_log::DayTallies(db);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[1], (DayTally{*ReviewAge::DayNumber("2026-12-08"), "pinxie", 4, 0, 3, 1}));
}

TEST_F(StudyLogTest, ADatabaseThatTakesNoTableStudiesWithoutHistoryAndSaysSoOnce) {
    world.connection->Handle()->Exec("PRAGMA query_only = 1");
    Start();
    Start(kSpellKeys);
    ASSERT_EQ(std::count_if(messages.begin(), messages.end(),
                            [](const std::string& m) { return m.starts_with(kHistoryOff); }),
              1);
    ASSERT_TRUE(core->PickNextWord());
    EXPECT_FALSE(core->Current().word.empty());
}

// A moment whose date is not a real one counts on no day, whichever drill wrote it and
// whatever real moments come around it.
TEST_F(StudyLogTest, MomentsThatAreNotRealDatesCountOnNoDay) {
    const char* const notDates[] = {
        "2026-11-39 08:00:00", "2025-24-09 08:00:00", "+2026-12-09 08:00",  "2026-12-00 08:00:00",
        "2026-02-29 10:00:00", "2026-00-09 08:00:00", " 2026-12-09 08:00",  "2026-12-9 08:00:00",
        "2026-12-09x08:00:00", "2026/12/09 08:00:00", "20261209",           "",
        "99999-12-09 08:00:",  "0000-01-01 00:00:00", "2026-12-09-1 08:00", "-202-12-09 08:00:00",
    };
    const _ConnectionPtr& db = world.connection;
    std::string why;
    ASSERT_TRUE(study_log::Prepare(db, why)) << why;
    auto log = [&db](const std::string& moment, const char* drill) {
        study_log::Append(db, {moment, drill, "CET6", "w", StudySource::NewWord, true});
    };
    db->BeginTrans();
    log("2026-12-09 08:00:00", "liulan");
    for (const char* moment : notDates) {
        log(moment, "liulan");
        log(moment, "pinxie");
        log("2026-12-09", "liulan");
    }
    log("2024-02-29 23:59:59", "pinxie");
    db->CommitTrans();

    const std::vector<DayTally> days = study_log::DayTallies(db);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0], (DayTally{*ReviewAge::DayNumber("2024-02-29"), "pinxie", 1, 0, 1, 0}));
    EXPECT_EQ(days[1], (DayTally{*ReviewAge::DayNumber("2026-12-09"), "liulan", 17, 0, 17, 0}));
}

// Read back as a spreadsheet would: the mark, the header, then one line a grading.
TEST(StudyCsvTest, TheExportReadsBackFieldForField) {
    DrillWorld world;
    const _ConnectionPtr& db = world.connection;
    std::string why;
    ASSERT_TRUE(study_log::Prepare(db, why)) << why;
    const std::vector<StudyEntry> entries = {
        {"2026-12-08 08:00:00", "liulan", "CET4", "abandon", StudySource::NewWord, true},
        {"2026-12-08 08:00:05", "pinxie", "CET6", "a \"quoted\", word", StudySource::DueRow, false},
        {"2026-12-09 21:30:00", "liulan", "CET6", "=cmd", StudySource::ReviewList, true},
    };
    for (const StudyEntry& e : entries)
        study_log::Append(db, e);
    const std::string path = world.dir.file("记录.csv");
    ASSERT_TRUE(ExportStudyCsv(db, path, why)) << why;

    std::ifstream file(PathOf(path), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string expected =
        std::string("\xEF\xBB\xBF") + kStudyCsvHeader + "\r\n" +
        "2026-12-08 08:00:00,浏览,CET4,abandon,新词,对\r\n" +
        "2026-12-08 08:00:05,拼写,CET6,\"a \"\"quoted\"\", word\",到期复习,错\r\n" +
        "2026-12-09 21:30:00,浏览,CET6,'=cmd,复习列表,对\r\n";
    EXPECT_EQ(text.str(), expected);
    EXPECT_FALSE(ExportStudyCsv(db, world.dir.file("no/such/folder/x.csv"), why));
    EXPECT_FALSE(why.empty());
}

// A field a spreadsheet would run as a formula stays text, whatever leads it.
TEST(StudyCsvTest, FieldsThatWouldStartAFormulaAreKeptAsText) {
    const std::pair<std::string, std::string> cases[] = {
        {"=cmd", "'=cmd"},
        {"+1", "'+1"},
        {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=cmd", "'\t=cmd"},
        {"\r=cmd", "\"'\r=cmd\""},
        {"a=b", "a=b"},
        {"", ""},
        {"\"=x\"", "\"\"\"=x\"\"\""},
        {"x\ty", "x\ty"},
    };
    for (const auto& [word, field] : cases) {
        const StudyEntry entry{"2026-12-08 08:00:00", "liulan", "CET4", word,
                               StudySource::NewWord,  true};
        EXPECT_EQ(StudyCsvLine(entry), "2026-12-08 08:00:00,浏览,CET4," + field + ",新词,对")
            << "word " << word;
    }
}

} // namespace
