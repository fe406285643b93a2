#include "tools/wordbank.h"

#include "store/word_examples.h"
#include "support/temp_dir.h"
#include "support/word_db.h"

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const WordBankError& e) {
        return e.what();
    }
    return {};
}

TEST(WordList, ReadsWordsTranslationsAndVariantSpellingsIgnoringTheRest) {
    TempDir dir;
    dir.Write("bank.tsv", "\xEF\xBB\xBF"
                          "access\tv. 获取 n. 接近，入口\t'ækses\r\nproject\tn. 工程\n"
                          "colour\tn. 颜色\tcolor, colur \tmore\ncentre\tn. 中心\tcenter,\n");
    auto words = ReadWordList(dir.file("bank.tsv"));
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0].word, "access");
    EXPECT_EQ(words[0].translation, "v. 获取 n. 接近，入口");
    EXPECT_TRUE(words[0].variants.empty()); // a phonetic is no list of spellings
    EXPECT_EQ(words[1].translation, "n. 工程");
    EXPECT_EQ(words[2].variants, (std::vector<std::string>{"color", "colur"}));
    EXPECT_EQ(words[3].variants, std::vector<std::string>{"center"});
}

TEST(WordList, RejectsAMalformedLineNamingFileAndLine) {
    TempDir dir;
    const std::string file = dir.file("bank.tsv");
    const std::pair<const char*, const char*> cases[] = {
        {"a\tb\nno tab here\n", ":2: expected a word"}, {"a\tb\n\n", ":2: expected a word"},
        {"a\tb\nc\t\n", ":2: empty translation"},       {"a\tb\nx\ty\n\tz\n", ":3: empty word"},
        {"a\t\xFF\xFE\n", ":1: not valid UTF-8"},
    };
    for (const auto& [content, expected] : cases) {
        dir.Write("bank.tsv", content);
        EXPECT_EQ(ErrorOf([&] { ReadWordList(file); }).rfind(file + expected, 0), 0u) << content;
    }
    EXPECT_NE(ErrorOf([&] { ReadWordList(dir.file("absent.tsv")); }), "");
}

// A sentence or phrase line is three columns: a TAB in the text would shift the Chinese out.
TEST(ExampleList, ReadsThreeColumnsAndRejectsAnyOtherShapeNamingFileAndLine) {
    TempDir dir;
    const std::string file = dir.file("liju.tsv");
    dir.Write("liju.tsv", "\xEF\xBB\xBF"
                          "adapt\tIt took me weeks to adapt.\t我花了几周才适应。\r\n"
                          "adapt\tadapt to \t适应\n");
    EXPECT_EQ(
        ReadExampleList(file),
        (std::vector<ExampleLine>{{"adapt", "It took me weeks to adapt.", "我花了几周才适应。"},
                                  {"adapt", "adapt to", "适应"}}));
    const std::pair<const char*, const char*> cases[] = {
        {"a\tb\tc\na\tb\n", ":2: expected a word"}, {"a\tb\tc\td\n", ":1: expected a word"},
        {"a\tb\tc\n\n", ":2: expected a word"},     {"a\t\tc\n", ":1: empty column"},
        {"a\tb\t \n", ":1: empty column"},          {"a\tb\t\xC0\n", ":1: not valid UTF-8"},
    };
    for (const auto& [content, expected] : cases) {
        dir.Write("liju.tsv", content);
        EXPECT_EQ(ErrorOf([&] { ReadExampleList(file); }).rfind(file + expected, 0), 0u) << content;
    }
}

