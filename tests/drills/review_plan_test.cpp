#include "drills/core/memory/review_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using review_plan::Card;
using review_plan::Settings;
using review_plan::Skill;

namespace {

constexpr long long kToday = 20000;

// Words learned over the last two months, strong and weak, in both skills; many overdue.
std::vector<Card> Deck(int words, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Card> deck;
    for (int i = 0; i < words; ++i) {
        for (Skill skill : {Skill::Recognise, Skill::Spell}) {
            Card card;
            card.wordId = i;
            card.skill = skill;
            card.memory.lastReviewDay = kToday - static_cast<long long>(random() % 60);
            card.memory.state.stability = 0.5 + static_cast<double>(random() % 4000) / 20;
            card.memory.state.difficulty = 1 + static_cast<double>(random() % 90) / 10;
            deck.push_back(card);
        }
    }
    return deck;
}

double RecallToday(const fsrs::Model& model, const Card& card) {
    return model.Retrievability(static_cast<double>(kToday - card.memory.lastReviewDay),
                                card.memory.state.stability);
}

struct Case {
    int words, limit, reviewedToday;
    std::optional<long long> examIn;
};

const Case kCases[] = {
    {0, 100, 0, {}},   {300, 0, 0, {}},    {300, 50, 0, {}},    {300, 50, 80, {}},
    {300, 50, 20, 30}, {2000, 150, 0, 45}, {2000, 5000, 0, 90}, {2000, 150, 0, 2},
};

Settings SettingsFor(const Case& c) {
    Settings settings;
    settings.dailyLimit = c.limit;
    if (c.examIn)
        settings.examDay = kToday + *c.examIn;
    return settings;
}

} // namespace

TEST(ReviewPlan, NoDayExceedsTheLimitAndNothingDueIsHidden) {
    const fsrs::Model model;
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "words " << c.words << " limit " << c.limit);
        const auto deck = Deck(c.words, 7);
        const Settings settings = SettingsFor(c);
        const long long room = std::max(0, c.limit - c.reviewedToday);
        for (auto skill : {std::optional<Skill>{}, std::optional{Skill::Spell}}) {
            const auto today =
                review_plan::PlanToday(model, deck, settings, kToday, c.reviewedToday, skill);
            const auto dueDays =
                review_plan::DueDays(model, deck, settings, kToday, c.reviewedToday);
            long long due = 0;
            for (size_t i = 0; i < deck.size(); ++i)
                due += (!skill || deck[i].skill == *skill) && dueDays[i] <= kToday;
            EXPECT_EQ(today.due, due);
            const long long dueTaken = std::min(room, today.due);
            EXPECT_EQ(static_cast<long long>(today.queue.size()), dueTaken + today.ahead);
            EXPECT_LE(static_cast<long long>(today.queue.size()), room);
            EXPECT_EQ(today.backlog, today.due - dueTaken);
            if (!c.examIn || today.backlog > 0) {
                EXPECT_EQ(today.ahead, 0);
            }
        }
        const auto forecast =
            review_plan::Forecast(model, deck, settings, kToday, 30, c.reviewedToday);
        ASSERT_EQ(forecast.size(), 30u);
        EXPECT_LE(forecast[0].reviews, room);
        for (const auto& day : forecast)
            EXPECT_LE(day.reviews, c.limit) << "day " << day.day - kToday;
        // What waits is carried, never dropped: a backlog shrinks only by the day's reviews.
        // (With an exam date, a last review not taken by the exam returns to the regular plan.)
        for (size_t i = 1; i < forecast.size() && !c.examIn; ++i)
            EXPECT_GE(forecast[i].backlog + forecast[i].reviews, forecast[i - 1].backlog);
    }
}

