#include "store/ado.h"

#include "support/temp_dir.h"
#include "support/word_db.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

HRESULT CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const _com_error& e) {
        return e.Error();
    }
    return S_OK;
}

class AdoTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildWordDatabase(db, {{"CET4", NumberedWords(5)}, {"CET6", NumberedWords(3, "six")}});
    }
    std::vector<std::string> Words(const _RecordsetPtr& rs, const char* column = "danci") {
        std::vector<std::string> words;
        if (rs->BOF())
            return words;
        for (rs->MoveFirst(); !rs->adoEOF(); rs->MoveNext())
            words.push_back(rs->GetCollect(column).value_or("<null>"));
        return words;
    }

    TempDir dir;
    std::string db = dir.file("danci.mdb");
};

TEST(ComErrorMessage, FollowsTheSystemTextThenIDispatchThenUnknownRule) {
    EXPECT_EQ(_com_error(DB_E_NOTABLE).ErrorMessage(), "IDispatch error #3127");
    EXPECT_EQ(_com_error(MakeHresult(0x8004FFFF)).ErrorMessage(), "IDispatch error #65023");
    EXPECT_EQ(_com_error(MakeHresult(0x80040200)).ErrorMessage(), "Unknown error 0x80040200");
    EXPECT_EQ(_com_error(adErrItemNotFound).ErrorMessage(), "Unknown error 0x800A0CC1");
    EXPECT_EQ(_com_error(adErrNoCurrentRecord).ErrorMessage(), "Unknown error 0x800A0BCD");
    EXPECT_EQ(_com_error(E_POINTER).ErrorMessage(), "无效指针");
    EXPECT_EQ(_com_error(E_FAIL).ErrorMessage(), "未指定的错误");
}

// A known failure begins with what went wrong, in plain words; the error text follows.
TEST(ComErrorMessage, KnownFailuresSayWhatWentWrongFirst) {
    const std::pair<_com_error, std::string> cases[] = {
        {_com_error(E_FAIL, "locked", SQLITE_BUSY), "数据库正被另一个程序占用。\n未指定的错误"},
        {_com_error(E_FAIL, "moved", SQLITE_READONLY_DBMOVED),
         "数据库文件或它所在的文件夹是只读的。\n未指定的错误"},
        {_com_error(E_FAIL, "full", SQLITE_FULL), "磁盘已满，数据库写不进去。\n未指定的错误"},
        {_com_error(E_FAIL, "junk", SQLITE_NOTADB),
         "数据库文件已损坏，或者不是数据库。\n未指定的错误"},
        {_com_error(DB_E_NOTABLE), "数据库里缺少要用的表。\nIDispatch error #3127"},
        {_com_error(E_FAIL, "constraint", SQLITE_CONSTRAINT), "未指定的错误"},
    };
    for (const auto& [error, text] : cases)
        EXPECT_EQ(LearnerText(error), text) << error.Description();
}

TEST_F(AdoTest, OpenNeverCreatesOrTouchesABadFile) {
    auto open = [](const std::string& file) { return CodeOf([&] { OpenConnection(file); }); };
    EXPECT_EQ(open(dir.file("missing.mdb")), E_FAIL);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.mdb")));

    dir.Write("empty.mdb", "");
    EXPECT_EQ(open(dir.file("empty.mdb")), E_FAIL);
    EXPECT_EQ(std::filesystem::file_size(dir.file("empty.mdb")), 0u);

    const std::string garbage(4096, 'x');
    dir.Write("garbage.mdb", garbage);
    EXPECT_EQ(open(dir.file("garbage.mdb")), E_FAIL);
    EXPECT_EQ(dir.Read("garbage.mdb"), garbage);

    _ConnectionPtr c;
    c.CreateInstance();
    EXPECT_EQ(CodeOf([&] { c->Open("Provider=Other;Data Source=" + db, "", "", 0); }),
              adErrProviderNotFound);
    EXPECT_EQ(c->GetState(), adStateClosed);
}

TEST_F(AdoTest, RelativeDataSourceIsFoundInTheCurrentDirectory) {
    dir.Enter();
    _ConnectionPtr c = OpenConnection("danci.mdb");
    EXPECT_EQ(c->GetState(), adStateOpen);
    c->Close();
    EXPECT_EQ(c->GetState(), adStateClosed);
    EXPECT_EQ(CodeOf([&] { c->Close(); }), adErrObjectClosed);
}

TEST_F(AdoTest, NullPointersAndClosedObjectsRaise) {
    _RecordsetPtr none;
    EXPECT_EQ(CodeOf([&] { none->MoveFirst(); }), E_POINTER);

    _RecordsetPtr rs;
    rs.CreateInstance();
    EXPECT_EQ(CodeOf([&] { rs->MoveNext(); }), adErrObjectClosed);
    _ConnectionPtr closed;
    closed.CreateInstance();
    EXPECT_EQ(CodeOf([&] {
                  rs->Open("SELECT * FROM CET4", closed, adOpenDynamic, adLockOptimistic,
                           adCmdText);
              }),
              adErrInvalidConnection);

    _ConnectionPtr c = OpenConnection(db);
    rs = OpenTable(c, "CET4");
    c->Close();
    EXPECT_EQ(CodeOf([&] { rs->GetCollect("danci"); }), adErrObjectClosed);
}

