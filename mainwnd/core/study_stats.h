// The statistics window's arithmetic, from the study log and the review tables: no GUI.
#pragma once

#include "store/ado.h"
#include "store/study_log.h"

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline constexpr int kHeatWeeks = 26;
inline constexpr int kBarDays = 30;
inline constexpr int kForecastDays = 7;
inline constexpr size_t kMissedShown = 10;

// What the statistics are made from; days are ReviewAge day numbers.
struct StudyFacts {
    long long today = 0;
    long long quota = 0; // new words a day, per drill
    std::vector<DayTally> tallies;
    std::vector<std::pair<long long, long long>> missDays; // review rows: miss day, rows
    long long overdueUnreadable = 0; // review rows whose date cannot be read: due now
    std::string bank;                // the bank the settings choose
    long long bankSize = 0;
    std::array<long long, 2> positions{}; // browse, spell: rows of the bank taken
    std::optional<long long> examDay;
    std::vector<std::pair<std::string, long long>> missed; // word, times wrong
};

struct DrillDay {
    long long newWords = 0, reviews = 0, right = 0, wrong = 0;
    long long Total() const { return newWords + reviews; }
};

struct ExamPlan {
    long long daysLeft = 0;               // 0 on the day, negative after it
    std::optional<long long> neededQuota; // new words a day to finish the bank before it
};

struct StudyStats {
    std::array<DrillDay, 2> today; // browse, spell
    long long streak = 0;          // days in a row the quota was met, to today
    long long longestStreak = 0;
    long long firstHeatDay = 0;                            // a Sunday, 25 weeks before this week's
    std::vector<long long> heat;                           // words studied, firstHeatDay .. today
    std::vector<std::pair<long long, long long>> lastDays; // new words, reviews; oldest first
    int plannedDrill = 0;                                  // the drill further on in the bank
    long long taken = 0, bankSize = 0;
    std::optional<long long> finishDay; // at the current quota; none when done or no quota
    std::array<long long, kForecastDays> forecast{}; // review rows due today .. in six days
    std::optional<ExamPlan> exam;
    std::vector<std::pair<std::string, long long>> missed;
};

StudyStats ComputeStudyStats(const StudyFacts& facts);

// The facts as read.ini, the bank and the review tables hold them now, all but the study
// log's. Raises _com_error.
StudyFacts ReadStudyFacts(const _ConnectionPtr& connection, const std::string& iniPath,
                          std::time_t now);

// Adds the study log's figures. The log is a table of our own: when it cannot be read, this
// raises _com_error and leaves the facts as they were, so the rest can still be shown.
void ReadStudyHistory(const _ConnectionPtr& connection, StudyFacts& facts);

// "YYYY-MM-DD" of read.ini's exam date, as a day number; nothing when unset or not a real
// date of the years 1 to 9999.
std::optional<long long> ExamDayOf(const std::string& text);
