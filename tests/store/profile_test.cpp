#include "store/profile.h"
#include "store/settings.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

class ProfileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string ini = dir.file("read.ini");

    int Int(const char* section, const char* key, int def) {
        return static_cast<int>(GetPrivateProfileIntA(section, key, def, ini));
    }
    std::string Str(const char* section, const char* key, DWORD size = 9) {
        std::string buf(size, '#');
        DWORD n = GetPrivateProfileStringA(section, key, "", buf.data(), size, ini);
        EXPECT_EQ(buf[n], '\0');
        return buf.substr(0, n);
    }
    bool Write(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, ini) == TRUE;
    }
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Int("system", "danci", 40), 40);
    EXPECT_EQ(Str("CET6", "ts"), "");
    dir.Write("read.ini", "[system]\ndanci=25\n");
    EXPECT_EQ(Int("usermessage", "danci", 0), 0);
    EXPECT_EQ(Int("system", "time", 30), 30);
    EXPECT_EQ(Int("system", "danci", 40), 25);
    std::filesystem::remove(ini);
    std::filesystem::create_directory(ini); // a folder in its place reads as no file
    EXPECT_EQ(Int("system", "danci", 40), 40);
    EXPECT_EQ(Str("CET6", "ts"), "");
}

TEST_F(ProfileTest, IntegersReadTheLeadingSignedNumber) {
    dir.Write("read.ini", "[system]\nCET=0\na=2\nb=-1\nc=12abc\nd=abc\ne=\nf=  7  \ng=--3\n"
                          "big=99999999999\nneg=-2147483648\n");
    EXPECT_EQ(Int("system", "CET", 1), 0);
    EXPECT_EQ(Int("system", "a", 1), 2);
    EXPECT_EQ(Int("system", "b", 1), -1);
    EXPECT_EQ(Int("system", "c", 1), 12);
    EXPECT_EQ(Int("system", "d", 1), 0);
    EXPECT_EQ(Int("system", "e", 1), 1); // empty: the default
    EXPECT_EQ(Int("system", "f", 1), 7);
    EXPECT_EQ(Int("system", "g", 1), 0);
    // Far outside 32 bits the value wraps as on the platform, without overflow.
    EXPECT_EQ(GetPrivateProfileIntA("system", "big", 0, ini), static_cast<UINT>(99999999999ULL));
    EXPECT_EQ(Int("system", "neg", 0), -2147483647 - 1);
}

TEST_F(ProfileTest, NamesMatchWithoutCaseAndBlanksAndTheFirstDuplicateWins) {
    dir.Write("read.ini", "; comment\n[ System ]\n  DANCI = 33 \nnoequals\n[system]\ndanci=44\n"
                          "[CET4]\ndanci=1\ndanci=2\n");
    EXPECT_EQ(Int("system", "danci", 0), 33);
    EXPECT_EQ(Int("cet4", "Danci", 0), 1);
    EXPECT_EQ(Int("system", "noequals", 5), 5);
}

TEST_F(ProfileTest, SameKeyInDifferentSectionsAreDifferentValues) {
    Write("system", "qiangzhi", "1");
    Write("usermessage", "qiangzhi", "0");
    Write("CET4", "tsmount", "12");
    Write("usermessage", "tsmount", "3");
    EXPECT_EQ(Int("system", "qiangzhi", 9), 1);
    EXPECT_EQ(Int("usermessage", "qiangzhi", 9), 0);
    EXPECT_EQ(Int("CET4", "tsmount", 9), 12);
    EXPECT_EQ(Int("usermessage", "tsmount", 9), 3);
}

TEST_F(ProfileTest, StringReadHonoursTheBufferSize) {
    dir.Write("read.ini", "[CET6]\nts=2010042099\nshort=abc\n");
    EXPECT_EQ(Str("CET6", "ts"), "20100420");
    EXPECT_EQ(Str("CET6", "ts", 4), "201");
    EXPECT_EQ(Str("CET6", "short"), "abc");
    char one[1] = {'x'};
    EXPECT_EQ(GetPrivateProfileStringA("CET6", "ts", "", one, 1, ini), 0u);
    EXPECT_EQ(one[0], '\0');
}

TEST_F(ProfileTest, WriteCreatesFileSectionAndKey) {
    ASSERT_TRUE(Write("CET6", "tr", "20261208"));
    ASSERT_TRUE(Write("CET6", "trmount", "5"));
    ASSERT_TRUE(Write("system", "danci", "30"));
    EXPECT_EQ(dir.Read("read.ini"),
              NativeLines("[CET6]\ntr=20261208\ntrmount=5\n[system]\ndanci=30\n"));
}

