// One word of a drill, and where the word on screen came from.
#pragma once

#include <cstdint>
#include <string>

struct WordRecord {
    std::string word;        // "danci"
    std::string translation; // "fanyi"
    std::int32_t score = 0;  // how urgently the word is to be asked again
    std::int32_t step = 1;   // weight of the next change of score
};

enum class WordSource { NoWord = 1, FromReviewList = 2, Fresh = 3 };
