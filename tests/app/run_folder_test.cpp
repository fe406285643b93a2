// The data folder of a start from the source tree (tools/prepare-run.sh, as tools/run-wordmill.sh
// runs it): the learner's database is kept, and brought up to a newer build's transcriptions.
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

std::string Transcription(const std::string& database, const std::string& word) {
    sqlite::Database db(database, SQLITE_OPEN_READONLY);
    sqlite::Statement select(db, "SELECT yinbiao FROM yinbiao WHERE danci = ?1");
    select.BindText(1, word);
    return select.Step() && select.Text(0) ? select.Text(0) : "";
}

TEST(RunFolder, KeepsTheLearnersDatabaseAndTakesANewerBuildsTranscriptions) {
    TempDir dir;
    const fs::path run = dir.path() / "run";
    const std::string prepare = "'" WORDMILL_SOURCE_DIR
                                "/tools/prepare-run.sh' '" WORDMILL_BUILD_DIR "' '" +
                                run.string() + "'";
    ASSERT_EQ(Shell(prepare), 0);
    const std::string database = (run / "danci.mdb").string();
    const std::string bundled = Transcription(WORDMILL_BUILD_DIR "/data/danci.mdb", "nation");
    EXPECT_EQ(Transcription(database, "nation"), bundled);

    // A review row, and the transcription an older build gave.
    RunSql(database, "INSERT INTO readfuxi VALUES ('kept', '留下', '2026-12-01'); UPDATE yinbiao "
                     "SET yinbiao = 'ˈneɪʃən' WHERE danci = 'nation'");
    ASSERT_EQ(Shell(prepare), 0);
    EXPECT_EQ(Transcription(database, "nation"), "ˈneɪʃən"); // the same build: left alone

    // The folder was last prepared from another build (or before the builds were told apart).
    fs::remove(run / ".bundled-danci");
    ASSERT_EQ(Shell(prepare), 0);
    EXPECT_EQ(Transcription(database, "nation"), bundled);
    EXPECT_EQ(OpenTable(OpenConnection(database), "readfuxi")->GetCollect("danci"), "kept");
    ASSERT_EQ(Shell(prepare), 0);
    EXPECT_EQ(OpenTable(OpenConnection(database), "readfuxi")->GetCollect("danci"), "kept");
}

} // namespace
