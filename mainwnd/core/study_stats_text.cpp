#include "mainwnd/core/study_stats_text.h"

#include "store/dates.h"

#include <algorithm>

namespace {

std::string N(long long n) {
    return std::to_string(n);
}

const char* const kDrillNames[2] = {"浏览", "拼写"};

std::string TodayText(const StudyStats& stats, long long quota) {
    std::string text = "今天";
    for (int i = 0; i < 2; ++i) {
        const DrillDay& d = stats.today[static_cast<size_t>(i)];
        text += std::string(i ? "；" : "　") + kDrillNames[i] + "：新词 " + N(d.newWords) +
                "，复习 " + N(d.reviews) + "，对 " + N(d.right) + "，错 " + N(d.wrong);
    }
    text += "\n每日数量 " + N(quota) + "：";
    for (int i = 0; i < 2; ++i) {
        const long long left = quota - stats.today[static_cast<size_t>(i)].newWords;
        text += std::string(i ? "，" : "") + kDrillNames[i] +
                (left > 0 ? "还差 " + N(left) + " 个" : "已完成");
    }
    return text;
}

std::string HeatNumbers(const StudyStats& stats, long long today) {
    std::string text = "近" + N(kHeatWeeks) + "周学习的日子：";
    bool any = false;
    for (size_t i = 0; i < stats.heat.size(); ++i)
        if (stats.heat[i] > 0) {
            text += (any ? "；" : "") +
                    ShortDate(stats.firstHeatDay + static_cast<long long>(i), today) + " " +
                    N(stats.heat[i]) + " 词";
            any = true;
        }
    return any ? text + "。其余日子没有学习。" : text + "没有。";
}

std::string HeatText(const StudyStats& stats) {
    long long days = 0, words = 0, most = 0;
    for (long long n : stats.heat) {
        days += n > 0;
        words += n;
        most = std::max(most, n);
    }
    return "近" + N(kHeatWeeks) + "周：学习 " + N(days) + " 天，共 " + N(words) +
           " 词，最多的一天 " + N(most) + " 词";
}

std::string BarsText(const StudyStats& stats, long long today) {
    long long fresh = 0, reviews = 0, most = 0;
    size_t busiest = 0;
    for (size_t i = 0; i < stats.lastDays.size(); ++i) {
        const auto [f, r] = stats.lastDays[i];
        fresh += f;
        reviews += r;
        if (f + r > most) {
            most = f + r;
            busiest = i;
        }
    }
    std::string text = "近" + N(kBarDays) + "天：新词 " + N(fresh) + "，复习 " + N(reviews);
    if (most > 0)
        text += "；最多的一天是" +
                ShortDate(today - kBarDays + 1 + static_cast<long long>(busiest), today) + "，" +
                N(most) + " 词";
    return text;
}

std::string BarsNumbers(const StudyStats& stats, long long today) {
    std::string text = "近" + N(kBarDays) + "天每天的新词和复习：";
    for (size_t i = 0; i < stats.lastDays.size(); ++i)
        text += (i ? "；" : "") +
                ShortDate(today - kBarDays + 1 + static_cast<long long>(i), today) + " 新词 " +
                N(stats.lastDays[i].first) + "，复习 " + N(stats.lastDays[i].second);
    return text + "。";
}

std::string BankText(const StudyStats& stats, long long quota, long long today,
                     const std::string& bank) {
    std::string text = bank + "：已学 " + N(stats.taken) + " / " + N(stats.bankSize) + " 词（按" +
                       kDrillNames[stats.plannedDrill] + "的进度）";
    if (stats.bankSize > 0 && stats.taken >= stats.bankSize)
        return text + "，已经学完。";
    if (stats.finishDay)
        text +=
            "；按每天 " + N(quota) + " 个新词，预计" +
            (*stats.finishDay == today ? std::string("今天") : ShortDate(*stats.finishDay, today)) +
            "学完。";
    return text;
}

// The days by their weekdays, on a line of their own: a week's names always fit one line,
// where dates would wrap, and a date split over two lines reads as two.
std::string ForecastText(const StudyStats& stats, long long today) {
    static const char* const kWeekdays[] = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
    std::string text = "未来" + N(kForecastDays) + "天到期的复习词：\n";
    for (size_t i = 0; i < stats.forecast.size(); ++i) {
        const long long day = today + static_cast<long long>(i);
        const std::string name = i == 0   ? "今天"
                                 : i == 1 ? "明天"
                                          : kWeekdays[WeekdayOfDayNumber(day)];
        text += (i ? "，" : "") + name + " " + N(stats.forecast[i]);
    }
    return text;
}

std::string MissedText(const StudyStats& stats) {
    if (stats.missed.empty())
        return "最常错的词：还没有答错过的词。";
    std::string text = "最常错的词：";
    for (size_t i = 0; i < stats.missed.size(); ++i)
        text +=
            (i ? "、" : "") + stats.missed[i].first + "（" + N(stats.missed[i].second) + " 次）";
    return text;
}

std::string ExamText(const StudyStats& stats, const StudyFacts& facts, const std::string& bank) {
    if (!stats.exam || !facts.examDay)
        return "没有设置考试日期：可以在“设置”里填写，这里就会算出每天要学多少。";
    const ExamPlan& plan = *stats.exam;
    const std::string date = ShortDate(*facts.examDay, facts.today);
    if (plan.daysLeft < 0)
        return "考试日期（" + date + "）已经过了。";
    if (plan.daysLeft == 0)
        return "今天就是考试的日子，祝你顺利！";
    std::string text = "距考试（" + date + "）还有 " + N(plan.daysLeft) + " 天";
    if (!plan.neededQuota)
        return text + "；" + bank + " 已经学完。";
    return text + "；要在考前学完 " + bank + "，每天需要 " + N(*plan.neededQuota) + " 个新词。";
}

} // namespace

