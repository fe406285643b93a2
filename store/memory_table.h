// Each learned word's memory, one row per word and skill, in a table of our own ("jiyi"):
// how stable the word is, how hard, and the day it was last graded. The drills keep it in
// the transaction that keeps a grading; it can always be made again from the study log.
#pragma once

#include "store/ado.h"

#include <optional>
#include <string>
#include <vector>

struct MemoryRow {
    std::string word;
    std::string skill; // the drill's name in the study log (mdb::kBrowseDrill, kSpellDrill)
    double stability = 0, difficulty = 0;
    long long lastDay = 0; // as ReviewAge counts days
    bool operator==(const MemoryRow&) const = default;
};

namespace memory_table {

// Creates the table where it is missing. False, with the reason in `why`, when it cannot
// be had or a table of that name is not of our shape.
bool Prepare(const _ConnectionPtr& connection, std::string& why);

// Raise _com_error. Writes go inside the caller's transaction.
std::optional<MemoryRow> Read(const _ConnectionPtr& connection, const std::string& word,
                              const std::string& skill);
// By word and skill; in no particular order, which reads several times faster.
std::vector<MemoryRow> ReadAll(const _ConnectionPtr& connection);
std::vector<MemoryRow> ReadAllUnordered(const _ConnectionPtr& connection);
void Write(const _ConnectionPtr& connection, const MemoryRow& row);
void Remove(const _ConnectionPtr& connection, const std::string& word, const std::string& skill);
// Every row replaced by `rows`, in one transaction of its own.
void ReplaceAll(const _ConnectionPtr& connection, const std::vector<MemoryRow>& rows);

} // namespace memory_table
