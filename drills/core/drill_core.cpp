#include "drills/core/drill_core.h"

#include "drills/core/spelling_answer.h"
#include "drills/core/word_lookup.h"
#include "store/dates.h"
#include "store/profile.h"

#include <algorithm>

const char* const kRemainingPrefix = "剩下的单词数为";
const char* const kTaskDone = "今天任务已完成";
const char* const kBankUsedUp = "本词库已学完";
const char* const kGradingNotKept =
    "评分没能存进数据库。错词都还留在这次练习里，下次评分或关闭时会再试。\n";
const char* const kProgressNotKept = "今天的进度没能写进 read.ini：";
const char* const kProgressLostHint = "下次打开会从上次存下的进度开始。";
const char* const kHistoryOff = "学习记录没法写进 danci.mdb，这次练习照常进行，但不记入学习统计：";

namespace {
const char* const kProgressRetryHint = "练习照常继续，背下一个词时会再试。";
const char* const kAnswersNotKept = "答对的复习词没能从数据库里去掉，下次还会再出现。\n";
} // namespace

DrillCore::DrillCore(const DrillKeys& keys, std::function<void(const std::string&)> report)
    : m_keys(keys), m_report(std::move(report)) {}

void DrillCore::SetUp(const DrillContext& context) {
    m_connection = context.connection;
    m_quota = context.dailyQuota;
    m_iniPath = context.iniPath;
    m_now = context.now;
    m_practice = context.practice;
    m_practiceNext = 0;

    const int bank = static_cast<int>(
        GetPrivateProfileIntA(ini::kSystem, ini::kBank, ini::kBankDefault, m_iniPath));
    m_bank = mdb::BankOfSetting(bank);
    if (!Practising())
        OpenCursor(m_bankCursor, m_bank);

    char day[9];
    GetPrivateProfileStringA(m_bank.c_str(), m_keys.day, "", day, sizeof day, m_iniPath);
    m_source = WordSource::NoWord;
    m_reviewList.clear();
    m_position = static_cast<int>(
        GetPrivateProfileIntA(m_bank.c_str(), m_keys.position, ini::kFlagOff, m_iniPath));
    m_todayCount = day == DayKey(m_now())
                       ? static_cast<int>(GetPrivateProfileIntA(m_bank.c_str(), m_keys.count,
                                                                ini::kFlagOff, m_iniPath))
                       : 0;
    // A hand-edited negative position starts from the first row.
    m_position = std::max(m_position, 0LL);
    if (!Practising())
        PositionBank();
    try {
        OpenReviews();
    } catch (const _com_error& e) {
        Tell(std::string("opening table ") + m_keys.reviewTable, e);
    }
    PrepareStudyLog();
}

// A database that takes no new table still studies; that is told once a run.
void DrillCore::PrepareStudyLog() {
    static bool told = false;
    std::string why;
    m_logUsable = study_log::Prepare(m_connection, why);
    const bool connected = m_connection && m_connection->GetState() == adStateOpen;
    if (!m_logUsable && connected && !told) {
        told = true;
        LogFailure("creating table " + std::string(mdb::kStudyLog), why);
        m_report(kHistoryOff + why);
    }
}

void DrillCore::OpenReviews() {
    m_reviewsUsable = false;
    m_reviewsStale = false;
    m_scanNeeded = true;
    m_reviews.Open(m_connection, m_keys.reviewTable);
    m_reviewsUsable = true;
}

// The review table, read again after a failed store; false when it cannot be had.
bool DrillCore::ReviewsReady() {
    if (m_reviewsStale) {
        try {
            OpenReviews();
        } catch (const _com_error&) {
            // Reported by the store that failed; the next store tries again.
        }
    }
    return m_reviewsUsable;
}

// A position past the end leaves the cursor at its end: no new words, no error.
void DrillCore::PositionBank() {
    Guard(m_bankCursor, [this] {
        if (m_position > 0 && !m_bankCursor.rs->adoEOF())
            m_bankCursor.rs->Move(static_cast<long>(std::min<long long>(m_position, 0x7FFFFFFF)));
    });
}

