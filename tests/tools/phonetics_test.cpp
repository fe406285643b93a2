#include "tools/phonetics.h"

#include <gtest/gtest.h>

namespace {

// espeak-ng -q --ipa -v en-gb, as it writes these words, and the textbook's form.
TEST(Phonetics, EspeakBecomesTheTextbooksNotation) {
    const std::pair<const char*, const char*> cases[] = {
        {"ɹɪvˈiːl", "rɪˈviːl"},                 // the mark moves to the syllable's start
        {"ˌakədˈɛmɪk", "ˌækəˈdemɪk"},           // secondary stress too; a → æ, ɛ → e
        {"ɪnfˈɜː", "ɪnˈfɜː"},                   // one consonant moves, not the coda
        {"ˌʌndəstˈand", "ˌʌndəˈstænd"},         // a legal onset moves whole
        {"ɛksplˈeɪn", "ɪkˈspleɪn"},             // unstressed ex- is ɪk
        {"kəŋɡɹˈatʃʊlˌeɪt", "kənˈgrætʃʊˌleɪt"}, // n, not ŋ, before a stressed syllable
        {"ɛnθjˈuːzɪˌazəm", "ɪnˈθjuːzɪˌæzəm"},   // the longest legal onset of a cluster
        {"ɐbˈaʊt", "əˈbaʊt"},                   // ɐ → ə; aʊ stays
        {"nˈiə", "nɪə"},                        // iə → ɪə; one syllable: no mark
        {"ɡˈəʊ", "gəʊ"},                        // ɡ → g
        {"kˈʌp", "kʌp"},
        {"hˈapi", "ˈhæpɪ"},         // a final i is the textbook's ɪ
        {"ˈapəl", "ˈæpəl"},         // a mark at the start stays
        {"tʃˈɪldɹən", "ˈtʃɪldrən"}, // tʃ is one sound; ɹ → r
        {"sˌɪtʃuːˈeɪʃən", "ˌsɪtʃuːˈeɪʃən"},
        {"bˈɛɾɚ", "ˈbetə"},    // no flap, no r-coloured schwa
        {"sˈɪŋɪŋ", "ˈsɪŋɪŋ"},  // ŋ begins no syllable
        {"at ˈɔːl", "æt ɔːl"}, // a phrase: word by word
    };
    for (const auto& [espeak, textbook] : cases)
        EXPECT_EQ(TextbookIpa(espeak), textbook) << espeak;
}

} // namespace
