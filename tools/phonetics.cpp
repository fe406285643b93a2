#include "tools/phonetics.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

// One sound or mark, as UTF-8.
using Unit = std::string;
using Word = std::vector<Unit>;

Word Split(std::string_view text) {
    Word units;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, text.size() - i);
        units.emplace_back(text.substr(i, length));
        i += length;
    }
    return units;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const size_t blank = text.find(' ');
        if (blank != 0)
            words.push_back(text.substr(0, blank));
        text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
    }
    return words;
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
Word Textbook(const Word& in) {
    Word out;
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
        else if (u == "i" && next != "ː") // happy's final vowel, NEAR's start, easily's middle
            out.push_back("ɪ");
        else if (u == "ʔ" || u == "\u0303" || u == "\u0329" || u == "\u032F")
            continue; // glottal stop, nasal and syllabic marks: not written
        else
            out.push_back(u);
    }
    return out;
}

bool OneOf(const Unit& u, std::initializer_list<const char*> set) {
    return std::any_of(set.begin(), set.end(), [&u](const char* s) { return u == s; });
}

bool Has(const Word& w, size_t i, const char* a, const char* b) {
    return i + 1 < w.size() && w[i] == a && w[i + 1] == b;
}

// The RP voice's /ɑː/ where the en-gb voice has /æ/; where the two part in any other way than
// one vowel for another, the rest stays en-gb's.
Word TakeBathVowels(const Word& gb, const Word& rp) {
    Word out;
    size_t i = 0, j = 0;
    for (; i < gb.size() && j < rp.size(); ++i, ++j) {
        if (gb[i] == "æ" && Has(rp, j, "ɑ", "ː")) {
            out.insert(out.end(), {"ɑ", "ː"});
            ++j;
        } else if (Has(gb, i, "ʊ", "ə") && Has(rp, j, "ɔ", "ː")) {
            out.insert(out.end(), {"ʊ", "ə"});
            ++i, ++j;
        } else if (gb[i] == rp[j] || (IsVowel(gb[i]) && IsVowel(rp[j]))) {
            out.push_back(gb[i]);
        } else {
            break;
        }
    }
    out.insert(out.end(), gb.begin() + static_cast<std::ptrdiff_t>(i), gb.end());
    return out;
}

// Consonants that may begin a syllable together, as stress placement takes them.
bool IsOnset(const Word& run) {
    if (run.size() == 1)
        return run[0] != "ŋ";
    static const std::vector<std::string> clusters{
        "pl", "pr", "bl", "br",  "tr",  "dr",  "kl",  "kr",  "kw",  "gl",  "gr", "fl",
        "fr", "θr", "ʃr", "sp",  "st",  "sk",  "sm",  "sn",  "sl",  "sw",  "tw", "dw",
        "pj", "bj", "tj", "dj",  "kj",  "gj",  "mj",  "nj",  "fj",  "vj",  "hj", "lj",
        "sj", "zj", "θj", "spl", "spr", "str", "skr", "skw", "spj", "stj", "skj"};
    std::string joined;
    for (const Unit& u : run)
        joined += u;
    return std::find(clusters.begin(), clusters.end(), joined) != clusters.end();
}

// The consonants before index `at`, as units, with "tʃ" and "dʒ" kept whole.
std::vector<Word> ConsonantsBefore(const Word& word, size_t at) {
    std::vector<Word> run;
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
    return run;
}

