// A drill's due review rows: found a few at a time by a scan inside the engine, held in
// table "zhanyong" while on screen so that no other drill takes them, and removed from
// their table only in the transaction that keeps their grading. A row stays in its table
// until then, so nothing is lost if the program dies.
#pragma once

#include "store/review_holds.h"
#include "store/review_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DueRows {
public:
    using Row = ReviewTable::Row;

    explicit DueRows(std::string table) : m_table(std::move(table)) {}

    // The table was read again: scan it before the next pick.
    void Rescan() { m_scanNeeded = true; }
    // The first due row no drill holds, now on screen and held; none when there is none.
    // Raises _com_error.
    std::optional<ReviewRow> Take(ReviewTable& reviews, const _ConnectionPtr& connection,
                                  long long today);
    // The word on screen was passed over ungraded: it stays due, and held.
    void PassOver();
    // The word on screen has its grade: its row goes with the next store.
    void Settle();

    // The word on screen is a due row (or one taken back, waiting to be stored again).
    bool OnScreen() const { return m_onScreen || m_toRestore; }
    // What an undo of a grading now would need to put back.
    std::optional<Row> ForUndo() const { return m_onScreen ? m_onScreen : m_toRestore; }
    bool HasWork() const { return !m_graded.empty() || m_toRestore; }

    // Inside the caller's transaction: graded rows go and lose their holds; then a row
    // taken back is stored again in its old place. Raises _com_error.
    void RemoveGraded(ReviewTable& reviews);
    void StoreRestored(ReviewTable& reviews);
    void Committed(const _ConnectionPtr& connection);
    // A row was stored that falls due `day` days from its date.
    void Stored(const ReviewRow& row);

    // Undo: the word taken since a grading goes back (true when it was a due row), and a
    // graded due row is due again.
    bool PutBack();
    void Restore(const Row& row);

private:
    bool IsHeldHere(std::int64_t id) const;
    void Scan(ReviewTable& reviews, long long today);

    static constexpr size_t kAtOnce = 64; // found by one scan
    std::string m_table;
    ReviewHolds m_holds;
    // Rows the last scan found and this drill has not taken, in table order.
    std::vector<Row> m_due;
    bool m_complete = false;    // that scan saw every row
    long long m_nextDueDay = 0; // when a row not due then falls due
    bool m_scanNeeded = true;
    std::optional<Row> m_onScreen;  // shown and not graded: kept, held
    std::vector<Row> m_passed;      // shown, never graded, passed over: kept, held
    std::vector<Row> m_graded;      // graded; their removal not stored yet
    std::optional<Row> m_toRestore; // taken back, to be stored again
    std::optional<Row> m_restored;  // stored again in the transaction, not yet held
};