// A fresh record set on `table`; a failure is raised to the caller.
void DrillCore::OpenTable(Cursor& cursor, const std::string& table) {
    cursor.usable = false;
    cursor.rs.CreateInstance();
    cursor.rs->Open("SELECT * FROM " + table, m_connection, adOpenDynamic, adLockOptimistic,
                    adCmdText);
    cursor.usable = true;
}

// As OpenTable, with a failure reported; the drill goes on without that table.
bool DrillCore::OpenCursor(Cursor& cursor, const std::string& table) {
    try {
        OpenTable(cursor, table);
    } catch (const _com_error& e) {
        Tell("opening table " + table, e);
    }
    return cursor.usable;
}

// Runs a cursor operation; the first failure is reported and the drill goes on as if
// that table had no more rows.
bool DrillCore::Guard(Cursor& cursor, const std::function<void()>& action) {
    if (!cursor.usable)
        return false;
    try {
        action();
        return true;
    } catch (const _com_error& e) {
        cursor.usable = false;
        Tell("reading table " + (&cursor == &m_bankCursor ? m_bank : m_keys.reviewTable), e);
        return false;
    }
}

void DrillCore::Tell(const std::string& what, const _com_error& error) {
    LogFailure(what, error);
    m_report(LearnerText(error));
}

std::string DrillCore::FieldText(Cursor& cursor, const char* column) {
    return cursor.rs->GetCollect(column).value_or(std::string());
}

bool DrillCore::PickNextWord() {
    if (m_dueOnScreen) { // passed over without a grade: it stays due, and held
        m_passedDueRows.push_back(std::move(*m_dueOnScreen));
        m_dueOnScreen.reset();
    }
    const bool taken = Practising()
                           ? TakeReviewEntry() || TakePracticeWord() || TakeMissedPracticeWord()
                           : TakeDueRow() || TakeReviewEntry() || TakeBankWord();
    if (taken && !m_undo.empty())
        m_undo.back().pickedAfter = true;
    if (!taken && m_bankUsedUp)
        m_label = kBankUsedUp; // rather than the last word again, unexplained
    KeepProgress(false);
    return taken;
}

// The first due row that no drill holds. It stays in the table, held, until graded. The
// table is scanned inside the engine only when it may hold something new: another program
// changed it, a row has fallen due since, or the rows found are used up.
bool DrillCore::TakeDueRow() {
    if (!ReviewsReady())
        return false;
    try {
        const long long today = ReviewAge(m_now()).Today();
        for (bool rescanned = false;; rescanned = true) {
            const bool usedUp = std::all_of(m_due.begin(), m_due.end(), [this](const KeptRow& row) {
                return IsHeldHere(row.id);
            });
            if (m_scanNeeded || m_reviews.ChangedElsewhere() || today >= m_nextDueDay ||
                (usedUp && !m_dueComplete && !rescanned)) {
                ReviewTable::DueRows found = m_reviews.Due(today, kDueRowsAtOnce);
                m_due = std::move(found.rows);
                m_dueComplete = found.complete;
                // Past the rows found, a row can fall due only at a midnight.
                m_nextDueDay = found.complete ? found.nextDueDay : today + 1;
                m_scanNeeded = false;
            }
            for (auto row = m_due.begin(); row != m_due.end(); ++row) {
                if (IsHeldHere(row->id) || !m_holds.Take(m_connection, m_keys.reviewTable, row->id,
                                                         row->values.word.value_or("")))
                    continue; // here already, or on another drill's screen
                m_current = {row->values.word.value_or(""), row->values.translation.value_or(""), 0,
                             1};
                m_source = WordSource::Fresh;
                m_currentEntry.reset();
                m_dueOnScreen = std::move(*row);
                m_due.erase(row);
                return true;
            }
            if (rescanned || m_dueComplete)
                return false;
        }
    } catch (const _com_error& e) {
        m_reviewsUsable = false;
        Tell(std::string("reading table ") + m_keys.reviewTable, e);
        return false;
    }
}

