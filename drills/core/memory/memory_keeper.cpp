#include "drills/core/memory/memory_keeper.h"

#include "store/comerror.h"

#include <algorithm>

namespace {
constexpr size_t kUndoDepth = 128; // beyond the drill's own undo

} // namespace

fsrs::CardMemory MemoryOf(const MemoryRow& row) {
    return {{row.stability, row.difficulty}, row.lastDay};
}

MemoryRow RowOf(const std::string& word, const std::string& skill, const fsrs::CardMemory& memory) {
    return {word, skill, memory.state.stability, memory.state.difficulty, memory.lastReviewDay};
}

void MemoryKeeper::Prepare(const _ConnectionPtr& connection, std::string skill) {
    m_connection = connection;
    m_skill = std::move(skill);
    std::string why;
    m_usable = memory_table::Prepare(connection, why);
    const bool connected = connection && connection->GetState() == adStateOpen;
    if (!m_usable && connected)
        TurnOff(why);
}

void MemoryKeeper::Add(const std::string& word, bool right, long long day, std::uint64_t step) {
    if (m_usable && !word.empty())
        m_pending.push_back(
            {step, word, fsrs::Review{day, right ? fsrs::Rating::Good : fsrs::Rating::Again}, {}});
}

void MemoryKeeper::Write() {
    m_writing.clear();
    if (!m_usable || m_pending.empty())
        return;
    // A failed transaction leaves m_writing to the next write, which starts it afresh.
    if (const auto refused =
            WriteWithinSavepoint(m_connection, "memory", [this] { WriteChanges(); })) {
        m_writing.clear();
        TurnOff(LearnerText(*refused));
    }
}

// Each state read inside the transaction, so that what is written follows what is kept.
void MemoryKeeper::WriteChanges() {
    for (const Change& change : m_pending) {
        const std::optional<MemoryRow> row = memory_table::Read(m_connection, change.word, m_skill);
        const std::optional<fsrs::CardMemory> before =
            row ? std::optional(MemoryOf(*row)) : std::nullopt;
        const std::optional<fsrs::CardMemory> after =
            change.review ? std::optional(m_model.Apply(before, *change.review)) : change.restore;
        if (after)
            memory_table::Write(m_connection, RowOf(change.word, m_skill, *after));
        else
            memory_table::Remove(m_connection, change.word, m_skill);
        m_writing.push_back({change.step, change.word, before, after});
    }
}

void MemoryKeeper::Committed() {
    for (Kept& kept : m_writing)
        if (kept.step != 0)
            m_written.push_back(std::move(kept));
    m_writing.clear();
    m_pending.clear();
    if (m_written.size() > kUndoDepth)
        m_written.erase(m_written.begin(), m_written.end() - kUndoDepth);
}

void MemoryKeeper::TakeBack(std::uint64_t step) {
    auto is = [step](const Change& change) { return change.step == step; };
    if (const auto pending = std::find_if(m_pending.begin(), m_pending.end(), is);
        pending != m_pending.end()) {
        m_pending.erase(pending);
        return;
    }
    const auto written = std::find_if(m_written.begin(), m_written.end(),
                                      [step](const Kept& kept) { return kept.step == step; });
    if (written == m_written.end())
        return;
    // Stored back as it was before, by the next write; nothing to take back later.
    m_pending.push_back({0, written->word, std::nullopt, written->before});
    m_written.erase(written);
}

// The drill goes on without it; 今日复习 says why when it cannot read the table, and an
// empty table is made again from the study log.
void MemoryKeeper::TurnOff(const std::string& why) {
    m_usable = false;
    m_pending.clear();
    LogFailure("keeping table jiyi", why);
}
