// A drill's gradings on their way to the study log: each row waits here for the
// transaction that keeps its grading, and a grading taken back takes its row along,
// written or not.
#pragma once

#include "store/study_log.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class StudyLogBuffer {
public:
    // A database that takes no new table still studies; that is told once a run.
    void Prepare(const _ConnectionPtr& connection, std::function<void(const std::string&)> report);
    bool Usable() const { return m_usable; }

    // The row of undo step `step`'s grading.
    void Add(StudyEntry entry, std::uint64_t step);
    // Rows to write or to take back.
    bool HasWork() const { return !m_pending.empty() || !m_toRemove.empty(); }

    // Inside the caller's transaction: the rows taken back go, the pending ones are
    // written. Returns each written row's step and id. Raises _com_error when the file
    // fails; a log table that refuses its rows is let go for this drill, told once.
    std::vector<std::pair<std::uint64_t, std::int64_t>> Write(const _ConnectionPtr& connection);
    void Committed();

    // Step `step` is taken back: its row is dropped if still waiting, else row `written`
    // goes with the next write.
    void TakeBack(std::uint64_t step, std::optional<std::int64_t> written);

private:
    struct Pending {
        StudyEntry entry;
        std::uint64_t step;
    };
    void TurnOff(const std::string& why);

    _ConnectionPtr m_connection;
    std::function<void(const std::string&)> m_report;
    bool m_usable = false;
    std::vector<Pending> m_pending;
    std::vector<std::int64_t> m_toRemove;
};
