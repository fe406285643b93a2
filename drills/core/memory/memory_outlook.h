// What the learner's memory holds and what the daily review makes of it: the words recalled
// today, the share expected on the exam day, the reviews of the coming days, and when each
// learned word comes back. No GUI.
#pragma once

#include "drills/core/memory/daily_review.h"
#include "drills/core/memory/review_plan.h"

#include <array>
#include <ctime>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

inline constexpr int kOutlookDays = 30;
// An exam further off than this is not forecast: the plan's days ahead would take too long
// to walk, and learning that far out changes the figure anyway.
inline constexpr int kLongestExamForecast = 400;

struct MemoryOutlook {
    long long today = 0;
    int dailyLimit = 0;
    // Learned words per skill (recognise, spell) and the sum of their chances of recall today.
    std::array<long long, 2> learned{};
    std::array<double, 2> recalled{};
    std::optional<long long> examDay;
    // The sum of the chances of recall on the exam day over today's learned words and
    // skills, every planned review done and answered right; none without an exam date
    // ahead within kLongestExamForecast days.
    std::optional<double> recalledOnExamDay;
    // Today and the days after it: reviews planned within the limit and the backlog.
    std::vector<review_plan::ForecastDay> days;

    long long Learned() const { return learned[0] + learned[1]; }
    double Recalled() const { return recalled[0] + recalled[1]; }
};

MemoryOutlook ComputeMemoryOutlook(const fsrs::Model& model,
                                   std::span<const review_plan::Card> cards,
                                   const review_plan::Settings& settings, long long today,
                                   int reviewedToday, int days = kOutlookDays);
// Raises _com_error.
MemoryOutlook ReadMemoryOutlook(const _ConnectionPtr& connection, const std::string& ini,
                                std::time_t now, int days = kOutlookDays);

// Days from today until a learned word's skill is due in the plan (0 or less: due today);
// none for a skill not learned.
struct ReviewDays {
    std::optional<long long> recognise, spell;
};
using WordReviews = std::map<std::string, ReviewDays>;

WordReviews NextReviews(const fsrs::Model& model, const LearnedCards& learned,
                        const review_plan::Settings& settings, long long today, int reviewedToday);
// Raises _com_error.
WordReviews ReadNextReviews(const _ConnectionPtr& connection, const std::string& ini,
                            std::time_t now);
