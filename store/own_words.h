// 生词本: the learner's own list of hard words, in a table of our own ("shengciben") that
// the program creates where it is missing.
#pragma once

#include "store/ado.h"

#include <string>
#include <vector>

struct OwnWord {
    std::string word, meaning, bank;
    bool operator==(const OwnWord&) const = default;
};

namespace own_words {

// False when the word was there already. Raises _com_error.
bool Add(const _ConnectionPtr& connection, const OwnWord& word);
void Remove(const _ConnectionPtr& connection, const std::string& word);
// In the order they were added; none where the table is not there yet. Raises _com_error.
std::vector<OwnWord> All(const _ConnectionPtr& connection);

} // namespace own_words
