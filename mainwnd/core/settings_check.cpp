#include "mainwnd/core/settings_check.h"

#include "store/profile.h"

namespace {
std::string Number(long long value) {
    return std::to_string(static_cast<int>(value));
}
} // namespace

bool SaveSettings(const Settings& s, const std::string& iniPath) {
    using namespace ini;
    const char* forced = s.forced ? "1" : "0";
    return WriteProfileKeys(kSystem,
                            {{kDaily, Number(s.daily)},
                             {kBank, Number(s.bank)},
                             {kPerRead, Number(s.perRead)},
                             {kInterval, Number(s.interval)},
                             {kForced, forced},
                             {kProtect, s.protect ? "1" : "0"},
                             {kAutoSpeak, s.autoSpeak ? "1" : "0"}},
                            iniPath) &&
           WriteProfileKeys(kUser,
                            {{kUserForced, forced},
                             {kUserInterval, Number(s.interval)},
                             {kUserPerRead, Number(s.perRead)},
                             {kUserDaily, Number(s.daily)}},
                            iniPath);
}
