// A word's example sentence with its translation, and the phrases the exam tests: tables of
// our own (see word_schema.h) that the bank builder fills, read for the word on screen.
#pragma once

#include "store/ado.h"

#include <string>
#include <vector>

struct WordPhrase {
    std::string phrase;  // "adapt to"
    std::string meaning; // "适应"
    bool operator==(const WordPhrase&) const = default;
};

struct WordExamples {
    std::string sentence; // empty where the word has none
    std::string translation;
    std::vector<WordPhrase> phrases; // in the order they are shown
    bool operator==(const WordExamples&) const = default;
};

// What the database holds for `word`, spelled as its bank spells it; nothing in a database
// made before these tables. Raises _com_error.
WordExamples ReadWordExamples(const _ConnectionPtr& connection, const std::string& word);