TEST(WordDatabase, AFailedBuildLeavesTheOldFileAndNoPartialOne) {
    TempDir dir;
    const std::string out = dir.file("danci.mdb");
    BuildWordDatabase(out, {{"CET4", NumberedWords(3)}});
    const std::string before = dir.Read("danci.mdb");
    EXPECT_NE(ErrorOf([&] { BuildWordDatabase(out, {{"CET5", NumberedWords(3)}}); }), "");
    EXPECT_EQ(dir.Read("danci.mdb"), before);
    EXPECT_FALSE(std::filesystem::exists(out + ".building"));

    const std::string fresh = dir.file("fresh.mdb");
    EXPECT_NE(ErrorOf([&] { BuildWordDatabase(fresh, {{"CET9", {}}}); }), "");
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST(WordDatabase, BuildsAllFourTablesThatTheProgramReads) {
    TempDir dir;
    const std::string out = dir.file("danci.mdb");
    // A word in both banks with its variant: the variant is stored once.
    const WordEntry both{"utilize", "v. 利用", {"utilise"}};
    std::vector<WordEntry> six = NumberedWords(3);
    six.push_back(both);
    BuildWordDatabase(out, {{"CET4", {both}}, {"CET6", six}}, ExistingDatabase::Replace,
                      {{"utilize", "ˈjuːtɪlaɪz"}});
    _ConnectionPtr c = OpenConnection(out);
    EXPECT_EQ(OpenTable(c, "CET6")->RecordCount(), 4);
    EXPECT_EQ(OpenTable(c, "CET4")->RecordCount(), 1);
    EXPECT_EQ(OpenTable(c, "bianti")->RecordCount(), 1);
    EXPECT_EQ(OpenTable(c, "yinbiao")->GetCollect("yinbiao"), "ˈjuːtɪlaɪz");
    for (const char* review : {"readfuxi", "spellfuxi"})
        RunSql(out, std::string("INSERT INTO ") + review + " (time) VALUES ('2026-12-08')");
}

TEST(WordDatabase, KeepsOneSentenceAWordAndThePhrasesInTheirOrder) {
    TempDir dir;
    const std::string out = dir.file("danci.mdb");
    const std::vector<ExampleLine> phrases = {
        {"word0", "word0 up", "起"}, {"word1", "a word1", "一"}, {"word0", "word0 in", "入"}};
    BuildWordDatabase(out, {{"CET4", NumberedWords(2)}}, ExistingDatabase::Replace, {},
                      {{"word0", "Word0 it.", "译0"}, {"word1", "Word1 it.", "译1"}}, phrases);
    EXPECT_EQ(ReadWordExamples(OpenConnection(out), "word0"),
              (WordExamples{"Word0 it.", "译0", {{"word0 up", "起"}, {"word0 in", "入"}}}));
    EXPECT_EQ(ReadWordExamples(OpenConnection(out), "word2"), WordExamples{});

    const std::string before = dir.Read("danci.mdb");
    EXPECT_NE(ErrorOf([&] {
                  BuildWordDatabase(out, {}, ExistingDatabase::Replace, {},
                                    {{"word0", "One.", "一"}, {"word0", "Two.", "二"}});
              }).find("more than one example sentence for word0"),
              std::string::npos);
    EXPECT_EQ(dir.Read("danci.mdb"), before);
}

TEST(WordDatabase, BundledAndFullListsBuildInOrder) {
    TempDir dir;
    for (const std::string& folder :
         {std::string(WORDMILL_SOURCE_DIR) + "/data", std::string(WORDMILL_SHARED_DATA)}) {
        if (!std::filesystem::exists(folder + "/cet4.tsv"))
            continue; // the full lists live outside the project and may be absent
        auto cet4 = ReadWordList(folder + "/cet4.tsv");
        auto cet6 = ReadWordList(folder + "/cet6.tsv");
        EXPECT_GE(cet4.size(), 400u);
        EXPECT_GE(cet6.size(), 400u);
        BuildWordDatabase(dir.file("danci.mdb"), {{"CET4", cet4}, {"CET6", cet6}});
        _RecordsetPtr rs = OpenTable(OpenConnection(dir.file("danci.mdb")), "CET4");
        EXPECT_EQ(rs->RecordCount(), static_cast<long>(cet4.size()));
        rs->Move(static_cast<long>(cet4.size()) - 1);
        EXPECT_EQ(rs->GetCollect("danci"), cet4.back().word);
        EXPECT_EQ(rs->GetCollect("fanyi"), cet4.back().translation);
    }
}

} // namespace