bool DrillCore::IsHeldHere(std::int64_t id) const {
    auto is = [id](const KeptRow& row) { return row.id == id; };
    return (m_dueOnScreen && is(*m_dueOnScreen)) ||
           std::any_of(m_passedDueRows.begin(), m_passedDueRows.end(), is) ||
           std::any_of(m_gradedDueRows.begin(), m_gradedDueRows.end(), is);
}

bool DrillCore::TakeReviewEntry() {
    if (m_reviewList.empty())
        return false;
    for (WordRecord& entry : m_reviewList)
        if (entry.score >= 0)
            entry.score += 20;
    std::optional<size_t> chosen;
    if (m_reviewList.size() == 1) {
        if (m_reviewList.front().score >= 100)
            chosen = 0;
    } else {
        auto it = std::find_if(m_reviewList.begin(), m_reviewList.end(),
                               [](const WordRecord& entry) { return entry.score >= 10; });
        if (it != m_reviewList.end())
            chosen = static_cast<size_t>(it - m_reviewList.begin());
    }
    if (!chosen)
        return false;
    m_current = m_reviewList[*chosen];
    m_source = WordSource::FromReviewList;
    m_currentEntry = chosen;
    return true;
}

bool DrillCore::TakeBankWord() {
    if (m_bankClosed) {
        // Closed by a close that the learner then cancelled: open it again where it was.
        m_bankClosed = false;
        if (OpenCursor(m_bankCursor, m_bank))
            PositionBank();
    }
    bool taken = false;
    Guard(m_bankCursor, [this, &taken] {
        m_bankUsedUp = m_bankCursor.rs->adoEOF();
        if (m_bankUsedUp)
            return;
        WordRecord fresh{FieldText(m_bankCursor, mdb::kWord),
                         FieldText(m_bankCursor, mdb::kMeaning), 0, 1};
        m_bankCursor.rs->MoveNext();
        m_current = std::move(fresh);
        m_source = WordSource::Fresh;
        m_currentEntry.reset();
        ++m_position;
        ++m_todayCount;
        UpdateLabel();
        taken = true;
    });
    return taken;
}

// The list's words in order, each once; what is missed comes back from the review list.
bool DrillCore::TakePracticeWord() {
    if (m_practiceNext >= m_practice->words.size())
        return false;
    m_current = m_practice->words[m_practiceNext++];
    m_current.score = 0;
    m_current.step = 1;
    m_source = WordSource::Fresh;
    m_currentEntry.reset();
    m_label = m_practice->name + "：还剩 " +
              std::to_string(m_practice->words.size() - m_practiceNext) + " 个";
    return true;
}

// Past the list's end the words missed in it come again, in order, until each is right.
bool DrillCore::TakeMissedPracticeWord() {
    const auto missed = std::find_if(m_reviewList.begin(), m_reviewList.end(),
                                     [](const WordRecord& entry) { return entry.score >= 0; });
    if (missed == m_reviewList.end()) {
        m_label = m_practice->name + "：练完了";
        return false;
    }
    m_currentEntry = static_cast<size_t>(missed - m_reviewList.begin());
    m_current = *missed;
    m_source = WordSource::FromReviewList;
    return true;
}

void DrillCore::UpdateLabel() {
    const long long remaining = m_quota - m_todayCount;
    m_label = remaining < 0 ? std::string(kTaskDone) : kRemainingPrefix + std::to_string(remaining);
}

StudySource DrillCore::CurrentSource() const {
    if (m_dueOnScreen || m_dueToRestore)
        return StudySource::DueRow;
    if (m_source == WordSource::FromReviewList)
        return StudySource::ReviewList;
    return Practising() ? StudySource::Practice : StudySource::NewWord;
}

