// What the browse and spelling drills share: the pick of the next word, the review list
// and its scores, and keeping every grading. Each drill gives its own keys and review
// table; the dialogs only show. The jobs live in parts, each with the state it owns:
// DrillProgress (read.ini), BankCursor (the bank), DueRows (due rows and their holds),
// ReviewSync (the review table in step with the list), StudyLogBuffer, MemoryKeeper (each
// word's memory) and WordDictionaries.
#pragma once

#include "drills/core/drill_context.h"
#include "drills/core/drill_progress.h"
#include "drills/core/due_rows.h"
#include "drills/core/memory/memory_keeper.h"
#include "drills/core/review_sync.h"
#include "drills/core/study_log_buffer.h"
#include "drills/core/word_dictionaries.h"
#include "drills/core/word_record.h"
#include "store/bank_cursor.h"
#include "store/settings.h"
#include "store/word_schema.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DrillKeys {
    settings::Drill drill; // whose progress in read.ini
    const char* reviewTable;
    const char* logName; // its name in the study log
};

inline constexpr DrillKeys kBrowseKeys{settings::Drill::Browse, mdb::kBrowseReviews,
                                       mdb::kBrowseDrill};
inline constexpr DrillKeys kSpellKeys{settings::Drill::Spell, mdb::kSpellReviews, mdb::kSpellDrill};

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

    // Chooses the bank, opens it and the drill's review table on the context's
    // connection, reads the progress keys and positions the bank. Failures are reported;
    // the drill stays usable.
    void SetUp(const DrillContext& context);

    // The next word: a due review row, else a review-list entry, else a new bank word.
    // Returns false when nothing was there; the word on screen then stays current, but a
    // fresh word already graded takes no second grade (it would be stored twice).
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
    void WritePosition() { m_progress.WritePosition(); }
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

    // The accepted other spellings, read for the spelling drill, and the transcriptions.
    void LoadVariants();
    void LoadTranscriptions();
    bool IsRightSpellingOfCurrent(std::string_view typed) const;
    // The spelling drill's hint (提示) was seen, or not, for the word on screen: its
    // grading's log row says so.
    void NoteHint(bool seen) { m_pick.hinted = seen; }
    // "infer /ɪnˈfɜː/" for the word on screen; empty where there is no transcription.
    std::string TranscribedCurrent() const;

    const WordRecord& Current() const { return m_pick.current; }
    WordSource Source() const { return m_pick.source; }
    bool HasWord() const { return m_pick.source != WordSource::NoWord; }
    const std::string& RemainingLabel() const { return m_pick.label; }
    const std::vector<WordRecord>& ReviewList() const { return m_pick.reviewList; }
    std::optional<size_t> CurrentEntry() const { return m_pick.currentEntry; }
    const std::string& BankName() const { return m_bankName; }
    // Where the word on screen came from, as the study log names it.
    StudySource CurrentSource() const;
    long long TodayCount() const { return m_progress.TodayCount(); }
    long long BankPosition() const { return m_progress.Position(); }

private:
    // The word on screen, the review list and where the pick stands: what a grading
    // changes in memory.
    struct PickState {
        WordRecord current;
        WordSource source = WordSource::NoWord;
        std::optional<size_t> currentEntry;
        std::vector<WordRecord> reviewList;
        std::string label;
        bool bankUsedUp = false; // the bank cursor reached its end
        size_t practiceNext = 0; // the practice list's next word
        bool graded = false;     // the word on screen has its grade
        bool hinted = false;     // and the spelling drill's hint was seen before it
    };
    // What a grading changed, to take it back: each part's state just before it.
    struct UndoStep {
        std::uint64_t number;
        PickState pick;
        DrillProgress::Values progress;
        ReviewSync::EntryRows rows;
        std::optional<DueRows::Row> dueRow; // the word was a due row: as kept
        std::optional<std::int64_t> logRow; // its study-log row, once stored
        bool pickedAfter = false;           // a word has been taken since
    };

    void Tell(const std::string& what, const _com_error& error); // shown and logged
    bool Practising() const { return m_practice != nullptr; }
    void OpenReviews(); // raises
    bool ReviewsReady();
    bool OpenBank();
    bool GuardBank(const std::function<void()>& action);
    bool TakeDueRow();
    bool TakeReviewEntry();
    bool TakeBankWord();
    bool TakePracticeWord();
    bool TakeMissedPracticeWord();
    void Show(WordRecord word, WordSource source, std::optional<size_t> entry = std::nullopt);
    void LogGrading(bool right);
    void Settle();
    bool KeepReviews(bool reportFailure);
    void WriteReviews(const std::string& date);
    void RememberForUndo();
    void PutBackWordOnScreen();

    DrillKeys m_keys;
    std::function<void(const std::string&)> m_report;
    _ConnectionPtr m_connection;
    std::string m_iniPath;
    std::function<std::time_t()> m_now = clock_source::Now;
    std::shared_ptr<const PracticeList> m_practice;
    std::string m_bankName = mdb::kCet6;

    PickState m_pick;
    DrillProgress m_progress;
    BankCursor m_bank;
    bool m_bankUsable = false;
    bool m_bankClosed = false;
    ReviewSync m_reviews;
    DueRows m_due;
    StudyLogBuffer m_log;
    MemoryKeeper m_memory;
    WordDictionaries m_words;

    std::string m_storeError;     // why the last store failed
    bool m_storeFailing = false;  // told once per failure, not at every grading
    std::vector<UndoStep> m_undo; // newest last
    std::uint64_t m_steps = 0;
};
