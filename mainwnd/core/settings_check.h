// The settings dialog's numbers, checked before anything is written, and their saving.
#pragma once

#include "store/settings_schema.h"

#include <optional>
#include <string>
#include <string_view>

struct SettingsEntries {
    UINT daily, perRead, interval; // as read from the fields: an unreadable one is 0
};

// Each number within its range.
inline bool SettingsEntriesAreValid(const SettingsEntries& entries) {
    return ini::kDailyRange.Holds(entries.daily) && ini::kPerReadRange.Holds(entries.perRead) &&
           ini::kIntervalRange.Holds(entries.interval);
}

// What the settings dialog saves.
struct Settings {
    UINT daily, perRead, interval;
    int bank; // the bank list's selection: 0 CET4, 1 CET6, -1 none
    bool forced, protect, autoSpeak;
    std::string examDate; // "" for none, else YYYY-MM-DD (see ExamDateEntry)
};

// The exam date as typed, to store: "" for a blank entry, a real date as YYYY-MM-DD
// ("2027-6-1" becomes 2027-06-01); nothing for an entry that is no date.
std::optional<std::string> ExamDateEntry(std::string_view typed);

// Section "system" in its keys' order, then the forced-study switch, interval, batch and
// quota in section "usermessage", which the main window's reminder and autostart read:
// so that saving forced study on turns it on. False when read.ini took no write.
bool SaveSettings(const Settings& settings, const std::string& iniPath);
