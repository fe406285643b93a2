#include "drills/core/drill_core.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

class DrillCoreTest : public ::testing::Test {
protected:
    DrillCore& Start(long long quota = 40, const DrillKeys& keys = kBrowseKeys) {
        core = std::make_unique<DrillCore>(keys,
                                           [this](const std::string& m) { messages.push_back(m); });
        core->SetUp({world.connection, quota, world.ini});
        return *core;
    }
    // Picks n times, grading every bank word right so the list is left alone.
    void PickBankWords(int n) {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(core->PickNextWord());
            ASSERT_NE(core->Source(), WordSource::FromReviewList) << "pick " << i;
            core->GradeRight();
        }
    }

    DrillWorld world;
    std::unique_ptr<DrillCore> core;
    std::vector<std::string> messages;
};

TEST_F(DrillCoreTest, CountsNewWordsAgainstTheQuotaAndLabelsTheRest) {
    world.Ini("system", "qiangzhi", "1");
    DrillCore& drill = Start(3);
    EXPECT_EQ(drill.BankName(), "CET6");
    EXPECT_EQ(drill.RemainingLabel(), "");
    const char* labels[] = {"剩下的单词数为2", "剩下的单词数为1", "剩下的单词数为0",
                            "今天任务已完成"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(drill.PickNextWord());
        EXPECT_EQ(drill.Current().word, "six" + std::to_string(i));
        EXPECT_EQ(drill.RemainingLabel(), labels[i]);
        EXPECT_EQ(drill.MustConfirmGiveUp(), i < 3) << "after word " << i + 1;
        drill.GradeRight();
    }
    EXPECT_EQ(drill.TodayCount(), 4);
    EXPECT_EQ(drill.BankPosition(), 4);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DrillCoreTest, ANewDayResetsTheCountButKeepsThePosition) {
    world.Ini("CET6", "tr", "20261207");
    world.Ini("CET6", "trmount", "7");
    world.Ini("CET6", "rmount", "4");
    DrillCore& drill = Start();
    EXPECT_EQ(drill.TodayCount(), 0);
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "six4");
    EXPECT_EQ(drill.RemainingLabel(), "剩下的单词数为39");
    drill.GradeRight();
    drill.SaveProgress();

    DrillCore& again = Start(); // later the same day: the count goes on
    EXPECT_EQ(again.TodayCount(), 1);
    EXPECT_EQ(again.BankPosition(), 5);
}

TEST_F(DrillCoreTest, EachBankAndEachDrillKeepsItsOwnProgress) {
    world.Ini("system", "CET", "0");
    Start().PickNextWord();
    EXPECT_EQ(core->BankName(), "CET4");
    EXPECT_EQ(core->Current().word, "four0");
    core->GradeRight();
    core->SaveProgress();
    world.Ini("system", "CET", "-1");
    Start().PickNextWord();
    EXPECT_EQ(core->Current().word, "six0");
    core->GradeRight();
    core->PickNextWord();
    core->SaveProgress();
    world.Ini("system", "CET", "0");
    Start().PickNextWord();
    EXPECT_EQ(core->Current().word, "four1");
    core->GradeRight();                   // kept at the grade, without a close
    Start(40, kSpellKeys).PickNextWord(); // the spelling drill has its own keys
    EXPECT_EQ(core->Current().word, "four0");
    core->GradeRight();
    core->SaveProgress();
    EXPECT_EQ(world.IniInt("CET4", "rmount"), 2);
    EXPECT_EQ(world.IniInt("CET4", "smount"), 1);
    EXPECT_EQ(world.IniInt("CET6", "rmount"), 1); // six1 was never graded
}

TEST_F(DrillCoreTest, ALoneMissedWordComesBackAtTheFifthPick) {
    DrillCore& drill = Start();
    drill.PickNextWord();
    drill.GradeWrong(true); // appended with score 0
    PickBankWords(4);       // 20, 40, 60, 80
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Source(), WordSource::FromReviewList);
    EXPECT_EQ(drill.Current().word, "six0");
    EXPECT_EQ(drill.Current().score, 100);

    drill.GradeWrong(true); // 130, step 2: back at once
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Source(), WordSource::FromReviewList);
    EXPECT_EQ(drill.ReviewList()[0].score, 150);
    EXPECT_EQ(drill.ReviewList()[0].step, 2);
    EXPECT_EQ(drill.TodayCount(), 5); // review words neither count nor move the bank
}

