#include "mainwnd/core/forced_study.h"

#include "store/profile.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ForcedStudyTest : public ::testing::Test {
protected:
    void User(const char* key, const std::string& value) const {
        WritePrivateProfileStringA("usermessage", key, value.c_str(), ini);
    }
    int UserInt(const char* key) const {
        return static_cast<int>(GetPrivateProfileIntA("usermessage", key, -999, ini));
    }

    TempDir dir;
    std::string ini = dir.file("read.ini");
    ForcedStudy forced{ini};
};

TEST_F(ForcedStudyTest, OnlyTheUserSectionSwitchesItOn) {
    WritePrivateProfileStringA("system", "qiangzhi", "1", ini);
    EXPECT_FALSE(forced.On());
    User("qiangzhi", "1");
    EXPECT_TRUE(forced.On());
}

TEST_F(ForcedStudyTest, TheIntervalIsKeptWithinWhatATimerCanTake) {
    EXPECT_EQ(forced.ReminderMinutes(), 30); // nothing stored
    for (const auto& [stored, minutes] :
         {std::pair{"45", 45}, std::pair{"0", 1}, std::pair{"-5", 1}, std::pair{"99999999", 35791},
          std::pair{"35791", 35791}}) {
        User("time", stored);
        EXPECT_EQ(forced.ReminderMinutes(), minutes) << stored;
    }
}

TEST_F(ForcedStudyTest, CountsGrowByTheBatchAndTheTurnAtTheQuotaStillRuns) {
    User("mei", "4");
    std::vector<int> seenDuringDrill, afterTurn;
    for (int tick = 0; tick < 12; ++tick) {
        bool ran = false;
        forced.RunTurn(settings::Drill::Browse, 40, [&] {
            ran = true;
            seenDuringDrill.push_back(UserInt("trmount"));
        });
        if (ran)
            afterTurn.push_back(UserInt("trmount"));
    }
    EXPECT_EQ(seenDuringDrill, std::vector<int>(11, 36)); // quota less the batch, each time
    EXPECT_EQ(afterTurn, (std::vector<int>{4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44}));
    EXPECT_EQ(UserInt("trmount"), 44); // the twelfth tick ran no drill
}

TEST_F(ForcedStudyTest, WithoutABatchEveryTurnRunsAndTheCountStays) {
    int drills = 0;
    for (int tick = 0; tick < 3; ++tick)
        forced.RunTurn(settings::Drill::Spell, 40, [&] { ++drills; });
    EXPECT_EQ(drills, 3);
    EXPECT_EQ(UserInt("tsmount"), 0);
}

TEST_F(ForcedStudyTest, ATurnDuringAnOpenDrillSeesTheCountWrittenBeforeIt) {
    User("mei", "4");
    int nestedSaw = -1;
    forced.RunTurn(settings::Drill::Browse, 40, [&] {
        forced.RunTurn(settings::Drill::Browse, 40, [&] { nestedSaw = UserInt("trmount"); });
        EXPECT_EQ(UserInt("trmount"), 40); // the nested turn: 36 + 4
    });
    EXPECT_EQ(nestedSaw, 36);
    EXPECT_EQ(UserInt("trmount"), 4); // the outer turn writes last: 0 + 4
}

TEST_F(ForcedStudyTest, TheDayIsUnfinishedWhileEitherCountIsShort) {
    struct Case {
        const char *daily, *browse, *spell;
        bool unfinished;
    };
    for (const Case& c :
         {Case{"10", "12", "3", true}, Case{"10", "3", "12", true}, Case{"10", "10", "10", false},
          Case{"0", "0", "0", false}, Case{"10", "-1", "-1", false}}) { // as stored: unsigned
        User("danci", c.daily);
        User("trmount", c.browse);
        User("tsmount", c.spell);
        EXPECT_EQ(forced.DayUnfinished(), c.unfinished)
            << c.daily << " " << c.browse << " " << c.spell;
    }
}

} // namespace
