// The drill's review table kept in step with its review list: each entry of the list owns
// at most one row (a missed word, dated today), and every store brings the table to what
// a close at that moment would leave. A row stored again after an undo keeps its old id,
// so the table's order is as before.
#pragma once

#include "drills/core/due_rows.h"
#include "drills/core/word_record.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ReviewSync {
public:
    using Row = ReviewTable::Row;
    using EntryRows = std::vector<std::optional<Row>>; // one per review-list entry

    // Opens the table; raises _com_error, and the table is then unusable until opened.
    void Open(const _ConnectionPtr& connection, const std::string& table);
    bool Usable() const { return m_usable; }
    // The table read again after a failed store: true when it was, and it can be had.
    bool ReopenIfStale(const _ConnectionPtr& connection, const std::string& table);
    ReviewTable& Table() { return m_table; }

    // Whether missed words are kept as review rows at all (今日复习 keeps none).
    void KeepMissedRows(bool keep) { m_keepRows = keep; }
    // A word joined the review list.
    void AddEntry() { m_rows.emplace_back(); }
    // The table holds every entry's row as `list` wants it on `date`.
    bool Matches(const std::vector<WordRecord>& list, const std::string& date) const;
    // Missed words the table does not hold yet.
    size_t Unkept(const std::vector<WordRecord>& list, const std::string& date) const;
    bool HasWork() const { return !m_toDelete.empty() || m_checkRows; }

    // Inside the caller's transaction, in this order: the rows an undo took back go, then
    // each entry gains or loses its row. Raises _com_error; Failed() then, else Committed().
    void RemoveTakenBack();
    void Write(const std::vector<WordRecord>& list, const std::string& date, DueRows& due);
    void Committed();
    void Failed();
    // A read failed: the table is not used until a store opens it again.
    void MarkUnusable() { m_usable = false; }

    // Undo: the rows as they were for a list of `before`.size() entries.
    const EntryRows& Snapshot() const { return m_rows; }
    void TakeBack(const EntryRows& before);

private:
    std::optional<ReviewRow> Wanted(const WordRecord& entry, const std::string& date) const;

    ReviewTable m_table;
    bool m_usable = false;
    bool m_keepRows = true;
    bool m_stale = false;     // after a failed store, until read again
    bool m_checkRows = false; // after a failed store, until one succeeds
    EntryRows m_rows;
    EntryRows m_written; // what the transaction under way gives the entries
    std::vector<Row> m_toDelete;
    std::map<size_t, std::int64_t> m_idsToReuse; // entry: the id its row had before
};
