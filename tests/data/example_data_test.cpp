// The example sentences and phrases written for Wordmill, read as a strict teacher would: one
// sentence a bank word that uses the word, short, a whole sentence, spelt as the banks spell,
// none like another, its Chinese shown by every Chinese Windows; up to three phrases a word.
#include "drills/core/example_text.h"
#include "store/text_util.h"
#include "tools/wordbank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

const std::string kData = std::string(WORDMILL_SOURCE_DIR) + "/data/";

std::set<std::string> BankWords() {
    std::set<std::string> words;
    for (const char* bank : {"cet4.tsv", "cet6.tsv"})
        for (const WordEntry& entry : ReadWordList(kData + bank))
            words.insert(entry.word);
    return words;
}

// Whether GBK (code page 936, the Chinese Windows one) has every character of the text.
bool EncodesInGbk(const std::string& utf8) {
#ifdef _WIN32
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<size_t>(size), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), size)));
    BOOL lost = FALSE;
    return WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(),
                               static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost) > 0 &&
           !lost;
#else
    iconv_t gbk = iconv_open("GBK", "UTF-8");
    if (gbk == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string in = utf8, out(utf8.size() * 2 + 4, '\0');
    char* from = in.data();
    char* to = out.data();
    size_t left = in.size(), room = out.size();
    const bool whole = iconv(gbk, &from, &left, &to, &room) != static_cast<size_t>(-1);
    iconv_close(gbk);
    return whole;
#endif
}

// American spellings of words the banks spell the British way, refused with their forms
// (color, colors, colored), and the -ise spellings of the banks' -ize words.
constexpr const char* kAmericanStems[] = {
    "color",        "colorful",    "honor",       "honorable",    "dishonor",     "favor",
    "favorable",    "favorite",    "labor",       "neighbor",     "neighborhood", "behavior",
    "flavor",       "humor",       "rumor",       "harbor",       "odor",         "vapor",
    "tumor",        "vigor",       "rigor",       "armor",        "endeavor",     "glamor",
    "savior",       "center",      "theater",     "fiber",        "liter",        "centimeter",
    "kilometer",    "millimeter",  "defense",     "offense",      "pretense",     "analyze",
    "paralyze",     "catalog",     "dialog",      "jewelry",      "gray",         "cozy",
    "plow",         "mold",        "aluminum",    "skeptic",      "skeptical",    "maneuver",
    "pajamas",      "esthetic",    "sulfur",      "airplane",     "mom",          "organise",
    "organisation", "realise",     "realisation", "recognise",    "apologise",    "criticise",
    "emphasise",    "memorise",    "summarise",   "specialise",   "civilise",     "civilisation",
    "utilise",      "minimise",    "sympathise",  "characterise", "visualise",    "prioritise",
    "modernise",    "standardise", "socialise",   "generalise"};
// Refused only as written: their other forms are British too (fulfilled, enrolled).
const std::set<std::string> kAmericanWords = {
    "fulfill",   "fulfills",   "fulfillment", "enroll",      "enrolls",   "enrollment",
    "skillful",  "skillfully", "willful",     "installment", "distill",   "traveled",
    "traveling", "traveler",   "travelers",   "canceled",    "canceling", "labeled",
    "labeling",  "modeled",    "modeling",    "signaled",    "fueled",    "quarreled",
    "counselor", "counselors", "counseling",  "marvelous",   "jeweler"};

// A word of `text` spelt the American way; the line's own headword may be (elevator).
std::string AmericanSpelling(const std::string& text, const std::string& headword) {
    static const std::set<std::string> refused = [] {
        std::set<std::string> all = kAmericanWords;
        for (const char* stem : kAmericanStems)
            for (std::string& form : FormsOf(stem))
                all.insert(std::move(form));
        return all;
    }();
    for (std::string_view word : WordsOf(text)) {
        const std::string lower = text::AsciiLowered(word);
        if (refused.count(lower) && !IsFormOf(word, headword))
            return lower;
    }
    return {};
}

bool UsesItsWord(const ExampleLine& line) {
    const std::vector<std::string_view> words = WordsOf(line.english);
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view w) { return IsFormOf(w, line.word); });
}

size_t WordCount(const std::string& text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i)
        count += text[i] != ' ' && (i == 0 || text[i - 1] == ' ');
    return count;
}

struct Rule {
    const char* fault;
    std::function<bool(const ExampleLine&)> holds;
};

// Each line against each rule; the faults, "word: fault".
std::vector<std::string> Faults(const std::vector<ExampleLine>& lines,
                                const std::vector<Rule>& rules) {
    std::vector<std::string> faults;
    for (const ExampleLine& line : lines)
        for (const Rule& rule : rules)
            if (!rule.holds(line))
                faults.push_back(line.word + ": " + rule.fault + " | " + line.english);
    return faults;
}

std::string Listed(const std::vector<std::string>& faults) {
    std::string text;
    for (size_t i = 0; i < faults.size() && i < 20; ++i)
        text += "\n  " + faults[i];
    return text;
}

bool IsWholeChinese(const std::string& text) {
    std::string_view end = text;
    if (end.ends_with("”"))
        end.remove_suffix(std::string_view("”").size());
    return end.size() > 3 && (end.ends_with("。") || end.ends_with("！") || end.ends_with("？"));
}

