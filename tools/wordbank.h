// Word lists (TSV) and the danci.mdb file built from them.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

struct WordEntry {
    std::string word;
    std::string translation;
    std::vector<std::string> variants = {}; // other spellings the spelling drill accepts
};

// A rejected input, its message naming the file and line.
class WordBankError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One entry a line: word TAB translation [TAB variants [TAB anything further, ignored]],
// the variants separated by commas (a third column of anything else is ignored too). UTF-8, LF or
// CRLF, an optional byte-order mark. Throws WordBankError at the first bad line.
std::vector<WordEntry> ReadWordList(const std::string& path);

// A line of the example sentences (word, English sentence, its Chinese translation) or of
// the phrases (word, phrase, its Chinese meaning).
struct ExampleLine {
    std::string word;
    std::string english;
    std::string chinese;
    bool operator==(const ExampleLine&) const = default;
};

// Exactly three columns a line, none empty: word TAB English TAB Chinese. UTF-8, LF or CRLF,
// an optional byte-order mark. Throws WordBankError at the first bad line.
std::vector<ExampleLine> ReadExampleList(const std::string& path);

struct BankTable {
    std::string table; // "CET4" or "CET6"
    std::vector<WordEntry> words;
};

// What to do with a database already at the output path: it holds a learner's review rows.
enum class ExistingDatabase {
    Replace,     // replace it whole
    Refuse,      // fail, leaving it alone
    KeepReviews, // replace the banks, carry its review rows over
};

// A learner's database brought up to a bundled one: the bundled banks, variants,
// transcriptions, sentences and phrases, with the learner's review rows carried over.
// Replaced whole, or not at all.
void UpgradeWordDatabase(const std::string& learnerPath, const std::string& bundledPath);

// Writes a fresh database with the bank tables given (and CET4/CET6 empty where not
// given), the two review tables and the accepted variant spellings (table "bianti"). The file
// appears whole or not at all; an existing file is replaced only on success. Throws WordBankError.
// `transcriptions`: each word with its transcription (in `translation`), for table "yinbiao";
// `sentences` (one a word) and `phrases` for tables "liju" and "cizu".
void BuildWordDatabase(const std::string& outPath, const std::vector<BankTable>& banks,
                       ExistingDatabase existing = ExistingDatabase::Replace,
                       const std::vector<WordEntry>& transcriptions = {},
                       const std::vector<ExampleLine>& sentences = {},
                       const std::vector<ExampleLine>& phrases = {});
