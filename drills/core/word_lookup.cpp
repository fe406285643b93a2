#include "drills/core/word_lookup.h"

#include "drills/core/memory/memory_texts.h"
#include "store/dates.h"
#include "store/settings.h"
#include "store/table_reads.h"
#include "store/text_util.h"
#include "store/word_schema.h"

#include <algorithm>
#include <map>

namespace {

bool IsEnglish(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == ' ' || c == '-' || c == '\'' || c == '.';
    });
}

} // namespace

WordIndex::WordIndex(std::vector<LookupEntry> entries) : m_entries(std::move(entries)) {
    m_byWord.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byWord.emplace_back(text::AsciiLowered(m_entries[i].word), i);
    std::sort(m_byWord.begin(), m_byWord.end());
}

std::vector<const LookupEntry*> WordIndex::Find(std::string_view query, size_t limit) const {
    std::vector<const LookupEntry*> hits;
    const std::string_view typed = text::Trim(query);
    if (typed.empty())
        return hits;
    if (IsEnglish(typed)) {
        const std::string prefix = text::AsciiLowered(typed);
        for (auto it = std::lower_bound(m_byWord.begin(), m_byWord.end(),
                                        std::pair<std::string, size_t>{prefix, 0});
             it != m_byWord.end() && it->first.starts_with(prefix) && hits.size() < limit; ++it)
            hits.push_back(&m_entries[it->second]);
        return hits;
    }
    for (const LookupEntry& entry : m_entries) {
        if (hits.size() >= limit)
            break;
        if (entry.meaning.find(typed) != std::string::npos)
            hits.push_back(&entry);
    }
    return hits;
}

WordIndex ReadWordIndex(const _ConnectionPtr& connection, const std::string& iniPath,
                        std::time_t now, const WordReviews& reviews) {
    std::map<std::string, std::string> transcriptions;
    for (auto& [word, ipa] :
         ReadColumnPairs(connection, mdb::kTranscriptions, mdb::kWord, mdb::kTranscription))
        transcriptions.emplace(std::move(word), std::move(ipa));
    // A word waiting in either review table; due when any of its rows is.
    const ReviewAge age(now);
    std::map<std::string, bool> waiting;
    for (const char* table : mdb::kReviewTables)
        for (const auto& [word, date] : ReadColumnPairs(connection, table, mdb::kWord, mdb::kDate))
            waiting[word] = waiting[word] || age.IsDue(date);

    std::vector<LookupEntry> entries;
    for (const char* bank : mdb::kBanks) {
        const long long taken = settings::BankTaken(iniPath, bank);
        long long row = 0;
        for (auto& [word, meaning] : ReadColumnPairs(connection, bank, mdb::kWord, mdb::kMeaning)) {
            LookupEntry entry{word, std::move(meaning), bank, {}, WordStatus::NotLearned, {}};
            if (const auto ipa = transcriptions.find(word); ipa != transcriptions.end())
                entry.transcription = ipa->second;
            if (const auto review = reviews.find(word); review != reviews.end())
                entry.review = review->second;
            if (const auto w = waiting.find(word); w != waiting.end())
                entry.status = w->second ? WordStatus::Due : WordStatus::InReview;
            else if (row < taken)
                entry.status = WordStatus::Learned;
            ++row;
            entries.push_back(std::move(entry));
        }
    }
    return WordIndex(std::move(entries));
}

const char* StatusText(WordStatus status) {
    switch (status) {
    case WordStatus::Learned:
        return "已学";
    case WordStatus::InReview:
        return "待复习";
    case WordStatus::Due:
        return "该复习了";
    case WordStatus::NotLearned:
        break;
    }
    return "未学";
}

std::string WithTranscription(const std::string& word, const std::string& transcription) {
    return transcription.empty() ? word : word + " /" + transcription + "/";
}

std::string HitLine(const LookupEntry& entry) {
    return WithTranscription(entry.word, entry.transcription) + "  " + entry.meaning + "  （" +
           entry.bank + " · " + StatusText(entry.status) + "）";
}

std::string StateLine(const LookupEntry& entry) {
    const std::string review = WordReviewText(entry.review);
    return entry.bank + " · " + StatusText(entry.status) + (review.empty() ? "" : " · " + review);
}
