// 查词 over both bundled banks: reading the index when the window opens, and one keystroke
// (the hits found and their lines made, as the list shows them).
#include "drills/core/word_lookup.h"
#include "support/word_db.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>

namespace {

const _ConnectionPtr& Bundled() {
    static const _ConnectionPtr connection = OpenConnection(WORDMILL_BUNDLED_DATABASE);
    return connection;
}

std::string NoIni() {
    return (std::filesystem::temp_directory_path() / "wordmill-lookup-bench.ini").string();
}

void BM_ReadWordIndex(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWordIndex(Bundled(), NoIni(), std::time(nullptr)).size());
}
BENCHMARK(BM_ReadWordIndex)->Unit(benchmark::kMillisecond);

constexpr size_t kHitsShown = 200;

void BM_Keystroke(benchmark::State& state, const char* query) {
    static const WordIndex index = ReadWordIndex(Bundled(), NoIni(), std::time(nullptr));
    size_t hits = 0;
    for (auto _ : state) {
        std::vector<std::string> lines;
        for (const LookupEntry* hit : index.Find(query, kHitsShown))
            lines.push_back(HitLine(*hit));
        hits = lines.size();
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["words"] = static_cast<double>(index.size());
}
BENCHMARK_CAPTURE(BM_Keystroke, english_a, "a")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, english_abs, "abs")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, chinese_one, "的")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, chinese_two, "放弃")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, chinese_none, "火星人")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
