// The bundled word banks: well-formed lines, real words, and the syllabus covered.
#include "drills/core/spelling_answer.h"
#include "store/text_util.h"
#include "tools/wordbank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Headwords as the spelling drill compares them, with every accepted variant spelling.
std::set<std::string> Spellings(const std::string& bank) {
    std::set<std::string> spellings;
    for (const WordEntry& entry : ReadWordList(bank)) {
        spellings.insert(NormalizeSpelling(entry.word));
        for (const std::string& variant : entry.variants)
            spellings.insert(NormalizeSpelling(variant));
    }
    return spellings;
}

std::set<std::string> Headwords(const std::string& referenceList) {
    std::set<std::string> words;
    for (const WordEntry& entry : ReadWordList(referenceList))
        words.insert(NormalizeSpelling(entry.word));
    return words;
}

const std::string kData = std::string(WORDMILL_SOURCE_DIR) + "/data/";
const std::string kReference = std::string(WORDMILL_SHARED_DATA) + "/";

TEST(BundledBanks, EveryLineIsAWordOfTheDictionaryWithItsPartOfSpeech) {
    std::set<std::string> dictionary;
    for (const char* list : {"/usr/share/dict/british-english", "/usr/share/dict/american-english"})
        for (const std::string& word : Lines(list))
            dictionary.insert(word);
    ASSERT_GT(dictionary.size(), 50000u) << "the wbritish and wamerican word lists are needed";
    // Compounds and newer words the dictionaries lack.
    for (const char* word :
         {"cafe",         "X-ray",           "aviate",           "reframe",
          "so-called",    "marginalize",     "unaffordable",     "groundsheet",
          "hardworking",  "up-to-date",      "well-known",       "xerox",
          "trade-off",    "cropland",        "workpiece",        "proximately",
          "overexcited",  "preindustrial",   "underrepresented", "entrepreneurship",
          "aspirational", "quantifiable",    "countermeasure",   "denationalize",
          "commonsense",  "air-conditioning"})
        dictionary.insert(word);
    const std::regex line(
        R"(([^\t ]+( [^\t ]+)*)\t((n|v|vt|vi|adj|adv|prep|conj|pron|num|art|)"
        R"(int|aux|det|abbr)\. [^\t]*[^\t ])(\t[a-zA-Z' -]+(, ?[a-zA-Z' -]+)*)?)");
    const std::regex partOfSpeech(R"(\b[a-z]+\. )"), english("[A-Za-z]{3,}");
    for (const char* bank : {"cet4.tsv", "cet6.tsv"}) {
        std::set<std::string> seen;
        const std::vector<std::string> lines = Lines(kData + bank);
        ASSERT_FALSE(lines.empty()) << bank;
        EXPECT_FALSE(lines[0].starts_with("\xEF\xBB\xBF")) << bank;
        for (const std::string& text : lines) {
            EXPECT_TRUE(std::regex_match(text, line)) << bank << ": " << text;
            // The spelling drill shows the meaning: it must not give the word away.
            const size_t from = text.find('\t') + 1;
            const std::string meaning = text.substr(from, text.find('\t', from) - from);
            EXPECT_FALSE(std::regex_search(std::regex_replace(meaning, partOfSpeech, ""), english))
                << bank << ": " << text;
            EXPECT_TRUE(text::IsValidUtf8(text)) << bank << ": " << text;
            const std::string word = text.substr(0, text.find('\t'));
            EXPECT_TRUE(dictionary.count(word) || dictionary.count(NormalizeSpelling(word)))
                << bank << ": " << word;
            EXPECT_TRUE(seen.insert(NormalizeSpelling(word)).second) << bank << ": twice " << word;
        }
    }
}