// Each stress mark moves from before its vowel to before the syllable's onset.
Word PlaceStress(Word word) {
    for (size_t i = 0; i < word.size(); ++i) {
        if (!IsStress(word[i]))
            continue;
        const auto run = ConsonantsBefore(word, i);
        size_t take = 0; // the longest legal onset at the run's end
        for (size_t n = run.size(); n > 0; --n) {
            Word onset;
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

// How many units the vowel at `i` spans: a long vowel or a diphthong is one syllable's.
size_t NucleusLength(const Word& w, size_t i) {
    static const std::array<std::pair<const char*, const char*>, 8> diphthongs{{{"e", "ɪ"},
                                                                                {"a", "ɪ"},
                                                                                {"ɔ", "ɪ"},
                                                                                {"ə", "ʊ"},
                                                                                {"a", "ʊ"},
                                                                                {"ɪ", "ə"},
                                                                                {"e", "ə"},
                                                                                {"ʊ", "ə"}}};
    if (Has(w, i, w[i].c_str(), "ː"))
        return 2;
    for (const auto& [first, second] : diphthongs)
        if (Has(w, i, first, second))
            return 2;
    return 1;
}

// Where each syllable's vowel starts: aɪə is two (/ˈsaɪəns/), aɪ one.
std::vector<size_t> Nuclei(const Word& w) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < w.size();) {
        if (IsVowel(w[i])) {
            starts.push_back(i);
            i += NucleusLength(w, i);
        } else {
            ++i;
        }
    }
    return starts;
}

// The mark of the syllable whose vowel starts at `vowel`, or "" when it has none.
Unit StressOf(const Word& w, size_t vowel) {
    size_t i = vowel;
    while (i > 0 && IsConsonant(w[i - 1]))
        --i;
    return i > 0 && IsStress(w[i - 1]) ? w[i - 1] : "";
}

// espeak-ng's unstressed e where textbooks write ɪ: a first e (ex-, em-, en-, es-) before the
// stressed syllable, and the same after a prefix (inexpensive, unexpected, disengagement).
void RaiseUnstressedE(Word& word) {
    static const std::array<Word, 5> prefixes{
        {{}, {"ɪ", "n"}, {"ʌ", "n"}, {"d", "ɪ", "s"}, {"ə", "ʊ", "v", "ə", "r"}}};
    for (const Word& prefix : prefixes) {
        size_t at = !word.empty() && word[0] == "ˌ" && !prefix.empty() ? 1 : 0;
        if (!std::equal(prefix.begin(), prefix.end(), word.begin() + static_cast<long>(at),
                        word.begin() +
                            static_cast<long>(std::min(word.size(), at + prefix.size()))))
            continue;
        at += prefix.size();
        if (at >= word.size() || word[at] != "e")
            continue;
        size_t i = at + 1;
        while (i < word.size() && IsConsonant(word[i]))
            ++i;
        if (i < word.size() && IsStress(word[i]))
            word[at] = "ɪ";
    }
}

// dis- and mis- keep their s before m, n, l or w (dismiss /dɪsˈmɪs/, mislead), where sm, sn,
// sl and sw would begin a syllable elsewhere; before p, t and k it goes with the stress.
void KeepPrefixS(Word& word) {
    const size_t at = !word.empty() && word[0] == "ˌ" ? 1 : 0;
    if (word.size() > at + 4 && OneOf(word[at], {"d", "m"}) && word[at + 1] == "ɪ" &&
        word[at + 2] == "ˈ" && word[at + 3] == "s" && OneOf(word[at + 4], {"m", "n", "l", "w"}))
        std::swap(word[at + 2], word[at + 3]);
}

// n stays n before a stressed syllable (congratulate, unqualified).
void DentalN(Word& word) {
    for (size_t i = 0; i + 1 < word.size(); ++i)
        if (word[i] == "ŋ" && IsStress(word[i + 1]))
            word[i] = "n";
}

// One main stress, the last espeak-ng gave (identification: aɪˌdentɪfɪˈkeɪʃən), or the first
// syllable's when it gave none; before it at most one secondary, the first; none after it.
void OneMainStress(Word& w) {
    auto last = std::find(w.rbegin(), w.rend(), Unit("ˈ"));
    if (last == w.rend()) {
        const auto secondary = std::find(w.begin(), w.end(), Unit("ˌ"));
        if (secondary != w.end())
            *secondary = "ˈ";
        else
            w.insert(w.begin(), "ˈ");
        last = std::find(w.rbegin(), w.rend(), Unit("ˈ"));
    }
    const size_t main = static_cast<size_t>(w.rend() - last) - 1;
    bool secondary = false;
    Word out;
    for (size_t i = 0; i < w.size(); ++i) {
        if (IsStress(w[i]) && i != main) {
            if (i > main || secondary)
                continue;
            secondary = true;
            out.push_back("ˌ");
        } else {
            out.push_back(w[i]);
        }
    }
    w = std::move(out);
}

bool IsWeak(const Word& w, size_t vowel) {
    return NucleusLength(w, vowel) == 1 && OneOf(w[vowel], {"ə", "ɪ", "ʊ", "i", "u"});
}

// A first syllable with a full vowel, or in- and im-, two or more syllables before the main
// stress takes the secondary one, as textbooks mark it (opportunity /ˌɒpəˈtjuːnɪtɪ/,
// invitation); ob- just before the main stress is weak (observe /əbˈzɜːv/).
void MarkTheFirstSyllable(Word& w) {
    if (std::find(w.begin(), w.end(), Unit("ˌ")) != w.end() || w.empty() || w[0] == "ˈ")
        return;
    const size_t main = static_cast<size_t>(std::find(w.begin(), w.end(), Unit("ˈ")) - w.begin());
    const auto nuclei = Nuclei(w);
    const auto before =
        std::count_if(nuclei.begin(), nuclei.end(), [main](size_t v) { return v < main; });
    const bool closedIn = nuclei[0] == 0 && (Has(w, 0, "ɪ", "n") || Has(w, 0, "ɪ", "m"));
    if (before >= 2 && (!IsWeak(w, nuclei[0]) || closedIn))
        w.insert(w.begin(), "ˌ");
    else if (before == 1 && Has(w, 0, "ɒ", "b"))
        w[0] = "ə";
}

// Unstressed /uː/ is short, as textbooks write it: before another vowel (actual /ˈæktʃʊəl/,
// situation) unless that vowel ends the word (interviewer), and after j or dʒ inside the word
// (document /ˈdɒkjʊmənt/, manufacture, educate). In the first syllable (unique, nutrition) or
// the last (value /ˈvæljuː/, schedule /ˈʃedjuːl/) it stays long.
void ShortUnstressedU(Word& w) {
    for (size_t i = 0; i + 2 < w.size(); ++i) {
        if (!Has(w, i, "u", "ː") || !StressOf(w, i).empty())
            continue;
        const size_t next = i + 2;
        const auto at = [&w](size_t k) { return w.begin() + static_cast<std::ptrdiff_t>(k); };
        const bool notFirst = std::any_of(w.begin(), at(i), IsVowel);
        // situation: a vowel after the stress mark, but throughout keeps its first syllable's
        const size_t vowel = IsStress(w[next]) && notFirst ? next + 1 : next;
        const bool beforeVowel =
            vowel < w.size() && IsVowel(w[vowel]) && vowel + NucleusLength(w, vowel) < w.size();
        const bool afterJ =
            i > 0 && (w[i - 1] == "j" || (i > 1 && w[i - 2] == "d" && w[i - 1] == "ʒ"));
        const bool inside =
            notFirst && !IsVowel(w[next]) && std::any_of(at(next), w.end(), IsVowel);
        if (beforeVowel || (afterJ && inside)) {
            w[i] = "ʊ";
            w.erase(at(next - 1));
        }
    }
}

// A final /əl/ or /ən/ as textbooks write it: /ˈteɪbl/ after any consonant but r; /ˈneɪʃn/
// after ʃ or ʒ; /ˈbʌtn/ after one t, d, s, z, f or v following a vowel; /ənt/ and /əns/ the
// same when that vowel is the stressed one (/ˈstjuːdnt/, /ˈpeɪʃns/, but /ˈprezɪdənt/); /ənz/
// as /ən/ (relations).
void SyllabicEnding(Word& w) {
    const size_t n = w.size();
    if (n >= 3 && w[n - 2] == "ə" && w[n - 1] == "l") {
        if (IsConsonant(w[n - 3]) && !OneOf(w[n - 3], {"r", "j", "w"}))
            w.erase(w.end() - 2);
        return;
    }
    size_t schwa = 0;
    if (n >= 4 && w[n - 2] == "ə" && w[n - 1] == "n")
        schwa = n - 2;
    else if (n >= 5 && w[n - 3] == "ə" && w[n - 2] == "n" && OneOf(w[n - 1], {"t", "s", "z"}))
        schwa = n - 3;
    else
        return;
    const Unit& consonant = w[schwa - 1];
    const Unit& before = w[schwa - 2];
    const bool afterVowel = before == "ː" || IsVowel(before);
    const bool hush = OneOf(consonant, {"ʃ", "ʒ"}) && !OneOf(before, {"t", "d"});
    const bool single = afterVowel && OneOf(consonant, {"t", "d", "s", "z", "f", "v", "ʃ", "ʒ"});
    bool syllabic = hush || single;
    if (schwa == n - 3 && w[n - 1] != "z") {
        const auto main = std::find(w.begin(), w.end(), Unit("ˈ"));
        const auto nuclei = Nuclei(w);
        const auto stressed = std::find_if(nuclei.begin(), nuclei.end(), [&](size_t v) {
            return v > static_cast<size_t>(main - w.begin());
        });
        syllabic = single && main != w.end() && stressed != nuclei.end() &&
                   *stressed + NucleusLength(w, *stressed) == schwa - 1;
    }
    if (syllabic)
        w.erase(w.begin() + static_cast<std::ptrdiff_t>(schwa));
}

std::string OneWord(std::string_view espeak, std::string_view rp) {
    Word word = Textbook(Split(espeak));
    if (!rp.empty())
        word = TakeBathVowels(word, Textbook(Split(rp)));
    word = PlaceStress(std::move(word));
    RaiseUnstressedE(word);
    KeepPrefixS(word);
    DentalN(word);
    if (Nuclei(word).size() <= 1)
        std::erase_if(word, IsStress);
    else
        OneMainStress(word);
    if (Nuclei(word).size() > 1)
        MarkTheFirstSyllable(word);
    ShortUnstressedU(word);
    SyllabicEnding(word);
    std::string out;
    for (const Unit& u : word)
        out += u;
    return out;
}

} // namespace

std::string TextbookIpa(std::string_view espeak, std::string_view rp) {
    const auto words = Words(espeak);
    auto rpWords = Words(rp);
    if (rpWords.size() != words.size())
        rpWords.assign(words.size(), {});
    std::string out;
    for (size_t i = 0; i < words.size(); ++i)
        out += (out.empty() ? "" : " ") + OneWord(words[i], rpWords[i]);
    return out;
}
