// The study log: one row per grading, in a table of our own ("xuexijilu") that the program
// creates where it is missing. A drill writes its row in the transaction that keeps the
// grading, so the log holds exactly the gradings the review tables and read.ini hold.
#pragma once

#include "store/ado.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Where the graded word came from; Practice: a word of a practised list (生词本, 错词本);
// DailyReview: a word of 今日复习, chosen by its memory.
enum class StudySource { NewWord, ReviewList, DueRow, Practice, DailyReview };

struct StudyEntry {
    std::string moment; // local "YYYY-MM-DD HH:MM:SS"
    std::string drill;  // mdb::kBrowseDrill or mdb::kSpellDrill
    std::string bank;   // "CET4" / "CET6"
    std::string word;
    StudySource source = StudySource::NewWord;
    bool right = false;
    bool hinted = false; // graded after the spelling drill's hint (提示)
    bool operator==(const StudyEntry&) const = default;
};

// One day of one drill, summed.
struct DayTally {
    long long day = 0; // as ReviewAge::DayNumber counts
    std::string drill;
    long long newWords = 0, reviews = 0, right = 0, wrong = 0;
    bool operator==(const DayTally&) const = default;
};

namespace study_log {

// Creates the table where it is missing, and its hint column where a table made before it
// lacks one (those rows read as graded without a hint). False, with the engine's reason in `why`,
// when the database takes no change; the program then studies without history.
bool Prepare(const _ConnectionPtr& connection, std::string& why);

// Inside the caller's transaction. Raises _com_error.
std::int64_t Append(const _ConnectionPtr& connection, const StudyEntry& entry);
void Remove(const _ConnectionPtr& connection, std::int64_t id);

// The day a moment of the log counts on; nothing for a moment that is not a real date.
std::optional<long long> DayOfMoment(std::string_view moment);

// Gradings of 今日复习's words on `day`. Raises _com_error.
long long DailyReviewsOn(const _ConnectionPtr& connection, long long day);

// Readers for the statistics and the export; an absent table reads as an empty history.
// Raise _com_error.
std::vector<DayTally> DayTallies(const _ConnectionPtr& connection);
std::vector<std::pair<std::string, long long>> MostMissed(const _ConnectionPtr& connection,
                                                          size_t count);
void ForEach(const _ConnectionPtr& connection, const std::function<void(const StudyEntry&)>& visit);

} // namespace study_log
