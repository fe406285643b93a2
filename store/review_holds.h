// Due review rows held by running drills. A due row stays in its table while the learner
// has it on screen, so that nothing is lost if the program dies; the hold keeps every
// other drill, of this program or of another running copy, from taking the same row
// meanwhile. Holds live in a table of our own, "zhanyong"; a hold whose drill has ended,
// however it ended, holds nothing.
#pragma once

#include "store/ado.h"

#include <cstdint>
#include <string>

class ReviewHolds {
public:
    ReviewHolds();
    ~ReviewHolds(); // the drill is gone: its holds lapse and are cleared where possible
    ReviewHolds(const ReviewHolds&) = delete;
    ReviewHolds& operator=(const ReviewHolds&) = delete;

    // Holds row `row` of `table`, which holds `word`, unless another live drill does or
    // the row no longer holds that word. Raises _com_error.
    bool Take(const _ConnectionPtr& connection, const std::string& table, std::int64_t row,
              const std::string& word);
    // Lets go of one hold; inside the caller's transaction, when there is one.
    void Release(const std::string& table, std::int64_t row);

private:
    bool TakeHeld(sqlite::Database& db, const std::string& table, std::int64_t row,
                  const std::string& word);
    void TurnOff(const std::string& why);
    void ReleaseAll() noexcept;

    std::string m_holder; // this drill: its process and a number within it
    _ConnectionPtr m_connection;
    bool m_off = false; // the database takes no hold: rows are shown without one
};
