// The drills' costs: a pick over a large review table, and a close storing many words.
#include "bench/review_rows.h"
#include "drills/core/drill_core.h"
#include "support/word_db.h"
#include "tools/wordbank.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string MakeDatabase(const std::string& name, int reviewRows, const char* date) {
    const fs::path dir = fs::temp_directory_path() / "wordmill-drill-bench";
    fs::create_directories(dir);
    const std::string path = (dir / name).string();
    std::vector<WordEntry> bank;
    for (int i = 0; i < 20'000; ++i)
        bank.push_back({"word" + std::to_string(i), "n. 释义" + std::to_string(i)});
    BuildWordDatabase(path, {{"CET6", bank}});
    AddReviewRows(path, reviewRows, date);
    return path;
}

// Resident memory of this process, in bytes.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

std::string IniPath() {
    return (fs::temp_directory_path() / "wordmill-drill-bench" / "read.ini").string();
}

// One pick that scans every review row (none due) and takes a bank word.
void BM_PickNoneDue(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    _ConnectionPtr c =
        OpenConnection(MakeDatabase("pick" + std::to_string(rows) + ".mdb", rows, "2999-01-01"));
    DrillCore core(kBrowseKeys, [](const std::string&) {});
    core.SetUp({c, 40, IniPath()});
    for (auto _ : state)
        benchmark::DoNotOptimize(core.PickNextWord());
}
BENCHMARK(BM_PickNoneDue)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

// Opening a drill over a large review table, none due: the set-up and the first pick,
// and the memory the open drill holds beyond the process before it.
void BM_OpenDrillNoneDue(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    _ConnectionPtr c =
        OpenConnection(MakeDatabase("open" + std::to_string(rows) + ".mdb", rows, "2999-01-01"));
    double extra = 0;
    for (auto _ : state) {
        const double before = ResidentBytes();
        DrillCore core(kBrowseKeys, [](const std::string&) {});
        core.SetUp({c, 40, IniPath()});
        benchmark::DoNotOptimize(core.PickNextWord());
        extra = std::max(extra, ResidentBytes() - before);
    }
    state.counters["extra_MB"] = extra / 1e6;
}
BENCHMARK(BM_OpenDrillNoneDue)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Median and 99th percentile of the timed steps, as counters beside the mean.
void ReportPercentiles(benchmark::State& state, std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    if (seconds.empty())
        return;
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
    state.counters["p99_ms"] = seconds[seconds.size() * 99 / 100] * 1e3;
}

template <class F> double Seconds(F&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the learner waits for after each grade: the grading stored in its transaction with
// its study-log row, the next word picked and read.ini written. A third of the words are
// missed, as in a real drill, so the review list grows. Without the log: a database where
// the log table cannot be made (a view holds its name), so the drill studies without it.
void GradeAndPick(benchmark::State& state, bool withLog) {
    const std::string path =
        MakeDatabase(withLog ? "grade.mdb" : "grade-nolog.mdb", 1000, "2999-01-01");
    if (!withLog)
        RunSql(path, "CREATE VIEW xuexijilu AS SELECT 1");
    _ConnectionPtr c = OpenConnection(path);
    DrillCore core(kBrowseKeys, [](const std::string&) {});
    core.SetUp({c, 40, IniPath()});
    core.PickNextWord();
    std::mt19937 random(7);
    std::vector<double> seconds, missedSeconds;
    for (auto _ : state) {
        const bool missed = random() % 3 == 0;
        const double took = Seconds([&] {
            if (missed)
                core.GradeWrong(true);
            else
                core.GradeRight();
            core.PickNextWord();
        });
        state.SetIterationTime(took);
        seconds.push_back(took);
        if (missed)
            missedSeconds.push_back(took);
    }
    ReportPercentiles(state, std::move(seconds));
    // A missed word stores its review row either way: the log row joins that transaction.
    std::sort(missedSeconds.begin(), missedSeconds.end());
    if (!missedSeconds.empty())
        state.counters["missed_median_ms"] = missedSeconds[missedSeconds.size() / 2] * 1e3;
}
void BM_GradingKept(benchmark::State& state) {
    GradeAndPick(state, true);
}
void BM_GradingKeptWithoutLog(benchmark::State& state) {
    GradeAndPick(state, false);
}
BENCHMARK(BM_GradingKept)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1000);
BENCHMARK(BM_GradingKeptWithoutLog)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1000);

// Beside it: one plain SQLite insert in its own transaction, on the same kind of file.
void BM_PlainInsert(benchmark::State& state) {
    sqlite::Database db(MakeDatabase("insert.mdb", 1000, "2999-01-01"), SQLITE_OPEN_READWRITE);
    sqlite::Statement insert(db, "INSERT INTO readfuxi VALUES ('word', '释义', '2026-12-08')");
    std::vector<double> seconds;
    for (auto _ : state) {
        const double took = Seconds([&] {
            insert.Run();
            insert.Reset();
        });
        state.SetIterationTime(took);
        seconds.push_back(took);
    }
    ReportPercentiles(state, std::move(seconds));
}
BENCHMARK(BM_PlainInsert)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1000);

// A close after 1,000 missed words: they are stored already, so it only checks.
void BM_CloseStoring1000(benchmark::State& state) {
    _ConnectionPtr c = OpenConnection(MakeDatabase("close.mdb", 1000, "2000-01-01"));
    DrillCore core(kBrowseKeys, [](const std::string&) {});
    core.SetUp({c, 40, IniPath()});
    for (int i = 0; i < 1000; ++i) { // every due row missed: a list of 1,000
        core.PickNextWord();
        core.GradeWrong(true);
    }
    for (auto _ : state)
        core.SaveProgress();
    state.counters["stored"] = static_cast<double>(core.ReviewList().size());
}
BENCHMARK(BM_CloseStoring1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
