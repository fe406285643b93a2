#include "drills/core/practice_lists.h"

#include "store/own_words.h"
#include "store/table_reads.h"
#include "store/word_schema.h"

#include <set>

PracticeList OwnWordsPractice(const _ConnectionPtr& connection) {
    PracticeList list{"生词本", {}};
    for (const OwnWord& own : own_words::All(connection))
        list.words.push_back({own.word, own.meaning, 0, 1});
    return list;
}

PracticeList MissedWordsPractice(const _ConnectionPtr& connection, const std::string& reviewTable) {
    PracticeList list{"错词本", {}};
    std::set<std::string> seen;
    for (auto& [word, meaning] :
         ReadColumnPairs(connection, reviewTable, mdb::kWord, mdb::kMeaning))
        if (!word.empty() && seen.insert(word).second)
            list.words.push_back({word, meaning, 0, 1});
    return list;
}