TEST_F(ProfileTest, WriteReplacesInPlaceAndKeepsEverythingElse) {
    const std::string before = "; my notes\r\n[system]\r\ndanci = 20\r\n\r\n; keep\r\n"
                               "[CET4]\r\nrmount=7\r\n";
    dir.Write("read.ini", before);
    ASSERT_TRUE(Write("SYSTEM", "Danci", "45"));
    EXPECT_EQ(dir.Read("read.ini"),
              "; my notes\r\n[system]\r\ndanci =45\r\n\r\n; keep\r\n[CET4]\r\nrmount=7\r\n");
    ASSERT_TRUE(Write("system", "CET", "0"));
    EXPECT_EQ(dir.Read("read.ini"), "; my notes\r\n[system]\r\ndanci =45\r\nCET=0\r\n\r\n; keep\r\n"
                                    "[CET4]\r\nrmount=7\r\n");
}

TEST_F(ProfileTest, HandEditedFileQuirksSurviveAWrite) {
    // Byte-order mark, no final newline, non-ASCII text, duplicate sections.
    dir.Write("read.ini", "\xEF\xBB\xBF[system]\nnote=学习\n[CET6]\nrmount=3\n[system]\nx=1");
    EXPECT_EQ(Int("system", "CET", 1), 1);
    ASSERT_TRUE(Write("CET6", "rmount", "4"));
    ASSERT_TRUE(Write("usermessage", "time", "30"));
    EXPECT_EQ(dir.Read("read.ini"),
              "\xEF\xBB\xBF[system]\nnote=学习\n[CET6]\nrmount=4\n[system]\nx=1\n"
              "[usermessage]\ntime=30\n");
    EXPECT_EQ(Int("CET6", "rmount", 0), 4);
}

TEST_F(ProfileTest, WriteRefusesTextThatWouldInjectLines) {
    dir.Write("read.ini", "[system]\ndanci=20\n");
    EXPECT_FALSE(Write("system", "danci", "20\n[evil]"));
    EXPECT_FALSE(Write("sys]tem", "danci", "1"));
    EXPECT_FALSE(Write("system", "a=b", "1"));
    EXPECT_EQ(dir.Read("read.ini"), "[system]\ndanci=20\n");
}

TEST_F(ProfileTest, FailedWriteLeavesNoTraceAndLongPathsWork) {
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", dir.file("missing/dir/read.ini")));
#ifdef _WIN32
    GTEST_SKIP() << "paths past 260 characters need Windows' long-path setting";
#endif
    std::string deep = dir.path().string();
    while (deep.size() < 700)
        deep += "/a-fairly-long-folder-name";
    std::filesystem::create_directories(deep);
    const std::string path = deep + "/read.ini";
    ASSERT_EQ(WritePrivateProfileStringA("system", "danci", "22", path), TRUE);
    EXPECT_EQ(GetPrivateProfileIntA("system", "danci", 40, path), 22u);
    for (const auto& entry : std::filesystem::directory_iterator(deep))
        EXPECT_EQ(entry.path().filename(), "read.ini"); // no temporary left behind
}

} // namespace

