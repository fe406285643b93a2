// A drill's progress in read.ini: the day, the new words taken that day and the position
// in the bank. Written in one replacement whenever they change and always at a close; a
// failed write is told once, until a write succeeds again.
#pragma once

#include "store/settings.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>

class DrillProgress {
public:
    DrillProgress(settings::Drill drill, std::function<void(const std::string&)> report);

    // Reads the bank's keys; a count of another day is none. A practice keeps nothing.
    void Load(const std::string& ini, const std::string& bank, long long quota,
              std::function<std::time_t()> now, bool keep);

    // A bank word was taken: counted at once, but kept in read.ini only once graded, so
    // that a drill ended on it (however it ends) starts with it next time.
    void TakeWord();
    void Graded() { m_values.ungraded = false; }
    // "剩下的单词数为N", or "今天任务已完成" once the quota is passed.
    std::string Label() const;
    long long Position() const { return m_values.position; }
    long long TodayCount() const { return m_values.todayCount; }
    long long Quota() const { return m_quota; }

    // What an undo puts back.
    struct Values {
        long long position = 0, todayCount = 0;
        bool ungraded = false; // the last bank word taken is on screen, not graded yet
    };
    Values Snapshot() const { return m_values; }
    void Restore(const Values& values) { m_values = values; }

    void Keep(bool atClose);
    void WritePosition();

private:
    settings::Progress ToKeep() const;
    void ReportFailure(bool atClose);

    settings::Drill m_drill;
    std::function<void(const std::string&)> m_report;
    std::string m_ini, m_bank;
    std::function<std::time_t()> m_now;
    bool m_keep = false;
    long long m_quota = 0;
    Values m_values;
    std::optional<settings::Progress> m_written; // what read.ini was last given
    bool m_failing = false;
};
