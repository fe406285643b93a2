#include "drills/core/study_log_buffer.h"

#include "store/word_schema.h"

#include <algorithm>

extern const char* const kHistoryOff;

void StudyLogBuffer::Prepare(const _ConnectionPtr& connection,
                             const std::function<void(const std::string&)>& report) {
    static bool told = false;
    std::string why;
    m_usable = study_log::Prepare(connection, why);
    const bool connected = connection && connection->GetState() == adStateOpen;
    if (!m_usable && connected && !told) {
        told = true;
        LogFailure("creating table " + std::string(mdb::kStudyLog), why);
        report(kHistoryOff + why);
    }
}

void StudyLogBuffer::Add(StudyEntry entry, std::uint64_t step) {
    if (m_usable)
        m_pending.push_back({std::move(entry), step});
}

std::vector<std::pair<std::uint64_t, std::int64_t>>
StudyLogBuffer::Write(const _ConnectionPtr& connection) {
    for (std::int64_t id : m_toRemove)
        study_log::Remove(connection, id);
    std::vector<std::pair<std::uint64_t, std::int64_t>> written;
    for (const Pending& pending : m_pending)
        written.emplace_back(pending.step, study_log::Append(connection, pending.entry));
    return written;
}

void StudyLogBuffer::Committed() {
    m_pending.clear();
    m_toRemove.clear();
}

void StudyLogBuffer::TakeBack(std::uint64_t step, std::optional<std::int64_t> written) {
    const auto pending = std::find_if(m_pending.begin(), m_pending.end(),
                                      [step](const Pending& p) { return p.step == step; });
    if (pending != m_pending.end())
        m_pending.erase(pending);
    else if (written)
        m_toRemove.push_back(*written);
}
