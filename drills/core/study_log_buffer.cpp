#include "drills/core/study_log_buffer.h"

#include "store/word_schema.h"

#include <algorithm>

extern const char* const kHistoryOff;

namespace {
// Told once for the program's connection, whichever drill finds it first.
std::weak_ptr<sqlite::Database> g_toldFor;

bool AlreadyTold(const _ConnectionPtr& connection) {
    return connection && !g_toldFor.expired() && g_toldFor.lock() == connection->Handle();
}

void Told(const _ConnectionPtr& connection) {
    if (connection)
        g_toldFor = connection->Handle();
}
} // namespace

void StudyLogBuffer::Prepare(const _ConnectionPtr& connection,
                             std::function<void(const std::string&)> report) {
    m_report = std::move(report);
    m_connection = connection;
    std::string why;
    m_usable = study_log::Prepare(connection, why);
    const bool connected = connection && connection->GetState() == adStateOpen;
    if (!m_usable && connected && !AlreadyTold(connection)) {
        Told(connection);
        LogFailure("creating table " + std::string(mdb::kStudyLog), why);
        m_report(kHistoryOff + why);
    }
}

void StudyLogBuffer::Add(StudyEntry entry, std::uint64_t step) {
    if (m_usable)
        m_pending.push_back({std::move(entry), step});
}

// A failure of the file itself fails the whole store, which is tried again later; any
// other failure is the log table's own (a trigger, a constraint) and never costs the
// learner a graded word.
std::vector<std::pair<std::uint64_t, std::int64_t>>
StudyLogBuffer::Write(const _ConnectionPtr& connection) {
    std::vector<std::pair<std::uint64_t, std::int64_t>> written;
    if (!m_usable || !HasWork())
        return written;
    const std::optional<_com_error> refused = WriteWithinSavepoint(connection, "study_log", [&] {
        for (std::int64_t id : m_toRemove)
            study_log::Remove(connection, id);
        for (const Pending& pending : m_pending)
            written.emplace_back(pending.step, study_log::Append(connection, pending.entry));
    });
    if (refused) {
        TurnOff(LearnerText(*refused));
        return {};
    }
    return written;
}

void StudyLogBuffer::TurnOff(const std::string& why) {
    m_usable = false;
    m_pending.clear();
    m_toRemove.clear();
    LogFailure("writing table " + std::string(mdb::kStudyLog), why);
    if (!AlreadyTold(m_connection) && m_report)
        m_report(kHistoryOff + why);
    Told(m_connection);
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
