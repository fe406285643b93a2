#include "tools/wordbank.h"

#include "store/sqlite_util.h"
#include "store/text_util.h"
#include "store/word_schema.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>

namespace fs = std::filesystem;

namespace {

bool IsSpelling(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '\'' ||
               c == ' ';
    });
}

// "color, colour" as its spellings; anything else in that column (a phonetic, say) is
// not a list of spellings and gives none.
std::vector<std::string> SpellingList(std::string_view column) {
    std::vector<std::string> spellings;
    while (!column.empty()) {
        const size_t comma = column.find(',');
        std::string_view spelling = text::Trim(column.substr(0, comma));
        if (!IsSpelling(spelling))
            return {};
        spellings.emplace_back(spelling);
        column = comma == std::string_view::npos ? std::string_view{} : column.substr(comma + 1);
    }
    return spellings;
}

WordEntry ParseLine(std::string_view line, const std::string& where) {
    if (!text::IsValidUtf8(line))
        throw WordBankError(where + ": not valid UTF-8");
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        throw WordBankError(where + ": expected a word, a TAB and a translation");
    std::string_view word = text::Trim(line.substr(0, tab));
    std::string_view rest = line.substr(tab + 1);
    const size_t secondTab = rest.find('\t');
    std::string_view translation = text::Trim(rest.substr(0, secondTab));
    if (word.empty())
        throw WordBankError(where + ": empty word");
    if (translation.empty())
        throw WordBankError(where + ": empty translation");
    WordEntry entry{std::string(word), std::string(translation), {}};
    if (secondTab != std::string_view::npos) {
        std::string_view third = rest.substr(secondTab + 1);
        entry.variants = SpellingList(third.substr(0, third.find('\t')));
    }
    return entry;
}

void InsertWords(sqlite::Database& db, const BankTable& bank) {
    sqlite::Statement insert(db, "INSERT INTO " + sqlite::QuoteIdentifier(bank.table) + " (" +
                                     mdb::kWord + ", " + mdb::kMeaning + ") VALUES (?1, ?2)");
    // A word in both banks lists its variants twice: each is stored once.
    const std::string variants = mdb::kVariants, word = mdb::kWord, other = mdb::kVariant;
    sqlite::Statement variant(db, "INSERT INTO " + variants + " (" + word + ", " + other +
                                      ") SELECT ?1, ?2 WHERE NOT EXISTS (SELECT 1 FROM " +
                                      variants + " WHERE " + word + " = ?1 AND " + other +
                                      " = ?2)");
    for (const WordEntry& entry : bank.words) {
        insert.BindText(1, entry.word);
        insert.BindText(2, entry.translation);
        insert.Run();
        insert.Reset();
        for (const std::string& spelling : entry.variants) {
            variant.BindText(1, entry.word);
            variant.BindText(2, spelling);
            variant.Run();
            variant.Reset();
        }
    }
}

// The review rows of the database at `from`, copied into the open one.
void CopyReviews(sqlite::Database& db, const std::string& from) {
    try {
        sqlite::Statement attach(db, "ATTACH DATABASE ?1 AS old");
        attach.BindText(1, from);
        attach.Run();
    } catch (const sqlite::Error& e) {
        throw WordBankError(from + ": cannot read its review rows (" + e.what() + ")");
    }
    sqlite::Transaction copy(db);
    const std::string columns = std::string(mdb::kWord) + ", " + mdb::kMeaning + ", " + mdb::kDate;
    for (const char* table : mdb::kReviewTables)
        db.Exec(std::string("INSERT INTO ") + table + " (" + columns + ") SELECT " + columns +
                " FROM old." + table + " ORDER BY rowid");
    // The learner's history and 生词本 go along whole, as their tables were made.
    for (const char* table : {mdb::kStudyLog, mdb::kOwnWords}) {
        sqlite::Statement made(db, "SELECT sql FROM old.sqlite_master WHERE type = 'table' AND "
                                   "name = ?1");
        made.BindText(1, table);
        if (!made.Step() || !made.Text(0))
            continue;
        const std::string create = made.Text(0);
        db.Exec("DROP TABLE IF EXISTS main." + sqlite::QuoteIdentifier(table));
        db.Exec(create);
        db.Exec(std::string("INSERT INTO main.") + table + " SELECT * FROM old." + table +
                " ORDER BY rowid");
    }
    copy.Commit();
}

void InsertTranscriptions(sqlite::Database& db, const std::vector<WordEntry>& transcriptions) {
    sqlite::Statement insert(db, std::string("INSERT INTO ") + mdb::kTranscriptions + " (" +
                                     mdb::kWord + ", " + mdb::kTranscription + ") VALUES (?1, ?2)");
    for (const WordEntry& entry : transcriptions) {
        insert.BindText(1, entry.word);
        insert.BindText(2, entry.translation);
        insert.Run();
        insert.Reset();
    }
}

// A word's sentence is found by its word, so each word has one.
void InsertExamples(sqlite::Database& db, const std::vector<ExampleLine>& sentences,
                    const std::vector<ExampleLine>& phrases) {
    std::set<std::string_view> words;
    for (const ExampleLine& line : sentences)
        if (!words.insert(line.word).second)
            throw WordBankError("more than one example sentence for " + line.word);
    const auto insert = [&db](const char* table, const char* column,
                              const std::vector<ExampleLine>& lines) {
        sqlite::Statement row(db, std::string("INSERT INTO ") + table + " (" + mdb::kWord + ", " +
                                      column + ", " + mdb::kMeaning + ") VALUES (?1, ?2, ?3)");
        for (const ExampleLine& line : lines) {
            row.BindText(1, line.word);
            row.BindText(2, line.english);
            row.BindText(3, line.chinese);
            row.Run();
            row.Reset();
        }
        db.Exec(std::string("CREATE INDEX ") + table + "_" + mdb::kWord + " ON " + table + " (" +
                mdb::kWord + ")");
    };
    insert(mdb::kSentences, mdb::kSentence, sentences);
    insert(mdb::kPhrases, mdb::kPhrase, phrases);
}

