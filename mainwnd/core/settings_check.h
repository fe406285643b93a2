// The settings dialog's numbers, checked before anything is written.
#pragma once

#include "store/settings_schema.h"

struct SettingsEntries {
    UINT daily, perRead, interval; // as read from the fields: an unreadable one is 0
};

// Each number within its range.
inline bool SettingsEntriesAreValid(const SettingsEntries& entries) {
    return ini::kDailyRange.Holds(entries.daily) && ini::kPerReadRange.Holds(entries.perRead) &&
           ini::kIntervalRange.Holds(entries.interval);
}
