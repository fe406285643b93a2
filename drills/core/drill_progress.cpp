#include "drills/core/drill_progress.h"

#include "store/comerror.h"
#include "store/dates.h"
#include "store/profile.h"

extern const char* const kRemainingPrefix;
extern const char* const kTaskDone;
extern const char* const kProgressNotKept;
extern const char* const kProgressLostHint;

namespace {
const char* const kProgressRetryHint = "练习照常继续，背下一个词时会再试。";
} // namespace

DrillProgress::DrillProgress(settings::Drill drill, std::function<void(const std::string&)> report)
    : m_drill(drill), m_report(std::move(report)) {}

void DrillProgress::Load(const std::string& ini, const std::string& bank, long long quota,
                         std::function<std::time_t()> now, bool keep) {
    m_ini = ini;
    m_bank = bank;
    m_quota = quota;
    m_now = std::move(now);
    m_keep = keep;
    const settings::Progress stored = settings::ReadProgress(ini, bank, m_drill);
    m_values.position = stored.position;
    m_values.todayCount = stored.day == DayKey(m_now()) ? stored.count : 0;
}

void DrillProgress::TakeWord() {
    ++m_values.position;
    ++m_values.todayCount;
    m_values.ungraded = true; // one passed over ungraded before stays counted
}

settings::Progress DrillProgress::ToKeep() const {
    const long long unkept = m_values.ungraded ? 1 : 0;
    return {DayKey(m_now()), m_values.todayCount - unkept, m_values.position - unkept};
}

std::string DrillProgress::Label() const {
    const long long remaining = m_quota - m_values.todayCount;
    return remaining < 0 ? std::string(kTaskDone) : kRemainingPrefix + std::to_string(remaining);
}

void DrillProgress::Keep(bool atClose) {
    if (!m_keep)
        return;
    const settings::Progress now = ToKeep();
    if (!atClose && m_written == now)
        return;
    if (settings::WriteProgress(m_ini, m_bank, m_drill, now)) {
        m_written = now;
        m_failing = false;
        return;
    }
    ReportFailure(atClose);
}

void DrillProgress::WritePosition() {
    if (m_keep && !settings::WritePosition(m_ini, m_bank, m_drill, ToKeep().position))
        ReportFailure(true);
}

void DrillProgress::ReportFailure(bool atClose) {
    const std::string reason = LastWriteFailure();
    LogFailure("writing " + m_ini, reason);
    if (!m_failing)
        m_report(kProgressNotKept + reason + "。\n" +
                 (atClose ? kProgressLostHint : kProgressRetryHint));
    m_failing = true;
}
