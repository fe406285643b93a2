#include "drills/core/memory/memory_outlook.h"

#include "store/dates.h"
#include "store/study_log.h"

#include <algorithm>

namespace {

using review_plan::Skill;

size_t SkillIndex(Skill skill) {
    return skill == Skill::Spell ? 1 : 0;
}

struct Reading {
    long long today = 0;
    int reviewedToday = 0;
    review_plan::Settings settings;
    LearnedCards learned;
};

Reading ReadAll(const _ConnectionPtr& connection, const std::string& ini, std::time_t now) {
    Reading reading;
    reading.today = ReviewAge(now).Today();
    reading.settings = ReviewSettings(ini);
    reading.learned = ReadLearnedCards(connection, ini, reading.today);
    reading.reviewedToday = static_cast<int>(study_log::DailyReviewsOn(connection, reading.today));
    return reading;
}

} // namespace

MemoryOutlook ComputeMemoryOutlook(const fsrs::Model& model,
                                   std::span<const review_plan::Card> cards,
                                   const review_plan::Settings& settings, long long today,
                                   int reviewedToday, int days) {
    MemoryOutlook outlook;
    outlook.today = today;
    outlook.dailyLimit = settings.dailyLimit;
    outlook.examDay = settings.examDay;
    for (const review_plan::Card& card : cards) {
        const size_t skill = SkillIndex(card.skill);
        ++outlook.learned[skill];
        outlook.recalled[skill] += review_plan::ExpectedRecall(model, {&card, 1}, today);
    }
    // One walk through the plan serves the chart and the exam day.
    long long walk = std::max(days, 0);
    const bool examAhead = settings.examDay && *settings.examDay >= today &&
                           *settings.examDay - today <= kLongestExamForecast;
    if (examAhead)
        walk = std::max(walk, *settings.examDay - today + 1);
    outlook.days =
        review_plan::Forecast(model, cards, settings, today, static_cast<int>(walk), reviewedToday);
    if (examAhead)
        outlook.recalledOnExamDay =
            outlook.days[static_cast<size_t>(*settings.examDay - today)].expectedRecall;
    outlook.days.resize(static_cast<size_t>(std::max(days, 0)));
    return outlook;
}

MemoryOutlook ReadMemoryOutlook(const _ConnectionPtr& connection, const std::string& ini,
                                std::time_t now, int days) {
    const Reading reading = ReadAll(connection, ini, now);
    return ComputeMemoryOutlook(fsrs::Model(), reading.learned.cards, reading.settings,
                                reading.today, reading.reviewedToday, days);
}

WordReviews NextReviews(const fsrs::Model& model, const LearnedCards& learned,
                        const review_plan::Settings& settings, long long today, int reviewedToday) {
    const std::vector<long long> due =
        review_plan::DueDays(model, learned.cards, settings, today, reviewedToday);
    WordReviews reviews;
    for (size_t i = 0; i < learned.cards.size(); ++i) {
        const review_plan::Card& card = learned.cards[i];
        ReviewDays& days = reviews[learned.words[static_cast<size_t>(card.wordId)]];
        (card.skill == Skill::Spell ? days.spell : days.recognise) = due[i] - today;
    }
    return reviews;
}

WordReviews ReadNextReviews(const _ConnectionPtr& connection, const std::string& ini,
                            std::time_t now) {
    const Reading reading = ReadAll(connection, ini, now);
    return NextReviews(fsrs::Model(), reading.learned, reading.settings, reading.today,
                       reading.reviewedToday);
}
