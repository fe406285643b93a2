#include "drills/core/due_rows.h"

#include "store/comerror.h"
#include "store/dates.h"

#include <algorithm>

// The table is scanned inside the engine only when it may hold something new: another
// program changed it, a row has fallen due since, or the rows found are used up.
std::optional<ReviewRow> DueRows::Take(ReviewTable& reviews, const _ConnectionPtr& connection,
                                       long long today) {
    for (bool rescanned = false;; rescanned = true) {
        const bool usedUp = std::all_of(m_due.begin(), m_due.end(),
                                        [this](const Row& row) { return IsHeldHere(row.id); });
        if (m_scanNeeded || reviews.ChangedElsewhere() || today >= m_nextDueDay ||
            (usedUp && !m_complete && !rescanned))
            Scan(reviews, today);
        for (auto row = m_due.begin(); row != m_due.end(); ++row) {
            if (IsHeldHere(row->id) ||
                !m_holds.Take(connection, m_table, row->id, row->values.word.value_or("")))
                continue; // here already, or on another drill's screen
            m_onScreen = std::move(*row);
            m_due.erase(row);
            return m_onScreen->values;
        }
        if (rescanned || m_complete)
            return std::nullopt;
    }
}

void DueRows::Scan(ReviewTable& reviews, long long today) {
    ReviewTable::DueRows found = reviews.Due(today, kAtOnce);
    m_due = std::move(found.rows);
    m_complete = found.complete;
    // Past the rows found, a row can fall due only at a midnight.
    m_nextDueDay = found.complete ? found.nextDueDay : today + 1;
    m_scanNeeded = false;
}

bool DueRows::IsHeldHere(std::int64_t id) const {
    auto is = [id](const Row& row) { return row.id == id; };
    return (m_onScreen && is(*m_onScreen)) || std::any_of(m_passed.begin(), m_passed.end(), is) ||
           std::any_of(m_graded.begin(), m_graded.end(), is);
}

void DueRows::PassOver() {
    if (!m_onScreen)
        return;
    m_passed.push_back(std::move(*m_onScreen));
    m_onScreen.reset();
}

void DueRows::Settle() {
    m_toRestore.reset(); // graded again before it was stored again: it stays gone
    if (!m_onScreen)
        return;
    m_graded.push_back(std::move(*m_onScreen));
    m_onScreen.reset();
}

void DueRows::RemoveGraded(ReviewTable& reviews) {
    for (const Row& due : m_graded) {
        reviews.Delete(due);
        m_holds.Release(m_table, due.id);
    }
}

void DueRows::StoreRestored(ReviewTable& reviews) {
    m_restored.reset();
    if (m_toRestore)
        m_restored = Row{reviews.Insert(m_toRestore->values, m_toRestore->id), m_toRestore->values};
}

void DueRows::Committed(const _ConnectionPtr& connection) {
    // A row found by a scan before its removal was stored must not come up again.
    for (const Row& gone : m_graded)
        std::erase_if(m_due, [&gone](const Row& row) { return row.id == gone.id; });
    m_graded.clear();
    if (!m_restored)
        return;
    m_toRestore.reset();
    // A due row stored again is held like any due row on screen.
    try {
        m_holds.Take(connection, m_table, m_restored->id, m_restored->values.word.value_or(""));
    } catch (const _com_error& e) {
        LogFailure("holding a due row taken back", e); // still due: at worst shown twice
    }
    m_onScreen = std::move(m_restored);
    m_restored.reset();
}

void DueRows::Stored(const ReviewRow& row) {
    // Not due within this drill, unless it runs past the third midnight.
    if (const auto day = ReviewAge::DayNumber(row.date.value_or("").c_str()))
        m_nextDueDay = std::min(m_nextDueDay, *day + kReviewDelayDays);
}

bool DueRows::PutBack() {
    if (!m_onScreen)
        return false;
    try {
        m_holds.Release(m_table, m_onScreen->id);
    } catch (const _com_error& e) {
        LogFailure("letting go of a due row", e); // it lapses with this drill
    }
    m_due.insert(m_due.begin(), std::move(*m_onScreen));
    m_onScreen.reset();
    return true;
}

void DueRows::Restore(const Row& row) {
    const auto waiting = std::find_if(m_graded.begin(), m_graded.end(),
                                      [&row](const Row& kept) { return kept.id == row.id; });
    if (waiting != m_graded.end()) {
        m_onScreen = std::move(*waiting);
        m_graded.erase(waiting);
        return;
    }
    m_toRestore = row;
}
