// A drill killed outright (kill -9) after any grading loses nothing: its review table
// and read.ini hold what a close at that moment would have stored.
#include "drills/core/drill_core.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#ifndef _WIN32
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifndef _WIN32
namespace {

// A drill of `gradings` seeded gradings, ending with the next word on screen.
void Drive(DrillCore& drill, int gradings, unsigned seed) {
    std::mt19937 random(seed);
    drill.PickNextWord();
    for (int i = 0; i < gradings; ++i) {
        switch (random() % 6) { // mostly right, so that new words come too
        case 0:
            drill.GradeWrong(true);
            break;
        case 1:
            drill.GradeWrong(false);
            break;
        default:
            drill.GradeRight();
            break;
        }
        drill.PickNextWord();
    }
}

std::vector<std::string> SortedRows(const std::string& db, const std::string& table) {
    std::vector<std::string> rows;
    _RecordsetPtr rs = OpenTable(OpenConnection(db), table);
    if (!rs->BOF())
        for (rs->MoveFirst(); !rs->adoEOF(); rs->MoveNext())
            rows.push_back(rs->GetCollect("danci").value_or("") + "|" +
                           rs->GetCollect("fanyi").value_or("") + "|" +
                           rs->GetCollect("time").value_or(""));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void SeedReviews(const DrillWorld& world) {
    for (int i = 0; i < 8; ++i)
        world.Sql("INSERT INTO readfuxi VALUES ('due" + std::to_string(i) +
                  "', '到期', '2026-12-0" + std::to_string(1 + i % 5) + "')");
    world.Sql("INSERT INTO readfuxi VALUES ('later', '未到', '2026-12-07')");
    world.Ini("CET6", "rmount", "3");
}

std::string FirstWordOfANewDrill(const DrillWorld& world) {
    DrillCore drill(kBrowseKeys, [](const std::string&) {});
    drill.SetUp({OpenConnection(world.db), 10, world.ini});
    drill.PickNextWord();
    return drill.Current().word;
}

// Runs the drill in a child process, which waits once its gradings are done and the next
// word is on screen. `ready` says whether it got there within 20 s.
pid_t StartDrill(const DrillWorld& world, int gradings, unsigned seed, bool& ready) {
    ready = false;
    int signal[2];
    if (pipe(signal) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(signal[0]);
        try {
            DrillCore drill(kBrowseKeys, [](const std::string&) {});
            drill.SetUp({OpenConnection(world.db), 10, world.ini});
            Drive(drill, gradings, seed);
            if (write(signal[1], "k", 1) != 1)
                _exit(2);
        } catch (...) {
            _exit(3);
        }
        for (;;)
            pause();
    }
    close(signal[1]);
    pollfd wait{signal[0], POLLIN, 0};
    char byte = 0;
    ready = child > 0 && poll(&wait, 1, 20000) == 1 && read(signal[0], &byte, 1) == 1;
    close(signal[0]);
    return child;
}

// Runs the drill in a child process and kills it once the gradings are done.
void RunAndKill(const DrillWorld& world, int gradings, unsigned seed) {
    bool graded = false;
    const pid_t child = StartDrill(world, gradings, seed, graded);
    ASSERT_GT(child, 0);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(graded) << "the drill did not get through its gradings";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

TEST(DrillKillTest, AKilledDrillLosesNothingItGraded) {
    std::mt19937 runs(20261208);
    for (int run = 0; run < 30; ++run) {
        const int gradings = static_cast<int>(runs() % 60);
        const auto seed = static_cast<unsigned>(runs());
        DrillWorld killed, closed;
        SeedReviews(killed);
        SeedReviews(closed);
        killed.connection = nullptr; // the child opens its own
        RunAndKill(killed, gradings, seed);
        {
            DrillCore drill(kBrowseKeys, [](const std::string&) {});
            drill.SetUp({closed.connection, 10, closed.ini});
            Drive(drill, gradings, seed);
            drill.SaveProgress();
        }
        SCOPED_TRACE("run " + std::to_string(run) + ", " + std::to_string(gradings) + " gradings");
        EXPECT_EQ(SortedRows(killed.db, "readfuxi"), SortedRows(closed.db, "readfuxi"));
        EXPECT_EQ(killed.dir.Read("read.ini"), closed.dir.Read("read.ini"));
        // The word on screen at the kill is free again for the next drill.
        EXPECT_EQ(FirstWordOfANewDrill(killed), FirstWordOfANewDrill(closed));
    }
}

// A drill killed but not yet reaped by its parent (a zombie) holds nothing: the word it had
// on screen is the next drill's at once, as it is once the process is gone.
// The word on screen at the kill was never graded: the next drill starts with it.
TEST(DrillKillTest, TheUngradedWordOnScreenAtTheKillIsAskedFirst) {
    DrillWorld world;
    world.connection = nullptr; // the child opens its own
    RunAndKill(world, 0, 1);
    EXPECT_EQ(FirstWordOfANewDrill(world), "six0");
    EXPECT_EQ(world.IniInt("CET6", "rmount", 0), 0);
}

TEST(DrillKillTest, AKilledDrillNotYetReapedHoldsNothing) {
    DrillWorld world;
    SeedReviews(world);
    world.connection = nullptr; // the child opens its own
    bool picked = false;
    const pid_t child = StartDrill(world, 0, 1, picked);
    ASSERT_GT(child, 0);
    kill(child, SIGKILL);
    siginfo_t ended{};
    const bool zombie = waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT) == 0;
    const std::string whileZombie = FirstWordOfANewDrill(world);
    waitpid(child, nullptr, 0);
    ASSERT_TRUE(picked) << "the drill did not show its first word";
    ASSERT_TRUE(zombie);
    EXPECT_EQ(whileZombie, FirstWordOfANewDrill(world));
}

} // namespace
#endif // the child is forked: POSIX systems only
