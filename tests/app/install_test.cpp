// The installed program: a fresh `cmake --install` into a staging folder, its menu entry
// and metadata validated, and the launcher started from an empty home.
#include "support/temp_dir.h"
#include "support/word_db.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Install, GivesAMenuEntryThatStartsWordmillFromAnyFolder) {
    TempDir dir;
    const fs::path stage = dir.path() / "stage";
    const fs::path prefix = stage / "opt/wordmill";
    ASSERT_EQ(Shell("DESTDIR='" + stage.string() +
                    "' cmake --install '" WORDMILL_BUILD_DIR
                    "' --prefix /opt/wordmill > /dev/null"),
              0);
    for (const char* file :
         {"bin/wordmill", "libexec/wordmill/Wordmill", "libexec/wordmill/build_danci",
          "lib/wordmill/libgame.so", "share/wordmill/danci.mdb", "share/wordmill/Skins/corona.smf",
          "share/wordmill/游戏指南.txt", "share/wordmill/wordmill-guide.html",
          "share/metainfo/org.wordmill.Wordmill.metainfo.xml",
          "share/icons/hicolor/48x48/apps/org.wordmill.Wordmill.png",
          "share/icons/hicolor/128x128/apps/org.wordmill.Wordmill.png",
          "share/icons/hicolor/256x256/apps/org.wordmill.Wordmill.png"})
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    const fs::path entry = prefix / "share/applications/org.wordmill.Wordmill.desktop";
    EXPECT_NE(ReadFile(entry).find("\nExec=/opt/wordmill/bin/wordmill\n"), std::string::npos);
    EXPECT_EQ(Shell("desktop-file-validate '" + entry.string() + "'"), 0);
    EXPECT_EQ(Shell("appstreamcli validate --no-net '" + (prefix / "share/metainfo").string() +
                    "/org.wordmill.Wordmill.metainfo.xml' > /dev/null"),
              0);

    // From a folder that is not the data folder, with a home nobody has used yet. The
    // probe ends the program at its first paint, which only comes with the database open.
    const fs::path home = dir.path() / "home";
    fs::create_directories(home);
    const std::string start = "cd / && env -i PATH=/usr/bin:/bin HOME='" + home.string() +
                              "' QT_QPA_PLATFORM=offscreen WORDMILL_STARTUP_PROBE=1 timeout 30 '" +
                              (prefix / "bin/wordmill").string() + "' > /dev/null 2>&1";
    ASSERT_EQ(Shell(start), 0);
    const fs::path data = home / ".local/share/wordmill";
    EXPECT_TRUE(fs::exists(data / "danci.mdb"));
    EXPECT_TRUE(fs::exists(data / "Skins/corona.smf"));

    // A second start keeps the learner's database and settings as they are: the database
    // neither replaced nor brought up to the bundled banks (a bank word of its own stays).
    // The program itself may write to it: the words below the bank position join 今日复习.
    RunSql((data / "danci.mdb").string(),
           "INSERT INTO CET6 (danci, fanyi) VALUES ('kept', '留下')");
    std::ofstream(data / "read.ini") << "[CET6]\nrmount=12\n";
    ASSERT_EQ(Shell(start), 0);
    bool kept = false;
    _RecordsetPtr bank = OpenTable(OpenConnection((data / "danci.mdb").string()), "CET6");
    for (bank->MoveFirst(); !bank->adoEOF(); bank->MoveNext())
        kept = kept || bank->GetCollect("danci") == "kept";
    EXPECT_TRUE(kept);
    EXPECT_EQ(ReadFile(data / "read.ini"), "[CET6]\nrmount=12\n");

    // A database from before the transcriptions and sentences: brought up to the bundled
    // one, its review rows kept.
    RunSql((data / "danci.mdb").string(),
           "DROP TABLE yinbiao; DROP TABLE liju; DROP TABLE cizu; INSERT INTO readfuxi VALUES "
           "('kept', '留下', '2026-12-01')");
    fs::remove(data / ".bundled-danci");
    ASSERT_EQ(Shell(start), 0);
    _ConnectionPtr upgraded = OpenConnection((data / "danci.mdb").string());
    EXPECT_GT(OpenTable(upgraded, "yinbiao")->RecordCount(), 6000);
    EXPECT_GT(OpenTable(upgraded, "liju")->RecordCount(), 6000);
    EXPECT_GT(OpenTable(upgraded, "cizu")->RecordCount(), 1000);
    EXPECT_EQ(OpenTable(upgraded, "readfuxi")->GetCollect("danci"), "kept");
}

} // namespace