TEST_F(DrillCoreTest, RightAnswersPushAnEntryBackUntilItTurnsNegative) {
    DrillCore& drill = Start(40, kSpellKeys);
    drill.PickNextWord();
    drill.GradeWrong(true);
    PickBankWords(4);
    ASSERT_TRUE(drill.PickNextWord()); // at 100, step 1
    drill.GradeRight();                // 30, step 2
    EXPECT_EQ(drill.ReviewList()[0].score, 30);
    PickBankWords(3);                  // 50, 70, 90
    ASSERT_TRUE(drill.PickNextWord()); // 110
    EXPECT_EQ(drill.Source(), WordSource::FromReviewList);
    drill.GradeRight(); // 20, step 3
    EXPECT_EQ(drill.ReviewList()[0].score, 20);
    PickBankWords(3);                  // 40, 60, 80
    ASSERT_TRUE(drill.PickNextWord()); // 100
    drill.GradeRight();                // -10, step 4
    EXPECT_EQ(drill.ReviewList()[0].score, -10);
    PickBankWords(1);
    EXPECT_EQ(drill.ReviewList()[0].score, -10); // never aged again
    drill.SaveProgress();
    EXPECT_TRUE(world.Rows("spellfuxi").empty()); // nor stored
}

TEST_F(DrillCoreTest, WithTwoEntriesTheNewestIsEligibleAtOnceButTheOlderComesFirst) {
    DrillCore& drill = Start();
    drill.PickNextWord();
    drill.GradeWrong(true);
    drill.PickNextWord(); // lone entry: 20, not taken
    EXPECT_EQ(drill.Current().word, "six1");
    drill.GradeWrong(true);
    ASSERT_TRUE(drill.PickNextWord()); // 40 and 20: the front one
    EXPECT_EQ(drill.Current().word, "six0");
}

TEST_F(DrillCoreTest, DueFromLocalMidnightOfTheThirdDayAndGoneOnceAnsweredRight) {
    world.Sql("INSERT INTO readfuxi VALUES ('old', '旧', '2026-12-05')");
    world.Sql("INSERT INTO readfuxi VALUES ('new', '新', '2026-12-06')");
    world.SetNow(LocalTime(2026, 12, 7, 23, 59, 59));
    DrillCore& drill = Start();
    drill.PickNextWord();
    EXPECT_EQ(drill.Current().word, "six0");
    world.SetNow(LocalTime(2026, 12, 8, 0, 0, 0));
    drill.GradeRight();
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "old");
    EXPECT_EQ(drill.Current().translation, "旧");
    EXPECT_EQ(drill.Source(), WordSource::Fresh);
    // On screen it stays in the table, so that a crash cannot lose it.
    EXPECT_EQ(world.Rows("readfuxi"),
              (std::vector<std::string>{"old|2026-12-05", "new|2026-12-06"}));
    drill.GradeRight();
    EXPECT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"new|2026-12-06"});
    EXPECT_EQ(drill.TodayCount(), 1);
}

TEST_F(DrillCoreTest, SavingWritesTheDayTheCountTheRowsAndThePositionInOrder) {
    DrillCore& drill = Start();
    drill.PickNextWord();
    drill.GradeWrong(true);
    drill.PickNextWord();
    drill.GradeRight();
    drill.SaveProgress();
    EXPECT_EQ(world.dir.Read("read.ini"),
              NativeLines("[CET6]\ntr=20261208\ntrmount=2\nrmount=2\n"));
    EXPECT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"six0|2026-12-08"});
}

TEST_F(DrillCoreTest, SavingAgainReplacesTheRowsThisDrillStored) {
    world.Sql("INSERT INTO readfuxi VALUES ('other', '别的', '2026-12-07')");
    DrillCore& drill = Start();
    drill.PickNextWord();
    drill.GradeWrong(true);
    drill.PickNextWord();
    drill.GradeWrong(true);
    drill.SaveProgress(); // a close that the learner then cancelled
    drill.SaveProgress();
    EXPECT_EQ(world.Rows("readfuxi"),
              (std::vector<std::string>{"other|2026-12-07", "six0|2026-12-08", "six1|2026-12-08"}));
    // six0 is asked again and answered right three times: its score goes negative.
    ASSERT_TRUE(drill.PickNextWord());
    ASSERT_EQ(drill.Current().word, "six0");
    drill.GradeRight(); // 40 - 70 = -30
    drill.SaveProgress();
    EXPECT_EQ(world.Rows("readfuxi"),
              (std::vector<std::string>{"other|2026-12-07", "six1|2026-12-08"}));
}

