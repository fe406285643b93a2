#include "mainwnd/core/settings_check.h"

#include "mainwnd/core/study_stats.h"
#include "store/dates.h"
#include "store/profile.h"
#include "store/text_util.h"

namespace {
std::string Number(long long value) {
    return std::to_string(static_cast<int>(value));
}
} // namespace

std::optional<std::string> ExamDateEntry(std::string_view typed) {
    const std::string entry(text::Trim(typed));
    if (entry.empty())
        return entry;
    const std::optional<long long> day = ExamDayOf(entry);
    if (!day)
        return std::nullopt;
    return DateOfDayNumber(*day);
}

bool SaveSettings(const Settings& s, const std::string& iniPath) {
    using namespace ini;
    const char* forced = s.forced ? "1" : "0";
    std::vector<ProfileKey> system{{kDaily, Number(s.daily)},
                                   {kBank, Number(s.bank)},
                                   {kPerRead, Number(s.perRead)},
                                   {kInterval, Number(s.interval)},
                                   {kForced, forced},
                                   {kProtect, s.protect ? "1" : "0"},
                                   {kAutoSpeak, s.autoSpeak ? "1" : "0"}};
    // No exam date adds no key; one cleared is written empty.
    char stored[32];
    GetPrivateProfileStringA(kSystem, kExamDate, "", stored, sizeof stored, iniPath);
    if (!s.examDate.empty() || stored[0] != '\0')
        system.push_back({kExamDate, s.examDate});
    return WriteProfileKeys(kSystem, system, iniPath) &&
           WriteProfileKeys(kUser,
                            {{kUserForced, forced},
                             {kUserInterval, Number(s.interval)},
                             {kUserPerRead, Number(s.perRead)},
                             {kUserDaily, Number(s.daily)}},
                            iniPath);
}
