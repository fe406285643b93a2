#include "drills/core/word_lookup.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Words(const std::vector<const LookupEntry*>& hits) {
    std::vector<std::string> words;
    for (const LookupEntry* hit : hits)
        words.push_back(hit->word);
    return words;
}

TEST(WordLookupTest, EnglishByTheWordsStartChineseByAPartOfTheMeaning) {
    auto entry = [](const char* word, const char* meaning, const char* bank) {
        return LookupEntry{word, meaning, bank, "", WordStatus::NotLearned, {}};
    };
    const WordIndex index({entry("abandon", "v. 放弃；抛弃", "CET4"),
                           entry("Ability", "n. 能力", "CET4"), entry("able", "a. 能够的", "CET4"),
                           entry("give up", "放弃", "CET6"), entry("ab-initio", "从头", "CET6"),
                           entry("zeal", "n. 热情", "CET6")});
    const struct {
        const char* query;
        size_t limit;
        std::vector<std::string> words;
    } cases[] = {
        {"ab", 10, {"ab-initio", "abandon", "Ability", "able"}},
        {"AB", 10, {"ab-initio", "abandon", "Ability", "able"}},
        {"  abl ", 10, {"able"}},
        {"ab", 2, {"ab-initio", "abandon"}},
        {"give u", 10, {"give up"}},
        {"放弃", 10, {"abandon", "give up"}},
        {"能", 10, {"Ability", "able"}},
        {"n.", 10, {}}, // English: no word starts so
        {"", 10, {}},
        {"   ", 10, {}},
        {"q", 10, {}},
        {"火星", 10, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Words(index.Find(c.query, c.limit)), c.words) << c.query;
}

TEST(WordLookupTest, ReadsBothBanksWithTranscriptionsAndHowFarTheLearnerIs) {
    DrillWorld world; // CET4 four0…, CET6 six0…, today 2026-12-08
    world.Sql("INSERT INTO yinbiao VALUES ('six1', 'sɪks')");
    world.Sql("INSERT INTO readfuxi VALUES ('six0', '', '2026-12-01')");
    world.Sql("INSERT INTO spellfuxi VALUES ('four5', '', '2026-12-07')");
    world.Ini("CET6", "rmount", "3");
    world.Ini("CET4", "smount", "1");
    const WordIndex index = ReadWordIndex(world.connection, world.ini, world.now);
    EXPECT_EQ(index.size(), 60u);
    auto status = [&index](const char* word) { return index.Find(word, 1).at(0)->status; };
    EXPECT_EQ(status("six0"), WordStatus::Due);
    EXPECT_EQ(status("six2"), WordStatus::Learned);
    EXPECT_EQ(status("six3"), WordStatus::NotLearned);
    EXPECT_EQ(status("four0"), WordStatus::Learned);
    EXPECT_EQ(status("four5"), WordStatus::InReview);
    EXPECT_EQ(HitLine(*index.Find("six1", 1).at(0)), "six1 /sɪks/  释义1  （CET6 · 已学）");
}

// A learned word says when each of its skills comes back; other words say nothing of it.
TEST(WordLookupTest, ALearnedWordSaysWhenItComesBack) {
    DrillWorld world;
    world.Ini("CET6", "rmount", "3");
    const WordIndex index = ReadWordIndex(world.connection, world.ini, world.now,
                                          {{"six0", {23, std::nullopt}}, {"six1", {-2, 1}}});
    auto state = [&index](const char* word) { return StateLine(*index.Find(word, 1).at(0)); };
    EXPECT_EQ(state("six0"), "CET6 · 已学 · 认词约 23 天后需要复习");
    EXPECT_EQ(state("six1"), "CET6 · 已学 · 认词今天需要复习，拼写明天需要复习");
    EXPECT_EQ(state("six2"), "CET6 · 已学");
    EXPECT_EQ(state("six9"), "CET6 · 未学");
}

} // namespace
