#include "store/dates.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

std::function<std::time_t()>& NowSource() {
    static std::function<std::time_t()> source;
    return source;
}

std::tm LocalTime(std::time_t when) {
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &when);
#else
    localtime_r(&when, &tm);
#endif
    return tm;
}

std::string Format(std::time_t when, const char* format) {
    std::tm tm = LocalTime(when);
    char buf[64];
    size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return std::string(buf, n);
}

// Days since 1970-01-01 of a proleptic Gregorian date (no time zone involved).
long long DaysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

std::string DateOfDayNumber(long long day) {
    // The inverse of DaysFromCivil.
    day += 719468;
    const long long era = (day >= 0 ? day : day - 146096) / 146097;
    const long long doe = day - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp + (mp < 10 ? 3 : -9);
    const long long y = yoe + era * 400 + (m <= 2);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", y, m, d);
    return text;
}

int WeekdayOfDayNumber(long long day) {
    const long long w = (day + 4) % 7; // 1970-01-01 was a Thursday
    return static_cast<int>(w < 0 ? w + 7 : w);
}

namespace clock_source {
std::time_t Now() {
    const auto& source = NowSource();
    return source ? source() : std::time(nullptr);
}
void Set(std::function<std::time_t()> now) {
    NowSource() = std::move(now);
}
} // namespace clock_source

std::string DayKey(std::time_t when) {
    return Format(when, "%Y%m%d");
}
std::string TodayKey() {
    return DayKey(clock_source::Now());
}

std::string ReviewDate(std::time_t when) {
    return Format(when, "%Y-%m-%d");
}
std::string LocalMoment(std::time_t when) {
    return Format(when, "%Y-%m-%d %H:%M:%S");
}
std::string TodayReviewDate() {
    return ReviewDate(clock_source::Now());
}

namespace {

constexpr long long kLimit = 1'000'000'000;

// One "%d" of scanf: optional blanks, optional sign, at least one digit.
bool ReadInt(const char*& p, int& value) {
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        n = std::min(n * 10 + (*p - '0'), kLimit); // a 20-digit year saturates, no overflow
    value = static_cast<int>(negative ? -n : n);
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The `least` to `most` digits at the front of `text`, taken off it; nothing when there are
// fewer or more.
std::optional<int> TakeDigits(std::string_view& text, size_t least, size_t most) {
    size_t n = 0;
    int value = 0;
    for (; n < text.size() && IsDigit(text[n]); ++n) {
        if (n == most)
            return std::nullopt;
        value = value * 10 + (text[n] - '0');
    }
    if (n < least)
        return std::nullopt;
    text.remove_prefix(n);
    return value;
}

bool TakeDash(std::string_view& text) {
    if (!text.starts_with('-'))
        return false;
    text.remove_prefix(1);
    return true;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

std::optional<long long> DayNumberOfDate(std::string_view text) {
    const std::optional<int> year = TakeDigits(text, 4, 4);
    if (!year || !TakeDash(text))
        return std::nullopt;
    const std::optional<int> month = TakeDigits(text, 1, 2);
    if (!month || !TakeDash(text))
        return std::nullopt;
    const std::optional<int> day = TakeDigits(text, 1, 2);
    if (!day || !text.empty() || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month))
        return std::nullopt;
    return DaysFromCivil(*year, *month, *day);
}

ReviewAge::ReviewAge(std::time_t now) {
    std::tm today = LocalTime(now);
    m_today = DaysFromCivil(today.tm_year + 1900LL, today.tm_mon + 1LL, today.tm_mday);
}

std::optional<long long> ReviewAge::Days(const std::string& text) const {
    const auto day = DayNumber(text.c_str());
    if (!day)
        return std::nullopt;
    return m_today - *day;
}

std::optional<long long> ReviewAge::DayNumber(const char* text) {
    int givenYear = 0, month = 0, day = 0;
    const char* p = text;
    if (!ReadInt(p, givenYear) || *p++ != '-' || !ReadInt(p, month) || *p++ != '-' ||
        !ReadInt(p, day))
        return std::nullopt;
    // Months outside 1..12 carry into the year, days outside the month into the next
    // months, as the calendar functions would normalise them.
    long long month0 = month - 1LL;
    long long year = givenYear + (month0 >= 0 ? month0 / 12 : (month0 - 11) / 12);
    month0 -= (year - givenYear) * 12;
    long long first = DaysFromCivil(year, month0 + 1, 1);
    return first + day - 1;
}

bool ReviewAge::IsDue(const std::string& text) const {
    auto days = Days(text);
    return !days || *days >= kReviewDelayDays;
}
