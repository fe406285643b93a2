#include "drills/core/drill_core.h"

#include "drills/core/spelling_answer.h"
#include "store/dates.h"
#include "store/profile.h"

#include <algorithm>

const char* const kRemainingPrefix = "剩下的单词数为";
const char* const kTaskDone = "今天任务已完成";
const char* const kBankUsedUp = "本词库已学完";
const char* const kReviewsNotKept = "错词没能存进数据库，下次关闭时会再试一次。\n";

DrillCore::DrillCore(const DrillKeys& keys, std::function<void(const std::string&)> report)
    : m_keys(keys), m_report(std::move(report)) {}

void DrillCore::SetUp(const _ConnectionPtr& connection, long long dailyQuota,
                      const std::string& iniPath) {
    m_connection = connection;
    m_quota = dailyQuota;
    m_iniPath = iniPath;

    const int bank = static_cast<int>(
        GetPrivateProfileIntA(ini::kSystem, ini::kBank, ini::kBankDefault, m_iniPath));
    m_bank = bank != 0 ? "CET6" : "CET4";
    OpenCursor(m_bankCursor, m_bank);

    char day[9];
    GetPrivateProfileStringA(m_bank.c_str(), m_keys.day, "", day, sizeof day, m_iniPath);
    m_source = WordSource::NoWord;
    m_reviewList.clear();
    m_position = static_cast<int>(
        GetPrivateProfileIntA(m_bank.c_str(), m_keys.position, ini::kFlagOff, m_iniPath));
    m_todayCount = day == TodayKey() ? static_cast<int>(GetPrivateProfileIntA(
                                           m_bank.c_str(), m_keys.count, ini::kFlagOff, m_iniPath))
                                     : 0;
    // A hand-edited negative position starts from the first row.
    m_position = std::max(m_position, 0LL);
    PositionBank();
    OpenCursor(m_reviewCursor, m_keys.reviewTable);
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
        m_report(e.ErrorMessage());
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
        m_report(e.ErrorMessage());
        return false;
    }
}

std::string DrillCore::FieldText(Cursor& cursor, const char* column) {
    return cursor.rs->GetCollect(column).value_or(std::string());
}

bool DrillCore::PickNextWord() {
    const bool taken = TakeDueRow() || TakeReviewEntry() || TakeBankWord();
    if (!taken && m_bankUsedUp)
        m_label = kBankUsedUp; // rather than the last word again, unexplained
    return taken;
}

bool DrillCore::TakeDueRow() {
    if (m_reviewCursorStale) {
        m_reviewCursorStale = false;
        try {
            ReopenReviewCursor();
        } catch (const _com_error&) {
            // Reported by the close that failed; the next close tries again.
        }
    }
    bool taken = false;
    Guard(m_reviewCursor, [this, &taken] {
        Recordset* rs = m_reviewCursor.rs.GetInterfacePtr();
        if (rs->BOF())
            return;
        const ReviewAge age(clock_source::Now());
        for (rs->MoveFirst(); !rs->adoEOF(); rs->MoveNext()) {
            std::string date = FieldText(m_reviewCursor, "time");
            if (!age.IsDue(date))
                continue;
            WordRecord due{FieldText(m_reviewCursor, "danci"), FieldText(m_reviewCursor, "fanyi"),
                           0, 1};
            try {
                rs->Delete(adAffectCurrent);
                rs->Update();
            } catch (const _com_error& e) {
                if (e.Error() == adErrNoCurrentRecord)
                    continue; // another running copy took it first
                throw;
            }
            m_current = std::move(due);
            m_source = WordSource::Fresh;
            m_currentEntry.reset();
            m_ungradedDueDate = std::move(date);
            taken = true;
            return;
        }
    });
    return taken;
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
    m_ungradedDueDate.reset();
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
        WordRecord fresh{FieldText(m_bankCursor, "danci"), FieldText(m_bankCursor, "fanyi"), 0, 1};
        m_bankCursor.rs->MoveNext();
        m_current = std::move(fresh);
        m_source = WordSource::Fresh;
        m_currentEntry.reset();
        m_ungradedDueDate.reset();
        ++m_position;
        ++m_todayCount;
        UpdateLabel();
        taken = true;
    });
    return taken;
}

void DrillCore::UpdateLabel() {
    const long long remaining = m_quota - m_todayCount;
    m_label = remaining < 0 ? std::string(kTaskDone) : kRemainingPrefix + std::to_string(remaining);
}

void DrillCore::GradeRight() {
    if (m_source == WordSource::FromReviewList && m_currentEntry) {
        WordRecord& entry = m_reviewList[*m_currentEntry];
        entry.score -= 50 + 20 * entry.step;
        entry.step += 1;
    }
    SettleDueWord();
}

void DrillCore::GradeWrong(bool stepUp) {
    if (m_source == WordSource::FromReviewList && m_currentEntry) {
        WordRecord& entry = m_reviewList[*m_currentEntry];
        entry.score += 30 * entry.step;
        if (stepUp)
            entry.step += 1;
    } else if (m_source == WordSource::Fresh) {
        m_reviewList.push_back(m_current);
    }
    SettleDueWord();
}

