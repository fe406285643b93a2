// What the learner reads of the memory and the daily review: the main window's button and
// its messages, the statistics' lines, a word's next review in 查词.
#pragma once

#include "drills/core/memory/daily_review.h"
#include "drills/core/memory/memory_outlook.h"

#include <optional>
#include <string>

// "2,310".
std::string WithThousands(long long n);
// "12月9日", and with the year where it is not `today`'s.
std::string MonthDay(long long day, long long today);

// "今日复习 12", and "积压 30" on a second line while words wait past the limit.
std::string ReviewButtonText(const DailyReview& review);
// The same on one line, for a menu item.
std::string ReviewMenuText(const DailyReview& review);
// Each drill's share and the limit.
std::string ReviewButtonTip(const DailyReview& review, int dailyLimit);
// Why there is nothing to review now (the review has no words).
std::string NothingToReviewText(const DailyReview& review, int dailyLimit);
// The chooser's summary above its two drills.
std::string ReviewChoiceText(const DailyReview& review);

// "你现在大约记得 2,310 / 2,480 个单词（认词和拼写各算一次）".
std::string RememberedText(const MemoryOutlook& outlook);
// How the sum is counted, for a tooltip.
std::string RememberedExplanation(const MemoryOutlook& outlook);
// The expected share on the exam day under the plan, saying what it assumes; or how to get it.
std::string ExamRecallText(const MemoryOutlook& outlook);
// The coming days' reviews in a line, and in full for screen readers.
std::string ReviewForecastText(const MemoryOutlook& outlook);
std::string ReviewForecastNumbers(const MemoryOutlook& outlook);

// "今天需要复习", "明天需要复习", "约 23 天后需要复习".
std::string DueText(long long inDays);
// A learned word's skills in 查词: "认词约 23 天后需要复习，拼写今天需要复习"; "" for none.
std::string WordReviewText(const ReviewDays& days);
