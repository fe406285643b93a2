// espeak-ng's British IPA as Chinese textbooks write it: the stress mark at the start of its
// syllable, one main stress on a word of two or more syllables and no secondary one after it,
// textbook symbols (r, g, æ, e, ɪ, ɪə; no ɐ, ᵻ, ɾ or bare i), syllabic endings (/ˈteɪbl/,
// /ˈneɪʃn/), no mark on a one-syllable word.
#pragma once

#include <string>
#include <string_view>

// One word or a phrase (words separated by blanks, each transcribed on its own). `rp`, when
// given, is the same text in espeak-ng's en-gb-x-rp voice: it alone tells the BATH vowel
// (/ɑːsk/) from the TRAP one, and the word takes its /ɑː/ there; the rest comes from `espeak`
// (en-gb), which keeps the CURE vowel (/kjʊə/) that the RP voice writes as /ɔː/.
std::string TextbookIpa(std::string_view espeak, std::string_view rp = {});