TEST(ReviewPlan, TodaysQueueTakesTheMostAtRiskFirst) {
    const fsrs::Model model;
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "words " << c.words << " limit " << c.limit);
        const auto deck = Deck(c.words, 11);
        const Settings settings = SettingsFor(c);
        const auto today = review_plan::PlanToday(model, deck, settings, kToday, c.reviewedToday);
        const size_t dueTaken = today.queue.size() - static_cast<size_t>(today.ahead);
        if (dueTaken == 0)
            continue;
        for (size_t i = 1; i < dueTaken; ++i)
            EXPECT_LE(RecallToday(model, today.queue[i - 1]), RecallToday(model, today.queue[i]));
        // No card left waiting is more at risk than the last one taken.
        const double lastTaken = RecallToday(model, today.queue[dueTaken - 1]);
        const auto dueDays = review_plan::DueDays(model, deck, settings, kToday, c.reviewedToday);
        for (size_t i = 0; i < deck.size(); ++i) {
            const Card& card = deck[i];
            const auto end = today.queue.begin() + static_cast<long>(dueTaken);
            const bool taken = std::any_of(today.queue.begin(), end, [&](auto& q) {
                return q.wordId == card.wordId && q.skill == card.skill;
            });
            if (dueDays[i] <= kToday && !taken) {
                EXPECT_GE(RecallToday(model, card), lastTaken);
            }
        }
    }
}

// A word's last-review window opens on the earliest day from which a review reaches the
// exam target; a word that holds, or has a regular review before the exam, has none.
TEST(ReviewPlan, LastReviewWindowOpensOnTheEarliestDayThatReachesTheTarget) {
    const fsrs::Model model;
    const auto deck = Deck(1500, 3);
    for (long long examIn : {1, 2, 10, 40, 200}) {
        SCOPED_TRACE(testing::Message() << "exam in " << examIn);
        Settings settings;
        settings.examDay = kToday + examIn;
        const long long exam = *settings.examDay;
        const auto examRecall = [&](const fsrs::CardMemory& m, long long day) {
            const double r =
                model.Retrievability(static_cast<double>(day - m.lastReviewDay), m.state.stability);
            const double s = model.StabilityAfterSuccess(m.state, r, fsrs::Rating::Good);
            return model.Retrievability(static_cast<double>(exam - day), s);
        };
        int windows = 0;
        for (const Card& card : deck) {
            const auto& m = card.memory;
            const auto window = review_plan::LastReviewWindow(model, m, settings);
            const double holds = model.Retrievability(static_cast<double>(exam - m.lastReviewDay),
                                                      m.state.stability);
            if (review_plan::RegularDueDay(model, m, settings) < exam ||
                holds >= settings.examRetention || m.lastReviewDay + 1 >= exam) {
                EXPECT_FALSE(window);
                continue;
            }
            ++windows;
            ASSERT_TRUE(window);
            ASSERT_GT(*window, m.lastReviewDay);
            ASSERT_LT(*window, exam);
            if (*window < exam - 1) {
                EXPECT_GE(examRecall(m, *window), settings.examRetention);
            }
            if (*window > m.lastReviewDay + 1) {
                EXPECT_LT(examRecall(m, *window - 1), settings.examRetention);
            }
        }
        if (examIn == 10 || examIn == 40) {
            EXPECT_GT(windows, 50);
        }
    }
}

// With an exam date the last reviews are spread over the weeks before it: no week before the
// exam carries more than 1.5 times the mean day, and the exam day is better prepared than
// without a date.
TEST(ReviewPlan, ExamPlanSpreadsTheLastReviewsOverTheWeeksBefore) {
    const fsrs::Model model;
    struct Exam {
        int words, limit;
        long long examIn;
    };
    for (const Exam& e :
         {Exam{1500, 10000, 60}, Exam{1500, 400, 60}, Exam{3000, 400, 90}, Exam{800, 10000, 28}}) {
        SCOPED_TRACE(testing::Message() << "exam in " << e.examIn << " limit " << e.limit);
        // Start from a settled deck: the overdue words of a synthetic deck are cleared first.
        auto deck = Deck(e.words, 5);
        for (auto& card : deck)
            card.memory.lastReviewDay = std::max(card.memory.lastReviewDay, kToday - 1);

        Settings plain;
        plain.dailyLimit = e.limit;
        Settings exam = plain;
        exam.examDay = kToday + e.examIn;
        const int days = static_cast<int>(e.examIn) + 1;
        const auto withExam = review_plan::Forecast(model, deck, exam, kToday, days);
        const auto without = review_plan::Forecast(model, deck, plain, kToday, days);

        std::vector<int> load;
        for (int i = 0; i < days - 1; ++i)
            load.push_back(withExam[static_cast<size_t>(i)].reviews);
        const double mean =
            std::accumulate(load.begin(), load.end(), 0.0) / static_cast<double>(load.size());
        for (size_t start = 0; start + 7 <= load.size(); ++start) {
            const double week = std::accumulate(load.begin() + start, load.begin() + start + 7, 0);
            EXPECT_LE(week / 7, 1.5 * mean) << "week from day " << start;
        }
        for (int reviews : load)
            EXPECT_LE(reviews, e.limit);
        const double cards = static_cast<double>(deck.size());
        EXPECT_GT(withExam.back().expectedRecall, without.back().expectedRecall);
        EXPECT_GE(withExam.back().expectedRecall / cards, exam.examRetention - 0.01);
    }
}

