// What the drills and 查词 show of a word's example sentence and phrases, and the spelling
// drill's hint: the sentence with the word blanked out.
#pragma once

#include "store/word_examples.h"

#include <string>
#include <string_view>
#include <vector>

// Whether `token` is `word` or one of its forms, in any case: -s/-es, -ed, -ing, -er/-est with
// the usual spelling changes (doubled final consonant, y to i, a dropped e, f to ves), and the
// few irregular forms our sentences use.
bool IsFormOf(std::string_view token, std::string_view word);
// Those forms, lower-case, the word first; some are no English word (boxs), which does no
// harm where they are only compared with the words of a text.
std::vector<std::string> FormsOf(std::string_view word);

// The words of an English text, in order, as views into it: a letter (accented ones too, for
// café), then letters and digits, with apostrophes and hyphens inside; a possessive 's is left
// out.
std::vector<std::string_view> WordsOf(std::string_view text);

// `sentence` with every form of `word` replaced by a blank.
std::string BlankWord(std::string_view sentence, std::string_view word);
inline constexpr std::string_view kBlank = "_____";

// The sentence, its translation below it, then each phrase with its meaning on a line of its
// own; empty when there is nothing.
std::string ExampleText(const WordExamples& examples);
// The sentence with `word` blanked and its translation; empty when there is no sentence.
std::string HintText(const WordExamples& examples, std::string_view word);
