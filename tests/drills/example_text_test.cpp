// The forms of a word a sentence may use, the words of a sentence, and the hint that blanks
// them out.
#include "drills/core/example_text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ExampleText, KnowsTheFormsOfAWordWithTheUsualSpellingChanges) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Stops", "stop", true},
        {"stopped", "stop", true},
        {"stopping", "stop", true},
        {"travelled", "travel", true},
        {"equipped", "equip", true},
        {"studies", "study", true},
        {"studied", "study", true},
        {"plays", "play", true},
        {"played", "play", true},
        {"hoping", "hope", true},
        {"hoped", "hope", true},
        {"lying", "lie", true},
        {"boxes", "box", true},
        {"happier", "happy", true},
        {"largest", "large", true},
        {"knives", "knife", true},
        {"leaves", "leaf", true},
        {"panicked", "panic", true},
        {"X-rays", "X-ray", true},
        {"undergone", "undergo", true},
        {"fed", "feed", true},
        {"struck", "strike", true},
        {"I", "I", true},
        {"cart", "car", false},
        {"scar", "car", false},
        {"carpet", "car", false},
        {"boxxed", "box", false},
        {"playes", "play", false},
        {"went", "go", false},
        {"", "car", false},
    };
    for (const auto& [token, word, form] : cases)
        EXPECT_EQ(IsFormOf(token, word), form) << token << " of " << word;
}

TEST(ExampleText, ReadsTheWordsOfASentenceAndBlanksEveryFormOfTheWord) {
    EXPECT_EQ(WordsOf("The farmer's part-time 'helpers' — at a café — weren't paid £60 in MP3s."),
              (std::vector<std::string_view>{"The", "farmer", "part-time", "helpers", "at", "a",
                                             "café", "weren't", "paid", "in", "MP3s"}));
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Stop! She stopped, then stops.", "stop", "_____! She _____, then _____."},
        {"The farmer's field is the farmers' pride.", "farmer",
         "The _____'s field is the _____' pride."},
        {"A scar on the car.", "car", "A scar on the _____."},
        {"The town has undergone great changes.", "undergo", "The town has _____ great changes."},
        {"No form here.", "absent", "No form here."},
    };
    for (const auto& [sentence, word, blanked] : cases)
        EXPECT_EQ(BlankWord(sentence, word), blanked) << sentence;
}

TEST(ExampleText, ShowsTheSentenceItsTranslationAndThePhrasesEachOnALine) {
    const WordExamples adapt{"It took weeks to adapt.",
                             "花了几周才适应。",
                             {{"adapt to", "适应"}, {"adapt ... for", "把……改编成"}}};
    EXPECT_EQ(
        ExampleText(adapt),
        "It took weeks to adapt.\n花了几周才适应。\nadapt to  适应\nadapt ... for  把……改编成");
    EXPECT_EQ(HintText(adapt, "adapt"), "It took weeks to _____.\n花了几周才适应。");
    EXPECT_EQ(ExampleText({"", "", {{"in brief", "简言之"}}}), "in brief  简言之");
    EXPECT_EQ(HintText({"", "", {{"in brief", "简言之"}}}, "brief"), "");
    EXPECT_EQ(ExampleText({}), "");
}

} // namespace
