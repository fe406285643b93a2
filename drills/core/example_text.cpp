#include "drills/core/example_text.h"

#include "store/text_util.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Irregular forms the sentences and phrases use: a word, then one of its forms.
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kIrregular{{
    {"feed", "fed"},
    {"strike", "struck"},
    {"undergo", "undergone"},
}};

bool IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}
bool IsConsonant(char c) {
    return c >= 'a' && c <= 'z' && !IsVowel(c);
}
// The bytes of the letter at `at`: an ASCII one, or a Latin one with an accent (café); 0 for
// anything else (digits, punctuation, £, dashes and quotes beyond ASCII).
size_t LetterAt(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const char c = text[at];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return 1;
    // U+00C0 to U+024F, but for the signs × and ÷.
    const bool latin = at + 1 < text.size() && byte(at) >= 0xC3 && byte(at) <= 0xC9 &&
                       (byte(at + 1) & 0xC0) == 0x80;
    return latin && !(byte(at) == 0xC3 && (byte(at + 1) == 0x97 || byte(at + 1) == 0xB7)) ? 2 : 0;
}

} // namespace

std::vector<std::string> FormsOf(std::string_view word) {
    if (word.empty())
        return {};
    const std::string w = text::AsciiLowered(word);
    std::vector<std::string> forms{w, w + "s", w + "ed", w + "ing", w + "er", w + "est"};
    const auto add = [&forms](const std::string& stem, std::initializer_list<const char*> ends) {
        for (const char* end : ends)
            forms.push_back(stem + end);
    };
    const char last = w.back();
    const char before = w.size() > 1 ? w[w.size() - 2] : '\0';
    if (last == 's' || last == 'x' || last == 'z' || last == 'o' || w.ends_with("ch") ||
        w.ends_with("sh"))
        add(w, {"es"});
    if (last == 'e') {
        add(w, {"d", "r", "st"});
        add(w.substr(0, w.size() - 1), {"ing"});
    }
    if (w.ends_with("ie"))
        add(w.substr(0, w.size() - 2), {"ying"});
    if (last == 'y' && IsConsonant(before))
        add(w.substr(0, w.size() - 1), {"ies", "ied", "ier", "iest"});
    // A doubled final consonant: stop, travel (British travelled), equip.
    if (IsConsonant(last) && last != 'w' && last != 'x' && last != 'y' && IsVowel(before))
        add(w + last, {"ed", "ing", "er", "est"});
    if (last == 'c')
        add(w, {"ked", "king"});
    if (w.ends_with("fe"))
        add(w.substr(0, w.size() - 2), {"ves"});
    else if (last == 'f')
        add(w.substr(0, w.size() - 1), {"ves"});
    for (const auto& [base, form] : kIrregular)
        if (base == w)
            forms.emplace_back(form);
    return forms;
}

bool IsFormOf(std::string_view token, std::string_view word) {
    if (token.empty())
        return false;
    const std::vector<std::string> forms = FormsOf(word);
    return std::find(forms.begin(), forms.end(), text::AsciiLowered(token)) != forms.end();
}

std::vector<std::string_view> WordsOf(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = i + LetterAt(text, i);
        if (end == i) {
            ++i;
            continue;
        }
        // Digits and letters go on a word; an apostrophe or hyphen belongs to it when a letter
        // follows.
        for (;;) {
            if (end < text.size() && LetterAt(text, end) > 0)
                end += LetterAt(text, end);
            else if (end < text.size() && text[end] >= '0' && text[end] <= '9')
                end += 1;
            else if (end + 1 < text.size() && (text[end] == '\'' || text[end] == '-') &&
                     LetterAt(text, end + 1) > 0)
                end += 1;
            else
                break;
        }
        std::string_view word = text.substr(i, end - i);
        if (word.size() > 2 && (word.ends_with("'s") || word.ends_with("'S")))
            word.remove_suffix(2);
        words.push_back(word);
        i = end;
    }
    return words;
}

std::string BlankWord(std::string_view sentence, std::string_view word) {
    std::string blanked;
    size_t copied = 0;
    for (std::string_view token : WordsOf(sentence)) {
        if (!IsFormOf(token, word))
            continue;
        const auto at = static_cast<size_t>(token.data() - sentence.data());
        blanked.append(sentence.substr(copied, at - copied)).append(kBlank);
        copied = at + token.size();
    }
    return blanked.append(sentence.substr(copied));
}

std::string ExampleText(const WordExamples& examples) {
    std::string text;
    if (!examples.sentence.empty())
        text = examples.sentence + "\n" + examples.translation;
    for (const WordPhrase& phrase : examples.phrases)
        text += (text.empty() ? "" : "\n") + phrase.phrase + "  " + phrase.meaning;
    return text;
}

std::string HintText(const WordExamples& examples, std::string_view word) {
    if (examples.sentence.empty())
        return {};
    return BlankWord(examples.sentence, word) + "\n" + examples.translation;
}
