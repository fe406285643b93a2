// read.ini named once: where it is, its sections and keys, and each reader's default.
// The readers keep different defaults on purpose; they stand side by side here.
#pragma once

#include "store/profile.h"

#include <string>

namespace ini {

// Always in the current directory, never the program's own.
inline std::string Path() {
    return JoinPath(GetCurrentDirectoryA(), "read.ini");
}

// Section "system": the settings dialog writes its six keys in this order, then
// "autospeak"; the drills read the bank choice, forced study and "autospeak".
inline constexpr const char* kSystem = "system";
inline constexpr const char* kDaily = "danci";
inline constexpr const char* kBank = "CET"; // 0 CET4, anything else CET6
inline constexpr const char* kPerRead = "mei";
inline constexpr const char* kInterval = "time";
inline constexpr const char* kForced = "qiangzhi";
inline constexpr const char* kProtect = "protect";
inline constexpr const char* kAutoSpeak = "autospeak";
inline constexpr const char* kExamDate = "kaoshi";  // "YYYY-MM-DD", or absent: no exam date
inline constexpr const char* kReviewLimit = "fuxi"; // 今日复习's words a day at most
// 1 once the first start's question was answered, either way.
inline constexpr const char* kWelcomed = "huanying";

// Section "usermessage": the main window's forced study, and nothing else reads it.
inline constexpr const char* kUser = "usermessage";
inline constexpr const char* kUserForced = "qiangzhi";
inline constexpr const char* kUserInterval = "time";
inline constexpr const char* kUserPerRead = "mei";
inline constexpr const char* kUserDaily = "danci";
inline constexpr const char* kUserBrowseCount = "trmount";
inline constexpr const char* kUserSpellCount = "tsmount";

// Sections "CET4" and "CET6": each drill's progress in that bank.
inline constexpr const char* kBrowseDay = "tr";
inline constexpr const char* kBrowseCount = "trmount";
inline constexpr const char* kBrowsePosition = "rmount";
inline constexpr const char* kSpellDay = "ts";
inline constexpr const char* kSpellCount = "tsmount";
inline constexpr const char* kSpellPosition = "smount";

// What the settings dialog takes, both ends included.
struct Range {
    int low, high;
    // Compared unsigned, as the dialog reads its fields: a negative entry lies above all.
    constexpr bool Holds(UINT value) const {
        return value >= static_cast<UINT>(low) && value <= static_cast<UINT>(high);
    }
};
inline constexpr Range kDailyRange{20, 50};
inline constexpr Range kPerReadRange{4, 8};
inline constexpr Range kIntervalRange{30, 90}; // minutes
inline constexpr Range kReviewLimitRange{20, 500};

// "<before>low~high<after>", as the dialog's range labels show them.
inline std::string RangeText(const char* before, Range range, const char* after) {
    return before + std::to_string(range.low) + "~" + std::to_string(range.high) + after;
}

// Defaults, reader by reader.
inline constexpr int kQuotaAtStartUp = 40; // the application's daily quota
inline constexpr int kBankDefault = 1;     // drills and settings dialog: CET6
inline constexpr int kIntervalInSettings = 30;
inline constexpr int kPerReadInSettings = 4;
inline constexpr int kReminderInterval = 30; // minutes, the main window's timer
inline constexpr int kFlagOff = 0;           // every switch and count: off, none
inline constexpr int kReviewLimitDefault = 210;

} // namespace ini
