// Taking a grading back: the drill's state as it was just before, and danci.mdb and
// read.ini brought to it by the same stores that keep a grading.
#include "drills/core/drill_core.h"

#include <algorithm>

void DrillCore::RememberForUndo() {
    if (!HasWord())
        return; // a grade with nothing on screen changes nothing to take back
    m_undo.push_back({++m_steps, m_current, m_source, m_currentEntry, m_reviewList, m_position,
                      m_todayCount, m_label, m_bankUsedUp, m_practiceNext, m_entryRows,
                      m_dueOnScreen ? m_dueOnScreen : m_dueToRestore, std::nullopt, false});
    if (m_undo.size() > kUndoSteps)
        m_undo.erase(m_undo.begin());
}

bool DrillCore::UndoLastGrading() {
    if (m_undo.empty())
        return false;
    UndoStep step = std::move(m_undo.back());
    m_undo.pop_back();
    if (step.pickedAfter)
        PutBackWordOnScreen();

    const auto pending =
        std::find_if(m_unlogged.begin(), m_unlogged.end(),
                     [&step](const PendingLog& p) { return p.step == step.number; });
    if (pending != m_unlogged.end())
        m_unlogged.erase(pending);
    else if (step.logRow)
        m_logRowsToRemove.push_back(*step.logRow);

    // Entries the grading added lose their rows; the others get back what they had, a row
    // stored again in its old place in the table.
    for (size_t i = step.reviewList.size(); i < m_entryRows.size(); ++i)
        if (m_entryRows[i])
            m_rowsToDelete.push_back(*m_entryRows[i]);
    m_entryRows.resize(step.reviewList.size());
    m_rowIdsToReuse.erase(m_rowIdsToReuse.lower_bound(m_entryRows.size()), m_rowIdsToReuse.end());
    for (size_t i = 0; i < m_entryRows.size() && i < step.entryRows.size(); ++i)
        if (step.entryRows[i] && (!m_entryRows[i] || m_entryRows[i]->id != step.entryRows[i]->id))
            m_rowIdsToReuse[i] = step.entryRows[i]->id;
    m_reviewList = std::move(step.reviewList);
    m_current = std::move(step.current);
    m_source = step.source;
    m_currentEntry = step.currentEntry;
    m_position = step.position;
    m_todayCount = step.todayCount;
    m_label = std::move(step.label);
    m_bankUsedUp = step.bankUsedUp;
    m_practiceNext = step.practiceNext;
    if (step.dueRow)
        RestoreDueWord(*step.dueRow);

    KeepReviews(true);
    KeepProgress(false);
    return true;
}

// The word taken since the grading goes back: a due row lets go of its hold and is the
// next due row again; a bank word's row is the next bank row again.
void DrillCore::PutBackWordOnScreen() {
    if (m_dueOnScreen) {
        try {
            m_holds.Release(m_keys.reviewTable, m_dueOnScreen->id);
        } catch (const _com_error& e) {
            LogFailure("letting go of a due row", e); // it lapses with this drill
        }
        m_due.insert(m_due.begin(), std::move(*m_dueOnScreen));
        m_dueOnScreen.reset();
    } else if (m_source == WordSource::Fresh && !Practising() && !m_bankClosed) {
        Guard(m_bankCursor, [this] { m_bankCursor.rs->Move(-1); });
    }
}

// A due word taken back is due again: its row is still in the table while its removal
// waits for a store, else it is stored again with the next one.
void DrillCore::RestoreDueWord(const KeptRow& row) {
    const auto waiting = std::find_if(m_gradedDueRows.begin(), m_gradedDueRows.end(),
                                      [&row](const KeptRow& kept) { return kept.id == row.id; });
    if (waiting != m_gradedDueRows.end()) {
        m_dueOnScreen = std::move(*waiting);
        m_gradedDueRows.erase(waiting);
        return;
    }
    m_dueToRestore = row;
}

// A due row stored again is held like any due row on screen.
void DrillCore::HoldRestoredDueRow() {
    if (!m_restoredDueRow)
        return;
    try {
        m_holds.Take(m_connection, m_keys.reviewTable, m_restoredDueRow->id,
                     m_restoredDueRow->values.word.value_or(""));
    } catch (const _com_error& e) {
        LogFailure("holding a due row taken back", e); // still due: at worst shown twice
    }
    m_dueOnScreen = std::move(m_restoredDueRow);
    m_restoredDueRow.reset();
}
