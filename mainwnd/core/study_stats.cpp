#include "mainwnd/core/study_stats.h"

#include "store/dates.h"
#include "store/settings.h"
#include "store/table_reads.h"
#include "store/word_schema.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

int DrillIndex(const std::string& drill) {
    return drill == mdb::kSpellDrill ? 1 : 0;
}

long long CeilDiv(long long a, long long b) {
    return (a + b - 1) / b;
}

// Per day: each drill's figures.
using Days = std::map<long long, std::array<DrillDay, 2>>;

Days ByDay(const std::vector<DayTally>& tallies) {
    Days days;
    for (const DayTally& t : tallies) {
        DrillDay& d = days[t.day][DrillIndex(t.drill)];
        d.newWords += t.newWords;
        d.reviews += t.reviews;
        d.right += t.right;
        d.wrong += t.wrong;
    }
    return days;
}

// The quota is met on a day when either drill took that many new words; without a quota
// any day of study counts.
bool QuotaMet(const std::array<DrillDay, 2>& day, long long quota) {
    if (quota <= 0)
        return day[0].Total() + day[1].Total() > 0;
    return day[0].newWords >= quota || day[1].newWords >= quota;
}

void Streaks(const Days& days, long long quota, long long today, StudyStats& stats) {
    long long run = 0, previous = 0;
    for (const auto& [day, drills] : days) {
        if (day > today || !QuotaMet(drills, quota))
            continue;
        run = (run > 0 && day == previous + 1) ? run + 1 : 1;
        previous = day;
        stats.longestStreak = std::max(stats.longestStreak, run);
    }
    // A streak is still alive through today while today is not yet over.
    stats.streak = (run > 0 && (previous == today || previous == today - 1)) ? run : 0;
}

void Finish(const StudyFacts& facts, const Days& days, StudyStats& stats) {
    stats.plannedDrill = facts.positions[1] > facts.positions[0] ? 1 : 0;
    stats.bankSize = facts.bankSize;
    stats.taken = std::min(facts.positions[stats.plannedDrill], facts.bankSize);
    const long long left = facts.bankSize - stats.taken;
    if (facts.examDay) {
        ExamPlan plan{*facts.examDay - facts.today, std::nullopt};
        if (plan.daysLeft > 0 && left > 0)
            plan.neededQuota = CeilDiv(left, plan.daysLeft);
        stats.exam = plan;
    }
    if (left <= 0 || facts.quota <= 0)
        return;
    const auto todays = days.find(facts.today);
    const long long doneToday =
        todays == days.end() ? 0 : todays->second[stats.plannedDrill].newWords;
    const long long roomToday = std::max(0LL, facts.quota - doneToday);
    stats.finishDay =
        left <= roomToday ? facts.today : facts.today + CeilDiv(left - roomToday, facts.quota);
}

} // namespace

StudyStats ComputeStudyStats(const StudyFacts& facts) {
    StudyStats stats;
    const Days days = ByDay(facts.tallies);
    if (const auto todays = days.find(facts.today); todays != days.end())
        stats.today = todays->second;
    Streaks(days, facts.quota, facts.today, stats);

    stats.firstHeatDay = facts.today - WeekdayOfDayNumber(facts.today) - (kHeatWeeks - 1) * 7;
    for (long long day = stats.firstHeatDay; day <= facts.today; ++day) {
        const auto it = days.find(day);
        stats.heat.push_back(it == days.end() ? 0 : it->second[0].Total() + it->second[1].Total());
    }
    for (long long day = facts.today - kBarDays + 1; day <= facts.today; ++day) {
        const auto it = days.find(day);
        if (it == days.end())
            stats.lastDays.emplace_back(0, 0);
        else
            stats.lastDays.emplace_back(it->second[0].newWords + it->second[1].newWords,
                                        it->second[0].reviews + it->second[1].reviews);
    }

    stats.forecast[0] = facts.overdueUnreadable;
    for (const auto& [missDay, rows] : facts.missDays) {
        const long long offset = std::max(0LL, missDay + kReviewDelayDays - facts.today);
        if (offset < kForecastDays)
            stats.forecast[static_cast<size_t>(offset)] += rows;
    }

    Finish(facts, days, stats);
    stats.missed = facts.missed;
    if (stats.missed.size() > kMissedShown)
        stats.missed.resize(kMissedShown);
    return stats;
}

std::optional<long long> ExamDayOf(const std::string& text) {
    return DayNumberOfDate(text);
}

StudyFacts ReadStudyFacts(const _ConnectionPtr& connection, const std::string& iniPath,
                          std::time_t now) {
    StudyFacts facts;
    facts.today = ReviewAge(now).Today();
    facts.quota = settings::DailyQuota(iniPath);
    for (const char* table : mdb::kReviewTables)
        for (const auto& [date, rows] : CountByDate(connection, table)) {
            if (const auto day = ReviewAge::DayNumber(date.c_str()))
                facts.missDays.emplace_back(*day, rows);
            else
                facts.overdueUnreadable += rows;
        }
    const std::string bank = settings::BankName(iniPath);
    facts.bank = bank;
    facts.bankSize = CountRows(connection, bank);
    facts.positions = {settings::ReadProgress(iniPath, bank, settings::Drill::Browse).position,
                       settings::ReadProgress(iniPath, bank, settings::Drill::Spell).position};
    facts.examDay = ExamDayOf(settings::ExamDate(iniPath));
    return facts;
}

void ReadStudyHistory(const _ConnectionPtr& connection, StudyFacts& facts) {
    std::vector<DayTally> tallies = study_log::DayTallies(connection);
    facts.missed = study_log::MostMissed(connection, kMissedShown);
    facts.tallies = std::move(tallies);
}
