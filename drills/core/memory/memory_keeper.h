// A drill's part that keeps each graded word's memory (see store/memory_table.h): every
// grading moves its word's state for the drill's skill by the memory model, right as Good
// and wrong as Again, written in the transaction that keeps the grading; a grading taken
// back takes its state back.
#pragma once

#include "drills/core/memory/fsrs.h"
#include "store/memory_table.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A stored row as the model's state, and back.
fsrs::CardMemory MemoryOf(const MemoryRow& row);
MemoryRow RowOf(const std::string& word, const std::string& skill, const fsrs::CardMemory& memory);

class MemoryKeeper {
public:
    // A database that takes no memory table still studies, without it.
    void Prepare(const _ConnectionPtr& connection, std::string skill);

    // Undo step `step` graded `word` on `day`; its state moves with the next write.
    void Add(const std::string& word, bool right, long long day, std::uint64_t step);
    bool HasWork() const { return !m_pending.empty(); }

    // Inside the caller's transaction. A file failure raises; a table that refuses its
    // rows is let go, told once.
    void Write();
    void Committed();
    // Step `step` is taken back: the word's state goes back to what it was.
    void TakeBack(std::uint64_t step);

private:
    // A grading to apply, or (step 0) a state to put back.
    struct Change {
        std::uint64_t step;
        std::string word;
        std::optional<fsrs::Review> review;
        std::optional<fsrs::CardMemory> restore; // without a review: none removes the row
    };
    // A change as written: the word's state before and after it (none: no row).
    struct Kept {
        std::uint64_t step;
        std::string word;
        std::optional<fsrs::CardMemory> before, after;
    };
    void WriteChanges();
    void TurnOff(const std::string& why);

    fsrs::Model m_model;
    _ConnectionPtr m_connection;
    std::string m_skill;
    bool m_usable = false;
    std::vector<Change> m_pending; // to write, oldest first
    std::vector<Kept> m_writing;   // what the transaction under way wrote
    std::vector<Kept> m_written;   // kept, for undo
};