std::string ShortDate(long long day, long long today) {
    const std::string date = DateOfDayNumber(day); // YYYY-MM-DD
    const std::string month = N(std::stoi(date.substr(5, 2)));
    const std::string dayOfMonth = N(std::stoi(date.substr(8, 2)));
    const bool sameYear = date.substr(0, 4) == DateOfDayNumber(today).substr(0, 4);
    return (sameYear ? "" : date.substr(0, 4) + "年") + month + "月" + dayOfMonth + "日";
}

namespace {
int MonthOf(long long day) {
    return std::stoi(DateOfDayNumber(day).substr(5, 2));
}
int DayOfMonth(long long day) {
    return std::stoi(DateOfDayNumber(day).substr(8, 2));
}
} // namespace

std::vector<ChartLabel> CalendarMonths(long long firstDay, long long today) {
    constexpr int kLabelWeeks = 3; // a label's width, in weeks
    std::vector<ChartLabel> labels;
    for (long long day = firstDay; day <= today; ++day)
        if (DayOfMonth(day) == 1)
            labels.push_back({static_cast<int>((day - firstDay) / 7), N(MonthOf(day)) + "月"});
    if (firstDay <= today && (labels.empty() || labels.front().column >= kLabelWeeks))
        labels.insert(labels.begin(), {0, N(MonthOf(firstDay)) + "月"});
    return labels;
}

std::vector<ChartLabel> BarDates(long long today, int days) {
    std::vector<ChartLabel> labels;
    for (int column = days - 1; column >= 0; column -= 7) {
        const long long day = today - (days - 1) + column;
        labels.insert(labels.begin(),
                      {column, day == today ? std::string("今天")
                                            : N(MonthOf(day)) + "月" + N(DayOfMonth(day)) + "日"});
    }
    return labels;
}

StudyTexts DescribeStudyStats(const StudyStats& stats, const StudyFacts& facts) {
    const std::string& bankName = facts.bank;
    StudyTexts texts;
    texts.today = TodayText(stats, facts.quota);
    texts.streak = "连续达标 " + N(stats.streak) + " 天（一天的新词达到每日数量），最长 " +
                   N(stats.longestStreak) + " 天";
    texts.heat = HeatText(stats);
    texts.heatNumbers = HeatNumbers(stats, facts.today);
    texts.bars = BarsText(stats, facts.today);
    texts.barsNumbers = BarsNumbers(stats, facts.today);
    texts.bank = BankText(stats, facts.quota, facts.today, bankName);
    texts.forecast = ForecastText(stats, facts.today);
    texts.missed = MissedText(stats);
    texts.exam = ExamText(stats, facts, bankName);
    return texts;
}
