// Forced study's rules, over read.ini's section "usermessage" only: whether it is on,
// how often it reminds, the reminder turns and whether the day is unfinished. No GUI:
// the main window runs the drills and asks the learner.
#pragma once

#include "store/settings.h"

#include <functional>
#include <string>

class ForcedStudy {
public:
    explicit ForcedStudy(std::string iniPath);

    bool On() const;
    // Minutes between reminders: at least one, and few enough that the period in
    // milliseconds fits 32 bits.
    int ReminderMinutes() const;
    // One turn: while the drill's count is within `quota`, runs the drill. The
    // counts go through the file at each step, so a turn that starts while this drill is
    // open sees what was written here.
    void RunTurn(settings::Drill drill, int quota, const std::function<void()>& runDrill) const;
    // Either drill's count short of the daily goal; compared unsigned, as stored.
    bool DayUnfinished() const;

    static constexpr int kMinMinutes = 1;
    static constexpr int kMaxMinutes = 0x7FFFFFFF / 60000;

private:
    std::string m_iniPath;
};
