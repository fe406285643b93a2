#include "mainwnd/core/study_stats.h"
#include "mainwnd/core/study_stats_text.h"

#include "store/dates.h"
#include "store/word_schema.h"

#include <gtest/gtest.h>

namespace {

constexpr long long kToday = 20430; // a Wednesday

DayTally Browse(long long day, long long fresh, long long reviews = 0, long long wrong = 0) {
    return {day, mdb::kBrowseDrill, fresh, reviews, fresh + reviews - wrong, wrong};
}
DayTally Spell(long long day, long long fresh, long long reviews = 0) {
    return {day, mdb::kSpellDrill, fresh, reviews, fresh + reviews, 0};
}

StudyFacts Facts(std::vector<DayTally> tallies) {
    StudyFacts facts;
    facts.today = kToday;
    facts.quota = 20;
    facts.tallies = std::move(tallies);
    facts.bankSize = 100;
    return facts;
}

TEST(StudyStatsTest, StreaksCountDaysTheQuotaWasMet) {
    struct Case {
        const char* what;
        std::vector<DayTally> tallies;
        long long streak, longest;
    };
    const long long t = kToday;
    const Case cases[] = {
        {"no history", {}, 0, 0},
        {"today met", {Browse(t, 20)}, 1, 1},
        {"a missed day breaks the run",
         {Browse(t - 5, 20), Browse(t - 4, 25), Browse(t - 2, 20), Browse(t - 1, 20),
          Browse(t, 30)},
         3,
         3},
        {"a day short of the quota breaks it",
         {Browse(t - 2, 20), Browse(t - 1, 19), Browse(t, 20)},
         1,
         1},
        {"today not over yet: the run to yesterday stands",
         {Browse(t - 3, 20), Browse(t - 2, 20), Browse(t - 1, 20), Browse(t, 5)},
         3,
         3},
        {"ended before yesterday", {Browse(t - 9, 20), Browse(t - 8, 20), Browse(t - 7, 20)}, 0, 3},
        {"either drill meets it; the two do not add up",
         {Spell(t - 1, 20), Browse(t, 10), Spell(t, 10)},
         1,
         1},
        {"reviews alone are no new words", {Browse(t, 0, 80)}, 0, 0},
    };
    for (const Case& c : cases) {
        const StudyStats stats = ComputeStudyStats(Facts(c.tallies));
        EXPECT_EQ(stats.streak, c.streak) << c.what;
        EXPECT_EQ(stats.longestStreak, c.longest) << c.what;
    }
}

TEST(StudyStatsTest, CalendarBarsAndTodayComeFromTheDays) {
    const StudyStats stats = ComputeStudyStats(
        Facts({Browse(kToday - 200, 20), Browse(kToday - 29, 20, 5), Spell(kToday - 29, 3),
               Browse(kToday, 12, 4, 6), Spell(kToday, 1, 2)}));
    EXPECT_EQ(WeekdayOfDayNumber(stats.firstHeatDay), 0);
    ASSERT_EQ(stats.heat.size(), static_cast<size_t>(kToday - stats.firstHeatDay + 1));
    EXPECT_GT(stats.heat.size(), static_cast<size_t>((kHeatWeeks - 1) * 7));
    EXPECT_EQ(stats.heat.back(), 19);
    EXPECT_EQ(stats.heat[static_cast<size_t>(kToday - 29 - stats.firstHeatDay)], 28);
    ASSERT_EQ(stats.lastDays.size(), static_cast<size_t>(kBarDays));
    EXPECT_EQ(stats.lastDays.front(), (std::pair<long long, long long>{23, 5}));
    EXPECT_EQ(stats.lastDays.back(), (std::pair<long long, long long>{13, 6}));
    EXPECT_EQ(stats.today[0].newWords, 12);
    EXPECT_EQ(stats.today[0].wrong, 6);
    EXPECT_EQ(stats.today[1].reviews, 2);
}

TEST(StudyStatsTest, ForecastPutsEachMissThreeDaysOnAndOverdueRowsToday) {
    StudyFacts facts = Facts({});
    facts.missDays = {{kToday - 3, 2}, {kToday - 10, 1}, {kToday - 1, 4},
                      {kToday, 5},     {kToday + 3, 7},  {kToday + 4, 9}};
    facts.overdueUnreadable = 1;
    const StudyStats stats = ComputeStudyStats(facts);
    const std::array<long long, kForecastDays> expected{4, 0, 4, 5, 0, 0, 7};
    EXPECT_EQ(stats.forecast, expected);
}

TEST(StudyStatsTest, BankFinishAndExamQuota) {
    struct Case {
        const char* what;
        long long positionBrowse, positionSpell, doneToday;
        std::optional<long long> examIn;
        std::optional<long long> finishIn, daysLeft, needed;
    };
    const Case cases[] = {
        {"today's room first", 50, 0, 5, std::nullopt, 2, std::nullopt, std::nullopt},
        {"fits in today", 90, 0, 5, std::nullopt, 0, std::nullopt, std::nullopt},
        {"quota met today: from tomorrow", 50, 0, 20, std::nullopt, 3, std::nullopt, std::nullopt},
        {"the drill further on plans", 10, 40, 0, 6, 2, 6, 10},
        {"exam today: no quota", 40, 0, 0, 0, 2, 0, std::nullopt},
        {"exam past", 40, 0, 0, -3, 2, -3, std::nullopt},
        {"bank done", 100, 0, 0, 5, std::nullopt, 5, std::nullopt},
    };
    for (const Case& c : cases) {
        StudyFacts facts = Facts({Browse(kToday, c.doneToday)});
        facts.positions = {c.positionBrowse, c.positionSpell};
        if (c.examIn)
            facts.examDay = kToday + *c.examIn;
        const StudyStats stats = ComputeStudyStats(facts);
        EXPECT_EQ(stats.taken, std::max(c.positionBrowse, c.positionSpell)) << c.what;
        EXPECT_EQ(stats.finishDay, c.finishIn ? std::optional(kToday + *c.finishIn) : std::nullopt)
            << c.what;
        EXPECT_EQ(stats.exam.has_value(), c.daysLeft.has_value()) << c.what;
        if (stats.exam && c.daysLeft) {
            EXPECT_EQ(stats.exam->daysLeft, *c.daysLeft) << c.what;
            EXPECT_EQ(stats.exam->neededQuota, c.needed) << c.what;
        }
    }
}

TEST(StudyStatsTest, ExamDateIsReadOnlyAsARealDate) {
    EXPECT_EQ(ExamDayOf("2027-06-12"), ReviewAge::DayNumber("2027-06-12"));
    EXPECT_EQ(ExamDayOf("2027-6-5"), ReviewAge::DayNumber("2027-06-05"));
    EXPECT_EQ(ExamDayOf("9999-12-31"), ReviewAge::DayNumber("9999-12-31"));
    for (const char* bad : {"", "2027-13-01", "2027-02-30", "2027-06", "明年六月", "99999-01-01",
                            "10000-01-01", "0000-06-12", "27-06-12", "+2027-06-12", "2027-+6-12",
                            "2027-06-12 ", "2027-06-12x", "2027-006-12", "2027-06-00"})
        EXPECT_FALSE(ExamDayOf(bad)) << bad;
}

long long Day(const char* date) {
    return *ReviewAge::DayNumber(date);
}

// The charts' axes: a month over the week it begins in, a date under every seventh bar.
TEST(StudyStatsTest, ChartAxesNameMonthsAndDates) {
    struct Case {
        const char* what;
        std::vector<ChartLabel> labels, expected;
    };
    const long long today = Day("2026-12-09"); // a Wednesday
    const Case cases[] = {
        {"26 weeks from a Sunday: July comes too soon to name June",
         CalendarMonths(Day("2026-06-14"), today),
         {{2, "7月"}, {6, "8月"}, {11, "9月"}, {15, "10月"}, {20, "11月"}, {24, "12月"}}},
        {"the first week's month where the next leaves room",
         CalendarMonths(Day("2026-11-08"), today),
         {{0, "11月"}, {3, "12月"}}},
        {"a month beginning on the first day",
         CalendarMonths(Day("2026-11-01"), today),
         {{0, "11月"}, {4, "12月"}}},
        {"none beginning: the first week's",
         CalendarMonths(Day("2026-12-06"), today),
         {{0, "12月"}}},
        {"a month not yet begun is not named",
         CalendarMonths(Day("2026-12-27"), Day("2026-12-31")),
         {{0, "12月"}}},
        {"January begun in the week",
         CalendarMonths(Day("2026-12-27"), Day("2027-01-01")),
         {{0, "1月"}}},
        {"30 bars end today",
         BarDates(today, 30),
         {{1, "11月11日"}, {8, "11月18日"}, {15, "11月25日"}, {22, "12月2日"}, {29, "今天"}}},
        {"8 bars", BarDates(Day("2027-01-03"), 8), {{0, "12月27日"}, {7, "今天"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.labels, c.expected) << c.what;
}

// The week ahead on its own line, by weekdays: no date to split over two lines.
TEST(StudyStatsTest, TheForecastNamesTheWeeksDaysOnALineOfTheirOwn) {
    StudyFacts facts = Facts({});
    facts.today = Day("2026-12-09"); // a Wednesday
    StudyStats stats = ComputeStudyStats(facts);
    stats.forecast = {3, 1, 0, 0, 12, 0, 140};
    EXPECT_EQ(DescribeStudyStats(stats, facts).forecast,
              "未来7天到期的复习词：\n今天 3，明天 1，周五 0，周六 0，周日 12，周一 0，周二 140");
}

} // namespace