void DrillCore::LogGrading(bool right) {
    if (m_logUsable && HasWord())
        m_unlogged.push_back(
            {{LocalMoment(m_now()), m_keys.drill, m_bank, m_current.word, CurrentSource(), right},
             m_undo.empty() ? 0 : m_undo.back().number});
}

void DrillCore::GradeRight() {
    RememberForUndo();
    LogGrading(true);
    if (m_source == WordSource::FromReviewList && m_currentEntry) {
        WordRecord& entry = m_reviewList[*m_currentEntry];
        entry.score -= 50 + 20 * entry.step;
        entry.step += 1;
    }
    SettleDueWord();
    KeepReviews(true);
    KeepProgress(false);
}

void DrillCore::GradeWrong(bool stepUp) {
    RememberForUndo();
    LogGrading(false);
    if (m_source == WordSource::FromReviewList && m_currentEntry) {
        WordRecord& entry = m_reviewList[*m_currentEntry];
        entry.score += 30 * entry.step;
        if (stepUp)
            entry.step += 1;
    } else if (m_source == WordSource::Fresh) {
        m_reviewList.push_back(m_current);
        m_entryRows.emplace_back();
    }
    SettleDueWord();
    KeepReviews(true);
    KeepProgress(false);
}

// The due word on screen has its grade: its row goes (or is replaced by its review-list
// entry) with the next store.
void DrillCore::SettleDueWord() {
    m_dueToRestore.reset(); // graded again before it was stored again: it stays gone
    if (m_dueOnScreen) {
        m_gradedDueRows.push_back(std::move(*m_dueOnScreen));
        m_dueOnScreen.reset();
    }
}

void DrillCore::SaveProgress() {
    KeepProgress(true);
    const bool told = m_storeFailing;
    // Missed words not stored are the caller's to put to the learner; right answers that
    // could not be taken off the table only come again.
    if (KeepReviews(false) || UnkeptWords() > 0 || told)
        return;
    m_report(kAnswersNotKept + m_storeError);
}

// The row a close would store for a review-list entry: one of 0 or more, dated `date`.
std::optional<DrillCore::RowValues> DrillCore::WantedRow(size_t entry,
                                                         const std::string& date) const {
    const WordRecord& record = m_reviewList[entry];
    if (record.score < 0 || record.word.empty())
        return std::nullopt;
    return RowValues{record.word, record.translation, date};
}

bool DrillCore::ReviewsMatchTheList(const std::string& date) const {
    if (!m_gradedDueRows.empty() || m_checkKeptRows)
        return false;
    for (size_t i = 0; i < m_reviewList.size(); ++i) {
        const std::optional<RowValues> wanted = WantedRow(i, date);
        const std::optional<KeptRow>& kept = m_entryRows[i];
        if (wanted ? !kept || kept->values != *wanted : kept.has_value())
            return false;
    }
    return true;
}

size_t DrillCore::UnkeptWords() const {
    const std::string date = ReviewDate(m_now());
    size_t unkept = 0;
    for (size_t i = 0; i < m_reviewList.size(); ++i) {
        const std::optional<RowValues> wanted = WantedRow(i, date);
        if (wanted && (!m_entryRows[i] || m_entryRows[i]->values != *wanted))
            ++unkept;
    }
    return unkept;
}

// Brings the review table to what a close now would leave. A failure is told once until
// a store succeeds again; the list stays, and the next grading or close tries again.
bool DrillCore::KeepReviews(bool reportFailure) {
    const std::string date = ReviewDate(m_now());
    if (m_unlogged.empty() && m_rowsToDelete.empty() && m_logRowsToRemove.empty() &&
        !m_dueToRestore && ReviewsMatchTheList(date))
        return true;
    try {
        WriteReviews(date);
    } catch (const _com_error& e) {
        m_storeError = LearnerText(e);
        LogFailure(std::string("storing the review list in ") + m_keys.reviewTable, e);
        if (reportFailure && !m_storeFailing)
            m_report(kGradingNotKept + m_storeError);
        m_storeFailing = true;
        return false;
    }
    m_storeFailing = false;
    return true;
}

