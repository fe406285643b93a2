// The two text forms of the local date the program stores, and the review due test.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace clock_source {
// The present moment. Tests replace it; an empty function restores the real clock.
std::time_t Now();
void Set(std::function<std::time_t()> now);
} // namespace clock_source

// "YYYYMMDD" of the local date: the day kept in read.ini.
std::string DayKey(std::time_t when);
std::string TodayKey();

// "YYYY-MM-DD" of the local date: the "time" column of the review tables.
std::string ReviewDate(std::time_t when);
std::string TodayReviewDate();

// The day number (as ReviewAge counts them) of a real date written "YYYY-M-D": a year of
// four digits from 0001, a month of one or two digits and a day of one or two that the month
// has. Nothing for anything else: no blanks, no signs, no 13th month, no 31st of June.
std::optional<long long> DayNumberOfDate(std::string_view text);

// Whole local calendar days from a review date to the day `now` falls on. Counting
// calendar days keeps a row due from local midnight of the third day even across a
// daylight-saving change, where elapsed seconds / 86400 would be an hour off.
// Built once per scan: the per-row test is plain arithmetic.
class ReviewAge {
public:
    explicit ReviewAge(std::time_t now);
    std::optional<long long> Days(const std::string& text) const;
    // Today and a review date as numbers of calendar days; nothing for an unreadable date.
    long long Today() const { return m_today; }
    static std::optional<long long> DayNumber(const char* text);
    // Due once it has waited three days. An unreadable date counts as due, so such a
    // row is shown and replaced rather than kept forever.
    bool IsDue(const std::string& text) const;

private:
    long long m_today;
};

constexpr int kReviewDelayDays = 3;

// "YYYY-MM-DD" of a day number as ReviewAge counts them, and its weekday (0 is Sunday).
std::string DateOfDayNumber(long long day);
int WeekdayOfDayNumber(long long day);

// "YYYY-MM-DD HH:MM:SS" of the local time: the study log's moments.
std::string LocalMoment(std::time_t when);

inline bool IsReviewDue(const std::string& text, std::time_t now) {
    return ReviewAge(now).IsDue(text);
}