namespace {

TEST_F(ProfileTest, KeysThatWouldReadBackAsSomethingElseAreRefused) {
    dir.Write("read.ini", "[system]\ndanci=20\n");
    const std::pair<const char*, const char*> refused[] = {
        {"system", "[CET6]"}, {"system", ";note"}, {"system", " [x"}, {"system", "a=b"},
        {"system", "a\nb"},   {"sys]tem", "k"},    {"sys\ntem", "k"},
    };
    for (const auto& [section, key] : refused)
        EXPECT_FALSE(Write(section, key, "1")) << section << " / " << key;
    EXPECT_EQ(dir.Read("read.ini"), "[system]\ndanci=20\n");
}

// A write keeps the file's mode and a link, and clears temporaries of its own that an
// interrupted write of long ago left behind (a fresh one may be another copy's, writing
// now; a name it never makes is somebody else's).
TEST_F(ProfileTest, WritesKeepModeAndLinksAndClearOldTemporaries) {
#ifdef _WIN32
    GTEST_SKIP() << "links need rights a learner does not have here";
#endif
    namespace fs = std::filesystem;
    fs::create_directories(dir.file("real"));
    dir.Write("real/read.ini", "[system]\ndanci=20\n");
    fs::permissions(dir.file("real/read.ini"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real/read.ini", ini);
    const char* old[] = {"read.ini.tmp-00c0ffee", "real/read.ini.tmp-00c0ffee",
                         "real/read.ini.tmp-notmine", "real/notes.tmp-00c0ffee"};
    for (const char* name : old)
        dir.Write(name, "x");
    dir.Write("real/read.ini.tmp-0123456789abcdef", "x");
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : old)
        fs::last_write_time(dir.file(name), longAgo);

    ASSERT_TRUE(Write("system", "danci", "30"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(dir.Read("real/read.ini"), "[system]\ndanci=30\n");
    EXPECT_EQ(fs::status(dir.file("real/read.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(dir.file("real/read.ini.tmp-00c0ffee")));
    EXPECT_TRUE(fs::exists(dir.file("real/read.ini.tmp-0123456789abcdef")));
    EXPECT_TRUE(fs::exists(dir.file("real/read.ini.tmp-notmine")));
    EXPECT_TRUE(fs::exists(dir.file("real/notes.tmp-00c0ffee")));
    EXPECT_TRUE(fs::exists(dir.file("read.ini.tmp-00c0ffee"))); // not beside the file written

    // A link to a file not there yet makes the file, not a file in the link's place.
    fs::remove(dir.file("real/read.ini"));
    ASSERT_TRUE(Write("system", "danci", "40"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(dir.Read("real/read.ini"), "[system]\ndanci=40\n");
}

} // namespace

namespace {

// In a folder the learner cannot write to, a writable read.ini is still kept up to date.
// (Root writes anywhere: run as another user to see it.)
TEST_F(ProfileTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "folders have no write bit here";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    namespace fs = std::filesystem;
    dir.Write("read.ini", "[system]\ndanci=20\n");
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    const bool written = Write("system", "danci", "30");
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(written);
    EXPECT_EQ(dir.Read("read.ini"), "[system]\ndanci=30\n");
#endif
}

} // namespace

namespace {

// ASCII text as UTF-16LE with its byte-order mark, as Notepad saves "Unicode".
std::string Utf16Le(std::string_view ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

// Files a learner's editor can make, read as the platform's own profile functions read them.
TEST_F(ProfileTest, HandMadeFilesReadAsThePlatformReadsThem) {
    struct Case {
        const char* what;
        std::string file;
        const char *section, *key;
        std::string text;           // read as a string ("" when missing)
        int number;                 // read as an integer, default -1
        std::string afterSet7 = {}; // the file once the key is set to 7; unchecked when empty
    };
    const std::string zeros29(29, '0');
    const Case cases[] = {
        {"a quoted day", "[CET6]\ntr=\"20261208\"\n", "CET6", "tr", "20261208", 20261208},
        {"a quoted number", "[system]\ndanci='30'\n", "system", "danci", "30", 30},
        {"a lone quote stays", "[system]\ndanci=\"30\n", "system", "danci", "\"30", 0},
        {"unlike quotes stay", "[system]\ndanci=\"30'\n", "system", "danci", "\"30'", 0},
        {"no ] opens no section", "[system]\ndanci=25\n[CET6\ndanci=30\n", "system", "danci", "25",
         25},
        {"nor is it one", "[CET6\ndanci=30\n", "CET6", "danci", "", -1},
        {"a lone [ ends none", "[system]\n[\ndanci=25\n", "system", "danci", "25", 25},
        {"the last ] ends the name", "[CET6]]\ntr=1\n", "CET6]", "tr", "1", 1},
        {"so that is not CET6", "[CET6]]\ntr=1\n", "CET6", "tr", "", -1},
        {"UTF-16 with a byte-order mark", Utf16Le("[CET6]\r\ntr=\"20261208\"\r\nrmount=12\r\n"),
         "CET6", "rmount", "12", 12},
        {"an empty value gives the default", "[system]\ndanci=\n", "system", "danci", "", -1,
         "[system]\ndanci=7\n"},
        {"so do blanks alone", "[system]\ndanci= \t \n", "system", "danci", "", -1},
        {"and empty quotes", "[system]\ndanci=\"\"\n", "system", "danci", "", -1},
        {"a blank in quotes is a value", "[system]\ndanci=\" \"\n", "system", "danci", " ", 0},
        {"blanks before the number in quotes", "[system]\ndanci=\" 25\"\n", "system", "danci",
         " 25", 25},
        {"hexadecimal", "[system]\ndanci=0x1F\n", "system", "danci", "0x1F", 31},
        {"a negative one", "[system]\ndanci=-0x10\n", "system", "danci", "-0x10", -16},
        {"octal", "[system]\ndanci=0o17\n", "system", "danci", "0o17", 15},
        {"binary", "[system]\ndanci=0b101\n", "system", "danci", "0b101", 5},
        {"a capital X is no prefix", "[system]\ndanci=0X1F\n", "system", "danci", "0X1F", 0},
        {"hex digits only after 0x", "[system]\ndanci=25abc\n", "system", "danci", "25abc", 25},
        {"the number within the first 29 characters", "[system]\ndanci=" + zeros29 + "25\n",
         "system", "danci", zeros29 + "25", 0},
        {"29 characters are read whole", "[system]\ndanci=" + zeros29.substr(2) + "25\n", "system",
         "danci", zeros29.substr(2) + "25", 25},
        {"a CR alone ends a line", "[system]\rdanci=25\r[CET6]\rtr=20261208\r", "CET6", "tr",
         "20261208", 20261208, "[system]\rdanci=25\r[CET6]\rtr=7\r"},
        {"^Z is a blank",
         "\x1A[CET6]\x1A\ntr=\x1A"
         "5\x1A\n",
         "CET6", "tr", "5", 5, "\x1A[CET6]\x1A\ntr=7\n"},
        {"UTF-16: a section after a comment line",
         Utf16Le("; my notes\r\n[system]\r\ndanci=25\r\n; keep\r[CET6]\r\ntr=1\r\n"), "CET6", "tr",
         "1", 1, Utf16Le("; my notes\r\n[system]\r\ndanci=25\r\n; keep\r[CET6]\r\ntr=7\r\n")},
        {"UTF-16: a header after blanks", Utf16Le("; notes\r\n \t\x1A[CET6]\r\ntr=1\r\n"), "CET6",
         "tr", "1", 1, Utf16Le("; notes\r\n \t\x1A[CET6]\r\ntr=7\r\n")},
    };
    for (const Case& c : cases) {
        dir.Write("read.ini", c.file);
        EXPECT_EQ(Str(c.section, c.key, 64), c.text) << c.what;
        EXPECT_EQ(Int(c.section, c.key, -1), c.number) << c.what;
        if (!c.afterSet7.empty()) {
            EXPECT_TRUE(Write(c.section, c.key, "7")) << c.what;
            EXPECT_EQ(dir.Read("read.ini"), c.afterSet7) << c.what;
        }
    }

    // A UTF-16 file is written back in UTF-16, every other line as it was ("学习" kept).
    dir.Write("read.ini", Utf16Le("[system]\r\nnote=") + "\x66\x5B\x60\x4E" +
                              Utf16Le("\r\n[CET6]\r\ntr=20261207\r\n").substr(2));
    ASSERT_TRUE(Write("CET6", "tr", "20261208"));
    ASSERT_TRUE(Write("CET6", "trmount", "3"));
    EXPECT_EQ(dir.Read("read.ini"),
              Utf16Le("[system]\r\nnote=") + "\x66\x5B\x60\x4E" +
                  Utf16Le("\r\n[CET6]\r\ntr=20261208\r\ntrmount=3\r\n").substr(2));
    EXPECT_EQ(Str("CET6", "tr"), "20261208");
}

// The first start is asked about once: only a read.ini with no answer, no bank choice and
// no progress in either bank is one, and either answer ends it.
TEST_F(ProfileTest, TheFirstStartIsAFileWithoutAnswerBankOrProgress) {
    struct Case {
        const char* what;
        const char* file; // nullptr: no read.ini at all
        bool firstStart;
    };
    const Case cases[] = {
        {"no read.ini", nullptr, true},
        {"an empty one", "", true},
        {"forced study only", "[usermessage]\nqiangzhi=1\n", true},
        {"a quota only", "[system]\ndanci=30\n", true},
        {"answered", "[system]\nhuanying=1\n", false},
        {"a bank chosen", "[system]\nCET=1\n", false},
        {"browsed in CET4", "[CET4]\nrmount=3\n", false},
        {"spelled in CET6 today", "[CET6]\nts=20261208\ntsmount=0\n", false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(ini);
        if (c.file)
            dir.Write("read.ini", c.file);
        EXPECT_EQ(settings::IsFirstStart(ini), c.firstStart) << c.what;
    }

    std::filesystem::remove(ini);
    ASSERT_TRUE(settings::SetFirstStartAnswered(ini));
    EXPECT_FALSE(settings::IsFirstStart(ini));
    EXPECT_EQ(settings::BankName(ini), "CET6"); // put off: the defaults stay
    EXPECT_EQ(settings::ExamDate(ini), "");

    std::filesystem::remove(ini);
    ASSERT_TRUE(settings::SaveFirstStart(ini, 0, "2027-06-12"));
    EXPECT_FALSE(settings::IsFirstStart(ini));
    EXPECT_EQ(settings::BankName(ini), "CET4");
    EXPECT_EQ(settings::ExamDate(ini), "2027-06-12");
    EXPECT_EQ(settings::DailyQuota(ini), 40);
}

} // namespace