std::vector<Rule> SentenceRules() {
    static const std::regex sentence(R"(["'A-Z0-9][^\t]*[.!?]["']?)");
    return {
        {"uses no form of its word", UsesItsWord},
        {"has more than 18 words", [](const ExampleLine& l) { return WordCount(l.english) <= 18; }},
        {"is no whole sentence",
         [](const ExampleLine& l) {
             return std::regex_match(l.english, sentence) &&
                    l.english.find("  ") == std::string::npos;
         }},
        {"has a translation that is no whole sentence",
         [](const ExampleLine& l) { return IsWholeChinese(l.chinese); }},
        {"has Chinese that GBK lacks",
         [](const ExampleLine& l) { return EncodesInGbk(l.chinese); }},
        {"is spelt the American way",
         [](const ExampleLine& l) { return AmericanSpelling(l.english, l.word).empty(); }},
    };
}

// The checks themselves: each refuses the fault it names, and passes what is right.
TEST(ExampleSentences, TheChecksRefuseWhatAStrictTeacherWould) {
    const std::pair<ExampleLine, const char*> cases[] = {
        {{"adapt", "They adopted a cat.", "他们收养了一只猫。"}, "uses no form of its word"},
        {{"word",
          "One two three four five six seven eight nine ten eleven twelve thirteen "
          "fourteen fifteen sixteen seventeen eighteen word.",
          "十九个词。"},
         "has more than 18 words"},
        {{"centre", "she works in the centre", "她在市中心工作。"}, "is no whole sentence"},
        {{"centre", "She works in the centre.", "她在市中心工作"},
         "has a translation that is no whole sentence"},
        {{"name", "His name is Ji.", "他叫\xF0\xA0\xAE\xB7。"}, "has Chinese that GBK lacks"},
        {{"colour", "The colour of the wall was gray.", "墙是灰色的。"},
         "is spelt the American way"},
        {{"egg", "They colored the eggs.", "他们给蛋上了色。"}, "is spelt the American way"},
        {{"dream", "She fulfill her dream.", "她实现了梦想。"}, "is spelt the American way"},
        {{"elevator", "Take the elevator to the fourth floor.", "坐电梯到四楼。"}, nullptr},
        {{"fulfil", "'She fulfilled her dream,' he said.", "“她实现了梦想。”"}, nullptr},
        {{"Paris", "We met at a café in Paris!", "我们在巴黎的一家咖啡馆见面！"}, nullptr},
    };
    for (const auto& [line, fault] : cases)
        EXPECT_EQ(Faults({line}, SentenceRules()),
                  fault ? std::vector<std::string>{line.word + ": " + fault + " | " + line.english}
                        : std::vector<std::string>{})
            << line.english;
}

TEST(ExampleSentences, EachUsesItsWordInAShortWholeSentenceSpeltAsTheBanksSpell) {
    const std::vector<std::string> faults =
        Faults(ReadExampleList(kData + "liju.tsv"), SentenceRules());
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:" << Listed(faults);
}

// Two sentences are alike when they differ only in their headwords, or translate alike.
TEST(ExampleSentences, EveryBankWordHasExactlyOneAndNoTwoAreAlike) {
    const std::set<std::string> bank = BankWords();
    std::map<std::string, std::string> sentenceOf, wordOfShape, wordOfTranslation;
    std::vector<std::string> faults;
    for (const ExampleLine& line : ReadExampleList(kData + "liju.tsv")) {
        if (!bank.count(line.word))
            faults.push_back(line.word + ": no bank word");
        if (!sentenceOf.emplace(line.word, line.english).second)
            faults.push_back(line.word + ": a second sentence");
        const std::string blanked = BlankWord(line.english, line.word);
        std::string shape;
        for (std::string_view word : WordsOf(blanked))
            shape += text::AsciiLowered(word) + " ";
        if (const auto [at, added] = wordOfShape.emplace(shape, line.word); !added)
            faults.push_back(line.word + ": alike " + at->second);
        if (const auto [at, added] = wordOfTranslation.emplace(line.chinese, line.word); !added)
            faults.push_back(line.word + ": translated as " + at->second);
    }
    for (const std::string& word : bank)
        if (!sentenceOf.count(word))
            faults.push_back(word + ": no sentence");
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:" << Listed(faults);
}

TEST(ExamplePhrases, UpToThreeForABankWordEachWithTheWordAndItsMeaning) {
    const std::set<std::string> bank = BankWords();
    const std::vector<ExampleLine> phrases = ReadExampleList(kData + "cizu.tsv");
    std::vector<std::string> faults = Faults(
        phrases,
        {
            {"uses no form of its word", UsesItsWord},
            {"is no bank word", [&](const ExampleLine& l) { return bank.count(l.word) > 0; }},
            {"has Chinese that GBK lacks",
             [](const ExampleLine& l) { return EncodesInGbk(l.chinese); }},
            {"is spelt the American way",
             [](const ExampleLine& l) { return AmericanSpelling(l.english, l.word).empty(); }},
        });
    std::map<std::string, std::set<std::string>> ofWord;
    for (const ExampleLine& line : phrases)
        if (!ofWord[line.word].insert(line.english).second)
            faults.push_back(line.word + ": twice " + line.english);
    for (const auto& [word, its] : ofWord)
        if (its.size() > 3)
            faults.push_back(word + ": more than three phrases");
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:" << Listed(faults);
}

} // namespace
