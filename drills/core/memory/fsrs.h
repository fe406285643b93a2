// The memory model: how strongly a word is held and how likely it is recalled after some days.
//
// FSRS-6 with its published default parameters, ported from the formulas of py-fsrs (MIT) and
// fsrs-rs (BSD-3-Clause) of the open-spaced-repetition project. tests/data/fsrs_reference.tsv,
// made from ts-fsrs (MIT) by tools/make-fsrs-table.mjs, checks the port.
#pragma once

#include <array>
#include <optional>
#include <span>

namespace fsrs {

enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct MemoryState {
    double stability = 0;  // days until the chance of recall falls to 0.9
    double difficulty = 0; // 1 (easiest) to 10
    bool operator==(const MemoryState&) const = default;
};

// One grading, on a calendar day as ReviewAge counts them.
struct Review {
    long long day = 0;
    Rating rating = Rating::Good;
};

// A word's state for one skill, with the day it was last graded.
struct CardMemory {
    MemoryState state;
    long long lastReviewDay = 0;
    bool operator==(const CardMemory&) const = default;
};

using Parameters = std::array<double, 21>;

// Fitted by the model's authors on a large body of real reviews; w[20] is the curve's decay.
inline constexpr Parameters kDefaultParameters = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

inline constexpr double kMinStability = 0.001;
inline constexpr double kMaxStability = 36500;
inline constexpr double kMinDifficulty = 1;
inline constexpr double kMaxDifficulty = 10;
inline constexpr int kMaxInterval = 36500;

class Model {
public:
    explicit Model(const Parameters& w = kDefaultParameters);

    // After the first grading of a word.
    MemoryState Initial(Rating rating) const;

    // The chance of recall `elapsedDays` after the last grading; 1 at no time, 0.9 at
    // `stability` days. Negative times count as none.
    double Retrievability(double elapsedDays, double stability) const;

    double NextDifficulty(double difficulty, Rating rating) const;
    // Hard, Good or Easy on a later day, recalled with `retrievability`.
    double StabilityAfterSuccess(const MemoryState& state, double retrievability,
                                 Rating rating) const;
    // Again on a later day; never above what the same-day rule would leave.
    double StabilityAfterLapse(const MemoryState& state, double retrievability) const;
    // Any grading on the day of the one before.
    double SameDayStability(double stability, Rating rating) const;

    // The state after a grading `elapsedDays` whole days after the one before (0: same day).
    MemoryState Next(const MemoryState& state, long long elapsedDays, Rating rating) const;

    // Days until recall falls to `retention` (clamped to 0.0001..0.9999), fractional.
    double DaysToRetention(double stability, double retention) const;
    // The same rounded to whole days, at least 1 and at most `maximumInterval`.
    int NextInterval(double stability, double retention, int maximumInterval = kMaxInterval) const;

    // One grading applied to a word's state, or to none for its first. A day before the last
    // grading (a clock set back) counts as the same day.
    CardMemory Apply(const std::optional<CardMemory>& before, const Review& review) const;
    // Every grading of a word in the order given; nothing for none.
    std::optional<CardMemory> Replay(std::span<const Review> history) const;

private:
    double W(int i) const { return m_w[static_cast<size_t>(i)]; }
    double InitialDifficulty(Rating rating) const;

    Parameters m_w;
    double m_decay;  // -w[20]
    double m_factor; // makes the curve pass 0.9 at t = stability
};

} // namespace fsrs
