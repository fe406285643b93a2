#include "drills/core/word_dictionaries.h"

#include "drills/core/spelling_answer.h"
#include "drills/core/word_lookup.h"
#include "store/table_reads.h"
#include "store/word_schema.h"

#include <algorithm>

namespace {
using Pairs = std::vector<std::pair<std::string, std::string>>;

// Without a database, its failed opens have been told already.
Pairs ReadPairs(const _ConnectionPtr& connection, const char* table, const char* value,
                const WordDictionaries::Tell& tell) {
    if (!connection || connection->GetState() != adStateOpen)
        return {};
    try {
        return ReadColumnPairs(connection, table, mdb::kWord, value);
    } catch (const _com_error& e) {
        tell(std::string("reading table ") + table, e);
        return {};
    }
}
} // namespace

void WordDictionaries::LoadVariants(const _ConnectionPtr& connection, const Tell& tell) {
    m_variants.clear();
    for (auto& [word, spelling] : ReadPairs(connection, mdb::kVariants, mdb::kVariant, tell))
        if (!word.empty() && !spelling.empty())
            m_variants.emplace(NormalizeSpelling(word), std::move(spelling));
}

void WordDictionaries::LoadTranscriptions(const _ConnectionPtr& connection, const Tell& tell) {
    m_transcriptions.clear();
    for (auto& [word, ipa] : ReadPairs(connection, mdb::kTranscriptions, mdb::kTranscription, tell))
        if (!word.empty() && !ipa.empty())
            m_transcriptions.emplace(std::move(word), std::move(ipa));
}

bool WordDictionaries::IsRightSpellingOf(std::string_view typed, const std::string& word) const {
    if (IsRightSpelling(typed, word))
        return true;
    const auto [first, last] = m_variants.equal_range(NormalizeSpelling(word));
    return std::any_of(first, last, [typed](const auto& variant) {
        return IsRightSpelling(typed, variant.second);
    });
}

std::string WordDictionaries::Transcribed(const std::string& word) const {
    const auto found = m_transcriptions.find(word);
    if (found == m_transcriptions.end() || word.empty())
        return {};
    return WithTranscription(word, found->second);
}
