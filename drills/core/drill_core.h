// What the browse and spelling drills share: the bank and review cursors, the progress
// keys, the pick of the next word, the review list, grading arithmetic and the saving of
// the day. Each drill gives its own keys and review table; the dialogs only show.
#pragma once

#include "drills/core/word_record.h"
#include "store/ado.h"
#include "store/settings_schema.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DrillKeys {
    const char* day;      // "tr" / "ts": the day the counts belong to
    const char* count;    // "trmount" / "tsmount": new words taken that day
    const char* position; // "rmount" / "smount": rows of the bank taken so far
    const char* reviewTable;
};

inline constexpr DrillKeys kBrowseKeys{ini::kBrowseDay, ini::kBrowseCount, ini::kBrowsePosition,
                                       "readfuxi"};
inline constexpr DrillKeys kSpellKeys{ini::kSpellDay, ini::kSpellCount, ini::kSpellPosition,
                                      "spellfuxi"};

extern const char* const kRemainingPrefix; // "剩下的单词数为"
extern const char* const kTaskDone;        // "今天任务已完成"
extern const char* const kBankUsedUp;      // "本词库已学完"
extern const char* const kReviewsNotKept;  // before the error text when a close could not store

class DrillCore {
public:
    // `report` shows a database error text to the learner.
    DrillCore(const DrillKeys& keys, std::function<void(const std::string&)> report);

    // Chooses the bank, opens both cursors on `connection`, reads the progress keys and
    // positions the bank cursor. Failures are reported; the drill stays usable.
    void SetUp(const _ConnectionPtr& connection, long long dailyQuota, const std::string& iniPath);

    // The next word: a due review row, else a review-list entry, else a new bank word.
    // Returns false when nothing was there; the word on screen then stays current.
    bool PickNextWord();

    // Grading. Right: a review-list word loses 50 + 20 × step and its step grows.
    // Wrong: a review-list word gains 30 × step (its step grows when `stepUp`); any other
    // word on screen goes to the back of the review list.
    void GradeRight();
    void GradeWrong(bool stepUp);

    // Day key, today's count, the review rows and the bank position, stored so that
    // saving again replaces what this drill stored before.
    void SaveProgress();
    void WritePosition();
    // Forced study is on ("system"/"qiangzhi", read now) and today's count is within quota.
    bool MustConfirmGiveUp() const;

    void CloseBank(); // reopened at the bank position when a new word is needed

    // The accepted other spellings (table "bianti"), read for the spelling drill; a
    // database made before there were any has none.
    void LoadVariants();
    bool IsRightSpellingOfCurrent(std::string_view typed) const;

    const WordRecord& Current() const { return m_current; }
    WordSource Source() const { return m_source; }
    bool HasWord() const { return m_source != WordSource::NoWord; }
    const std::string& RemainingLabel() const { return m_label; }
    const std::vector<WordRecord>& ReviewList() const { return m_reviewList; }
    std::optional<size_t> CurrentEntry() const { return m_currentEntry; }
    const std::string& BankName() const { return m_bank; }
    long long TodayCount() const { return m_todayCount; }
    long long BankPosition() const { return m_position; }

private:
    // A cursor that the drill goes on without once it has failed.
    struct Cursor {
        _RecordsetPtr rs;
        bool usable = false;
    };

    void PositionBank();
    void SettleDueWord();
    bool Guard(Cursor& cursor, const std::function<void()>& action);
    void OpenTable(Cursor& cursor, const std::string& table);
    bool OpenCursor(Cursor& cursor, const std::string& table);
    bool TakeDueRow();
    bool TakeReviewEntry();
    bool TakeBankWord();
    void UpdateLabel();
    std::string FieldText(Cursor& cursor, const char* column);
    struct ReviewRow {
        std::string word, translation, date;
    };
    void StoreReviewRows();
    void ReopenReviewCursor();
    void RollBackQuietly();
    void RemoveStoredRows();
    struct StoredRow {
        std::int64_t id;
        ReviewRow values;
    };
    void DeleteStoredRow(const StoredRow& row);
    std::int64_t StoreRow(const ReviewRow& row);

    DrillKeys m_keys;
    std::function<void(const std::string&)> m_report;
    _ConnectionPtr m_connection;
    std::string m_iniPath;
    std::string m_bank = "CET6";
    long long m_quota = 0;
    long long m_position = 0;
    long long m_todayCount = 0;
    Cursor m_bankCursor;
    Cursor m_reviewCursor;
    bool m_reviewCursorStale = false; // after a failed close, until read again
    bool m_bankClosed = false;
    bool m_bankUsedUp = false; // the bank cursor reached its end

    WordRecord m_current;
    WordSource m_source = WordSource::NoWord;
    std::vector<WordRecord> m_reviewList;
    std::optional<size_t> m_currentEntry;
    std::string m_label;

    // A due row taken from the review table and not graded yet, with its own date.
    std::optional<std::string> m_ungradedDueDate;
    std::optional<StoredRow> m_restoredDueRow; // its row, stored by a cancelled close
    std::vector<StoredRow> m_storedRows;       // rows this drill stored, replaced at each save
    std::multimap<std::string, std::string> m_variants; // by normalised word
};
