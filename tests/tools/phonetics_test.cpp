#include "tools/phonetics.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// espeak-ng -q --ipa, as its en-gb voice (and, where given, its en-gb-x-rp voice) writes these
// words, and the textbook's form.
TEST(Phonetics, EspeakBecomesTheTextbooksNotation) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"ɹɪvˈiːl", "", "rɪˈviːl"},                    // the mark moves to the syllable's start
        {"ˌakədˈɛmɪk", "", "ˌækəˈdemɪk"},              // secondary stress too; a → æ, ɛ → e
        {"ɪnfˈɜː", "", "ɪnˈfɜː"},                      // one consonant moves, not the coda
        {"ˌʌndəstˈand", "", "ˌʌndəˈstænd"},            // a legal onset moves whole
        {"ɛksplˈeɪn", "", "ɪkˈspleɪn"},                // unstressed ex- is ɪk
        {"ˌɪnɛkspˈɛnsɪv", "", "ˌɪnɪkˈspensɪv"},        // after a prefix too
        {"kəŋɡɹˈatʃʊlˌeɪt", "", "kənˈgrætʃʊleɪt"},     // n before a stressed syllable
        {"ɛnθjˈuːzɪˌazəm", "", "ɪnˈθjuːzɪæzəm"},       // no secondary after the main stress
        {"ɹɪlˈeɪʃənʃˌɪp", "", "rɪˈleɪʃənʃɪp"},         //
        {"aɪdˈɛntɪfɪkˈeɪʃən", "", "aɪˌdentɪfɪˈkeɪʃn"}, // of two main stresses the last
        {"ɹˌɛpɹɪzˈɛntˈeɪʃən", "", "ˌreprɪzenˈteɪʃn"},  // one secondary before it, the first
        {"ˌɪntʊ", "", "ˈɪntʊ"},                        // a word of two syllables has one
        {"ɒpətjˈuːnɪti", "", "ˌɒpəˈtjuːnɪtɪ"},         // a secondary on a full first syllable
        {"ɒbzəvˈeɪʃən", "", "ˌɒbzəˈveɪʃn"},            //
        {"ɪnvɪtˈeɪʃən", "", "ˌɪnvɪˈteɪʃn"},            // in- too
        {"ɒbzˈɜːv", "", "əbˈzɜːv"},                    // ob- just before the stress is weak
        {"dɪsmˈɪs", "", "dɪsˈmɪs"},                    // dis- keeps its s before m
        {"dɪskˈʌvə", "", "dɪˈskʌvə"},                  // but not before k
        {"pɹɪzjˈuːm", "", "prɪˈzjuːm"},                // zj begins a syllable
        {"ɐbˈaʊt", "", "əˈbaʊt"},                      // ɐ → ə; aʊ stays
        {"nˈiə", "", "nɪə"},                           // iə → ɪə; one syllable: no mark
        {"fˈaɪv", "", "faɪv"},                         //
        {"klˈaɪənt", "", "ˈklaɪənt"},                  // aɪə is two syllables
        {"ɡˈəʊ", "", "gəʊ"},                           // ɡ → g
        {"hˈapi", "", "ˈhæpɪ"},                        // no bare i: happy, easily, married
        {"ˈiːzili", "", "ˈiːzɪlɪ"},                    //
        {"mˈaɹid", "", "ˈmærɪd"},                      //
        {"tʃˈɪldɹən", "", "ˈtʃɪldrən"},                // tʃ is one sound; ɹ → r
        {"bˈɛɾɚ", "", "ˈbetə"},                        // no flap, no r-coloured schwa
        {"sˈɪŋɪŋ", "", "ˈsɪŋɪŋ"},                      // ŋ begins no syllable
        {"at ˈɔːl", "", "æt ɔːl"},                     // a phrase: word by word
        {"tˈeɪbəl", "", "ˈteɪbl"},                     // syllabic l after a consonant
        {"kˈeəfəl", "", "ˈkeəfl"},                     //
        {"dʒˈɛnəɹəl", "", "ˈdʒenərəl"},                // but not after r or a vowel
        {"ɹˈɔɪəl", "", "ˈrɔɪəl"},                      //
        {"nˈeɪʃən", "", "ˈneɪʃn"},                     // syllabic n after ʃ
        {"fˈʌŋkʃən", "", "ˈfʌŋkʃn"},                   //
        {"bˈʌtən", "", "ˈbʌtn"},                       // after one t, d, s, z, f or v
        {"ɡˈəʊldən", "", "ˈgəʊldən"},                  // not after two consonants
        {"lˈɛmən", "", "ˈlemən"},                      // nor after m, tʃ or dʒ
        {"kwˈɛstʃən", "", "ˈkwestʃən"},                //
        {"stjˈuːdənt", "", "ˈstjuːdnt"},               // -ənt after the stressed vowel
        {"pɹˈɛzɪdənt", "", "ˈprezɪdənt"},              // but not after another
        {"ˈaktʃuːəl", "", "ˈæktʃʊəl"},                 // unstressed uː before a vowel
        {"sˌɪtʃuːˈeɪʃən", "", "ˌsɪtʃʊˈeɪʃn"},          // a stressed one too
        {"ˈɪntəvjˌuːə", "", "ˈɪntəvjuːə"},             // but not before a final one
        {"dˈɒkjuːmənt", "", "ˈdɒkjʊmənt"},             // juː after the main stress
        {"mˌanjuːfˈaktʃə", "", "ˌmænjʊˈfæktʃə"},       // or before it, inside the word
        {"ʃˈɛdjuːl", "", "ˈʃedjuːl"},                  // but not in the last syllable
        {"vˈaljuː", "", "ˈvæljuː"},                    //
        {"ˈaftə", "ˈɑːftɐ", "ˈɑːftə"},                 // the RP voice tells BATH from TRAP
        {"kˈat", "kˈæt", "kæt"},                       //
        {"ˈad ˈaftə", "ˈæd ˈɑːftɐ", "æd ˈɑːftə"},      // word by word in a phrase
        {"kjˈʊə", "kjˈɔː", "kjʊə"},                    // and keeps CURE's ʊə
        {"ˈɛɡzaɪl", "ˈɪɡzaɪl", "ˈegzaɪl"},             // and en-gb's other vowels
        {"dɹˈɔːɪŋ", "dɹˈɔːɹɪŋ", "ˈdrɔːɪŋ"},            // and, where they part, en-gb
    };
    for (const auto& [espeak, rp, textbook] : cases)
        EXPECT_EQ(TextbookIpa(espeak, rp), textbook) << espeak;
}

} // namespace