TEST_F(DrillCoreTest, ADueWordLeftUngradedStaysDueAndOneMissedIsReplacedByItsEntry) {
    world.Sql("INSERT INTO readfuxi VALUES ('old', '旧', '2026-12-01')");
    world.Sql("INSERT INTO readfuxi VALUES ('older', '更旧', '2026-11-30')");
    DrillCore& drill = Start();
    ASSERT_TRUE(drill.PickNextWord());
    ASSERT_EQ(drill.Current().word, "old");
    drill.SaveProgress(); // a close with the word on screen
    EXPECT_EQ(world.Rows("readfuxi"),
              (std::vector<std::string>{"old|2026-12-01", "older|2026-11-30"}));
    drill.GradeWrong(true); // a cancelled give-up, then the learner missed it
    EXPECT_EQ(world.Rows("readfuxi"),
              (std::vector<std::string>{"older|2026-11-30", "old|2026-12-08"}));
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "older"); // not the same word again
    drill.GradeRight();
    EXPECT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"old|2026-12-08"});
    EXPECT_TRUE(messages.empty());
}

TEST_F(DrillCoreTest, NullFieldsReadAsEmptyAndFreshWordsStartAtStepOne) {
    world.Sql("UPDATE CET6 SET fanyi = NULL WHERE danci = 'six1'");
    DrillCore& drill = Start();
    drill.PickNextWord();
    drill.GradeWrong(true);
    drill.PickNextWord(); // the lone entry is at 20: a bank word
    EXPECT_EQ(drill.Current().word, "six1");
    EXPECT_EQ(drill.Current().translation, ""); // not the previous word's
    drill.GradeRight();
    PickBankWords(3);
    ASSERT_TRUE(drill.PickNextWord()); // 100, step 1
    drill.GradeWrong(true);            // 130, step 2
    ASSERT_TRUE(drill.PickNextWord()); // 150, step 2 on screen
    EXPECT_EQ(drill.Current().step, 2);
    drill.GradeRight(); // 60, step 3
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Source(), WordSource::Fresh);
    EXPECT_EQ(drill.Current().step, 1);
}

TEST_F(DrillCoreTest, WhenNothingIsLeftTheWordOnScreenKeepsItsEntry) {
    world.Ini("CET6", "rmount", "29");
    DrillCore& drill = Start();
    drill.PickNextWord(); // the last bank word
    drill.GradeWrong(true);
    EXPECT_FALSE(drill.PickNextWord()); // 20: not yet
    EXPECT_EQ(drill.Current().word, "six29");
    // Graded already: a second grade stores no second row and no second log row.
    EXPECT_FALSE(drill.HasWord());
    drill.GradeWrong(true);
    drill.GradeRight();
    EXPECT_EQ(drill.ReviewList().size(), 1u);
    EXPECT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"six29|2026-12-08"});
    EXPECT_EQ(world.Count("xuexijilu"), 1);
    // The entry comes back once its score reaches 100 (four more picks).
    int picks = 0;
    while (!drill.PickNextWord())
        ASSERT_LT(++picks, 10);
    EXPECT_EQ(picks, 3);
    ASSERT_EQ(drill.Source(), WordSource::FromReviewList);
    drill.GradeRight(); // 100 - 70
    // Nothing else is due: the same entry stays current and a grade updates it.
    EXPECT_FALSE(drill.PickNextWord()); // 50
    EXPECT_EQ(drill.CurrentEntry(), std::optional<size_t>(0));
    EXPECT_TRUE(drill.HasWord());
    drill.GradeWrong(true); // updates that entry, never a missing one
    EXPECT_EQ(drill.ReviewList().size(), 1u);
    EXPECT_EQ(drill.ReviewList()[0].score, 50 + 30 * 2);
}

