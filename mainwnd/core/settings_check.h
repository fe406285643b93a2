// The settings dialog's entries, checked before anything is written (store/settings.h
// saves them).
#pragma once

#include "store/settings_schema.h"

#include <optional>
#include <string>
#include <string_view>

struct SettingsEntries {
    UINT daily, perRead, interval; // as read from the fields: an unreadable one is 0
    UINT reviewLimit = ini::kReviewLimitDefault;
};

// Each number within its range.
inline bool SettingsEntriesAreValid(const SettingsEntries& entries) {
    return ini::kDailyRange.Holds(entries.daily) && ini::kPerReadRange.Holds(entries.perRead) &&
           ini::kIntervalRange.Holds(entries.interval) &&
           ini::kReviewLimitRange.Holds(entries.reviewLimit);
}

// The exam date as typed, to store: "" for a blank entry, a real date as YYYY-MM-DD
// ("2027-6-1" becomes 2027-06-01); nothing for an entry that is no date.
std::optional<std::string> ExamDateEntry(std::string_view typed);
