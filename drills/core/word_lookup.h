// 查词: both banks in memory, found by the start of the English word or by a part of the
// meaning, as the learner types.
#pragma once

#include "drills/core/memory/memory_outlook.h"
#include "store/ado.h"

#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class WordStatus { NotLearned, Learned, InReview, Due };

struct LookupEntry {
    std::string word, meaning, bank, transcription;
    WordStatus status = WordStatus::NotLearned;
    ReviewDays review; // when each learned skill comes back in 今日复习
};

class WordIndex {
public:
    WordIndex() = default;
    explicit WordIndex(std::vector<LookupEntry> entries);

    // Text of ASCII letters (digits, spaces, hyphens, apostrophes): words that start with it, in
    // any case, alphabetically; other text: meanings that contain it, in bank order. At most
    // `limit`; none for blank text.
    std::vector<const LookupEntry*> Find(std::string_view query, size_t limit) const;
    size_t size() const { return m_entries.size(); }

private:
    std::vector<LookupEntry> m_entries;
    std::vector<std::pair<std::string, size_t>> m_byWord; // lower-case word, entry; sorted
};

// Both banks with their transcriptions, and how far the learner is with each word: taken
// by a drill, missed and waiting, or due; and from `reviews`, when it comes back in 今日复习.
// Raises _com_error.
WordIndex ReadWordIndex(const _ConnectionPtr& connection, const std::string& iniPath,
                        std::time_t now, const WordReviews& reviews = {});

const char* StatusText(WordStatus status); // "未学" …

// "abandon /əˈbændən/", or the word alone where it has no transcription.
std::string WithTranscription(const std::string& word, const std::string& transcription);

// "abandon /əˈbændən/  v. 放弃  (CET4 · 已学)": a hit as the list shows it.
std::string HitLine(const LookupEntry& entry);

// "CET4 · 已学 · 认词约 23 天后需要复习": a chosen hit's bank and state in full.
std::string StateLine(const LookupEntry& entry);
