// espeak-ng's British IPA as Chinese textbooks write it: the stress mark at the start of its
// syllable, textbook symbols (r, g, æ, e, ɪə, a final ɪ; no ɐ, ᵻ or ɾ), no mark on a
// one-syllable word.
#pragma once

#include <string>
#include <string_view>

// One word or a phrase (words separated by blanks, each transcribed on its own).
std::string TextbookIpa(std::string_view espeak);
