// danci.mdb named once: its tables, their columns and the bank names. Every text column.
#pragma once

#include <array>
#include <string>

namespace mdb {

// Columns.
inline constexpr const char* kWord = "danci";     // the English word
inline constexpr const char* kMeaning = "fanyi";  // its meaning, with the part of speech
inline constexpr const char* kDate = "time";      // review tables: YYYY-MM-DD of the miss
inline constexpr const char* kVariant = "bianti"; // another accepted spelling of kWord

// The banks (kWord, kMeaning), in the order the settings' "CET" picks them.
inline constexpr const char* kCet4 = "CET4";
inline constexpr const char* kCet6 = "CET6";
inline constexpr std::array<const char*, 2> kBanks{kCet4, kCet6};
// "system"/"CET": 0 is CET4, any other value CET6.
inline constexpr const char* BankOfSetting(int setting) {
    return setting != 0 ? kCet6 : kCet4;
}

// The review tables (kWord, kMeaning, kDate), one per drill.
inline constexpr const char* kBrowseReviews = "readfuxi";
inline constexpr const char* kSpellReviews = "spellfuxi";
inline constexpr std::array<const char*, 2> kReviewTables{kBrowseReviews, kSpellReviews};

// Tables of our own: accepted variant spellings (kWord, kVariant), and the due review rows
// running drills hold (see review_holds.h).
inline constexpr const char* kVariants = "bianti";
inline constexpr const char* kHolds = "zhanyong";
// Each word's British transcription (kWord, kTranscription), as textbooks write it.
inline constexpr const char* kTranscriptions = "yinbiao";
inline constexpr const char* kTranscription = "yinbiao";
// One row per grading (see study_log.h), naming its drill by one of these.
inline constexpr const char* kStudyLog = "xuexijilu";
inline constexpr const char* kBrowseDrill = "liulan";
inline constexpr const char* kSpellDrill = "pinxie";
// Each learned word's memory for one skill, named by its drill (see memory_table.h).
inline constexpr const char* kMemory = "jiyi";
// 生词本: the learner's own words (see own_words.h).
inline constexpr const char* kOwnWords = "shengciben";
// Example sentences written for Wordmill, one a word, with the Chinese translation
// (kWord, kSentence, kMeaning); and the phrases the exam tests, up to three a word, each with
// its Chinese meaning (kWord, kPhrase, kMeaning), in the order they are shown.
inline constexpr const char* kSentences = "liju";
inline constexpr const char* kSentence = "liju";
inline constexpr const char* kPhrases = "cizu";
inline constexpr const char* kPhrase = "cizu";

// The CREATE TABLE statements the bank builder runs.
inline std::string CreateBankTable(const char* table) {
    return std::string("CREATE TABLE ") + table + " (" + kWord + " TEXT, " + kMeaning + " TEXT)";
}
inline std::string CreateReviewTable(const char* table) {
    return std::string("CREATE TABLE ") + table + " (" + kWord + " TEXT, " + kMeaning + " TEXT, " +
           kDate + " TEXT)";
}
inline std::string CreateTranscriptionTable() {
    return std::string("CREATE TABLE ") + kTranscriptions + " (" + kWord + " TEXT, " +
           kTranscription + " TEXT)";
}
inline std::string CreateSentenceTable() {
    return std::string("CREATE TABLE ") + kSentences + " (" + kWord + " TEXT, " + kSentence +
           " TEXT, " + kMeaning + " TEXT)";
}
inline std::string CreatePhraseTable() {
    return std::string("CREATE TABLE ") + kPhrases + " (" + kWord + " TEXT, " + kPhrase +
           " TEXT, " + kMeaning + " TEXT)";
}
inline std::string CreateVariantTable() {
    return std::string("CREATE TABLE ") + kVariants + " (" + kWord + " TEXT, " + kVariant +
           " TEXT)";
}

} // namespace mdb