TEST_F(AdoTest, MissingTableOrColumnGiveTheirCodes) {
    _ConnectionPtr c = OpenConnection(db);
    _RecordsetPtr rs;
    rs.CreateInstance();
    try {
        rs->Open("SELECT * FROM CET8", c, adOpenDynamic, adLockOptimistic, adCmdText);
        FAIL() << "opened a missing table";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.ErrorMessage(), "IDispatch error #3127");
    }
    EXPECT_EQ(rs->GetState(), adStateClosed);
    EXPECT_EQ(CodeOf([&] {
                  rs->Open("DELETE FROM CET4", c, adOpenDynamic, adLockOptimistic, adCmdText);
              }),
              DB_E_ERRORSINCOMMAND);
    rs = OpenTable(c, "cet4");
    EXPECT_EQ(CodeOf([&] { rs->GetCollect("time"); }), adErrItemNotFound);
    EXPECT_EQ(rs->GetCollect("DANCI"), "word0");
}

TEST_F(AdoTest, RowsComeInStoredOrderAndMoveStopsAtTheEnd) {
    _ConnectionPtr c = OpenConnection(db);
    _RecordsetPtr rs = OpenTable(c, "CET4");
    EXPECT_EQ(Words(rs), (std::vector<std::string>{"word0", "word1", "word2", "word3", "word4"}));

    rs = OpenTable(c, "CET4");
    rs->Move(3);
    EXPECT_EQ(rs->GetCollect("fanyi"), "释义3");
    rs->Move(2); // exactly the row count: at the end, not an error
    EXPECT_TRUE(rs->adoEOF());
    EXPECT_EQ(CodeOf([&] { rs->GetCollect("danci"); }), adErrNoCurrentRecord);
    EXPECT_EQ(CodeOf([&] { rs->MoveNext(); }), adErrNoCurrentRecord);

    rs = OpenTable(c, "CET4");
    rs->Move(100);
    EXPECT_TRUE(rs->adoEOF());
    rs = OpenTable(c, "CET4");
    rs->Move(-1);
    EXPECT_TRUE(rs->BOF());
    EXPECT_EQ(CodeOf([&] { rs->GetCollect("danci"); }), adErrNoCurrentRecord);
}

TEST_F(AdoTest, EmptyTableIsBothBofAndEof) {
    _ConnectionPtr c = OpenConnection(db);
    _RecordsetPtr rs = OpenTable(c, "readfuxi");
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->adoEOF());
    rs->MoveFirst();
    EXPECT_TRUE(rs->adoEOF());
    EXPECT_EQ(CodeOf([&] { rs->Move(4); }), adErrNoCurrentRecord);
}

// Rows another program deletes or adds while a scan is open: the deleted drop out, the
// added are not part of it.
TEST_F(AdoTest, AScanPassesOverRowsDeletedElsewhere) {
    RunSql(db, "INSERT INTO readfuxi VALUES ('a', '甲', '2026-12-01'), ('b', '乙', "
               "'2026-12-01'), ('c', '丙', '2026-12-01')");
    _RecordsetPtr rs = OpenTable(OpenConnection(db), "readfuxi");
    RunSql(db, "DELETE FROM readfuxi WHERE danci = 'b'; INSERT INTO readfuxi VALUES ('d', '丁', "
               "'2026-12-08')");
    EXPECT_EQ(Words(rs), (std::vector<std::string>{"a", "c"}));
}

TEST_F(AdoTest, NullFieldReadsAsNull) {
    RunSql(db, "INSERT INTO spellfuxi (danci, fanyi, time) VALUES ('x', NULL, 5)");
    _RecordsetPtr rs = OpenTable(OpenConnection(db), "spellfuxi");
    EXPECT_EQ(rs->GetCollect("fanyi"), std::nullopt);
    EXPECT_EQ(rs->GetCollect("time"), "5"); // other types come back as their text
}

TEST_F(AdoTest, ALockedFileFailsAfterTheBusyTimeoutWithoutCrashing) {
    sqlite::Database other(db, SQLITE_OPEN_READWRITE);
    other.Exec("BEGIN EXCLUSIVE");
    _ConnectionPtr c;
    c.CreateInstance();
    c->SetBusyTimeout(20);
    EXPECT_EQ(CodeOf([&] { c->Open(ConnectionString(db), "", "", 0); }), E_FAIL);
    other.Exec("COMMIT");
    c->Open(ConnectionString(db), "", "", 0);
    other.Exec("BEGIN EXCLUSIVE");
    EXPECT_EQ(CodeOf([&] { OpenTable(c, "readfuxi"); }), E_FAIL);
    other.Exec("COMMIT");
}

} // namespace

namespace {

// A column named rowid neither hides the real row id nor takes its place, and huge moves
// stop at the ends.
TEST_F(AdoTest, OddColumnsAndHugeMovesReadSafely) {
    RunSql(db, "CREATE TABLE odd (danci TEXT, rowid TEXT); INSERT INTO odd VALUES ('x', '2'), "
               "('y', '1')");
    _ConnectionPtr c = OpenConnection(db);
    EXPECT_EQ(Words(OpenTable(c, "odd")), (std::vector<std::string>{"x", "y"}));

    _RecordsetPtr rs = OpenTable(c, "CET4");
    rs->MoveNext();
    rs->Move(std::numeric_limits<long>::max());
    EXPECT_TRUE(rs->adoEOF());
    rs->Move(std::numeric_limits<long>::min());
    EXPECT_TRUE(rs->BOF());
}

} // namespace
