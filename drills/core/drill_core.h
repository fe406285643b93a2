// What the browse and spelling drills share: the bank and review cursors, the progress
// keys, the pick of the next word, the review list, grading arithmetic and the saving of
// the day. Each drill gives its own keys and review table; the dialogs only show.
#pragma once

#include "drills/core/drill_context.h"
#include "drills/core/word_record.h"
#include "store/ado.h"
#include "store/review_holds.h"
#include "store/review_table.h"
#include "store/settings_schema.h"
#include "store/study_log.h"
#include "store/word_schema.h"

#include <cstdint>
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
    const char* drill; // its name in the study log
};

inline constexpr DrillKeys kBrowseKeys{ini::kBrowseDay, ini::kBrowseCount, ini::kBrowsePosition,
                                       mdb::kBrowseReviews, mdb::kBrowseDrill};
inline constexpr DrillKeys kSpellKeys{ini::kSpellDay, ini::kSpellCount, ini::kSpellPosition,
                                      mdb::kSpellReviews, mdb::kSpellDrill};

extern const char* const kRemainingPrefix;  // "剩下的单词数为"
extern const char* const kTaskDone;         // "今天任务已完成"
extern const char* const kBankUsedUp;       // "本词库已学完"
extern const char* const kGradingNotKept;   // before the error text: the words stay here
extern const char* const kProgressNotKept;  // before the reason: read.ini took no write
extern const char* const kProgressLostHint; // after it, at a close: where the next start begins
extern const char* const kHistoryOff;       // before the reason: no study log in this database

// Every grading is kept the moment it is made: the review table and read.ini then hold
// what a close at that moment would store, so a crash or a killed process loses nothing
// that was graded. A close stores the same end state again.
class DrillCore {
public:
    // `report` shows a message to the learner.
    DrillCore(const DrillKeys& keys, std::function<void(const std::string&)> report);

    // Chooses the bank, opens both cursors on the context's connection, reads the progress
    // keys and positions the bank cursor. Failures are reported; the drill stays usable.
    void SetUp(const DrillContext& context);

    // The next word: a due review row, else a review-list entry, else a new bank word.
    // Returns false when nothing was there; the word on screen then stays current.
    // A due row stays in its table, held by this drill, until its word is graded.
    bool PickNextWord();

    // Grading, kept at once. Right: a review-list word loses 50 + 20 × step and its step
    // grows; a due word leaves the review table. Wrong: a review-list word gains 30 × step
    // (its step grows when `stepUp`); any other word on screen goes to the back of the
    // review list, and a due word's row is replaced by it.
    void GradeRight();
    void GradeWrong(bool stepUp);

    // The close: day key, today's count and the bank position to read.ini, the review
    // list to the review table. A review-store failure is left to the caller to put to the
    // learner (UnkeptWords); a read.ini failure is reported unless it was already.
    void SaveProgress();
    void WritePosition();
    // Missed words the review table does not hold yet, because storing them failed.
    size_t UnkeptWords() const;
    const std::string& StoreError() const { return m_storeError; }
    // Forced study is on ("system"/"qiangzhi", read now) and today's count is within quota.
    bool MustConfirmGiveUp() const;

    void CloseBank(); // reopened at the bank position when a new word is needed

    // Takes back the last grading not yet taken back, whole: the word's score and step,
    // the review list, today's count and the bank position, the rows kept in danci.mdb and
    // its study-log row; a word picked since goes back where it came from, and the graded
    // word is on screen again. False when there is nothing to take back.
    bool UndoLastGrading();
    bool CanUndo() const { return !m_undo.empty(); }
    static constexpr size_t kUndoSteps = 100;

    // The accepted other spellings (table "bianti"), read for the spelling drill; a
    // database made before there were any has none.
    void LoadVariants();
    bool IsRightSpellingOfCurrent(std::string_view typed) const;

    // The transcriptions (table "yinbiao"); a database made before there were any has none.
    void LoadTranscriptions();
    // "infer /ɪnˈfɜː/" for the word on screen; empty where there is no transcription.
    std::string TranscribedCurrent() const;

    const WordRecord& Current() const { return m_current; }
    WordSource Source() const { return m_source; }
    bool HasWord() const { return m_source != WordSource::NoWord; }
    const std::string& RemainingLabel() const { return m_label; }
    const std::vector<WordRecord>& ReviewList() const { return m_reviewList; }
    std::optional<size_t> CurrentEntry() const { return m_currentEntry; }
    const std::string& BankName() const { return m_bank; }
    // Where the word on screen came from, as the study log names it.
    StudySource CurrentSource() const;
    long long TodayCount() const { return m_todayCount; }
    long long BankPosition() const { return m_position; }

private:
    // A cursor that the drill goes on without once it has failed.
    struct Cursor {
        _RecordsetPtr rs;
        bool usable = false;
    };
    // A review row as this drill read or stored it: it deletes only a row still so.
    using RowValues = ReviewRow;
    using KeptRow = ReviewTable::Row;
    // What read.ini holds of this drill.
    struct Progress {
        std::string day;
        long long count, position;
        bool operator==(const Progress&) const = default;
    };