namespace {

// An existing database holds a learner's review rows: refused unless asked, and the
// rows carried over when asked to keep them.
TEST(WordDatabase, AnExistingDatabaseIsReplacedOnlyWhenAskedAndCanKeepItsReviews) {
    TempDir dir;
    const std::string out = dir.file("danci.mdb");
    BuildWordDatabase(out, {{"CET4", NumberedWords(3)}});
    RunSql(out, "INSERT INTO spellfuxi (danci, time) VALUES ('missed', '2026-12-08')");
    const std::string before = dir.Read("danci.mdb");
    EXPECT_NE(ErrorOf([&] {
                  BuildWordDatabase(out, {{"CET4", NumberedWords(5)}}, ExistingDatabase::Refuse);
              }),
              "");
    EXPECT_EQ(dir.Read("danci.mdb"), before);

    BuildWordDatabase(out, {{"CET4", NumberedWords(5)}}, ExistingDatabase::KeepReviews);
    {
        _ConnectionPtr c = OpenConnection(out);
        EXPECT_EQ(OpenTable(c, "CET4")->RecordCount(), 5);
        _RecordsetPtr kept = OpenTable(c, "spellfuxi");
        ASSERT_EQ(kept->RecordCount(), 1);
        EXPECT_EQ(kept->GetCollect("danci"), "missed");
        EXPECT_EQ(kept->GetCollect("time"), "2026-12-08");
    } // closed: Windows replaces no file that is open

    // A newer bundled database: its banks and transcriptions, the learner's review rows,
    // study history and 生词本.
    RunSql(out, "CREATE TABLE xuexijilu (shijian TEXT NOT NULL, xiangmu TEXT NOT NULL, ciku TEXT, "
                "danci TEXT NOT NULL, laiyuan TEXT NOT NULL, dui INTEGER NOT NULL)");
    RunSql(out, "INSERT INTO xuexijilu VALUES ('2026-12-08 08:00:00', 'liulan', 'CET4', 'word1', "
                "'xin', 0)");
    RunSql(out,
           "CREATE TABLE shengciben (danci TEXT NOT NULL, fanyi TEXT, ciku TEXT, shijian TEXT)");
    RunSql(out, "INSERT INTO shengciben VALUES ('word2', '释义2', 'CET4', '2026-12-08 08:00:01')");
    RunSql(out, "DROP TABLE liju; DROP TABLE cizu"); // as made before them
    EXPECT_EQ(ReadWordExamples(OpenConnection(out), "word1"), WordExamples{});
    const std::string bundled = dir.file("bundled.mdb");
    BuildWordDatabase(bundled, {{"CET4", NumberedWords(7)}}, ExistingDatabase::Replace,
                      {{"word0", "wɜːd"}}, {{"word1", "A word1.", "一个词。"}},
                      {{"word1", "word1 by", "靠"}});
    UpgradeWordDatabase(out, bundled);
    _ConnectionPtr upgraded = OpenConnection(out);
    EXPECT_EQ(OpenTable(upgraded, "CET4")->RecordCount(), 7);
    EXPECT_EQ(OpenTable(upgraded, "yinbiao")->RecordCount(), 1);
    EXPECT_EQ(OpenTable(upgraded, "spellfuxi")->GetCollect("danci"), "missed");
    EXPECT_EQ(OpenTable(upgraded, "xuexijilu")->GetCollect("danci"), "word1");
    EXPECT_EQ(OpenTable(upgraded, "shengciben")->GetCollect("fanyi"), "释义2");
    EXPECT_EQ(ReadWordExamples(upgraded, "word1"),
              (WordExamples{"A word1.", "一个词。", {{"word1 by", "靠"}}}));
    EXPECT_FALSE(std::filesystem::exists(out + ".building"));
}

} // namespace