TEST_F(DrillCoreTest, UnreadableDatesAreDue) {
    world.Sql("INSERT INTO readfuxi VALUES ('nulltime', 'x', NULL)");
    world.Sql("INSERT INTO readfuxi VALUES ('junk', 'y', 'soon')");
    DrillCore& drill = Start();
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "nulltime");
    drill.GradeRight();
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "junk");
}

TEST_F(DrillCoreTest, OddPositionsNeitherCrashNorWriteNonsense) {
    world.Ini("CET6", "rmount", "-5");
    Start().PickNextWord();
    EXPECT_EQ(core->Current().word, "six0");
    core->GradeRight();
    core->SaveProgress();
    EXPECT_EQ(world.IniInt("CET6", "rmount"), 1);

    world.Ini("CET6", "rmount", "999");
    world.Sql("INSERT INTO readfuxi VALUES ('old', '旧', '2026-12-01')");
    Start();
    ASSERT_TRUE(core->PickNextWord()); // no new words, but due words still come
    EXPECT_EQ(core->Current().word, "old");
    core->GradeRight();
    EXPECT_FALSE(core->PickNextWord());
    core->SaveProgress();
    EXPECT_EQ(world.IniInt("CET6", "rmount"), 999);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DrillCoreTest, WithoutADatabaseBothOpensAreReportedAndTheDrillGoesOn) {
    world.connection->Close();
    DrillCore& drill = Start(40, kSpellKeys);
    drill.LoadVariants(); // the spelling drill's third read: not a third report
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_FALSE(drill.PickNextWord());
    drill.GradeWrong(true);
    drill.SaveProgress();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(world.IniText("CET6", "ts"), "20261208");
    EXPECT_EQ(world.IniInt("CET6", "smount"), 0);
}

TEST_F(DrillCoreTest, AMissingTableIsReportedByItsErrorText) {
    world.Sql("DROP TABLE readfuxi");
    world.connection = OpenConnection(world.db);
    Start();
    EXPECT_EQ(messages, std::vector<std::string>{"数据库里缺少要用的表。\nIDispatch error #3127"});
    EXPECT_TRUE(core->PickNextWord()); // the bank still works
}

TEST_F(DrillCoreTest, AFailureLaterOnIsReportedOnceAndTheDrillGoesOn) {
    DrillCore& drill = Start();
    drill.PickNextWord();
    world.connection->Close(); // every cursor fails from now on
    for (int i = 0; i < 5; ++i)
        drill.PickNextWord();
    EXPECT_EQ(messages.size(), 2u); // review cursor once, bank cursor once
    EXPECT_EQ(drill.Current().word, "six0");
}

TEST_F(DrillCoreTest, AReopenedBankGoesOnFromThePosition) {
    DrillCore& drill = Start(40, kSpellKeys);
    drill.PickNextWord();
    drill.PickNextWord();
    drill.CloseBank();
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "six2");
    EXPECT_EQ(drill.BankPosition(), 3);
}

} // namespace

