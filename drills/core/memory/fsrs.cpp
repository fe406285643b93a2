#include "drills/core/memory/fsrs.h"

#include <algorithm>
#include <cmath>

namespace fsrs {
namespace {

double Grade(Rating rating) {
    return static_cast<double>(rating);
}

double ClampStability(double stability) {
    return std::clamp(stability, kMinStability, kMaxStability);
}

} // namespace

Model::Model(const Parameters& w)
    : m_w(w), m_decay(-w[20]), m_factor(std::pow(0.9, 1 / m_decay) - 1) {}

double Model::InitialDifficulty(Rating rating) const {
    return W(4) - std::exp(W(5) * (Grade(rating) - 1)) + 1;
}

MemoryState Model::Initial(Rating rating) const {
    return {ClampStability(W(static_cast<int>(rating) - 1)),
            std::clamp(InitialDifficulty(rating), kMinDifficulty, kMaxDifficulty)};
}

double Model::Retrievability(double elapsedDays, double stability) const {
    const double t = std::max(elapsedDays, 0.0);
    return std::pow(1 + m_factor * t / std::max(stability, kMinStability), m_decay);
}

double Model::NextDifficulty(double difficulty, Rating rating) const {
    const double change = -W(6) * (Grade(rating) - 3);
    // Linear damping: the nearer to 10, the smaller a step up.
    const double damped = difficulty + change * (10 - difficulty) / 9;
    // Mean reversion towards the difficulty of a first Easy, unclamped as the model has it.
    const double reverted = W(7) * InitialDifficulty(Rating::Easy) + (1 - W(7)) * damped;
    return std::clamp(reverted, kMinDifficulty, kMaxDifficulty);
}

double Model::StabilityAfterSuccess(const MemoryState& state, double retrievability,
                                    Rating rating) const {
    const double hardPenalty = rating == Rating::Hard ? W(15) : 1;
    const double easyBonus = rating == Rating::Easy ? W(16) : 1;
    const double s = state.stability;
    const double growth = std::exp(W(8)) * (11 - state.difficulty) * std::pow(s, -W(9)) *
                          (std::exp((1 - retrievability) * W(10)) - 1) * hardPenalty * easyBonus;
    return ClampStability(s * (1 + growth));
}

double Model::StabilityAfterLapse(const MemoryState& state, double retrievability) const {
    const double s = state.stability;
    const double longTerm = W(11) * std::pow(state.difficulty, -W(12)) *
                            (std::pow(s + 1, W(13)) - 1) * std::exp((1 - retrievability) * W(14));
    // A lapse leaves no more than a same-day Again would.
    const double cap = s / std::exp(W(17) * W(18));
    return ClampStability(std::min(longTerm, cap));
}

double Model::SameDayStability(double stability, Rating rating) const {
    double increase = std::exp(W(17) * (Grade(rating) - 3 + W(18))) * std::pow(stability, -W(19));
    // Only Again may lower stability within a day.
    if (rating != Rating::Again)
        increase = std::max(increase, 1.0);
    return ClampStability(stability * increase);
}

MemoryState Model::Next(const MemoryState& state, long long elapsedDays, Rating rating) const {
    MemoryState next;
    if (elapsedDays <= 0) {
        next.stability = SameDayStability(state.stability, rating);
    } else {
        const double r = Retrievability(static_cast<double>(elapsedDays), state.stability);
        next.stability = rating == Rating::Again ? StabilityAfterLapse(state, r)
                                                 : StabilityAfterSuccess(state, r, rating);
    }
    next.difficulty = NextDifficulty(state.difficulty, rating);
    return next;
}

double Model::DaysToRetention(double stability, double retention) const {
    const double r = std::clamp(retention, 0.0001, 0.9999);
    return std::max(stability, kMinStability) / m_factor * (std::pow(r, 1 / m_decay) - 1);
}

int Model::NextInterval(double stability, double retention, int maximumInterval) const {
    const double days = std::round(DaysToRetention(stability, retention));
    const double longest = std::max(maximumInterval, 1);
    return static_cast<int>(std::clamp(days, 1.0, longest));
}

CardMemory Model::Apply(const std::optional<CardMemory>& before, const Review& review) const {
    if (!before)
        return {Initial(review.rating), review.day};
    return {Next(before->state, review.day - before->lastReviewDay, review.rating), review.day};
}

std::optional<CardMemory> Model::Replay(std::span<const Review> history) const {
    std::optional<CardMemory> card;
    for (const Review& review : history)
        card = Apply(card, review);
    return card;
}

} // namespace fsrs