// CET4 covers the CET-4 syllabus; CET6 the CET-6 words beyond it.
TEST(BundledBanks, CoverTheSyllabus) {
    if (!std::filesystem::exists(kReference + "cet4.tsv"))
        GTEST_SKIP() << "the reference lists live outside the project";
    const std::set<std::string> cet4 = Headwords(kReference + "cet4.tsv");
    std::set<std::string> beyondCet4;
    for (const std::string& word : Headwords(kReference + "cet6.tsv"))
        if (!cet4.count(word))
            beyondCet4.insert(word);
    for (const auto& [bank, syllabus, least] :
         {std::tuple{"cet4.tsv", cet4, 4300u}, std::tuple{"cet6.tsv", beyondCet4, 2000u}}) {
        const std::set<std::string> ours = Spellings(kData + bank);
        const auto covered = std::count_if(syllabus.begin(), syllabus.end(),
                                           [&](const std::string& w) { return ours.count(w) > 0; });
        EXPECT_GE(Lines(kData + bank).size(), least) << bank;
        EXPECT_GE(static_cast<double>(covered), 0.95 * static_cast<double>(syllabus.size()))
            << bank << ": " << covered << " of " << syllabus.size();
    }
}

// Every word of both banks has its transcription, in the textbook's symbols only.
TEST(BundledBanks, EveryWordHasATextbookTranscription) {
    const std::string data = WORDMILL_SOURCE_DIR "/data/";
    std::map<std::string, std::string> transcriptions;
    for (const WordEntry& entry : ReadWordList(data + "yinbiao.tsv"))
        transcriptions[entry.word] = entry.translation;
    const std::set<std::string> symbols{"p", "b", "t", "d", "k", "g", "f", "v", "θ", "ð",
                                        "s", "z", "ʃ", "ʒ", "h", "m", "n", "ŋ", "l", "r",
                                        "j", "w", "i", "ɪ", "e", "æ", "ʌ", "ɒ", "ɔ", "ʊ",
                                        "u", "ə", "ɜ", "ɑ", "a", "ː", "ˈ", "ˌ", " "};
    for (const char* bank : {"cet4.tsv", "cet6.tsv"})
        for (const WordEntry& entry : ReadWordList(data + bank)) {
            const auto found = transcriptions.find(entry.word);
            ASSERT_NE(found, transcriptions.end()) << entry.word << " has no transcription";
            const std::string& ipa = found->second;
            for (size_t i = 0; i < ipa.size();) {
                const size_t length = std::max<size_t>(
                    1, text::Utf8SequenceLength(static_cast<unsigned char>(ipa[i])));
                EXPECT_TRUE(symbols.count(ipa.substr(i, length)))
                    << entry.word << " " << ipa << ": " << ipa.substr(i, length);
                i += length;
            }
        }
}

// How many vowels a word has, a vowel and its length mark or a diphthong counted once: at
// least one a syllable but for a syllabic l or n.
size_t VowelRuns(const std::string& ipa) {
    static const std::set<std::string> vowels{"i", "ɪ", "e", "æ", "ʌ", "ɒ", "ɔ",
                                              "ʊ", "u", "ə", "ɜ", "ɑ", "a", "ː"};
    size_t runs = 0;
    bool inVowel = false;
    for (size_t i = 0; i < ipa.size();) {
        const size_t length =
            std::max<size_t>(1, text::Utf8SequenceLength(static_cast<unsigned char>(ipa[i])));
        const bool vowel = vowels.count(ipa.substr(i, length)) > 0;
        runs += vowel && !inVowel ? 1 : 0;
        inVowel = vowel;
        i += length;
    }
    return runs;
}

// As textbooks mark a word: one main stress on a word of two or more syllables, no secondary
// stress after it; and the short i is ɪ, never a bare i.
TEST(BundledBanks, TranscriptionsStressEachWordOnce) {
    const std::string main = "ˈ", secondary = "ˌ", length = "ː";
    for (const WordEntry& entry : ReadWordList(kData + "yinbiao.tsv")) {
        std::istringstream words(entry.translation);
        for (std::string word; words >> word;) {
            size_t mains = 0;
            for (size_t at = word.find(main); at != std::string::npos; at = word.find(main, at + 1))
                ++mains;
            EXPECT_LE(mains, 1u) << entry.word << " " << word;
            if (VowelRuns(word) >= 2) {
                EXPECT_EQ(mains, 1u) << entry.word << " " << word;
            }
            if (mains == 1) {
                EXPECT_EQ(word.find(secondary, word.find(main)), std::string::npos)
                    << entry.word << " " << word;
            }
            for (size_t i = word.find('i'); i != std::string::npos; i = word.find('i', i + 1))
                EXPECT_EQ(word.compare(i + 1, length.size(), length), 0)
                    << entry.word << " " << word;
        }
    }
}

} // namespace