namespace {

// A grading that cannot be stored says so once and leaves the table as it was; the
// list stays, a close that fails too reports the words it could not keep, and the next
// grading or close stores them all.
TEST_F(DrillCoreTest, AFailedStoreIsToldOnceKeepsTheListAndTheNextTryStoresIt) {
    struct Fault {
        const char* name;
        std::function<void()> inject, clear;
        std::vector<std::string> rowsLeft = {"six0|2026-12-08"}; // while it fails
        std::vector<std::string> rowsAtEnd = {"six0|2026-12-08", "six1|2026-12-08"};
        size_t told = 1;
        const char* cause = ""; // the plain sentence the message begins its error with
    };
    std::optional<sqlite::Database> other;
    const std::vector<Fault> faults = {
        {"file locked by another program",
         [&] {
             other.emplace(world.db, SQLITE_OPEN_READWRITE);
             other->Exec("BEGIN EXCLUSIVE");
         },
         [&] {
             other->Exec("COMMIT");
             other.reset();
         },
         {"six0|2026-12-08"},
         {"six0|2026-12-08", "six1|2026-12-08"},
         1,
         "数据库正被另一个程序占用。"},
        {"disk full",
         [&] {
             world.Sql("CREATE TRIGGER full BEFORE INSERT ON readfuxi WHEN (SELECT count(*) FROM "
                       "readfuxi) >= 1 "
                       "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
         },
         [&] { world.Sql("DROP TRIGGER full"); }},
        {"review table without a column",
         [&] { world.Sql("ALTER TABLE readfuxi DROP COLUMN time"); },
         [&] { world.Sql("ALTER TABLE readfuxi ADD COLUMN time TEXT"); },
         // The test's own doing: the dropped column's values are gone, and a row changed
         // since it was stored is not this drill's to delete.
         {"six0|<null>"},
         {"six0|<null>", "six0|2026-12-08", "six1|2026-12-08"},
         1,
         "数据库的表里缺少要用的列。"},
        {"review table missing",
         [&] { world.Sql("DROP TABLE readfuxi"); },
         [&] { world.Sql("CREATE TABLE readfuxi (danci TEXT, fanyi TEXT, time TEXT)"); },
         {}, // the whole table went
         {"six0|2026-12-08", "six1|2026-12-08"},
         1,
         "数据库里缺少要用的表。"},
    };
    for (const Fault& fault : faults) {
        world.Sql("DELETE FROM readfuxi");
        world.Ini("CET6", "rmount", "0");
        world.connection = OpenConnection(world.db);
        world.connection->SetBusyTimeout(20);
        DrillCore& drill = Start();
        drill.PickNextWord();
        drill.GradeWrong(true); // stored at once
        ASSERT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"six0|2026-12-08"});
        drill.PickNextWord();
        ASSERT_EQ(drill.Current().word, "six1");
        messages.clear();
        fault.inject();
        drill.GradeWrong(true); // fails: told
        ASSERT_TRUE(drill.PickNextWord());
        ASSERT_EQ(drill.Source(), WordSource::FromReviewList);
        drill.GradeWrong(true); // fails again: not told again
        drill.SaveProgress();
        EXPECT_EQ(drill.UnkeptWords(), 1u) << fault.name;
        EXPECT_FALSE(drill.StoreError().empty()) << fault.name;
        fault.clear();
        ASSERT_EQ(messages.size(), fault.told) << fault.name;
        EXPECT_EQ(messages[0].rfind(kGradingNotKept + std::string(fault.cause), 0), 0u)
            << fault.name << ": " << messages[0];
        EXPECT_EQ(world.Rows("readfuxi"), fault.rowsLeft) << fault.name;
        drill.SaveProgress();
        EXPECT_EQ(drill.UnkeptWords(), 0u) << fault.name;
        EXPECT_EQ(messages.size(), fault.told) << fault.name;
        EXPECT_EQ(world.Rows("readfuxi"), fault.rowsAtEnd) << fault.name;
    }
}

// Two running copies never both take one due row: while A has it on screen, B passes it
// over. A hold whose drill died with its process holds nothing.
TEST_F(DrillCoreTest, ADueRowOnOneDrillsScreenIsNotTakenByAnother) {
    world.Sql("INSERT INTO readfuxi VALUES ('old', '旧', '2026-12-01')");
    world.Sql("INSERT INTO readfuxi VALUES ('gone', '已去', '2026-12-01')");
    // Left by a copy that was killed while showing "gone": no process has that number.
    world.Sql("CREATE TABLE zhanyong (biao TEXT NOT NULL, hang INTEGER NOT NULL, danci TEXT, "
              "zhuren TEXT NOT NULL, PRIMARY KEY (biao, hang))");
    world.Sql("INSERT INTO zhanyong VALUES ('readfuxi', 2, 'gone', '2147483646:1:1')");
    DrillCore& a = Start();
    ASSERT_TRUE(a.PickNextWord());
    ASSERT_EQ(a.Current().word, "old");
    {
        DrillCore b(kBrowseKeys, [this](const std::string& m) { messages.push_back(m); });
        b.SetUp({OpenConnection(world.db), 40, world.ini});
        ASSERT_TRUE(b.PickNextWord());
        EXPECT_EQ(b.Current().word, "gone");
        b.GradeRight();
        ASSERT_TRUE(b.PickNextWord());
        EXPECT_EQ(b.Current().word, "six0");
    }
    a.GradeWrong(true);
    EXPECT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"old|2026-12-08"});
    EXPECT_TRUE(messages.empty());
}

} // namespace

