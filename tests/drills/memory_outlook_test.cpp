// What the learner is shown of the memory: the sums and the plan's days, and the words for them.
#include "drills/core/drill_core.h"
#include "drills/core/memory/memory_outlook.h"
#include "drills/core/memory/memory_texts.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

using review_plan::Card;
using review_plan::Skill;

namespace {

constexpr long long kToday = 20000;

Card CardOf(std::int64_t word, Skill skill, double stability, long long daysAgo) {
    return {word, skill, {{stability, 5}, kToday - daysAgo}};
}

// Strong and weak words in both skills, some overdue, one graded today.
std::vector<Card> Deck() {
    std::vector<Card> deck;
    for (int i = 0; i < 400; ++i)
        deck.push_back(CardOf(i, i % 3 ? Skill::Recognise : Skill::Spell, 1.5 + i % 40, i % 23));
    deck.push_back(CardOf(400, Skill::Spell, 3, 0));
    return deck;
}

TEST(MemoryOutlookTest, SumsTodayAndWalksThePlanToTheExamDay) {
    const fsrs::Model model;
    const auto deck = Deck();
    struct Case {
        std::optional<long long> examIn;
        int limit;
        bool examFigure;
    };
    const Case cases[] = {{{}, 150, false},
                          {-1, 150, false},
                          {0, 150, true},
                          {20, 150, true},
                          {75, 30, true},
                          {kLongestExamForecast, 150, true},
                          {kLongestExamForecast + 1, 150, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "exam in " << c.examIn.value_or(-99));
        review_plan::Settings settings;
        settings.dailyLimit = c.limit;
        if (c.examIn)
            settings.examDay = kToday + *c.examIn;
        const MemoryOutlook outlook = ComputeMemoryOutlook(model, deck, settings, kToday, 4);

        EXPECT_EQ(outlook.learned[0] + outlook.learned[1], 401);
        EXPECT_EQ(outlook.learned[1], 135);
        EXPECT_NEAR(outlook.Recalled(), review_plan::ExpectedRecall(model, deck, kToday), 1e-9);
        EXPECT_LT(outlook.Recalled(), 401);
        // The chart's days are the plan's, whatever length the walk to the exam took.
        const auto plan = review_plan::Forecast(model, deck, settings, kToday, kOutlookDays, 4);
        ASSERT_EQ(outlook.days.size(), size_t{kOutlookDays});
        for (size_t i = 0; i < plan.size(); ++i) {
            EXPECT_EQ(outlook.days[i].reviews, plan[i].reviews) << i;
            EXPECT_EQ(outlook.days[i].backlog, plan[i].backlog) << i;
        }
        EXPECT_LE(outlook.days[0].reviews, c.limit - 4);

        ASSERT_EQ(outlook.recalledOnExamDay.has_value(), c.examFigure);
        if (!c.examFigure)
            continue;
        const long long exam = *settings.examDay;
        const auto walk = review_plan::Forecast(model, deck, settings, kToday,
                                                static_cast<int>(exam - kToday + 1), 4);
        EXPECT_DOUBLE_EQ(*outlook.recalledOnExamDay, walk.back().expectedRecall);
        // The planned reviews keep more than doing nothing would.
        if (exam > kToday + 1)
            EXPECT_GT(*outlook.recalledOnExamDay,
                      review_plan::ExpectedRecall(model, deck, exam) + 1);
        else
            EXPECT_NEAR(*outlook.recalledOnExamDay, outlook.Recalled(), 1e-9);
    }
}

// Through the store: three days of new words, then what 今日复习 counts today is what the
// statistics plan for today and what 查词 calls due today.
TEST(MemoryOutlookTest, TheButtonTheStatisticsAndTheLookupAgreeOnToday) {
    DrillWorld world;
    for (int day = 0; day < 3; ++day) {
        world.SetNow(LocalTime(2026, 12, 1 + day));
        for (const DrillKeys& keys : {kBrowseKeys, kSpellKeys}) {
            DrillCore drill(keys, [](const std::string&) {});
            drill.SetUp({world.connection, 6, world.ini});
            for (int i = 0; i < 12 && drill.PickNextWord(); ++i)
                i % 3 == 0 ? drill.GradeWrong(true) : drill.GradeRight();
            drill.SaveProgress();
        }
    }
    world.SetNow(LocalTime(2026, 12, 7));
    world.Ini("system", "fuxi", "20");
    const DailyReview review = ReadDailyReview(world.connection, world.ini, world.now);
    ASSERT_GT(review.Total(), 0);
    ASSERT_FALSE(review.spell.empty());

    const MemoryOutlook outlook = ReadMemoryOutlook(world.connection, world.ini, world.now);
    EXPECT_EQ(outlook.dailyLimit, 20);
    EXPECT_EQ(outlook.Learned(), 36); // 18 words a drill, each skill its own
    EXPECT_EQ(outlook.days[0].reviews, review.Total());
    EXPECT_EQ(outlook.days[0].backlog, review.backlog);

    const WordReviews reviews = ReadNextReviews(world.connection, world.ini, world.now);
    long long dueToday = 0;
    for (const auto& [word, days] : reviews)
        for (const auto& skill : {days.recognise, days.spell})
            dueToday += skill && *skill <= 0;
    EXPECT_EQ(dueToday, review.Total() + review.backlog);
    const std::string first = review.spell.front().word;
    ASSERT_TRUE(reviews.at(first).spell);
    EXPECT_LE(*reviews.at(first).spell, 0);
}

TEST(MemoryTextsTest, SayWhatTheFiguresMean) {
    const struct {
        std::string text, expected;
    } cases[] = {
        {WithThousands(0), "0"},
        {WithThousands(999), "999"},
        {WithThousands(2310), "2,310"},
        {WithThousands(1234567), "1,234,567"},
        {DueText(-4), "今天需要复习"},
        {DueText(0), "今天需要复习"},
        {DueText(1), "明天需要复习"},
        {DueText(23), "约 23 天后需要复习"},
        {WordReviewText({23, 0}), "认词约 23 天后需要复习，拼写今天需要复习"},
        {WordReviewText({std::nullopt, 2}), "拼写约 2 天后需要复习"},
        {WordReviewText({}), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.expected);

    DailyReview review;
    review.recognise.resize(12);
    review.spell.resize(1300);
    EXPECT_EQ(ReviewButtonText(review), "今日复习 1,312");
    EXPECT_EQ(ReviewMenuText(review), "今日复习 1,312(&V)...");
    review.backlog = 30;
    EXPECT_EQ(ReviewButtonText(review), "今日复习 1,312\n积压 30");
    EXPECT_EQ(ReviewMenuText(review), "今日复习 1,312，积压 30(&V)...");
    EXPECT_NE(ReviewChoiceText(review).find("积压 30"), std::string::npos);

    DailyReview spent;
    spent.backlog = 7;
    EXPECT_EQ(ReviewButtonText(spent), "今日复习 0\n积压 7");
    EXPECT_NE(NothingToReviewText(spent, 150).find("还有 7 个积压"), std::string::npos);
    EXPECT_EQ(NothingToReviewText({}, 150).rfind("今天没有需要复习的单词。", 0), 0u);
}

TEST(MemoryTextsTest, TheStatisticsSayWhatTheyCountAndAssume) {
    MemoryOutlook outlook;
    outlook.today = 20000;
    outlook.dailyLimit = 150;
    EXPECT_EQ(RememberedText(outlook).rfind("还没有背过的单词", 0), 0u);
    outlook.learned = {1560, 920};
    outlook.recalled = {1500.2, 809.6};
    EXPECT_EQ(RememberedText(outlook), "你现在大约记得 2,310 / 2,480 个单词（认词和拼写各算一次）");
    EXPECT_NE(RememberedExplanation(outlook).find("认词 1,500 / 1,560，拼写 810 / 920"),
              std::string::npos);

    EXPECT_NE(ExamRecallText(outlook).find("考试日期"), std::string::npos);
    outlook.examDay = 20000 - 3;
    EXPECT_EQ(ExamRecallText(outlook), ""); // the exam line says it is past
    outlook.examDay = 20000 + 500;
    EXPECT_NE(ExamRecallText(outlook).find("500 天后"), std::string::npos);
    outlook.examDay = 20000;
    outlook.recalledOnExamDay = 2309.8;
    EXPECT_EQ(ExamRecallText(outlook), "今天考试：你现在大约记得 93%（2,310 / 2,480）。");
    outlook.examDay = 20000 + 40;
    outlook.recalledOnExamDay = 2380.4;
    const std::string exam = ExamRecallText(outlook);
    EXPECT_NE(exam.find("预计记得 96%（2,380 / 2,480）"), std::string::npos) << exam;
    EXPECT_NE(exam.find("假设每天的今日复习都做完"), std::string::npos) << exam;

    outlook.days = {{20000, 12, 0, 0}, {20001, 150, 20, 0}, {20002, 3, 0, 0}};
    EXPECT_EQ(ReviewForecastText(outlook),
              "未来3天的今日复习（每天最多 150 个）：共 165 个，最多的一天 150 个；积压最多 20 个");
    EXPECT_EQ(ReviewForecastNumbers(outlook),
              "未来3天每天的今日复习：今天 12；明天 150（积压 20）；" + MonthDay(20002, 20000) +
                  " 3。");
}

} // namespace
