// A moment given as local calendar date and time.
#pragma once

#include <ctime>

inline std::time_t LocalTime(int y, int mon, int d, int h = 12, int min = 0, int s = 0) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mon - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = min;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}
