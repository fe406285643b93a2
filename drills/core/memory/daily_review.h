// 今日复习: the learned words whose memory asks for a review today, most at risk first,
// within the learner's daily limit (and, with an exam date, planned towards it); the rest
// wait as a backlog. Words learned before the study log existed join as answered right
// once, on the day the plan first sees them.
#pragma once

#include "drills/core/memory/review_plan.h"
#include "drills/core/word_record.h"
#include "store/ado.h"

#include <ctime>
#include <string>
#include <vector>

struct DailyReview {
    std::vector<WordRecord> recognise, spell; // today's words for each drill, in order
    long long backlog = 0;                    // due but past the day's limit
    long long Total() const { return static_cast<long long>(recognise.size() + spell.size()); }
};

// The plan's settings from read.ini: the daily limit and the exam date.
review_plan::Settings ReviewSettings(const std::string& ini);
// Every learned word and skill as the plan sees it. Raises _com_error.
struct LearnedCards {
    std::vector<review_plan::Card> cards;
    std::vector<std::string> words; // by Card::wordId
};
LearnedCards ReadLearnedCards(const _ConnectionPtr& connection, const std::string& ini,
                              long long today);
// Raises _com_error.
DailyReview ReadDailyReview(const _ConnectionPtr& connection, const std::string& ini,
                            std::time_t now);
