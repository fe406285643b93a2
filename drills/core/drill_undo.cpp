// Taking a grading back: each part's state as it was just before, and danci.mdb and
// read.ini brought to it by the same stores that keep a grading.
#include "drills/core/drill_core.h"

void DrillCore::RememberForUndo() {
    if (!HasWord())
        return; // a grade with nothing on screen changes nothing to take back
    m_undo.push_back({++m_steps, m_pick, m_progress.Snapshot(), m_reviews.Snapshot(),
                      m_due.ForUndo(), std::nullopt, false});
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
    m_log.TakeBack(step.number, step.logRow);
    m_memory.TakeBack(step.number);
    m_reviews.TakeBack(step.rows);
    m_pick = std::move(step.pick);
    m_progress.Restore(step.progress);
    if (step.dueRow)
        m_due.Restore(*step.dueRow);
    KeepReviews(true);
    m_progress.Keep(false);
    return true;
}

// The word taken since the grading goes back: a due row lets go of its hold and is the
// next due row again; a bank word's row is the next bank row again.
void DrillCore::PutBackWordOnScreen() {
    if (m_due.PutBack())
        return;
    if (m_pick.source == WordSource::Fresh && !Practising() && !m_bankClosed)
        GuardBank([this] { m_bank.Back(); });
}
