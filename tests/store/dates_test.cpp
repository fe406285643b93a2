#include "store/dates.h"

#include "support/local_time.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Runs the test body in a named time zone and restores the previous one.
class ZoneTest : public ::testing::Test {
protected:
#ifdef _WIN32
    void SetUp() override {
        GTEST_SKIP() << "the C library here knows no named time zones";
    }
    void UseZone(const char*) {}
    void TearDown() override {
        clock_source::Set(nullptr);
    }
#else
    void UseZone(const char* zone) {
        const char* old = std::getenv("TZ");
        m_saved = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("TZ", zone, 1);
        tzset();
    }
    void TearDown() override {
        if (m_saved)
            setenv("TZ", m_saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        clock_source::Set(nullptr);
    }
#endif
    static std::time_t Local(int y, int mon, int d, int h = 0, int min = 0, int s = 0) {
        return LocalTime(y, mon, d, h, min, s);
    }

private:
    std::optional<std::string> m_saved;
};

TEST_F(ZoneTest, DayKeyAndReviewDateUseTheLocalDate) {
    UseZone("Asia/Shanghai");
    const std::time_t t = Local(2010, 4, 20, 23, 30);
    EXPECT_EQ(DayKey(t), "20100420");
    EXPECT_EQ(ReviewDate(t), "2010-04-20");
    EXPECT_EQ(ReviewDate(Local(2100, 1, 2)), "2100-01-02");
    EXPECT_EQ(DayKey(Local(2345, 12, 31)), "23451231");

    clock_source::Set([t] { return t; });
    EXPECT_EQ(TodayKey(), "20100420");
    EXPECT_EQ(TodayReviewDate(), "2010-04-20");
}

TEST_F(ZoneTest, RowIsDueFromLocalMidnightOfTheThirdDay) {
    UseZone("Asia/Shanghai");
    EXPECT_FALSE(IsReviewDue("2010-04-20", Local(2010, 4, 20, 8)));
    EXPECT_FALSE(IsReviewDue("2010-04-20", Local(2010, 4, 21, 12)));
    EXPECT_FALSE(IsReviewDue("2010-04-20", Local(2010, 4, 22, 23, 59, 59)));
    EXPECT_TRUE(IsReviewDue("2010-04-20", Local(2010, 4, 23)));
    EXPECT_TRUE(IsReviewDue("2010-04-20", Local(2011, 1, 1)));
    // Across a month and a year end.
    EXPECT_FALSE(IsReviewDue("2010-12-30", Local(2011, 1, 1, 23)));
    EXPECT_TRUE(IsReviewDue("2010-12-30", Local(2011, 1, 2)));
    // A date from the future is not due.
    EXPECT_FALSE(IsReviewDue("2030-01-01", Local(2010, 4, 23)));
}

TEST_F(ZoneTest, DaylightSavingChangesDoNotMoveTheBoundary) {
    UseZone("America/New_York");
    // Spring forward on 2021-03-14: only 71 hours pass until midnight of the 15th.
    EXPECT_FALSE(IsReviewDue("2021-03-12", Local(2021, 3, 14, 23, 59, 59)));
    EXPECT_TRUE(IsReviewDue("2021-03-12", Local(2021, 3, 15)));
    // Fall back on 2021-11-07: 72 hours have passed an hour before midnight.
    EXPECT_FALSE(IsReviewDue("2021-11-05", Local(2021, 11, 7, 23, 30)));
    EXPECT_TRUE(IsReviewDue("2021-11-05", Local(2021, 11, 8)));
}

TEST_F(ZoneTest, DatesAreReadAsThreeIntegers) {
    UseZone("Asia/Shanghai");
    const ReviewAge age(Local(2010, 6, 4, 10));
    EXPECT_EQ(age.Days("2010-6-1"), 3);
    EXPECT_EQ(age.Days("2010-06-01"), 3);
    EXPECT_EQ(age.Days(" 2010-06-01 junk"), 3);
    EXPECT_EQ(age.Days("2010-05-32"), 3); // normalised like the calendar: 1 June
    EXPECT_EQ(age.Days("2009-18-01"), 3); // month 18 of 2009 is June 2010
    for (const char* unreadable : {"", "2010/06/01", "2010-06", "abc", "2010 -06-01"}) {
        EXPECT_EQ(age.Days(unreadable), std::nullopt) << unreadable;
        EXPECT_TRUE(age.IsDue(unreadable)) << unreadable;
    }
    EXPECT_TRUE(age.Days("99999999999999999999-1-1").has_value()); // no overflow
}

} // namespace