// One transaction: graded due rows go, each entry gains or loses its row.
void DrillCore::WriteReviews(const std::string& date) {
    if (!m_reviewsUsable)
        OpenReviews();
    std::vector<std::optional<KeptRow>> rows = m_entryRows;
    try {
        m_connection->BeginTrans();
        // After a failure the table may have changed under the rows kept before.
        if (m_checkKeptRows)
            for (std::optional<KeptRow>& row : rows)
                if (row && !HoldsAsKept(*row))
                    row.reset();
        for (const KeptRow& due : m_gradedDueRows) {
            DeleteKeptRow(due);
            m_holds.Release(m_keys.reviewTable, due.id);
        }
        for (const KeptRow& row : m_rowsToDelete)
            DeleteKeptRow(row);
        for (std::int64_t id : m_logRowsToRemove)
            study_log::Remove(m_connection, id);
        std::optional<KeptRow> restored;
        if (m_dueToRestore)
            restored = KeptRow{m_reviews.Insert(m_dueToRestore->values, m_dueToRestore->id),
                               m_dueToRestore->values};
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::optional<RowValues> wanted = WantedRow(i, date);
            if (rows[i] && (!wanted || rows[i]->values != *wanted)) {
                DeleteKeptRow(*rows[i]);
                rows[i].reset();
            }
            if (wanted && !rows[i]) {
                const auto reuse = m_rowIdsToReuse.find(i);
                rows[i] = KeptRow{
                    StoreRow(*wanted, reuse == m_rowIdsToReuse.end() ? 0 : reuse->second), *wanted};
            }
        }
        std::vector<std::pair<std::uint64_t, std::int64_t>> logged;
        for (const PendingLog& pending : m_unlogged)
            logged.emplace_back(pending.step, study_log::Append(m_connection, pending.entry));
        m_connection->CommitTrans();
        for (const auto& [step, row] : logged)
            for (UndoStep& undo : m_undo)
                if (undo.number == step)
                    undo.logRow = row;
        m_rowsToDelete.clear();
        m_logRowsToRemove.clear();
        m_rowIdsToReuse.clear();
        if (restored) {
            m_dueToRestore.reset();
            m_restoredDueRow = std::move(restored);
        }
    } catch (const _com_error&) {
        RollBackQuietly();
        // Its copy of the table no longer matches the file: read it again when next needed.
        m_reviewsUsable = false;
        m_reviewsStale = true;
        m_checkKeptRows = true;
        throw;
    }
    m_entryRows = std::move(rows);
    m_gradedDueRows.clear();
    m_unlogged.clear();
    m_checkKeptRows = false;
    HoldRestoredDueRow();
}

void DrillCore::RollBackQuietly() {
    try {
        m_connection->RollbackTrans();
    } catch (const _com_error&) {
        // The engine rolled it back itself (a full disk, for one).
    }
}

DrillCore::Progress DrillCore::CurrentProgress() const {
    return {DayKey(m_now()), m_todayCount, m_position};
}

// read.ini gets the day, the count and the position in one write whenever they change,
// and always at a close. A failed write is told once, until a write succeeds again.
void DrillCore::KeepProgress(bool atClose) {
    if (Practising())
        return; // a practice takes nothing from the bank
    const Progress now = CurrentProgress();
    if (!atClose && m_written == now)
        return;
    if (WriteProfileKeys(m_bank,
                         {{m_keys.day, now.day},
                          {m_keys.count, std::to_string(now.count)},
                          {m_keys.position, std::to_string(now.position)}},
                         m_iniPath)) {
        m_written = now;
        m_progressFailing = false;
        return;
    }
    ReportProgressFailure(atClose);
}

