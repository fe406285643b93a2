// read.ini, typed: one function per key, with the default and range its reader has always
// used. Everything else reads and writes settings through here; only this module and the
// settings dialog's data exchange call the profile functions. Every call reads or writes
// the file at that moment; nothing is cached.
#pragma once

#include "store/settings_schema.h"

#include <optional>
#include <string>

namespace settings {

// Which drill a progress or forced-study count belongs to.
enum class Drill { Browse, Spell };

// --- Section "system": what the settings dialog saves and the program reads ---

// New words a day (40 when unset). Written to both sections that hold it, so that the
// reminder's own copy never disagrees with the drills'.
int DailyQuota(const std::string& ini);
bool SetDailyQuota(const std::string& ini, int quota);
// The bank list's selection (0 CET4, anything else CET6; CET6 when unset) and its table.
int BankChoice(const std::string& ini);
std::string BankName(const std::string& ini);
// The forced-study switch as stored: the drills ask the give-up question when it is not
// 0; the dialog's check box shows it checked only when it is 1.
int ForcedStudySwitch(const std::string& ini);
bool ForcedStudyChosen(const std::string& ini);
int PerRead(const std::string& ini);  // the dialog's own default: 4
int Interval(const std::string& ini); // minutes; the dialog's own default: 30
bool EyeProtection(const std::string& ini);
bool AutoSpeak(const std::string& ini);
// 今日复习's words a day at most, within its range.
int DailyReviewLimit(const std::string& ini);
bool SetDailyReviewLimit(const std::string& ini, int limit);
// The exam date as stored ("YYYY-MM-DD", or "" for none; at most 31 characters of it).
std::string ExamDate(const std::string& ini);

// The very first start: the first start's question never answered, no bank ever chosen
// and no progress in either bank (so, too, when there is no read.ini at all).
bool IsFirstStart(const std::string& ini);
// The first start's answers, in one replacement: the bank list's selection (0 CET4, 1
// CET6) and the exam date ("" keeps it unset); either way the question is not asked again.
bool SaveFirstStart(const std::string& ini, int bank, const std::string& examDate);
// The question put off: every setting stays at its default, the question is not asked again.
bool SetFirstStartAnswered(const std::string& ini);

// What the settings dialog saves.
struct Values {
    UINT daily, perRead, interval;
    int bank; // the bank list's selection: 0 CET4, 1 CET6, -1 none
    bool forced, protect, autoSpeak;
    std::string examDate; // "" for none, else YYYY-MM-DD
    // 今日复习's words a day; none leaves read.ini's as it is.
    std::optional<UINT> reviewLimit = std::nullopt;
};
// Section "system" in its keys' order, then the forced-study switch, interval, batch and
// quota in section "usermessage", which the main window's reminder and autostart read:
// so that saving forced study on turns it on. The review limit at its default adds no key
// where none is stored. False when read.ini took no write.
bool Save(const Values& values, const std::string& ini);

// --- Sections "CET4"/"CET6": each drill's progress in that bank ---

struct Progress {
    std::string day;        // the day key the count belongs to, "" when never written
    long long count = 0;    // new words taken that day
    long long position = 0; // rows of the bank taken so far, never negative
    bool operator==(const Progress&) const = default;
};
Progress ReadProgress(const std::string& ini, const std::string& bank, Drill drill);
// The three keys in one replacement of the file.
bool WriteProgress(const std::string& ini, const std::string& bank, Drill drill,
                   const Progress& progress);
bool WritePosition(const std::string& ini, const std::string& bank, Drill drill,
                   long long position);
// The further of the two drills' positions: how much of the bank the learner has seen.
long long BankTaken(const std::string& ini, const std::string& bank);

// --- Section "usermessage": the main window's forced study ---

bool ForcedModeOn(const std::string& ini);
int ReminderMinutes(const std::string& ini); // 30 when unset, unclamped
int ForcedPerRead(const std::string& ini);   // 0 when unset
// The day's goal and each drill's count, as the reminder compares them (unsigned).
UINT ForcedDaily(const std::string& ini);
UINT ForcedCount(const std::string& ini, Drill drill);
bool SetForcedCount(const std::string& ini, Drill drill, long long count);

} // namespace settings
