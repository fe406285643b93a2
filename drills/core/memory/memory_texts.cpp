#include "drills/core/memory/memory_texts.h"

#include "store/dates.h"

#include <algorithm>
#include <cmath>

namespace {

std::string N(long long n) {
    return WithThousands(n);
}

long long Rounded(double x) {
    return std::llround(x);
}

std::string Limit(int dailyLimit) {
    return "每天最多 " + N(dailyLimit) + " 个";
}

} // namespace

std::string WithThousands(long long n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (auto at = static_cast<long long>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return n < 0 ? "-" + digits : digits;
}

std::string MonthDay(long long day, long long today) {
    const std::string date = DateOfDayNumber(day); // YYYY-MM-DD
    const std::string month = std::to_string(std::stoi(date.substr(5, 2)));
    const std::string dayOfMonth = std::to_string(std::stoi(date.substr(8, 2)));
    const bool sameYear = date.substr(0, 4) == DateOfDayNumber(today).substr(0, 4);
    return (sameYear ? "" : date.substr(0, 4) + "年") + month + "月" + dayOfMonth + "日";
}

// ---- The main window ----------------------------------------------------------------

std::string ReviewButtonText(const DailyReview& review) {
    std::string text = "今日复习 " + N(review.Total());
    if (review.backlog > 0)
        text += "\n积压 " + N(review.backlog);
    return text;
}

std::string ReviewMenuText(const DailyReview& review) {
    std::string text = "今日复习 " + N(review.Total());
    if (review.backlog > 0)
        text += "，积压 " + N(review.backlog);
    return text + "(&V)...";
}

std::string ReviewButtonTip(const DailyReview& review, int dailyLimit) {
    std::string text = "今天要复习的词：认词 " +
                       N(static_cast<long long>(review.recognise.size())) + " 个（浏览），拼写 " +
                       N(static_cast<long long>(review.spell.size())) + " 个。" +
                       Limit(dailyLimit) + "，可以在“设置”里改。";
    if (review.backlog > 0)
        text += "\n还有 " + N(review.backlog) + " 个积压，超出了今天的数量，以后几天复习。";
    return text;
}

std::string NothingToReviewText(const DailyReview& review, int dailyLimit) {
    if (review.backlog > 0)
        return "今天的复习已经做满了（" + Limit(dailyLimit) + "）。还有 " + N(review.backlog) +
               " 个积压，明天先复习最容易忘的那些。想多复习，可以在“设置”里调高“每天最多复习”。";
    return "今天没有需要复习的单词。背过的词快要忘的时候，会回到今日复习。";
}

std::string ReviewChoiceText(const DailyReview& review) {
    std::string text = "今天要复习 " + N(review.Total()) + " 个：认词 " +
                       N(static_cast<long long>(review.recognise.size())) + " 个，拼写 " +
                       N(static_cast<long long>(review.spell.size())) +
                       " 个。最容易忘的先来，不占每日数量，也不动背单词的进度。";
    if (review.backlog > 0)
        text += "\n积压 " + N(review.backlog) + " 个，以后几天再复习。";
    return text;
}

// ---- 学习统计 ---------------------------------------------------------------------------

std::string RememberedText(const MemoryOutlook& outlook) {
    if (outlook.Learned() == 0)
        return "还没有背过的单词。背过的词，这里会算出你大约还记得多少。";
    return "你现在大约记得 " + N(Rounded(outlook.Recalled())) + " / " + N(outlook.Learned()) +
           " 个单词（认词和拼写各算一次）";
}

std::string RememberedExplanation(const MemoryOutlook& outlook) {
    return "按记忆模型算出你今天记得每个词的可能，再加起来。认词（浏览背单词）和拼写（拼写背单词）"
           "是两份记忆，各算一次：认词 " +
           N(Rounded(outlook.recalled[0])) + " / " + N(outlook.learned[0]) + "，拼写 " +
           N(Rounded(outlook.recalled[1])) + " / " + N(outlook.learned[1]) + "。";
}

std::string ExamRecallText(const MemoryOutlook& outlook) {
    if (!outlook.examDay)
        return "在“设置”里填上考试日期，这里会算出考试那天你预计还记得多少。";
    const long long exam = *outlook.examDay;
    if (exam < outlook.today || outlook.Learned() == 0)
        return {};
    if (!outlook.recalledOnExamDay)
        return "考试还远（" + N(exam - outlook.today) + " 天后），先不算考试那天记得多少。";
    const long long recalled = Rounded(*outlook.recalledOnExamDay);
    const long long percent =
        Rounded(100 * *outlook.recalledOnExamDay / static_cast<double>(outlook.Learned()));
    const std::string share =
        N(percent) + "%（" + N(recalled) + " / " + N(outlook.Learned()) + "）";
    if (exam == outlook.today)
        return "今天考试：你现在大约记得 " + share + "。";
    return "按计划复习到考试那天（" + MonthDay(exam, outlook.today) + "），预计记得 " + share +
           "。这假设每天的今日复习都做完、都答对；以后新背的词不算在内。";
}

std::string ReviewForecastText(const MemoryOutlook& outlook) {
    long long total = 0, most = 0, backlog = 0;
    for (const review_plan::ForecastDay& day : outlook.days) {
        total += day.reviews;
        most = std::max<long long>(most, day.reviews);
        backlog = std::max(backlog, day.backlog);
    }
    std::string text = "未来" + std::to_string(outlook.days.size()) + "天的今日复习（" +
                       Limit(outlook.dailyLimit) + "）：共 " + N(total) + " 个，最多的一天 " +
                       N(most) + " 个";
    if (backlog > 0)
        text += "；积压最多 " + N(backlog) + " 个";
    return text;
}

std::string ReviewForecastNumbers(const MemoryOutlook& outlook) {
    std::string text = "未来" + std::to_string(outlook.days.size()) + "天每天的今日复习：";
    for (size_t i = 0; i < outlook.days.size(); ++i) {
        const review_plan::ForecastDay& day = outlook.days[i];
        const std::string name = day.day == outlook.today       ? "今天"
                                 : day.day == outlook.today + 1 ? "明天"
                                                                : MonthDay(day.day, outlook.today);
        text += (i ? "；" : "") + name + " " + N(day.reviews);
        if (day.backlog > 0)
            text += "（积压 " + N(day.backlog) + "）";
    }
    return text + "。";
}

// ---- 查词 -------------------------------------------------------------------------------

std::string DueText(long long inDays) {
    if (inDays <= 0)
        return "今天需要复习";
    if (inDays == 1)
        return "明天需要复习";
    return "约 " + N(inDays) + " 天后需要复习";
}

std::string WordReviewText(const ReviewDays& days) {
    std::string text;
    if (days.recognise)
        text = "认词" + DueText(*days.recognise);
    if (days.spell)
        text += (text.empty() ? "" : "，") + std::string("拼写") + DueText(*days.spell);
    return text;
}