void DrillCore::ReportProgressFailure(bool atClose) {
    const std::string reason = LastWriteFailure();
    LogFailure("writing " + m_iniPath, reason);
    if (!m_progressFailing)
        m_report(kProgressNotKept + reason + "。\n" +
                 (atClose ? kProgressLostHint : kProgressRetryHint));
    m_progressFailing = true;
}

void DrillCore::WritePosition() {
    if (Practising())
        return;
    if (!WritePrivateProfileStringA(m_bank.c_str(), m_keys.position,
                                    std::to_string(m_position).c_str(), m_iniPath))
        ReportProgressFailure(true);
}

std::int64_t DrillCore::StoreRow(const RowValues& row, std::int64_t at) {
    const std::int64_t id = m_reviews.Insert(row, at);
    // Not due within this drill, unless it runs past the third midnight.
    if (const auto day = ReviewAge::DayNumber(row.date.value_or("").c_str()))
        m_nextDueDay = std::min(m_nextDueDay, *day + kReviewDelayDays);
    return id;
}

// Whether the table still holds a row this drill read or stored as it was: the engine
// reuses the ids of deleted rows, and another program may have changed it meanwhile.
bool DrillCore::HoldsAsKept(const KeptRow& row) {
    return m_reviews.Holds(row);
}

void DrillCore::DeleteKeptRow(const KeptRow& row) {
    m_reviews.Delete(row);
}

bool DrillCore::MustConfirmGiveUp() const {
    const int forced = static_cast<int>(
        GetPrivateProfileIntA(ini::kSystem, ini::kForced, ini::kFlagOff, m_iniPath));
    return !Practising() && forced != 0 && m_todayCount <= m_quota;
}

void DrillCore::CloseBank() {
    if (!m_bankCursor.usable)
        return;
    Guard(m_bankCursor, [this] { m_bankCursor.rs->Close(); });
    m_bankCursor.rs.Release();
    m_bankCursor.usable = false;
    m_bankClosed = true;
}

// A table of our own, word to value, read whole; an older database simply has none, and
// without a database its two failed opens have been told already.
std::vector<std::pair<std::string, std::string>> DrillCore::ReadPairs(const char* table,
                                                                      const char* value) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!m_connection || m_connection->GetState() != adStateOpen)
        return pairs;
    Cursor rows;
    try {
        OpenTable(rows, table);
        for (; !rows.rs->adoEOF(); rows.rs->MoveNext()) {
            const FieldValue word = rows.rs->GetCollect(mdb::kWord);
            const FieldValue text = rows.rs->GetCollect(value);
            if (word && text)
                pairs.emplace_back(*word, *text);
        }
    } catch (const _com_error& e) {
        pairs.clear();
        if (e.Error() != DB_E_NOTABLE)
            Tell(std::string("reading table ") + table, e);
    }
    return pairs;
}

void DrillCore::LoadVariants() {
    m_variants.clear();
    for (auto& [word, spelling] : ReadPairs(mdb::kVariants, mdb::kVariant))
        m_variants.emplace(NormalizeSpelling(word), std::move(spelling));
}

void DrillCore::LoadTranscriptions() {
    m_transcriptions.clear();
    for (auto& [word, transcription] : ReadPairs(mdb::kTranscriptions, mdb::kTranscription))
        m_transcriptions.emplace(std::move(word), std::move(transcription));
}

std::string DrillCore::TranscribedCurrent() const {
    const auto found = m_transcriptions.find(m_current.word);
    if (found == m_transcriptions.end() || m_current.word.empty())
        return {};
    return WithTranscription(m_current.word, found->second);
}

bool DrillCore::IsRightSpellingOfCurrent(std::string_view typed) const {
    const std::string& word = m_current.word;
    if (IsRightSpelling(typed, word))
        return true;
    const auto [first, last] = m_variants.equal_range(NormalizeSpelling(word));
    return std::any_of(first, last, [typed](const auto& variant) {
        return IsRightSpelling(typed, variant.second);
    });
}