namespace {

TEST_F(DrillCoreTest, AUsedUpBankSaysSoInsteadOfRepeatingTheLastWord) {
    world.Ini("CET6", "rmount", "29");
    DrillCore& drill = Start();
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "six29");
    drill.GradeRight();
    EXPECT_FALSE(drill.PickNextWord());
    EXPECT_EQ(drill.RemainingLabel(), kBankUsedUp);
}

} // namespace

namespace {

// read.ini that takes no write is told once per failure, saying what then happens.
TEST_F(DrillCoreTest, ProgressThatCannotBeWrittenIsToldOnceWithWhatFollows) {
    namespace fs = std::filesystem;
    DrillCore& drill = Start();
    drill.PickNextWord();
    fs::remove(world.ini);
    fs::create_directory(world.ini); // nothing can replace it now
    drill.SaveProgress();
    drill.PickNextWord();
    drill.GradeRight();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(kProgressNotKept, 0), 0u);
    EXPECT_NE(messages[0].find(kProgressLostHint), std::string::npos) << messages[0];
    fs::remove(world.ini);
    drill.PickNextWord(); // written again: the graded words, not the one on screen
    EXPECT_EQ(world.IniInt("CET6", "rmount"), 2);
    fs::remove(world.ini);
    fs::create_directory(world.ini);
    drill.PickNextWord(); // a new failure, in the middle of the drill
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].rfind(kProgressNotKept, 0), 0u);
    EXPECT_EQ(messages[1].find(kProgressLostHint), std::string::npos) << messages[1];
}

} // namespace

