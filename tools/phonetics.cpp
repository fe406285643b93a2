#include "tools/phonetics.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// One sound or mark, as UTF-8.
using Unit = std::string;

std::vector<Unit> Split(std::string_view text) {
    std::vector<Unit> units;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, text.size() - i);
        units.emplace_back(text.substr(i, length));
        i += length;
    }
    return units;
}

bool IsStress(const Unit& u) {
    return u == "ˈ" || u == "ˌ";
}

bool IsVowel(const Unit& u) {
    static const std::array<const char*, 14> vowels{"i", "ɪ", "e", "æ", "ʌ", "ɒ", "ɔ",
                                                    "ʊ", "u", "ə", "ɜ", "ɑ", "a", "o"};
    return std::any_of(vowels.begin(), vowels.end(), [&u](const char* v) { return u == v; });
}

bool IsConsonant(const Unit& u) {
    return !IsVowel(u) && !IsStress(u) && u != "ː" && u != " ";
}

// The textbook's symbols for espeak's.
std::vector<Unit> Textbook(std::vector<Unit> in) {
    std::vector<Unit> out;
    for (size_t i = 0; i < in.size(); ++i) {
        const Unit& u = in[i];
        const Unit next = i + 1 < in.size() ? in[i + 1] : "";
        if (u == "ɹ")
            out.push_back("r");
        else if (u == "ɡ")
            out.push_back("g");
        else if (u == "ɐ" || u == "ɚ")
            out.push_back("ə");
        else if (u == "ᵻ")
            out.push_back("ɪ");
        else if (u == "ɾ")
            out.push_back("t");
        else if (u == "ɛ")
            out.push_back("e");
        else if (u == "a" && next != "ɪ" && next != "ʊ")
            out.push_back("æ");
        else if (u == "i" && (next == "ə" || next.empty())) // NEAR, and happy's final vowel
            out.push_back("ɪ");
        else if (u == "ʔ" || u == "\u0303" || u == "\u0329" || u == "\u032F")
            continue; // glottal stop, nasal and syllabic marks: not written
        else
            out.push_back(u);
    }
    return out;
}

// Consonants that may begin a syllable together, as stress placement takes them.
bool IsOnset(const std::vector<Unit>& run) {
    if (run.size() == 1)
        return run[0] != "ŋ";
    static const std::vector<std::string> clusters{
        "pl", "pr", "bl", "br",  "tr",  "dr",  "kl",  "kr",  "kw",  "gl",  "gr", "fl",
        "fr", "θr", "ʃr", "sp",  "st",  "sk",  "sm",  "sn",  "sl",  "sw",  "tw", "dw",
        "pj", "bj", "tj", "dj",  "kj",  "gj",  "mj",  "nj",  "fj",  "vj",  "hj", "lj",
        "sj", "θw", "θj", "spl", "spr", "str", "skr", "skw", "spj", "stj", "skj"};
    std::string joined;
    for (const Unit& u : run)
        joined += u;
    return std::find(clusters.begin(), clusters.end(), joined) != clusters.end();
}

// The consonants before index `at`, as units, with "tʃ" and "dʒ" kept whole.
std::vector<std::vector<Unit>> ConsonantsBefore(const std::vector<Unit>& word, size_t at,
                                                size_t& start) {
    std::vector<std::vector<Unit>> run;
    size_t i = at;
    while (i > 0 && IsConsonant(word[i - 1])) {
        if (i >= 2 && ((word[i - 2] == "t" && word[i - 1] == "ʃ") ||
                       (word[i - 2] == "d" && word[i - 1] == "ʒ"))) {
            run.insert(run.begin(), {word[i - 2] + word[i - 1]});
            i -= 2;
        } else {
            run.insert(run.begin(), {word[i - 1]});
            --i;
        }
    }
    start = i;
    return run;
}

// Each stress mark moves from before its vowel to before the syllable's onset.
std::vector<Unit> PlaceStress(std::vector<Unit> word) {
    for (size_t i = 0; i < word.size(); ++i) {
        if (!IsStress(word[i]))
            continue;
        size_t start = 0;
        const auto run = ConsonantsBefore(word, i, start);
        size_t take = 0; // the longest legal onset at the run's end
        for (size_t n = run.size(); n > 0; --n) {
            std::vector<Unit> onset;
            for (size_t k = run.size() - n; k < run.size(); ++k)
                onset.push_back(run[k][0]);
            if (IsOnset(onset)) {
                take = n;
                break;
            }
        }
        size_t units = 0; // how many raw units those consonants span
        for (size_t k = run.size() - take; k < run.size(); ++k)
            units += Split(run[k][0]).size();
        const Unit mark = word[i];
        word.erase(word.begin() + static_cast<std::ptrdiff_t>(i));
        word.insert(word.begin() + static_cast<std::ptrdiff_t>(i - units), mark);
    }
    return word;
}

size_t Syllables(const std::vector<Unit>& word) {
    size_t count = 0;
    for (size_t i = 0; i < word.size(); ++i)
        if (IsVowel(word[i]) && (i == 0 || !IsVowel(word[i - 1])))
            ++count;
    return count;
}

// What textbooks write where espeak-ng keeps another sound: an unstressed first e (ex-, em-,
// en-, es-) is ɪ, and n stays n before a stressed syllable (congratulate, unqualified).
void TextbookReductions(std::vector<Unit>& word) {
    if (!word.empty() && word[0] == "e") {
        size_t i = 1;
        while (i < word.size() && IsConsonant(word[i]))
            ++i;
        if (i < word.size() && IsStress(word[i]))
            word[0] = "ɪ";
    }
    for (size_t i = 0; i + 1 < word.size(); ++i)
        if (word[i] == "ŋ" && IsStress(word[i + 1]))
            word[i] = "n";
}

std::string OneWord(std::string_view espeak) {
    std::vector<Unit> word = PlaceStress(Textbook(Split(espeak)));
    TextbookReductions(word);
    if (Syllables(word) <= 1)
        std::erase_if(word, IsStress);
    std::string out;
    for (const Unit& u : word)
        out += u;
    return out;
}

} // namespace

std::string TextbookIpa(std::string_view espeak) {
    std::string out;
    size_t i = 0;
    while (i < espeak.size()) {
        const size_t blank = espeak.find(' ', i);
        const std::string_view word =
            espeak.substr(i, blank == std::string_view::npos ? blank : blank - i);
        if (!word.empty())
            out += (out.empty() ? "" : " ") + OneWord(word);
        if (blank == std::string_view::npos)
            break;
        i = blank + 1;
    }
    return out;
}
