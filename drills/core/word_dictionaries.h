// The words' other spellings (table "bianti") and transcriptions (table "yinbiao"), read
// whole for a drill. A database made before either existed simply has none.
#pragma once

#include "store/ado.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

class WordDictionaries {
public:
    using Tell = std::function<void(const std::string& what, const _com_error& error)>;

    // A failure other than a missing table is told, and the drill goes on without them.
    void LoadVariants(const _ConnectionPtr& connection, const Tell& tell);
    void LoadTranscriptions(const _ConnectionPtr& connection, const Tell& tell);

    // `typed` spells `word` or one of its accepted other spellings.
    bool IsRightSpellingOf(std::string_view typed, const std::string& word) const;
    // "infer /ɪnˈfɜː/"; empty where there is no transcription.
    std::string Transcribed(const std::string& word) const;

private:
    std::multimap<std::string, std::string> m_variants; // by normalised word
    std::map<std::string, std::string> m_transcriptions;
};