namespace {

// A due word graded while storing fails is stored once storing works again, and never
// comes back as due: one removal, one log row each, whatever the scans saw meanwhile.
TEST_F(DrillCoreTest, ADueWordGradedDuringAFailedStoreIsNeverAskedAgain) {
    world.Sql("INSERT INTO readfuxi VALUES ('d1', '甲', '2026-12-01'), ('d2', '乙', "
              "'2026-12-01')");
    // Storing fails while one row is held, as a full disk would, and nothing else changes
    // the file meanwhile: the drill's own scans are all it has to go on.
    world.Sql("CREATE TABLE zhanyong (biao TEXT NOT NULL, hang INTEGER NOT NULL, danci TEXT, "
              "zhuren TEXT NOT NULL, PRIMARY KEY (biao, hang))");
    world.Sql("CREATE TRIGGER full BEFORE DELETE ON readfuxi WHEN old.danci = 'd1' AND (SELECT "
              "count(*) FROM "
              "zhanyong) < 2 BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
    DrillCore& drill = Start();
    ASSERT_TRUE(drill.PickNextWord());
    ASSERT_EQ(drill.Current().word, "d1");
    drill.GradeRight(); // not stored
    ASSERT_EQ(messages.size(), 1u);
    ASSERT_TRUE(drill.PickNextWord());
    ASSERT_EQ(drill.Current().word, "d2");
    drill.GradeRight(); // both stored now
    EXPECT_TRUE(world.Rows("readfuxi").empty());
    ASSERT_TRUE(drill.PickNextWord());
    EXPECT_EQ(drill.Current().word, "six0");
    drill.GradeRight();
    EXPECT_EQ(world.Count("xuexijilu"), 3);
}

} // namespace

namespace {

// Our own tables in a shape we did not make never cost the learner a graded word nor ask
// for a message at every pick: due words still come, gradings are kept, and a study log
// that takes no rows is told about once.
TEST_F(DrillCoreTest, OurTablesInAnotherShapeNeverBlockTheLearnersWords) {
    struct Case {
        const char* name;
        const char* sql;
    };
    const Case cases[] = {
        {"holds as a view", "CREATE VIEW zhanyong AS SELECT 1 AS biao"},
        {"holds as an index", "CREATE INDEX zhanyong ON readfuxi (danci)"},
        {"holds of one column", "CREATE TABLE zhanyong (x TEXT)"},
        {"log of three columns", "CREATE TABLE xuexijilu (a TEXT, b TEXT, c TEXT)"},
        {"log of eight columns",
         "CREATE TABLE xuexijilu (shijian TEXT, xiangmu TEXT, ciku TEXT, danci TEXT, "
         "laiyuan TEXT, dui INTEGER, x TEXT, y TEXT)"},
        {"log refusing its rows",
         "CREATE TABLE xuexijilu (shijian TEXT NOT NULL, xiangmu TEXT NOT NULL, ciku TEXT, "
         "danci TEXT NOT NULL, laiyuan TEXT NOT NULL, dui INTEGER NOT NULL); CREATE TRIGGER "
         "no BEFORE INSERT ON xuexijilu BEGIN SELECT RAISE(ABORT, 'refused'); END"},
    };
    auto drive = [this](const DrillWorld& w) {
        core = std::make_unique<DrillCore>(kBrowseKeys,
                                           [this](const std::string& m) { messages.push_back(m); });
        core->SetUp({w.connection, 40, w.ini});
        std::vector<std::string> picked;
        for (int i = 0; i < 4 && core->PickNextWord(); ++i) {
            picked.push_back(core->Current().word);
            core->GradeWrong(true);
        }
        core->SaveProgress();
        EXPECT_EQ(core->UnkeptWords(), 0u);
        core.reset();
        picked.push_back("rows:");
        for (const std::string& row : w.Rows("readfuxi"))
            picked.push_back(row);
        return picked;
    };
    DrillWorld plain;
    plain.Sql("INSERT INTO readfuxi VALUES ('d1', '甲', '2026-12-01')");
    const std::vector<std::string> expected = drive(plain);
    ASSERT_EQ(expected.front(), "d1");
    ASSERT_TRUE(messages.empty());
    for (const Case& c : cases) {
        DrillWorld odd;
        odd.Sql(c.sql);
        odd.Sql("INSERT INTO readfuxi VALUES ('d1', '甲', '2026-12-01')");
        const size_t before = messages.size();
        EXPECT_EQ(drive(odd), expected) << c.name;
        ASSERT_LE(messages.size(), before + 1) << c.name << ": " << messages.back();
    }
    // Each log that takes no rows is told about, once.
    ASSERT_EQ(messages.size(), 3u);
    for (const std::string& message : messages)
        EXPECT_TRUE(message.starts_with(kHistoryOff)) << message;
}

} // namespace

namespace {

// A database that takes no write is told about once for the grades and once for the
// history, never at each pick; its due words are still asked.
TEST_F(DrillCoreTest, AReadOnlyDatabaseIsToldOnceNotAtEveryPick) {
    world.Sql("INSERT INTO readfuxi VALUES ('d1', '甲', '2026-12-01')");
    world.connection->Handle()->Exec("PRAGMA query_only = 1");
    DrillCore& drill = Start();
    std::vector<std::string> asked;
    for (int i = 0; i < 20 && drill.PickNextWord(); ++i) {
        asked.push_back(drill.Current().word);
        drill.GradeWrong(true);
    }
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), "d1");
    EXPECT_LE(messages.size(), 2u);
    EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                            [](const std::string& m) { return m.starts_with(kGradingNotKept); }),
              1);
}

} // namespace

namespace {

// A bank word shown but never graded is not taken: however the drill ends, read.ini holds
// the position and count without it, so the next drill of that skill starts with it. The
// label counts it while it is on screen.
TEST_F(DrillCoreTest, ABankWordShownButNeverGradedIsAskedNextTime) {
    for (const DrillKeys& keys : {kBrowseKeys, kSpellKeys}) {
        DrillCore& drill = Start(40, keys);
        ASSERT_TRUE(drill.PickNextWord());
        const std::string first = drill.Current().word;
        EXPECT_EQ(drill.RemainingLabel(), "剩下的单词数为39");
        drill.SaveProgress(); // closed on it
        EXPECT_EQ(Start(40, keys).PickNextWord(), true);
        EXPECT_EQ(core->Current().word, first);
        core->GradeRight();
        ASSERT_TRUE(core->PickNextWord());
        const std::string second = core->Current().word;
        core->WritePosition(); // the window's end, then no close at all
        core.reset();
        Start(40, keys).PickNextWord();
        EXPECT_EQ(core->Current().word, second);
        EXPECT_EQ(core->TodayCount(), 2);
        core->GradeRight();
        EXPECT_TRUE(core->UndoLastGrading()); // on screen and ungraded again
        core.reset();
        Start(40, keys).PickNextWord();
        EXPECT_EQ(core->Current().word, second);
    }
}

} // namespace
