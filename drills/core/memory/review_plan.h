// The daily review's arithmetic: when each learned word is next due, which words today's
// review takes and in what order, and what the coming days hold. No database: the caller
// brings the words' memory states.
#pragma once

#include "drills/core/memory/fsrs.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace review_plan {

// Recognising a word (the browse drill) and spelling it are held apart.
enum class Skill { Recognise, Spell };

struct Card {
    std::int64_t wordId = 0;
    Skill skill = Skill::Recognise;
    fsrs::CardMemory memory;
};

struct Settings {
    double retention = 0.9; // recall a review keeps between reviews
    int dailyLimit = 100;   // reviews a day, both skills together
    std::optional<long long> examDay;
    double examRetention = 0.95; // recall wanted on the exam day (never below `retention`)
    // Before an exam a word is let fall further between reviews: a review at lower recall
    // strengthens it more, and its last review before the exam brings it to `examRetention`.
    double examSpacing = 0.7;
    // Before an exam, a day whose reviews stay below this share of the limit takes words
    // ahead of time (see PlanToday), so the load stays steady and the last weeks are lighter.
    double steadyShare = 0.7;
    double aheadBelow = 0.9; // only words recalled today below this: fresher ones gain little
    int maximumInterval = fsrs::kMaxInterval;
};

// The day of a word's next regular review: when its recall falls to `settings.retention`,
// or for a word last reviewed before the exam to `settings.examSpacing`.
long long RegularDueDay(const fsrs::Model& model, const fsrs::CardMemory& memory,
                        const Settings& settings);

// With an exam date: the earliest day from which one more review (recalled) brings the
// word to `examRetention` on the exam day, for a word that needs one; nothing for a word
// that holds until the exam or has a regular review before it.
std::optional<long long> LastReviewWindow(const fsrs::Model& model, const fsrs::CardMemory& memory,
                                          const Settings& settings);

// The day each card (in the order given) is due, seen from `today` after `reviewedToday`
// reviews: the regular day, or with an exam date a day in the word's last-review window,
// chosen so that every day up to the exam carries about the same number of reviews.
std::vector<long long> DueDays(const fsrs::Model& model, std::span<const Card> cards,
                               const Settings& settings, long long today, int reviewedToday = 0);

struct Today {
    // The cards due, the least likely to be recalled first, then those taken ahead of time;
    // within the day's limit.
    std::vector<Card> queue;
    long long due = 0;     // every card due today
    long long backlog = 0; // due but past the limit: left for a later day
    long long ahead = 0;   // at the queue's end: not due yet
};

// Today's review of one skill, or of both; `reviewedToday` reviews already count against
// the limit. Before an exam, a day with fewer reviews than the steady share of the limit
// also takes the words that would fall short of the exam target, the lowest exam-day recall
// first.
Today PlanToday(const fsrs::Model& model, std::span<const Card> cards, const Settings& settings,
                long long today, int reviewedToday = 0, std::optional<Skill> skill = std::nullopt);

struct ForecastDay {
    long long day = 0;
    int reviews = 0;           // planned for the day, within the limit
    long long backlog = 0;     // due by the day's end but left for a later one
    double expectedRecall = 0; // sum of the chances of recall as the day begins
};

// The next `days` days from today, every planned review taken as answered right.
std::vector<ForecastDay> Forecast(const fsrs::Model& model, std::span<const Card> cards,
                                  const Settings& settings, long long today, int days,
                                  int reviewedToday = 0);

// How many of the cards are expected to be recalled on `day` with no review before it.
double ExpectedRecall(const fsrs::Model& model, std::span<const Card> cards, long long day);

} // namespace review_plan