// The due word on screen has its grade now: a copy stored for it by a cancelled close
// goes, or the next pick would take the same word again.
void DrillCore::SettleDueWord() {
    m_ungradedDueDate.reset();
    if (!m_restoredDueRow)
        return;
    const StoredRow row = *m_restoredDueRow;
    m_restoredDueRow.reset();
    std::erase_if(m_storedRows, [&row](const StoredRow& stored) { return stored.id == row.id; });
    Guard(m_reviewCursor, [this, &row] { DeleteStoredRow(row); });
}

void DrillCore::SaveProgress() {
    const char* bank = m_bank.c_str();
    WritePrivateProfileStringA(bank, m_keys.day, TodayKey().c_str(), m_iniPath);
    WritePrivateProfileStringA(bank, m_keys.count, std::to_string(m_todayCount).c_str(), m_iniPath);
    StoreReviewRows();
    WritePosition();
}

// All rows in one transaction: stored together or not at all. A failure is reported
// once, and the review list stays for the next close to try again.
void DrillCore::StoreReviewRows() {
    std::vector<ReviewRow> rows;
    for (const WordRecord& entry : m_reviewList)
        if (entry.score >= 0 && !entry.word.empty())
            rows.push_back({entry.word, entry.translation, TodayReviewDate()});
    // A due word still waiting for its grade keeps its date, so it stays due.
    const bool keepsDueWord = m_ungradedDueDate && !m_current.word.empty();
    if (keepsDueWord)
        rows.push_back({m_current.word, m_current.translation, *m_ungradedDueDate});
    if (rows.empty() && m_storedRows.empty())
        return;
    try {
        if (!m_reviewCursor.usable)
            ReopenReviewCursor();
        m_connection->BeginTrans();
        std::vector<StoredRow> stored;
        try {
            RemoveStoredRows();
            for (const ReviewRow& row : rows)
                stored.push_back({StoreRow(row), row});
            m_connection->CommitTrans();
        } catch (const _com_error&) {
            RollBackQuietly();
            // Its copy of the table no longer matches the file: read it again when next needed.
            m_reviewCursor.usable = false;
            m_reviewCursorStale = true;
            throw;
        }
        m_storedRows = std::move(stored);
        m_restoredDueRow.reset();
        if (keepsDueWord)
            m_restoredDueRow = m_storedRows.back();
    } catch (const _com_error& e) {
        m_report(kReviewsNotKept + e.ErrorMessage());
    }
}

void DrillCore::ReopenReviewCursor() {
    m_reviewCursorStale = false;
    OpenTable(m_reviewCursor, m_keys.reviewTable);
}

void DrillCore::RollBackQuietly() {
    try {
        m_connection->RollbackTrans();
    } catch (const _com_error&) {
        // The engine rolled it back itself (a full disk, for one).
    }
}

void DrillCore::WritePosition() {
    WritePrivateProfileStringA(m_bank.c_str(), m_keys.position, std::to_string(m_position).c_str(),
                               m_iniPath);
}

// A failure leaves nothing behind: the half-made row is dropped, and the caller rolls
// the batch back.
std::int64_t DrillCore::StoreRow(const ReviewRow& row) {
    Recordset* rs = m_reviewCursor.rs.GetInterfacePtr();
    try {
        rs->AddNew();
        rs->PutCollect("danci", row.word);
        rs->PutCollect("fanyi", row.translation);
        rs->PutCollect("time", row.date);
        rs->Update();
    } catch (const _com_error&) {
        rs->CancelUpdate();
        throw;
    }
    return rs->GetBookmark();
}

void DrillCore::RemoveStoredRows() {
    for (const StoredRow& row : m_storedRows)
        DeleteStoredRow(row);
}

// Deletes a row this drill stored, if it is still there as stored: it may have been taken
// again as a due row, here or by another running copy.
void DrillCore::DeleteStoredRow(const StoredRow& row) {
    try {
        Recordset* rs = m_reviewCursor.rs.GetInterfacePtr();
        rs->SetBookmark(row.id);
        // The engine reuses the id of a deleted row: another copy's row may have it now.
        if (rs->GetCollect("danci") != row.values.word ||
            rs->GetCollect("fanyi") != row.values.translation ||
            rs->GetCollect("time") != row.values.date)
            return;
        rs->Delete(adAffectCurrent);
        rs->Update();
    } catch (const _com_error& e) {
        if (e.Error() != adErrNoCurrentRecord)
            throw;
    }
}

bool DrillCore::MustConfirmGiveUp() const {
    const int forced = static_cast<int>(
        GetPrivateProfileIntA(ini::kSystem, ini::kForced, ini::kFlagOff, m_iniPath));
    return forced != 0 && m_todayCount <= m_quota;
}

void DrillCore::CloseBank() {
    if (!m_bankCursor.usable)
        return;
    Guard(m_bankCursor, [this] { m_bankCursor.rs->Close(); });
    m_bankCursor.rs.Release();
    m_bankCursor.usable = false;
    m_bankClosed = true;
}

void DrillCore::LoadVariants() {
    m_variants.clear();
    Cursor variants;
    try {
        OpenTable(variants, "bianti");
        for (; !variants.rs->adoEOF(); variants.rs->MoveNext()) {
            const FieldValue word = variants.rs->GetCollect("danci");
            const FieldValue spelling = variants.rs->GetCollect("bianti");
            if (word && spelling)
                m_variants.emplace(NormalizeSpelling(*word), *spelling);
        }
    } catch (const _com_error& e) {
        m_variants.clear();
        if (e.Error() != DB_E_NOTABLE) // an older database simply has none
            m_report(e.ErrorMessage());
    }
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
