#include "drill_core.h"

#include "dates.h"
#include "profile.h"

#include <algorithm>

const char* const kRemainingPrefix = "剩下的单词数为";
const char* const kTaskDone = "今天任务已完成";

DrillCore::DrillCore(const DrillKeys& keys, std::function<void(const std::string&)> report)
    : m_keys(keys), m_report(std::move(report)) {}

void DrillCore::SetUp(const _ConnectionPtr& connection, long long dailyQuota,
                      const std::string& iniPath) {
    m_connection = connection;
    m_quota = dailyQuota;
    m_iniPath = iniPath;
    m_bankCursor.rs.CreateInstance();
    m_reviewCursor.rs.CreateInstance();

    const int bank = static_cast<int>(GetPrivateProfileIntA("system", "CET", 1, m_iniPath));
    m_bank = bank != 0 ? "CET6" : "CET4";
    OpenCursor(m_bankCursor, m_bank, true);

    char day[9];
    GetPrivateProfileStringA(m_bank.c_str(), m_keys.day, "", day, sizeof day, m_iniPath);
    m_source = WordSource::NoWord;
    m_reviewList.clear();
    m_position = static_cast<int>(GetPrivateProfileIntA(m_bank.c_str(), m_keys.position, 0, m_iniPath));
    m_todayCount = day == TodayKey()
                       ? static_cast<int>(GetPrivateProfileIntA(m_bank.c_str(), m_keys.count, 0, m_iniPath))
                       : 0;
    // A hand-edited negative position starts from the first row.
    m_position = std::max(m_position, 0LL);
    PositionBank();
    OpenCursor(m_reviewCursor, m_keys.reviewTable, true);
}

// A position past the end leaves the cursor at its end: no new words, no error.
void DrillCore::PositionBank() {
    Guard(m_bankCursor, [this] {
        if (m_position > 0 && !m_bankCursor.rs->adoEOF())
            m_bankCursor.rs->Move(static_cast<long>(std::min<long long>(m_position, 0x7FFFFFFF)));
    });
}

bool DrillCore::OpenCursor(Cursor& cursor, const std::string& table, bool reportFailure) {
    cursor.usable = false;
    try {
        cursor.rs->Open("SELECT * FROM " + table, m_connection, adOpenDynamic, adLockOptimistic,
                        adCmdText);
        cursor.usable = true;
    } catch (const _com_error& e) {
        if (reportFailure)
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
    return TakeDueRow() || TakeReviewEntry() || TakeBankWord();
}

bool DrillCore::TakeDueRow() {
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
            WordRecord due{FieldText(m_reviewCursor, "danci"), FieldText(m_reviewCursor, "fanyi"), 0, 1};
            rs->Delete(adAffectCurrent);
            rs->Update();
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
        m_bankCursor.rs.CreateInstance();
        if (OpenCursor(m_bankCursor, m_bank, true))
            PositionBank();
    }
    bool taken = false;
    Guard(m_bankCursor, [this, &taken] {
        if (m_bankCursor.rs->adoEOF())
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
    const std::int64_t row = *m_restoredDueRow;
    m_restoredDueRow.reset();
    std::erase(m_storedRows, row);
    Guard(m_reviewCursor, [this, row] {
        try {
            m_reviewCursor.rs->SetBookmark(row);
        } catch (const _com_error& e) {
            if (e.Error() == adErrNoCurrentRecord)
                return; // already gone
            throw;
        }
        m_reviewCursor.rs->Delete(adAffectCurrent);
        m_reviewCursor.rs->Update();
    });
}

void DrillCore::SaveProgress() {
    const char* bank = m_bank.c_str();
    WritePrivateProfileStringA(bank, m_keys.day, TodayKey().c_str(), m_iniPath);
    WritePrivateProfileStringA(bank, m_keys.count, std::to_string(m_todayCount).c_str(), m_iniPath);
    StoreReviewRows();
    WritePosition();
}

void DrillCore::StoreReviewRows() {
    if (!m_reviewCursor.usable)
        return;
    // All rows in one transaction: one write to disk, not one per word.
    const bool batched = Guard(m_reviewCursor, [this] { m_connection->BeginTrans(); });
    const std::string today = TodayReviewDate();
    RemoveStoredRows();
    for (const WordRecord& entry : m_reviewList)
        if (entry.score >= 0)
            StoreRow(entry.word, entry.translation, today);
    // A due word still waiting for its grade keeps its date, so it stays due.
    m_restoredDueRow.reset();
    if (m_ungradedDueDate && StoreRow(m_current.word, m_current.translation, *m_ungradedDueDate))
        m_restoredDueRow = m_storedRows.back();
    if (!batched)
        return;
    try {
        m_connection->CommitTrans();
    } catch (const _com_error& e) {
        m_report(e.ErrorMessage());
        try {
            m_connection->RollbackTrans();
        } catch (const _com_error&) {
            // Already rolled back by the engine.
        }
        m_reviewCursor.usable = false; // its rows no longer match the table
    }
}

void DrillCore::WritePosition() {
    WritePrivateProfileStringA(m_bank.c_str(), m_keys.position, std::to_string(m_position).c_str(),
                               m_iniPath);
}

// Each row on its own: a failure is shown and the next row is tried.
bool DrillCore::StoreRow(const std::string& word, const std::string& translation,
                         const std::string& date) {
    if (!m_reviewCursor.usable || word.empty())
        return false;
    Recordset* rs = m_reviewCursor.rs.GetInterfacePtr();
    try {
        rs->AddNew();
        rs->PutCollect("danci", word);
        rs->PutCollect("fanyi", translation);
        rs->PutCollect("time", date);
        rs->Update();
        m_storedRows.push_back(rs->GetBookmark());
        return true;
    } catch (const _com_error& e) {
        m_report(e.ErrorMessage());
        return false;
    }
}

void DrillCore::RemoveStoredRows() {
    if (!m_reviewCursor.usable)
        return;
    Recordset* rs = m_reviewCursor.rs.GetInterfacePtr();
    for (std::int64_t row : m_storedRows) {
        try {
            rs->SetBookmark(row);
            rs->Delete(adAffectCurrent);
            rs->Update();
        } catch (const _com_error& e) {
            if (e.Error() != adErrNoCurrentRecord) // already taken again as a due row
                m_report(e.ErrorMessage());
        }
    }
    m_storedRows.clear();
}

bool DrillCore::MustConfirmGiveUp() const {
    const int forced = static_cast<int>(GetPrivateProfileIntA("system", "qiangzhi", 0, m_iniPath));
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