struct Contents {
    const std::vector<BankTable>& banks;
    const std::vector<WordEntry>& transcriptions;
    const std::vector<ExampleLine>& sentences;
    const std::vector<ExampleLine>& phrases;
};

void WriteDatabase(const std::string& path, const Contents& contents,
                   const std::string& reviewsFrom) {
    sqlite::Database db = [&path] {
        try {
            return sqlite::Database(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        } catch (const sqlite::Error& e) {
            throw WordBankError(path + ": cannot create (" + e.what() + ")");
        }
    }();
    try {
        sqlite::Transaction build(db);
        for (const char* table : mdb::kBanks)
            db.Exec(mdb::CreateBankTable(table));
        for (const char* table : mdb::kReviewTables)
            db.Exec(mdb::CreateReviewTable(table));
        db.Exec(mdb::CreateVariantTable());
        db.Exec(mdb::CreateTranscriptionTable());
        db.Exec(mdb::CreateSentenceTable());
        db.Exec(mdb::CreatePhraseTable());
        InsertTranscriptions(db, contents.transcriptions);
        InsertExamples(db, contents.sentences, contents.phrases);
        for (const BankTable& bank : contents.banks) {
            if (bank.table != mdb::kCet4 && bank.table != mdb::kCet6)
                throw WordBankError("unknown bank table: " + bank.table);
            InsertWords(db, bank);
        }
        build.Commit();
        if (!reviewsFrom.empty())
            CopyReviews(db, reviewsFrom);
    } catch (const sqlite::Error& e) {
        throw WordBankError(std::string("database: ") + e.what());
    }
}

// Calls `parse` with each line (without its line end and the first line's byte-order mark)
// and where it is, "file:line".
template <class Parse> void ForEachLine(const std::string& path, Parse&& parse) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw WordBankError(path + ": cannot open");
    std::string line;
    for (size_t number = 1; std::getline(in, line); ++number) {
        std::string_view text = line;
        if (number == 1 && text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        parse(text, path + ":" + std::to_string(number));
    }
    if (in.bad())
        throw WordBankError(path + ": read error");
}

ExampleLine ParseExampleLine(std::string_view line, const std::string& where) {
    if (!text::IsValidUtf8(line))
        throw WordBankError(where + ": not valid UTF-8");
    std::vector<std::string> columns;
    for (size_t from = 0;;) {
        const size_t tab = line.find('\t', from);
        columns.emplace_back(text::Trim(line.substr(from, tab - from)));
        if (tab == std::string_view::npos)
            break;
        from = tab + 1;
    }
    if (columns.size() != 3)
        throw WordBankError(where + ": expected a word, an English text and a Chinese one, "
                                    "separated by TABs");
    for (const std::string& column : columns)
        if (column.empty())
            throw WordBankError(where + ": empty column");
    return {columns[0], columns[1], columns[2]};
}

} // namespace

std::vector<WordEntry> ReadWordList(const std::string& path) {
    std::vector<WordEntry> words;
    ForEachLine(path, [&](std::string_view line, const std::string& where) {
        words.push_back(ParseLine(line, where));
    });
    return words;
}

std::vector<ExampleLine> ReadExampleList(const std::string& path) {
    std::vector<ExampleLine> lines;
    ForEachLine(path, [&](std::string_view line, const std::string& where) {
        lines.push_back(ParseExampleLine(line, where));
    });
    return lines;
}

namespace {

// Makes the new file beside `outPath` with `make`, then puts it in its place: the old file
// stays until the new one is whole, and no half-made one is left behind.
template <class Make> void ReplaceWithBuilt(const std::string& outPath, Make&& make) {
    const std::string temp = outPath + ".building";
    std::error_code ec;
    fs::remove(temp, ec);
    try {
        make(temp);
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
    fs::rename(temp, outPath, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw WordBankError(outPath + ": cannot write (" + ec.message() + ")");
    }
}

} // namespace

void BuildWordDatabase(const std::string& outPath, const std::vector<BankTable>& banks,
                       ExistingDatabase existing, const std::vector<WordEntry>& transcriptions,
                       const std::vector<ExampleLine>& sentences,
                       const std::vector<ExampleLine>& phrases) {
    std::error_code ec;
    const bool exists = fs::exists(outPath, ec);
    if (exists && existing == ExistingDatabase::Refuse)
        throw WordBankError(outPath + ": exists and holds review rows; --force replaces it, "
                                      "--keep-reviews keeps its review rows");
    ReplaceWithBuilt(outPath, [&](const std::string& temp) {
        WriteDatabase(temp, {banks, transcriptions, sentences, phrases},
                      exists && existing == ExistingDatabase::KeepReviews ? outPath : "");
    });
}

void UpgradeWordDatabase(const std::string& learnerPath, const std::string& bundledPath) {
    ReplaceWithBuilt(learnerPath, [&](const std::string& temp) {
        std::error_code ec;
        if (!fs::copy_file(bundledPath, temp, ec))
            throw WordBankError(bundledPath + ": cannot copy (" + ec.message() + ")");
        try {
            sqlite::Database db(temp, SQLITE_OPEN_READWRITE);
            CopyReviews(db, learnerPath);
        } catch (const sqlite::Error& e) {
            throw WordBankError(temp + ": " + e.what());
        }
    });
}
