// The pick: a due review row, else a review-list entry, else a new bank word (in a
// practice: the list's words, then the ones missed in it).
#include "drills/core/drill_core.h"

#include "store/dates.h"

#include <algorithm>

bool DrillCore::PickNextWord() {
    m_due.PassOver();
    const bool taken = Practising()
                           ? TakeReviewEntry() || TakePracticeWord() || TakeMissedPracticeWord()
                           : TakeDueRow() || TakeReviewEntry() || TakeBankWord();
    if (taken && !m_undo.empty())
        m_undo.back().pickedAfter = true;
    if (!taken && m_pick.bankUsedUp)
        m_pick.label = kBankUsedUp; // rather than the last word again, unexplained
    if (!taken && m_pick.graded && m_pick.source == WordSource::Fresh)
        m_pick.source = WordSource::NoWord;
    m_progress.Keep(false);
    return taken;
}

void DrillCore::Show(WordRecord word, WordSource source, std::optional<size_t> entry) {
    m_pick.current = std::move(word);
    m_pick.source = source;
    m_pick.currentEntry = entry;
    m_pick.graded = false;
    m_pick.hinted = false;
}

bool DrillCore::TakeDueRow() {
    if (!ReviewsReady())
        return false;
    try {
        const std::optional<ReviewRow> row =
            m_due.Take(m_reviews.Table(), m_connection, ReviewAge(m_now()).Today());
        if (!row)
            return false;
        Show({row->word.value_or(""), row->translation.value_or(""), 0, 1}, WordSource::Fresh);
        return true;
    } catch (const _com_error& e) {
        m_reviews.MarkUnusable();
        Tell(std::string("reading table ") + m_keys.reviewTable, e);
        return false;
    }
}

bool DrillCore::TakeReviewEntry() {
    std::vector<WordRecord>& list = m_pick.reviewList;
    if (list.empty())
        return false;
    for (WordRecord& entry : list)
        if (entry.score >= 0)
            entry.score += 20;
    std::optional<size_t> chosen;
    if (list.size() == 1) {
        if (list.front().score >= 100)
            chosen = 0;
    } else {
        auto it = std::find_if(list.begin(), list.end(),
                               [](const WordRecord& entry) { return entry.score >= 10; });
        if (it != list.end())
            chosen = static_cast<size_t>(it - list.begin());
    }
    if (!chosen)
        return false;
    Show(list[*chosen], WordSource::FromReviewList, chosen);
    return true;
}

bool DrillCore::TakeBankWord() {
    if (m_bankClosed) {
        // Closed by a close that the learner then cancelled: open it again where it was.
        m_bankClosed = false;
        if (OpenBank())
            GuardBank([this] { m_bank.Skip(m_progress.Position()); });
    }
    bool taken = false;
    GuardBank([this, &taken] {
        m_pick.bankUsedUp = m_bank.AtEnd();
        const std::optional<BankWord> fresh = m_bank.Next();
        if (!fresh)
            return;
        Show({fresh->word, fresh->meaning, 0, 1}, WordSource::Fresh);
        m_progress.TakeWord();
        m_pick.label = m_progress.Label();
        taken = true;
    });
    return taken;
}

// The list's words in order, each once; what is missed comes back from the review list.
bool DrillCore::TakePracticeWord() {
    const std::vector<WordRecord>& words = m_practice->words;
    if (m_pick.practiceNext >= words.size())
        return false;
    Show({words[m_pick.practiceNext].word, words[m_pick.practiceNext].translation, 0, 1},
         WordSource::Fresh);
    ++m_pick.practiceNext;
    m_pick.label =
        m_practice->name + "：还剩 " + std::to_string(words.size() - m_pick.practiceNext) + " 个";
    return true;
}

// Past the list's end the words missed in it come again, in order, until each is right.
bool DrillCore::TakeMissedPracticeWord() {
    const std::vector<WordRecord>& list = m_pick.reviewList;
    const auto missed = std::find_if(list.begin(), list.end(),
                                     [](const WordRecord& entry) { return entry.score >= 0; });
    if (missed == list.end()) {
        m_pick.label = m_practice->name + "：练完了";
        return false;
    }
    Show(*missed, WordSource::FromReviewList, static_cast<size_t>(missed - list.begin()));
    return true;
}
