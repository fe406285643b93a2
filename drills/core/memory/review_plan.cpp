#include "drills/core/memory/review_plan.h"

#include <algorithm>
#include <cstddef>

namespace review_plan {
namespace {

double RecallOn(const fsrs::Model& model, const fsrs::CardMemory& memory, long long day) {
    return model.Retrievability(static_cast<double>(day - memory.lastReviewDay),
                                memory.state.stability);
}

// Recall on the exam day if the word is reviewed (and recalled) on `day`.
double ExamRecallAfterReviewOn(const fsrs::Model& model, const fsrs::CardMemory& memory,
                               long long day, long long examDay) {
    const double now = RecallOn(model, memory, day);
    const double stability = model.StabilityAfterSuccess(memory.state, now, fsrs::Rating::Good);
    return model.Retrievability(static_cast<double>(examDay - day), stability);
}

// The earliest day after the last review from which a review lifts the word's exam-day
// recall to `target`, or the day before the exam when none does. Exam-day recall only grows
// the later that review is, so a search over the days finds it.
long long EarliestSufficientReview(const fsrs::Model& model, const fsrs::CardMemory& memory,
                                   long long examDay, double target) {
    long long low = memory.lastReviewDay + 1, high = examDay - 1;
    if (ExamRecallAfterReviewOn(model, memory, high, examDay) < target)
        return high;
    while (low < high) {
        const long long mid = low + (high - low) / 2;
        if (ExamRecallAfterReviewOn(model, memory, mid, examDay) >= target)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

struct Timing {
    long long regular = 0;
    std::optional<long long> window; // first day of the last review before the exam
};

Timing TimingOf(const fsrs::Model& model, const fsrs::CardMemory& memory,
                const Settings& settings) {
    return {RegularDueDay(model, memory, settings), LastReviewWindow(model, memory, settings)};
}

// Whether `perDay` reviews a day fit every last review into its window, with the regular
// reviews of each day counted first. Every window closes the day before the exam,
// so taking the open ones as early as the day allows is the best any order can do.
bool FitsEveryWindow(long long perDay, std::span<const long long> regularLoad,
                     std::span<const std::vector<size_t>> opening) {
    long long waiting = 0;
    for (size_t d = 0; d < regularLoad.size(); ++d) {
        waiting += static_cast<long long>(opening[d].size());
        waiting -= std::min(waiting, std::max(0LL, perDay - regularLoad[d]));
    }
    return waiting == 0;
}

// The exam plan's levelling. Each last review may fall anywhere in its window (from its
// earliest sufficient day to the day before the exam): the windows are filled in order of
// opening, as early as a common daily level allows, and that level is the lowest that
// leaves none over (never above the daily limit). The days up to the exam then carry about
// the same load: neither everything at the windows' first days nor at the last days.
std::vector<long long> Level(std::span<const Timing> timings, const Settings& settings,
                             long long today, int reviewedToday) {
    std::vector<long long> due(timings.size());
    for (size_t i = 0; i < timings.size(); ++i)
        due[i] = timings[i].regular;
    if (!settings.examDay || today >= *settings.examDay)
        return due;

    const auto days = static_cast<size_t>(*settings.examDay - today);
    std::vector<long long> regularLoad(days);
    std::vector<std::vector<size_t>> opening(days);
    regularLoad[0] = std::max(0, reviewedToday);
    long long windows = 0;
    for (size_t i = 0; i < timings.size(); ++i) {
        const long long day = timings[i].window.value_or(timings[i].regular);
        const auto offset = static_cast<size_t>(std::max(0LL, day - today));
        if (timings[i].window) {
            opening[offset].push_back(i);
            ++windows;
        } else if (offset < days) {
            ++regularLoad[offset];
        }
    }
    long long low = 0, high = windows + *std::max_element(regularLoad.begin(), regularLoad.end());
    while (low < high) {
        const long long mid = low + (high - low) / 2;
        if (FitsEveryWindow(mid, regularLoad, opening))
            high = mid;
        else
            low = mid + 1;
    }
    const long long perDay =
        std::min(low, static_cast<long long>(std::max(0, settings.dailyLimit)));

    std::vector<size_t> open;
    size_t next = 0;
    for (size_t d = 0; d < days; ++d) {
        open.insert(open.end(), opening[d].begin(), opening[d].end());
        long long room = std::max(0LL, perDay - regularLoad[d]);
        for (; room > 0 && next < open.size(); --room)
            due[open[next++]] = today + static_cast<long long>(d);
    }
    // Past the limit: what does not fit is due from its window's first day, and waits there.
    for (; next < open.size(); ++next)
        due[open[next]] = *timings[open[next]].window;
    return due;
}

struct Ranked {
    const Card* card;
    double recall;
};

// Least likely recalled first; ties in a fixed order so a day's queue is stable.
bool MoreAtRisk(const Ranked& a, const Ranked& b) {
    if (a.recall != b.recall)
        return a.recall < b.recall;
    if (a.card->wordId != b.card->wordId)
        return a.card->wordId < b.card->wordId;
    return a.card->skill < b.card->skill;
}

} // namespace

long long RegularDueDay(const fsrs::Model& model, const fsrs::CardMemory& memory,
                        const Settings& settings) {
    const bool beforeExam = settings.examDay && memory.lastReviewDay < *settings.examDay;
    const double retention = beforeExam ? settings.examSpacing : settings.retention;
    return memory.lastReviewDay +
           model.NextInterval(memory.state.stability, retention, settings.maximumInterval);
}

std::optional<long long> LastReviewWindow(const fsrs::Model& model, const fsrs::CardMemory& memory,
                                          const Settings& settings) {
    if (!settings.examDay)
        return std::nullopt;
    const long long exam = *settings.examDay;
    // No day left between the last review and the exam, or a regular review before it.
    if (memory.lastReviewDay + 1 >= exam || RegularDueDay(model, memory, settings) < exam)
        return std::nullopt;
    const double target = std::max(settings.examRetention, settings.retention);
    if (RecallOn(model, memory, exam) >= target)
        return std::nullopt;
    return EarliestSufficientReview(model, memory, exam, target);
}

std::vector<long long> DueDays(const fsrs::Model& model, std::span<const Card> cards,
                               const Settings& settings, long long today, int reviewedToday) {
    std::vector<Timing> timings;
    timings.reserve(cards.size());
    for (const Card& card : cards)
        timings.push_back(TimingOf(model, card.memory, settings));
    return Level(timings, settings, today, reviewedToday);
}

namespace {

// The cards due on `day`, the most at risk first.
std::vector<Ranked> RankDue(const fsrs::Model& model, std::span<const Card> cards,
                            std::span<const long long> due, long long day,
                            std::optional<Skill> skill) {
    std::vector<Ranked> ranked;
    for (size_t i = 0; i < cards.size(); ++i) {
        if (due[i] <= day && (!skill || cards[i].skill == *skill))
            ranked.push_back({&cards[i], RecallOn(model, cards[i].memory, day)});
    }
    std::sort(ranked.begin(), ranked.end(), MoreAtRisk);
    return ranked;
}

size_t Room(const Settings& settings, int reviewedToday) {
    return static_cast<size_t>(std::max(0, settings.dailyLimit - std::max(0, reviewedToday)));
}

// How many cards a day before the exam may take ahead of time, beside `taken` due ones.
size_t AheadRoom(const Settings& settings, long long day, int reviewedToday, size_t taken) {
    if (!settings.examDay || day >= *settings.examDay)
        return 0;
    const auto steady = static_cast<long long>(settings.steadyShare * settings.dailyLimit + 0.5);
    const long long room = std::min(steady, static_cast<long long>(settings.dailyLimit)) -
                           std::max(0, reviewedToday) - static_cast<long long>(taken);
    return static_cast<size_t>(std::max(0LL, room));
}

// Cards not due on `day` that would fall short of the exam target, the lowest exam-day
// recall first; only those already somewhat faded, and none graded that day.
std::vector<Ranked> RankAhead(const fsrs::Model& model, std::span<const Card> cards,
                              std::span<const long long> due, const Settings& settings,
                              long long day, std::optional<Skill> skill, size_t count) {
    std::vector<Ranked> ranked;
    if (count == 0)
        return ranked;
    for (size_t i = 0; i < cards.size(); ++i) {
        const fsrs::CardMemory& memory = cards[i].memory;
        if (due[i] <= day || memory.lastReviewDay >= day || (skill && cards[i].skill != *skill))
            continue;
        const double onExam = RecallOn(model, memory, *settings.examDay);
        if (onExam < settings.examRetention && RecallOn(model, memory, day) < settings.aheadBelow)
            ranked.push_back({&cards[i], onExam});
    }
    const size_t kept = std::min(count, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(kept),
                      ranked.end(), MoreAtRisk);
    ranked.resize(kept);
    return ranked;
}

// One day's plan over cards whose due days are known.
struct DayPlan {
    std::vector<const Card*> queue;
    long long due = 0, backlog = 0, ahead = 0;
};

DayPlan PlanDay(const fsrs::Model& model, std::span<const Card> cards,
                std::span<const long long> due, const Settings& settings, long long day,
                int reviewedToday, std::optional<Skill> skill) {
    const auto ranked = RankDue(model, cards, due, day, skill);
    const size_t taken = std::min(Room(settings, reviewedToday), ranked.size());
    DayPlan plan;
    plan.due = static_cast<long long>(ranked.size());
    plan.backlog = static_cast<long long>(ranked.size() - taken);
    for (size_t i = 0; i < taken; ++i)
        plan.queue.push_back(ranked[i].card);
    const auto ahead = RankAhead(model, cards, due, settings, day, skill,
                                 AheadRoom(settings, day, reviewedToday, taken));
    plan.ahead = static_cast<long long>(ahead.size());
    for (const Ranked& card : ahead)
        plan.queue.push_back(card.card);
    return plan;
}

} // namespace

Today PlanToday(const fsrs::Model& model, std::span<const Card> cards, const Settings& settings,
                long long today, int reviewedToday, std::optional<Skill> skill) {
    const auto due = DueDays(model, cards, settings, today, reviewedToday);
    const DayPlan day = PlanDay(model, cards, due, settings, today, reviewedToday, skill);
    Today plan;
    plan.due = day.due;
    plan.backlog = day.backlog;
    plan.ahead = day.ahead;
    plan.queue.reserve(day.queue.size());
    for (const Card* card : day.queue)
        plan.queue.push_back(*card);
    return plan;
}

std::vector<ForecastDay> Forecast(const fsrs::Model& model, std::span<const Card> cards,
                                  const Settings& settings, long long today, int days,
                                  int reviewedToday) {
    std::vector<Card> planned(cards.begin(), cards.end());
    std::vector<Timing> timings;
    timings.reserve(planned.size());
    for (const Card& card : planned)
        timings.push_back(TimingOf(model, card.memory, settings));

    std::vector<ForecastDay> forecast;
    for (int offset = 0; offset < days; ++offset) {
        const long long day = today + offset;
        const int done = offset == 0 ? reviewedToday : 0;
        ForecastDay figures;
        figures.day = day;
        figures.expectedRecall = ExpectedRecall(model, planned, day);
        const auto due = Level(timings, settings, day, done);
        const DayPlan plan = PlanDay(model, planned, due, settings, day, done, std::nullopt);
        for (const Card* card : plan.queue) {
            const auto i = static_cast<size_t>(card - planned.data());
            planned[i].memory = model.Apply(planned[i].memory, {day, fsrs::Rating::Good});
            timings[i] = TimingOf(model, planned[i].memory, settings);
        }
        figures.reviews = static_cast<int>(plan.queue.size());
        figures.backlog = plan.backlog;
        forecast.push_back(figures);
    }
    return forecast;
}

double ExpectedRecall(const fsrs::Model& model, std::span<const Card> cards, long long day) {
    double sum = 0;
    for (const Card& card : cards)
        sum += RecallOn(model, card.memory, day);
    return sum;
}

} // namespace review_plan
