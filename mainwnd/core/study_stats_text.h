// The statistics window's texts: what it shows beside its charts, and each chart's numbers
// in full for screen readers.
#pragma once

#include "mainwnd/core/study_stats.h"

#include <string>

struct StudyTexts {
    std::string today, streak, heat, heatNumbers, bars, barsNumbers, bank, forecast, missed, exam;
};

StudyTexts DescribeStudyStats(const StudyStats& stats, const StudyFacts& facts);

// "12月9日", and with the year where it is not this year's.
std::string ShortDate(long long day, long long today);
