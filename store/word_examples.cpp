#include "store/word_examples.h"

#include "store/database_of.h"
#include "store/engine_call.h"
#include "store/word_schema.h"

WordExamples ReadWordExamples(const _ConnectionPtr& connection, const std::string& word) {
    return Engine([&] {
        WordExamples examples;
        sqlite::Database& db = DatabaseOf(connection);
        const auto read = [&](const char* table, const char* column, auto&& take) {
            if (!TableExists(db, table))
                return;
            sqlite::Statement rows(db, std::string("SELECT ") + column + ", " + mdb::kMeaning +
                                           " FROM " + table + " WHERE " + mdb::kWord +
                                           " = ?1 ORDER BY rowid");
            rows.BindText(1, word);
            while (rows.Step())
                take(rows.String(0), rows.String(1));
        };
        read(mdb::kSentences, mdb::kSentence, [&](std::string english, std::string chinese) {
            if (examples.sentence.empty()) {
                examples.sentence = std::move(english);
                examples.translation = std::move(chinese);
            }
        });
        read(mdb::kPhrases, mdb::kPhrase, [&](std::string phrase, std::string meaning) {
            examples.phrases.push_back({std::move(phrase), std::move(meaning)});
        });
        return examples;
    });
}
