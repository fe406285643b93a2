#include "mainwnd/core/forced_study.h"

#include <algorithm>

ForcedStudy::ForcedStudy(std::string iniPath) : m_iniPath(std::move(iniPath)) {}

bool ForcedStudy::On() const {
    return settings::ForcedModeOn(m_iniPath);
}

int ForcedStudy::ReminderMinutes() const {
    return std::clamp(settings::ReminderMinutes(m_iniPath), kMinMinutes, kMaxMinutes);
}

void ForcedStudy::RunTurn(settings::Drill drill, int quota,
                          const std::function<void()>& runDrill) const {
    const int count = static_cast<int>(settings::ForcedCount(m_iniPath, drill));
    if (count > quota)
        return;
    settings::SetForcedCount(m_iniPath, drill,
                             static_cast<long long>(quota) - settings::ForcedPerRead(m_iniPath));
    runDrill();
    settings::SetForcedCount(m_iniPath, drill,
                             static_cast<long long>(count) + settings::ForcedPerRead(m_iniPath));
}

bool ForcedStudy::DayUnfinished() const {
    const UINT daily = settings::ForcedDaily(m_iniPath);
    return settings::ForcedCount(m_iniPath, settings::Drill::Spell) < daily ||
           settings::ForcedCount(m_iniPath, settings::Drill::Browse) < daily;
}