    static constexpr size_t kDueRowsAtOnce = 64; // found by one scan of the review table
    void Tell(const std::string& what, const _com_error& error); // shown and logged
    std::vector<std::pair<std::string, std::string>> ReadPairs(const char* table,
                                                               const char* value);
    void PositionBank();
    bool Guard(Cursor& cursor, const std::function<void()>& action);
    void OpenTable(Cursor& cursor, const std::string& table);
    bool OpenCursor(Cursor& cursor, const std::string& table);
    bool TakeDueRow();
    bool IsHeldHere(std::int64_t id) const;
    bool TakeReviewEntry();
    bool TakeBankWord();
    bool TakePracticeWord();
    bool TakeMissedPracticeWord();
    bool Practising() const { return m_practice != nullptr; }
    void UpdateLabel();
    std::string FieldText(Cursor& cursor, const char* column);

    void SettleDueWord();
    void LogGrading(bool right);
    void PrepareStudyLog();
    void RememberForUndo();
    void PutBackWordOnScreen();
    void RestoreDueWord(const KeptRow& row);
    void HoldRestoredDueRow();
    std::optional<RowValues> WantedRow(size_t entry, const std::string& date) const;
    bool ReviewsMatchTheList(const std::string& date) const;
    bool KeepReviews(bool reportFailure);
    void WriteReviews(const std::string& date);
    void OpenReviews(); // raises
    bool ReviewsReady();
    void RollBackQuietly();
    bool HoldsAsKept(const KeptRow& row);
    void DeleteKeptRow(const KeptRow& row);
    std::int64_t StoreRow(const RowValues& row, std::int64_t at = 0);
    Progress CurrentProgress() const;
    void KeepProgress(bool atClose);
    void ReportProgressFailure(bool atClose);

    DrillKeys m_keys;
    std::function<void(const std::string&)> m_report;
    _ConnectionPtr m_connection;
    std::string m_iniPath;
    std::function<std::time_t()> m_now = clock_source::Now;
    std::string m_bank = mdb::kCet6;
    long long m_quota = 0;
    long long m_position = 0;
    long long m_todayCount = 0;
    Cursor m_bankCursor;
    ReviewTable m_reviews;
    bool m_reviewsUsable = false;
    bool m_reviewsStale = false; // after a failed store, until read again
    // The due rows the last scan found and this drill has not taken, in table order.
    std::vector<KeptRow> m_due;
    bool m_dueComplete = false; // that scan saw every row
    long long m_nextDueDay = 0; // when a row not due then falls due
    bool m_scanNeeded = true;
    bool m_bankClosed = false;
    bool m_bankUsedUp = false; // the bank cursor reached its end

    WordRecord m_current;
    WordSource m_source = WordSource::NoWord;
    std::vector<WordRecord> m_reviewList;
    std::vector<std::optional<KeptRow>> m_entryRows; // the row kept for each entry
    std::optional<size_t> m_currentEntry;
    std::string m_label;

    ReviewHolds m_holds;
    std::optional<KeptRow> m_dueOnScreen; // a due row shown and not graded: kept, held
    std::vector<KeptRow> m_passedDueRows; // shown, never graded, passed over: kept, held
    std::vector<KeptRow> m_gradedDueRows; // graded; their removal not stored yet
    std::string m_storeError;             // why the last store failed
    bool m_storeFailing = false;          // told once per failure, not at every grading
    bool m_checkKeptRows = false;         // after a failed store, until one succeeds
    std::optional<Progress> m_written;    // what read.ini was last given
    bool m_progressFailing = false;
    std::multimap<std::string, std::string> m_variants; // by normalised word
    std::map<std::string, std::string> m_transcriptions;
    std::shared_ptr<const PracticeList> m_practice;
    size_t m_practiceNext = 0; // the list's next word
    bool m_logUsable = false;
    // Gradings whose log rows are not stored yet, each with its undo step's number.
    struct PendingLog {
        StudyEntry entry;
        std::uint64_t step;
    };
    std::vector<PendingLog> m_unlogged;

    // What a grading changed, to take it back: the drill as it was just before it.
    struct UndoStep {
        std::uint64_t number;
        WordRecord current;
        WordSource source;
        std::optional<size_t> currentEntry;
        std::vector<WordRecord> reviewList;
        long long position, todayCount;
        std::string label;
        bool bankUsedUp;
        size_t practiceNext;
        std::vector<std::optional<KeptRow>> entryRows;
        std::optional<KeptRow> dueRow;      // the word was a due row: as kept
        std::optional<std::int64_t> logRow; // its study-log row, once stored
        bool pickedAfter = false;           // a word has been taken since
    };
    std::vector<UndoStep> m_undo; // newest last
    std::uint64_t m_steps = 0;
    // Stores an undo leaves to the next write of the review table.
    std::vector<KeptRow> m_rowsToDelete;
    std::vector<std::int64_t> m_logRowsToRemove;
    std::optional<KeptRow> m_dueToRestore;          // a taken-back due row, to be stored again
    std::map<size_t, std::int64_t> m_rowIdsToReuse; // entry: the id its row had before
    std::optional<KeptRow> m_restoredDueRow;        // stored again, not yet held
};
