// A learner whose memory is the model itself: each word's true state per skill moves by the
// model's formulas at every answer, a review is recalled with the model's chance of recall,
// and every answer takes the time the model's own simulator gives it.
#pragma once

#include "drills/core/memory/fsrs.h"
#include "drills/core/memory/memory_keeper.h"

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

// Seconds for an answer right (Good) and wrong (Again), by the word's state: fsrs-rs's
// simulator defaults (src/simulation.rs, SimulatorConfig::default, state_rating_costs, rows
// learning / review / relearning), which its authors measured on real reviews.
struct AnswerSeconds {
    double right, wrong;
};
inline constexpr AnswerSeconds kLearningSeconds{13.78, 19.58};
inline constexpr AnswerSeconds kReviewSeconds{12.38, 19.38};
inline constexpr AnswerSeconds kRelearningSeconds{12.32, 16.44};
// The same simulator's first_rating_prob: a new word is missed at first sight 0.24 of the
// time (Again), and recalled otherwise.
inline constexpr double kFirstSightRecall = 0.76;

enum class AnswerKind { FirstSight, Review, SameDay };

struct Answer {
    bool right = false;
    double seconds = 0;
    AnswerKind kind = AnswerKind::FirstSight;
};

class SimulatedLearner {
public:
    explicit SimulatedLearner(unsigned seed) : m_random(seed) {}

    // The learner sees `word` in the drill of `skill` on `day` and answers.
    Answer Respond(const std::string& word, const std::string& skill, long long day) {
        const auto key = std::make_pair(word, skill);
        const auto held = m_held.find(key);
        Answer answer;
        AnswerSeconds seconds = kLearningSeconds;
        std::optional<fsrs::CardMemory> before;
        if (held == m_held.end()) {
            answer.right = Chance(kFirstSightRecall);
        } else {
            before = held->second.memory;
            // On the day of its last answer the model recalls the word for certain; the
            // same-day steps differ only in their time.
            const auto elapsed = static_cast<double>(day - before->lastReviewDay);
            answer.right = Chance(m_model.Retrievability(elapsed, before->state.stability));
            answer.kind = elapsed > 0 ? AnswerKind::Review : AnswerKind::SameDay;
            seconds = elapsed > 0 ? kReviewSeconds : SecondsOf(held->second.phase);
        }
        answer.seconds = answer.right ? seconds.right : seconds.wrong;
        const fsrs::Rating rating = answer.right ? fsrs::Rating::Good : fsrs::Rating::Again;
        Held& after = m_held[key];
        after.memory = m_model.Apply(before, {day, rating});
        after.phase = NextPhase(answer, after.phase);
        return answer;
    }

    // The mean chance of recall on `day` over every word and skill learned.
    double MeanRecallOn(long long day) const {
        if (m_held.empty())
            return 0;
        double sum = 0;
        for (const auto& [key, held] : m_held)
            sum += m_model.Retrievability(static_cast<double>(day - held.memory.lastReviewDay),
                                          held.memory.state.stability);
        return sum / static_cast<double>(m_held.size());
    }

    // The learner's memory as the store's rows, in the order the store reads them.
    std::vector<MemoryRow> Rows() const {
        std::vector<MemoryRow> rows;
        for (const auto& [key, held] : m_held)
            rows.push_back(RowOf(key.first, key.second, held.memory));
        return rows;
    }

private:
    // Where a word stands within its day, for the time its next same-day answer takes.
    enum class Phase { Learning, Review, Relearning };
    struct Held {
        fsrs::CardMemory memory;
        Phase phase = Phase::Learning;
    };

    static AnswerSeconds SecondsOf(Phase phase) {
        switch (phase) {
        case Phase::Learning:
            return kLearningSeconds;
        case Phase::Relearning:
            return kRelearningSeconds;
        case Phase::Review:
            break;
        }
        return kReviewSeconds;
    }
    static Phase NextPhase(const Answer& answer, Phase phase) {
        switch (answer.kind) {
        case AnswerKind::FirstSight:
            return Phase::Learning;
        case AnswerKind::Review:
            return answer.right ? Phase::Review : Phase::Relearning;
        case AnswerKind::SameDay:
            break;
        }
        return phase;
    }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }

    fsrs::Model m_model;
    std::mt19937_64 m_random;
    std::map<std::pair<std::string, std::string>, Held> m_held;
};
