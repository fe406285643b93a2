#include "drills/core/drill_core.h"

#include "store/dates.h"

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
const char* const kAnswersNotKept = "答对的复习词没能从数据库里去掉，下次还会再出现。\n";
} // namespace

DrillCore::DrillCore(const DrillKeys& keys, std::function<void(const std::string&)> report)
    : m_keys(keys), m_report(std::move(report)), m_progress(keys.drill, m_report),
      m_due(keys.reviewTable) {}

void DrillCore::SetUp(const DrillContext& context) {
    m_connection = context.connection;
    m_iniPath = context.iniPath;
    m_now = context.now;
    m_practice = context.practice;
    m_pick = {};
    m_bankName = settings::BankName(m_iniPath);
    if (!Practising())
        OpenBank();
    m_progress.Load(m_iniPath, m_bankName, context.dailyQuota, m_now, !Practising());
    if (!Practising())
        GuardBank([this] { m_bank.Skip(m_progress.Position()); });
    try {
        OpenReviews();
    } catch (const _com_error& e) {
        Tell(std::string("opening table ") + m_keys.reviewTable, e);
    }
    m_reviews.KeepMissedRows(!Practising() || m_practice->keepsMissedRows);
    m_log.Prepare(m_connection, m_report);
    m_memory.Prepare(m_connection, m_keys.logName);
}

void DrillCore::OpenReviews() {
    m_due.Rescan();
    m_reviews.Open(m_connection, m_keys.reviewTable);
}

// The review table, read again after a failed store; false when it cannot be had.
bool DrillCore::ReviewsReady() {
    if (m_reviews.ReopenIfStale(m_connection, m_keys.reviewTable))
        m_due.Rescan();
    return m_reviews.Usable();
}

// A failure is reported; the drill goes on without the bank.
bool DrillCore::OpenBank() {
    m_bankUsable = false;
    try {
        m_bank.Open(m_connection, m_bankName);
        m_bankUsable = true;
    } catch (const _com_error& e) {
        Tell("opening table " + m_bankName, e);
    }
    return m_bankUsable;
}

// The first failure is reported and the drill goes on as if the bank had no more rows.
bool DrillCore::GuardBank(const std::function<void()>& action) {
    if (!m_bankUsable)
        return false;
    try {
        action();
        return true;
    } catch (const _com_error& e) {
        m_bankUsable = false;
        Tell("reading table " + m_bankName, e);
        return false;
    }
}

void DrillCore::Tell(const std::string& what, const _com_error& error) {
    LogFailure(what, error);
    m_report(LearnerText(error));
}

StudySource DrillCore::CurrentSource() const {
    if (m_due.OnScreen())
        return StudySource::DueRow;
    if (m_pick.source == WordSource::FromReviewList)
        return StudySource::ReviewList;
    return Practising() ? m_practice->source : StudySource::NewWord;
}

void DrillCore::LogGrading(bool right) {
    if (!HasWord())
        return;
    const std::uint64_t step = m_undo.empty() ? 0 : m_undo.back().number;
    StudyEntry entry{LocalMoment(m_now()), m_keys.logName,  m_bankName,
                     m_pick.current.word,  CurrentSource(), right};
    entry.hinted = m_pick.hinted;
    m_log.Add(std::move(entry), step);
    m_memory.Add(m_pick.current.word, right, ReviewAge(m_now()).Today(), step);
}

void DrillCore::GradeRight() {
    RememberForUndo();
    LogGrading(true);
    m_pick.graded = true;
    m_progress.Graded();
    if (m_pick.source == WordSource::FromReviewList && m_pick.currentEntry) {
        WordRecord& entry = m_pick.reviewList[*m_pick.currentEntry];
        entry.score -= 50 + 20 * entry.step;
        entry.step += 1;
    }
    m_due.Settle();
    KeepReviews(true);
    m_progress.Keep(false);
}

void DrillCore::GradeWrong(bool stepUp) {
    RememberForUndo();
    LogGrading(false);
    m_pick.graded = true;
    m_progress.Graded();
    if (m_pick.source == WordSource::FromReviewList && m_pick.currentEntry) {
        WordRecord& entry = m_pick.reviewList[*m_pick.currentEntry];
        entry.score += 30 * entry.step;
        if (stepUp)
            entry.step += 1;
    } else if (m_pick.source == WordSource::Fresh) {
        m_pick.reviewList.push_back(m_pick.current);
        m_reviews.AddEntry();
    }
    m_due.Settle();
    KeepReviews(true);
    m_progress.Keep(false);
}

void DrillCore::SaveProgress() {
    m_progress.Keep(true);
    const bool told = m_storeFailing;
    // Missed words not stored are the caller's to put to the learner; right answers that
    // could not be taken off the table only come again.
    if (KeepReviews(false) || UnkeptWords() > 0 || told)
        return;
    m_report(kAnswersNotKept + m_storeError);
}

size_t DrillCore::UnkeptWords() const {
    return m_reviews.Unkept(m_pick.reviewList, ReviewDate(m_now()));
}

// Brings the review table to what a close now would leave. A failure is told once until
// a store succeeds again; the list stays, and the next grading or close tries again.
bool DrillCore::KeepReviews(bool reportFailure) {
    const std::string date = ReviewDate(m_now());
    if (!m_log.HasWork() && !m_memory.HasWork() && !m_reviews.HasWork() && !m_due.HasWork() &&
        m_reviews.Matches(m_pick.reviewList, date))
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

// One transaction: graded due rows go, each entry gains or loses its row, and the study
// log gets the gradings' rows.
void DrillCore::WriteReviews(const std::string& date) {
    if (!m_reviews.Usable())
        OpenReviews();
    std::vector<std::pair<std::uint64_t, std::int64_t>> logged;
    try {
        TransactionScope transaction(m_connection);
        m_due.RemoveGraded(m_reviews.Table());
        m_reviews.RemoveTakenBack();
        m_due.StoreRestored(m_reviews.Table());
        m_reviews.Write(m_pick.reviewList, date, m_due);
        logged = m_log.Write(m_connection);
        m_memory.Write();
        transaction.Commit();
    } catch (const _com_error&) {
        m_reviews.Failed();
        throw;
    }
    for (const auto& [step, row] : logged)
        for (UndoStep& undo : m_undo)
            if (undo.number == step)
                undo.logRow = row;
    m_reviews.Committed();
    m_log.Committed();
    m_memory.Committed();
    m_due.Committed(m_connection);
}

bool DrillCore::MustConfirmGiveUp() const {
    return !Practising() && settings::ForcedStudyChosen(m_iniPath) &&
           m_progress.TodayCount() <= m_progress.Quota();
}

void DrillCore::CloseBank() {
    if (!m_bankUsable)
        return;
    GuardBank([this] { m_bank.Close(); });
    m_bankUsable = false;
    m_bankClosed = true;
}

void DrillCore::LoadVariants() {
    m_words.LoadVariants(m_connection,
                         [this](const std::string& what, const _com_error& e) { Tell(what, e); });
}

void DrillCore::LoadTranscriptions() {
    m_words.LoadTranscriptions(
        m_connection, [this](const std::string& what, const _com_error& e) { Tell(what, e); });
}

std::string DrillCore::TranscribedCurrent() const {
    return m_words.Transcribed(m_pick.current.word);
}

bool DrillCore::IsRightSpellingOfCurrent(std::string_view typed) const {
    return m_words.IsRightSpellingOf(typed, m_pick.current.word);
}
