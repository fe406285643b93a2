#include "mainwnd/core/forced_study.h"

#include "store/profile.h"
#include "store/settings_schema.h"

#include <algorithm>

ForcedStudy::ForcedStudy(std::string iniPath) : m_iniPath(std::move(iniPath)) {}

int ForcedStudy::Value(const char* key, int def) const {
    return static_cast<int>(GetPrivateProfileIntA(ini::kUser, key, def, m_iniPath));
}

bool ForcedStudy::On() const {
    return Value(ini::kUserForced, ini::kFlagOff) != 0;
}

int ForcedStudy::ReminderMinutes() const {
    return std::clamp(Value(ini::kUserInterval, ini::kReminderInterval), kMinMinutes, kMaxMinutes);
}

void ForcedStudy::RunTurn(const char* countKey, int quota,
                          const std::function<void()>& runDrill) const {
    const int count = Value(countKey, ini::kFlagOff);
    if (count > quota)
        return;
    auto write = [this, countKey](long long value) {
        WritePrivateProfileStringA(ini::kUser, countKey,
                                   std::to_string(static_cast<int>(value)).c_str(), m_iniPath);
    };
    write(static_cast<long long>(quota) - Value(ini::kUserPerRead, ini::kFlagOff));
    runDrill();
    write(static_cast<long long>(count) + Value(ini::kUserPerRead, ini::kFlagOff));
}

bool ForcedStudy::DayUnfinished() const {
    auto value = [this](const char* key) {
        return GetPrivateProfileIntA(ini::kUser, key, ini::kFlagOff, m_iniPath);
    };
    return value(ini::kUserSpellCount) < value(ini::kUserDaily) ||
           value(ini::kUserBrowseCount) < value(ini::kUserDaily);
}
