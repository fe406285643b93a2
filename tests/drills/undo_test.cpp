#include "drills/core/drill_core.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

namespace {

// Everything a grading touches: the drill, the review table, its holds, the study log and
// read.ini.
struct DrillState {
    std::string word;
    WordSource source;
    std::vector<std::string> list;
    long long count, position;
    std::string label;
    std::vector<std::string> rows, holds, log;
    std::string iniCount, iniPosition;
    bool operator==(const DrillState&) const = default;
};

void PrintTo(const DrillState& s, std::ostream* os) {
    auto all = [os](const char* name, const std::vector<std::string>& v) {
        *os << " " << name << "[";
        for (const std::string& x : v)
            *os << x << ";";
        *os << "]";
    };
    *os << s.word << " src" << static_cast<int>(s.source) << " count " << s.count << " pos "
        << s.position << " '" << s.label << "' ini " << s.iniCount << "/" << s.iniPosition;
    all("list", s.list);
    all("rows", s.rows);
    all("holds", s.holds);
    all("log", s.log);
}

// A table not made yet reads as empty.
std::vector<std::string> Column(const std::string& db, const std::string& sql) {
    std::vector<std::string> values;
    sqlite::Database file(db, SQLITE_OPEN_READONLY);
    try {
        sqlite::Statement query(file, sql);
        while (query.Step())
            values.push_back(query.Text(0) ? query.Text(0) : "<null>");
    } catch (const sqlite::Error&) {
    }
    return values;
}

DrillState StateOf(const DrillCore& core, const DrillWorld& world) {
    DrillState s{core.Current().word,
                 core.Source(),
                 {},
                 core.TodayCount(),
                 core.BankPosition(),
                 core.RemainingLabel(),
                 world.Rows("readfuxi"),
                 Column(world.db, "SELECT danci FROM zhanyong ORDER BY danci"),
                 Column(world.db, "SELECT danci || ' ' || laiyuan || ' ' || dui FROM xuexijilu"),
                 world.IniText("CET6", "trmount"),
                 world.IniText("CET6", "rmount")};
    for (const WordRecord& e : core.ReviewList())
        s.list.push_back(e.word + ":" + std::to_string(e.score) + ":" + std::to_string(e.step));
    return s;
}

enum class From { Bank, List, Due };

// Grades the word on screen, takes the next as the dialogs do, takes the grading back:
// the state is the one before the grading, in memory and in the files.
TEST(UndoTest, TakesBackAGradingFromEachSourceWhole) {
    const struct {
        From from;
        bool right;
    } cases[] = {{From::Bank, true},  {From::Bank, false}, {From::List, true},
                 {From::List, false}, {From::Due, true},   {From::Due, false}};
    for (const auto& c : cases) {
        const std::string what =
            "source " + std::to_string(static_cast<int>(c.from)) + (c.right ? " right" : " wrong");
        DrillWorld world;
        if (c.from == From::Due)
            world.Sql("INSERT INTO readfuxi VALUES ('due', '到期', '2026-12-01')");
        DrillCore core(kBrowseKeys, [](const std::string&) {});
        core.SetUp({world.connection, 40, world.ini});
        ASSERT_TRUE(core.PickNextWord());
        if (c.from == From::List) { // a missed word, back from the review list
            core.GradeWrong(true);
            while (core.PickNextWord() && core.Source() != WordSource::FromReviewList)
                core.GradeRight();
            ASSERT_EQ(core.Source(), WordSource::FromReviewList) << what;
        }
        ASSERT_EQ(core.CurrentSource(), c.from == From::Due    ? StudySource::DueRow
                                        : c.from == From::List ? StudySource::ReviewList
                                                               : StudySource::NewWord)
            << what;
        const DrillState before = StateOf(core, world);
        if (c.right)
            core.GradeRight();
        else
            core.GradeWrong(true);
        ASSERT_TRUE(core.PickNextWord()) << what;
        ASSERT_NE(StateOf(core, world), before) << what;
        ASSERT_TRUE(core.UndoLastGrading()) << what;
        EXPECT_EQ(StateOf(core, world), before) << what;
        // Graded again, it goes on as if the first grade had never been.
        core.GradeRight();
        ASSERT_TRUE(core.PickNextWord()) << what;
        EXPECT_NE(core.Current().word, before.word) << what;
    }
}

TEST(UndoTest, StepsBackThroughSeveralGradingsAndThenHasNothingLeft) {
    DrillWorld world;
    world.Sql("INSERT INTO readfuxi VALUES ('due', '到期', '2026-12-01')");
    DrillCore core(kBrowseKeys, [](const std::string&) {});
    core.SetUp({world.connection, 40, world.ini});
    ASSERT_TRUE(core.PickNextWord());
    std::vector<DrillState> states;
    for (int i = 0; i < 8; ++i) {
        states.push_back(StateOf(core, world));
        if (i % 3 == 1)
            core.GradeWrong(true);
        else
            core.GradeRight();
        ASSERT_TRUE(core.PickNextWord());
    }
    while (!states.empty()) {
        ASSERT_TRUE(core.UndoLastGrading());
        EXPECT_EQ(StateOf(core, world), states.back()) << states.size();
        states.pop_back();
    }
    EXPECT_FALSE(core.CanUndo());
    EXPECT_FALSE(core.UndoLastGrading());
    EXPECT_EQ(core.Current().word, "due");
}

} // namespace

namespace {

// A practice drill takes the list's words and missed ones back, never a bank word or a due
// row; it counts nothing against the quota and leaves read.ini's progress alone.
TEST(PracticeTest, TakesOnlyTheListAndKeepsMissedWordsForReview) {
    DrillWorld world;
    world.Sql("INSERT INTO readfuxi VALUES ('due', '到期', '2026-12-01')");
    world.Ini("CET6", "rmount", "5");
    auto list = std::make_shared<PracticeList>(
        PracticeList{"生词本", {{"alpha", "甲", 7, 3}, {"beta", "乙", 0, 1}}});
    DrillCore core(kBrowseKeys, [](const std::string&) {});
    core.SetUp({world.connection, 40, world.ini, clock_source::Now, list});
    std::vector<std::string> shown;
    while (core.PickNextWord() && shown.size() < 20) {
        shown.push_back(core.Current().word);
        EXPECT_EQ(core.CurrentSource(), core.Source() == WordSource::FromReviewList
                                            ? StudySource::ReviewList
                                            : StudySource::Practice);
        if (shown.size() == 1)
            core.GradeWrong(true); // alpha, back later from the review list
        else
            core.GradeRight();
    }
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], "alpha");
    EXPECT_EQ(shown[1], "beta");
    for (const std::string& word : shown)
        EXPECT_TRUE(word == "alpha" || word == "beta") << word;
    EXPECT_EQ(shown, (std::vector<std::string>{"alpha", "beta", "alpha"}));
    EXPECT_EQ(core.RemainingLabel(), "生词本：练完了");
    EXPECT_FALSE(core.MustConfirmGiveUp());
    core.SaveProgress();
    core.WritePosition();
    EXPECT_EQ(world.IniText("CET6", "rmount"), "5");
    EXPECT_EQ(world.IniText("CET6", "trmount"), "");
    const std::vector<std::string> rows = world.Rows("readfuxi");
    EXPECT_EQ(rows.front(), "due|2026-12-01"); // not taken
    // Missed once, then right: its row went with the right answer, as in any drill.
    EXPECT_EQ(rows, std::vector<std::string>{"due|2026-12-01"});
}

} // namespace
