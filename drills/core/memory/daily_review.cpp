#include "drills/core/memory/daily_review.h"

#include "drills/core/memory/memory_keeper.h"
#include "drills/core/memory/memory_rebuild.h"
#include "store/dates.h"
#include "store/settings.h"
#include "store/study_log.h"
#include "store/table_reads.h"
#include "store/word_schema.h"

#include <map>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

using review_plan::Skill;

Skill SkillOf(const std::string& drill) {
    return drill == mdb::kSpellDrill ? Skill::Spell : Skill::Recognise;
}

// Each bank's words in order, meaning by word (the first bank's where both hold a word).
struct Banks {
    std::map<std::string, std::vector<std::string>> words; // bank: its words in order
    std::unordered_map<std::string, std::string> meanings;
};

Banks ReadBanks(const _ConnectionPtr& connection) {
    Banks banks;
    for (const char* bank : mdb::kBanks)
        for (auto& [word, meaning] : ReadColumnPairs(connection, bank, mdb::kWord, mdb::kMeaning)) {
            banks.words[bank].push_back(word);
            banks.meanings.emplace(word, std::move(meaning));
        }
    return banks;
}

// Words below a drill's bank position with no memory of that skill were learned before
// their gradings were kept: they join as answered right once, today.
void JoinEarlierWords(const _ConnectionPtr& connection, const std::string& ini, const Banks& banks,
                      std::vector<MemoryRow>& rows, long long today) {
    // Views of the rows' and banks' words, which stay put until the joining rows are added.
    std::unordered_set<std::string_view> recognised, spelt;
    for (const MemoryRow& row : rows)
        (row.skill == mdb::kSpellDrill ? spelt : recognised).insert(row.word);
    const fsrs::CardMemory joined{fsrs::Model().Initial(fsrs::Rating::Good), today};
    std::vector<MemoryRow> joining;
    for (const auto& [bank, words] : banks.words)
        for (const settings::Drill drill : {settings::Drill::Browse, settings::Drill::Spell}) {
            const bool spell = drill == settings::Drill::Spell;
            auto& known = spell ? spelt : recognised;
            const long long taken =
                std::min<long long>(settings::ReadProgress(ini, bank, drill).position,
                                    static_cast<long long>(words.size()));
            for (long long i = 0; i < taken; ++i) {
                const std::string& word = words[static_cast<size_t>(i)];
                if (known.insert(word).second)
                    joining.push_back(
                        RowOf(word, spell ? mdb::kSpellDrill : mdb::kBrowseDrill, joined));
            }
        }
    if (joining.empty())
        return;
    TransactionScope transaction(connection);
    for (const MemoryRow& row : joining)
        memory_table::Write(connection, row);
    transaction.Commit();
    rows.insert(rows.end(), joining.begin(), joining.end());
}

} // namespace

review_plan::Settings ReviewSettings(const std::string& ini) {
    review_plan::Settings plan;
    plan.dailyLimit = settings::DailyReviewLimit(ini);
    plan.examDay = DayNumberOfDate(settings::ExamDate(ini));
    return plan;
}

namespace {
LearnedCards Learned(const _ConnectionPtr& connection, const std::string& ini, long long today,
                     const Banks& banks) {
    std::string why;
    if (!memory_table::Prepare(connection, why))
        throw _com_error(E_FAIL, why);
    std::vector<MemoryRow> rows = memory_table::ReadAllUnordered(connection);
    // A database from before the memory was kept: its log holds what it needs.
    if (rows.empty()) {
        RebuildMemoryTable(connection);
        rows = memory_table::ReadAllUnordered(connection);
    }
    JoinEarlierWords(connection, ini, banks, rows, today);
    LearnedCards learned;
    for (const MemoryRow& row : rows) {
        learned.cards.push_back(
            {static_cast<std::int64_t>(learned.words.size()), SkillOf(row.skill), MemoryOf(row)});
        learned.words.push_back(row.word);
    }
    return learned;
}
} // namespace

LearnedCards ReadLearnedCards(const _ConnectionPtr& connection, const std::string& ini,
                              long long today) {
    return Learned(connection, ini, today, ReadBanks(connection));
}

DailyReview ReadDailyReview(const _ConnectionPtr& connection, const std::string& ini,
                            std::time_t now) {
    const long long today = ReviewAge(now).Today();
    const Banks banks = ReadBanks(connection);
    const LearnedCards learned = Learned(connection, ini, today, banks);
    const auto reviewed = static_cast<int>(study_log::DailyReviewsOn(connection, today));
    const review_plan::Today plan =
        review_plan::PlanToday(fsrs::Model(), learned.cards, ReviewSettings(ini), today, reviewed);
    DailyReview review;
    review.backlog = plan.backlog;
    for (const review_plan::Card& card : plan.queue) {
        const std::string& word = learned.words[static_cast<size_t>(card.wordId)];
        const auto meaning = banks.meanings.find(word);
        WordRecord record{word, meaning == banks.meanings.end() ? "" : meaning->second, 0, 1};
        (card.skill == Skill::Spell ? review.spell : review.recognise).push_back(std::move(record));
    }
    return review;
}
