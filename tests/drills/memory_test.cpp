// Each word's memory kept grading by grading equals the one made again from the log.
#include "drills/core/drill_core.h"
#include "drills/core/memory/daily_review.h"
#include "drills/core/memory/memory_rebuild.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(MemoryTest, KeptStatesEqualTheOnesRebuiltFromTheLogAcrossDaysUndoAndBothDrills) {
    DrillWorld world;
    world.Sql("INSERT INTO readfuxi VALUES ('due', '到期', '2026-12-01')");
    std::mt19937 random(20261209);
    for (int day = 0; day < 6; ++day) {
        world.SetNow(LocalTime(2026, 12, 8 + day, 9 + day, 0, 0));
        for (const DrillKeys& keys : {kBrowseKeys, kSpellKeys}) {
            DrillCore drill(keys, [](const std::string&) {});
            drill.SetUp({world.connection, 5, world.ini});
            for (int i = 0; i < 12 && drill.PickNextWord(); ++i) {
                if (random() % 2)
                    drill.GradeRight();
                else
                    drill.GradeWrong(random() % 3 != 0);
                if (random() % 5 == 0)
                    drill.UndoLastGrading();
            }
            drill.SaveProgress();
        }
    }
    const std::vector<MemoryRow> kept = memory_table::ReadAll(world.connection);
    ASSERT_GT(kept.size(), 20u);
    EXPECT_EQ(kept, MemoryFromStudyLog(world.connection));
    // Both skills of the due word are held apart.
    EXPECT_TRUE(memory_table::Read(world.connection, "due", mdb::kBrowseDrill).has_value());
    EXPECT_FALSE(memory_table::Read(world.connection, "due", mdb::kSpellDrill).has_value());
    RebuildMemoryTable(world.connection);
    EXPECT_EQ(memory_table::ReadAll(world.connection), kept);
}

TEST(MemoryTest, AnUndoTakesTheStateBack) {
    DrillWorld world;
    DrillCore drill(kBrowseKeys, [](const std::string&) {});
    drill.SetUp({world.connection, 5, world.ini});
    ASSERT_TRUE(drill.PickNextWord());
    drill.GradeRight();
    const auto once = memory_table::ReadAll(world.connection);
    ASSERT_EQ(once.size(), 1u);
    EXPECT_NEAR(once[0].stability, fsrs::kDefaultParameters[2], 1e-9); // Good at first sight
    ASSERT_TRUE(drill.PickNextWord());
    drill.GradeWrong(true);
    ASSERT_EQ(memory_table::ReadAll(world.connection).size(), 2u);
    ASSERT_TRUE(drill.UndoLastGrading());
    EXPECT_EQ(memory_table::ReadAll(world.connection), once);
    ASSERT_TRUE(drill.UndoLastGrading());
    EXPECT_TRUE(memory_table::ReadAll(world.connection).empty());
}

} // namespace

namespace {

// Three days of new words, then 今日复习: the words the memory asks for, within the daily
// limit, reviewed in the drill's screens without touching the quota, read.ini's progress
// or the review tables; what was reviewed is not asked again today.
TEST(DailyReviewTest, LearnedWordsComeBackWithinTheLimitAndAreReviewedLikeAPracticeList) {
    DrillWorld world;
    world.Ini("CET6", "smount", "3"); // taken before any grading was kept: they join
    for (int day = 0; day < 3; ++day) {
        world.SetNow(LocalTime(2026, 12, 1 + day));
        DrillCore drill(kBrowseKeys, [](const std::string&) {});
        drill.SetUp({world.connection, 8, world.ini});
        for (int i = 0; i < 16 && drill.PickNextWord(); ++i)
            i % 4 == 0 ? drill.GradeWrong(true) : drill.GradeRight();
        drill.SaveProgress();
    }
    world.SetNow(LocalTime(2026, 12, 9));
    world.Ini("system", "fuxi", "20");
    DailyReview review = ReadDailyReview(world.connection, world.ini, world.now);
    EXPECT_EQ(review.Total(), 20); // the limit
    EXPECT_GT(review.backlog, 0);
    ASSERT_FALSE(review.recognise.empty());
    EXPECT_EQ(review.spell.size(), 0u); // the three joined spelling words are not due yet
    EXPECT_FALSE(review.recognise.front().translation.empty());

    const std::string iniBefore = world.dir.Read("read.ini");
    const auto rowsBefore = world.Rows("readfuxi");
    auto list = std::make_shared<PracticeList>(
        PracticeList{"今日复习", review.recognise, StudySource::DailyReview, false});
    DrillCore drill(kBrowseKeys, [](const std::string&) {});
    drill.SetUp({world.connection, 8, world.ini, clock_source::Now, list});
    int graded = 0;
    while (drill.PickNextWord() && graded < 60) {
        ++graded % 5 == 0 ? drill.GradeWrong(true) : drill.GradeRight();
    }
    drill.SaveProgress();
    EXPECT_EQ(world.dir.Read("read.ini"), iniBefore);
    EXPECT_EQ(world.Rows("readfuxi"), rowsBefore);
    EXPECT_EQ(study_log::DailyReviewsOn(world.connection, ReviewAge(world.now).Today()),
              static_cast<long long>(review.recognise.size()));
    // Today's limit is spent; tomorrow the rest of the backlog comes.
    EXPECT_EQ(ReadDailyReview(world.connection, world.ini, world.now).Total(), 0);
    world.SetNow(LocalTime(2026, 12, 10));
    EXPECT_GT(ReadDailyReview(world.connection, world.ini, world.now).Total(), 0);
}

} // namespace
