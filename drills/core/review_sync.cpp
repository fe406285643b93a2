#include "drills/core/review_sync.h"

void ReviewSync::Open(const _ConnectionPtr& connection, const std::string& table) {
    m_usable = false;
    m_stale = false;
    m_table.Open(connection, table);
    m_usable = true;
}

bool ReviewSync::ReopenIfStale(const _ConnectionPtr& connection, const std::string& table) {
    if (!m_stale)
        return false;
    try {
        Open(connection, table);
    } catch (const _com_error&) {
        // Reported by the store that failed; the next store tries again.
    }
    return m_usable;
}

// The row a close would store for an entry: one of score 0 or more, dated `date`.
std::optional<ReviewRow> ReviewSync::Wanted(const WordRecord& entry,
                                            const std::string& date) const {
    if (!m_keepRows || entry.score < 0 || entry.word.empty())
        return std::nullopt;
    return ReviewRow{entry.word, entry.translation, date};
}

bool ReviewSync::Matches(const std::vector<WordRecord>& list, const std::string& date) const {
    if (m_checkRows)
        return false;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::optional<ReviewRow> wanted = Wanted(list[i], date);
        const std::optional<Row>& kept = m_rows[i];
        if (wanted ? !kept || kept->values != *wanted : kept.has_value())
            return false;
    }
    return true;
}

size_t ReviewSync::Unkept(const std::vector<WordRecord>& list, const std::string& date) const {
    size_t unkept = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::optional<ReviewRow> wanted = Wanted(list[i], date);
        if (wanted && (!m_rows[i] || m_rows[i]->values != *wanted))
            ++unkept;
    }
    return unkept;
}

void ReviewSync::RemoveTakenBack() {
    m_written = m_rows;
    // After a failure the table may have changed under the rows kept before.
    if (m_checkRows)
        for (std::optional<Row>& row : m_written)
            if (row && !m_table.Holds(*row))
                row.reset();
    for (const Row& row : m_toDelete)
        m_table.Delete(row);
}

void ReviewSync::Write(const std::vector<WordRecord>& list, const std::string& date, DueRows& due) {
    for (size_t i = 0; i < m_written.size(); ++i) {
        const std::optional<ReviewRow> wanted = Wanted(list[i], date);
        std::optional<Row>& row = m_written[i];
        if (row && (!wanted || row->values != *wanted)) {
            m_table.Delete(*row);
            row.reset();
        }
        if (wanted && !row) {
            const auto reuse = m_idsToReuse.find(i);
            row = Row{m_table.Insert(*wanted, reuse == m_idsToReuse.end() ? 0 : reuse->second),
                      *wanted};
            due.Stored(*wanted);
        }
    }
}

void ReviewSync::Committed() {
    m_rows = std::move(m_written);
    m_written.clear();
    m_toDelete.clear();
    m_idsToReuse.clear();
    m_checkRows = false;
}

// Its copy of the table no longer matches the file: read it again when next needed.
void ReviewSync::Failed() {
    m_written.clear();
    m_usable = false;
    m_stale = true;
    m_checkRows = true;
}

// Entries the grading added lose their rows; the others get back what they had, a row
// stored again in its old place in the table.
void ReviewSync::TakeBack(const EntryRows& before) {
    for (size_t i = before.size(); i < m_rows.size(); ++i)
        if (m_rows[i])
            m_toDelete.push_back(*m_rows[i]);
    m_rows.resize(before.size());
    m_idsToReuse.erase(m_idsToReuse.lower_bound(m_rows.size()), m_idsToReuse.end());
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (before[i] && (!m_rows[i] || m_rows[i]->id != before[i]->id))
            m_idsToReuse[i] = before[i]->id;
}