// Before an exam, a light day takes ahead of time the words that would fall short of the exam
// target, the lowest exam-day recall first, up to the steady share of the limit; only words
// already faded below `aheadBelow` and not graded today; none on a day with a backlog, and
// none on the exam's eve, when every word short of the target is due already.
TEST(ReviewPlan, ALightDayBeforeAnExamTakesTheWordsShortOfTheTargetAheadOfTime) {
    const fsrs::Model model;
    struct Light {
        int words, limit, reviewedToday;
        long long examIn;
        bool takesAhead;
    };
    for (const Light& c : {Light{300, 500, 0, 30, true}, Light{300, 500, 300, 30, true},
                           Light{300, 500, 400, 30, false}, Light{2000, 50, 0, 45, false},
                           Light{800, 900, 0, 1, false}, Light{800, 900, 0, 0, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "words " << c.words << " limit " << c.limit << " reviewed "
                     << c.reviewedToday << " exam in " << c.examIn);
        auto deck = Deck(c.words, 13);
        deck.front().memory.lastReviewDay = kToday; // graded today: never ahead
        Settings settings;
        settings.dailyLimit = c.limit;
        settings.examDay = kToday + c.examIn;
        const auto today = review_plan::PlanToday(model, deck, settings, kToday, c.reviewedToday);
        EXPECT_EQ(today.ahead > 0, c.takesAhead);
        if (today.ahead == 0)
            continue;
        const auto steady = static_cast<long long>(settings.steadyShare * c.limit + 0.5);
        const auto dueDays = review_plan::DueDays(model, deck, settings, kToday, c.reviewedToday);
        const auto examRecall = [&](const Card& card) {
            return model.Retrievability(
                static_cast<double>(*settings.examDay - card.memory.lastReviewDay),
                card.memory.state.stability);
        };
        const auto isAheadCandidate = [&](size_t i) {
            return dueDays[i] > kToday && deck[i].memory.lastReviewDay < kToday &&
                   RecallToday(model, deck[i]) < settings.aheadBelow &&
                   examRecall(deck[i]) < settings.examRetention;
        };
        const size_t first = today.queue.size() - static_cast<size_t>(today.ahead);
        std::vector<std::pair<std::int64_t, Skill>> ahead;
        for (size_t k = first; k < today.queue.size(); ++k) {
            const Card& card = today.queue[k];
            ahead.emplace_back(card.wordId, card.skill);
            const auto i = static_cast<size_t>(std::find_if(deck.begin(), deck.end(),
                                                            [&](const Card& d) {
                                                                return d.wordId == card.wordId &&
                                                                       d.skill == card.skill;
                                                            }) -
                                               deck.begin());
            EXPECT_TRUE(isAheadCandidate(i));
            if (k > first) {
                EXPECT_LE(examRecall(today.queue[k - 1]), examRecall(card));
            }
        }
        long long candidates = 0;
        for (size_t i = 0; i < deck.size(); ++i) {
            if (!isAheadCandidate(i))
                continue;
            ++candidates;
            const bool taken =
                std::find(ahead.begin(), ahead.end(),
                          std::make_pair(deck[i].wordId, deck[i].skill)) != ahead.end();
            if (!taken) { // none left out is further from the target than one taken
                EXPECT_GE(examRecall(deck[i]), examRecall(today.queue.back()));
            }
        }
        const long long fill = steady - c.reviewedToday - (today.due - today.backlog);
        EXPECT_EQ(today.ahead, std::min(fill, candidates));
    }
}
