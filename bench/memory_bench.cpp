// The memory layer's costs on a learner far along: 7,000 learned words in both skills and
// 200,000 study-log rows. Today's review queue as the main window asks for it, and a grading
// in 今日复习 with its state kept in the grading's transaction.
#include "drills/core/drill_core.h"
#include "drills/core/memory/daily_review.h"
#include "store/memory_table.h"
#include "support/local_time.h"
#include "support/word_db.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kLearned = 7'000;
constexpr int kLogRows = 200'000;
constexpr int kLogDays = 300;

std::time_t Today() {
    return LocalTime(2027, 5, 30, 20);
}

std::string WordOf(int i) {
    return "word" + std::to_string(i);
}

// Every learned word's state in both skills, last graded within the past two months.
void AddMemory(const _ConnectionPtr& connection, std::mt19937& random) {
    std::string why;
    memory_table::Prepare(connection, why);
    const long long today = ReviewAge(Today()).Today();
    std::vector<MemoryRow> rows;
    for (int i = 0; i < kLearned; ++i)
        for (const char* skill : {mdb::kBrowseDrill, mdb::kSpellDrill})
            rows.push_back({WordOf(i), skill, 0.5 + static_cast<double>(random() % 6000) / 40,
                            1 + static_cast<double>(random() % 90) / 10,
                            today - static_cast<long long>(random() % 60)});
    memory_table::ReplaceAll(connection, rows);
}

// The log's rows in the order they were graded, over the past months, the last few of them
// today's 今日复习.
void AddStudyLog(const std::string& path, std::mt19937& random) {
    sqlite::Database db(path, SQLITE_OPEN_READWRITE);
    sqlite::Transaction fill(db);
    sqlite::Statement insert(db, "INSERT INTO xuexijilu VALUES (?1, ?2, 'CET6', ?3, ?4, ?5)");
    const long long today = ReviewAge(Today()).Today();
    for (int i = 0; i < kLogRows; ++i) {
        const long long day = today - kLogDays + static_cast<long long>(i) * kLogDays / kLogRows;
        const bool todaysReview = i >= kLogRows - 50;
        insert.BindText(1, DateOfDayNumber(todaysReview ? today : day) + " 09:00:00");
        insert.BindText(2, random() % 3 ? mdb::kBrowseDrill : mdb::kSpellDrill);
        insert.BindText(3, WordOf(static_cast<int>(random() % kLearned)));
        insert.BindText(4, todaysReview ? "jiyi" : (random() % 2 ? "xin" : "fuxi"));
        insert.BindInt64(5, random() % 4 ? 1 : 0);
        insert.Run();
        insert.Reset();
    }
    fill.Commit();
}

struct World {
    std::string db, ini;
};

// One database for every benchmark here; with an exam date in read.ini or without.
World MakeWorld(bool exam) {
    const fs::path dir = fs::temp_directory_path() / "wordmill-memory-bench";
    fs::create_directories(dir);
    World world{(dir / (exam ? "exam.mdb" : "plain.mdb")).string(),
                (dir / (exam ? "exam.ini" : "plain.ini")).string()};
    std::vector<WordEntry> bank;
    for (int i = 0; i < kLearned; ++i)
        bank.push_back({WordOf(i), "n. 释义" + std::to_string(i)});
    BuildWordDatabase(world.db, {{"CET4", NumberedWords(100, "four")}, {"CET6", bank}});
    std::mt19937 random(11);
    _ConnectionPtr connection = OpenConnection(world.db);
    std::string why;
    study_log::Prepare(connection, why);
    AddMemory(connection, random);
    AddStudyLog(world.db, random);
    fs::remove(world.ini);
    settings::WriteProgress(world.ini, "CET6", settings::Drill::Browse,
                            {DayKey(Today()), 0, kLearned});
    settings::WriteProgress(world.ini, "CET6", settings::Drill::Spell,
                            {DayKey(Today()), 0, kLearned});
    if (exam)
        WritePrivateProfileStringA(ini::kSystem, ini::kExamDate,
                                   DateOfDayNumber(ReviewAge(Today()).Today() + 45).c_str(),
                                   world.ini.c_str());
    return world;
}

// Today's review as the main window reads it: the banks, every state, today's reviews so
// far in the log, and the plan.
void BM_TodaysReviewQueue(benchmark::State& state) {
    const World world = MakeWorld(state.range(0) != 0);
    _ConnectionPtr connection = OpenConnection(world.db);
    long long words = 0;
    for (auto _ : state)
        words = ReadDailyReview(connection, world.ini, Today()).Total();
    state.counters["queue"] = static_cast<double>(words);
}
BENCHMARK(BM_TodaysReviewQueue)
    ->ArgName("exam")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// Its parts: reading the banks and every state, counting today's reviews in the log, and
// the plan's arithmetic alone.
void BM_ReadLearnedCards(benchmark::State& state) {
    const World world = MakeWorld(true);
    _ConnectionPtr connection = OpenConnection(world.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ReadLearnedCards(connection, world.ini, ReviewAge(Today()).Today()));
}
BENCHMARK(BM_ReadLearnedCards)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_TodaysReviewsInTheLog(benchmark::State& state) {
    const World world = MakeWorld(true);
    _ConnectionPtr connection = OpenConnection(world.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(study_log::DailyReviewsOn(connection, ReviewAge(Today()).Today()));
}
BENCHMARK(BM_TodaysReviewsInTheLog)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PlanToday(benchmark::State& state) {
    const World world = MakeWorld(state.range(0) != 0);
    const long long today = ReviewAge(Today()).Today();
    const LearnedCards learned = ReadLearnedCards(OpenConnection(world.db), world.ini, today);
    const review_plan::Settings settings = ReviewSettings(world.ini);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            review_plan::PlanToday(fsrs::Model(), learned.cards, settings, today, 50));
}
BENCHMARK(BM_PlanToday)
    ->ArgName("exam")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

template <class F> double Seconds(F&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One grading in 今日复习, right or (a fifth of them) wrong: the grading, its study-log row
// and its word's new state, kept in one transaction on the disk. The pick of the next word
// is not timed.
void BM_DailyReviewGrading(benchmark::State& state) {
    const World world = MakeWorld(true);
    settings::SetDailyReviewLimit(world.ini, 500); // words enough for every iteration
    _ConnectionPtr connection = OpenConnection(world.db);
    clock_source::Set([] { return Today(); });
    const DailyReview review = ReadDailyReview(connection, world.ini, Today());
    auto list = std::make_shared<PracticeList>(
        PracticeList{"今日复习", review.recognise, StudySource::DailyReview, false});
    DrillCore drill(kBrowseKeys, [](const std::string&) {});
    drill.SetUp({connection, 40, world.ini, clock_source::Now, list});
    std::mt19937 random(5);
    std::vector<double> seconds;
    for (auto _ : state) {
        if (!drill.PickNextWord()) {
            state.SkipWithError("the review ran out of words");
            break;
        }
        const bool wrong = random() % 5 == 0;
        const double took = Seconds([&] { wrong ? drill.GradeWrong(false) : drill.GradeRight(); });
        state.SetIterationTime(took);
        seconds.push_back(took);
    }
    clock_source::Set(nullptr);
    std::sort(seconds.begin(), seconds.end());
    if (!seconds.empty()) {
        state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
        state.counters["p99_ms"] = seconds[seconds.size() * 99 / 100] * 1e3;
    }
}
BENCHMARK(BM_DailyReviewGrading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

BENCHMARK_MAIN();
