// The statistics window's texts: what it shows beside its charts, and each chart's numbers
// in full for screen readers.
#pragma once

#include "mainwnd/core/study_stats.h"

#include <string>
#include <vector>

struct StudyTexts {
    std::string today, streak, heat, heatNumbers, bars, barsNumbers, bank, forecast, missed, exam;
};

StudyTexts DescribeStudyStats(const StudyStats& stats, const StudyFacts& facts);

// "12月9日", and with the year where it is not this year's.
std::string ShortDate(long long day, long long today);

// A date on a chart's axis: the column (week or day) it stands at, and its text.
struct ChartLabel {
    int column;
    std::string text;
    bool operator==(const ChartLabel&) const = default;
};
// The calendar's months ("7月") over the week each begins in, up to today; the first
// week's month too where the next leaves room for it. Weeks start on `firstDay`.
std::vector<ChartLabel> CalendarMonths(long long firstDay, long long today);
// The last days' dates ("11月12日") under every seventh bar, counted back from today's,
// which says "今天".
std::vector<ChartLabel> BarDates(long long today, int days);
