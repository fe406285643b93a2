// Settings-file and word-database costs at realistic sizes.
#include "bench/review_rows.h"
#include "store/ado.h"
#include "store/profile.h"
#include "support/word_db.h"
#include "tools/wordbank.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

fs::path BenchDir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "wordmill-bench";
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

// A read.ini of 200 lines: four sections of keys, comments and blank lines.
std::string MakeIni() {
    const std::string path = (BenchDir() / "read.ini").string();
    std::ofstream out(path);
    int lines = 0;
    for (const char* section : {"system", "CET4", "CET6", "usermessage"}) {
        out << "[" << section << "]\n; notes\n\n";
        lines += 3;
        for (int i = 0; i < 47; ++i, ++lines)
            out << "key" << i << "=" << i * 7 << "\n";
    }
    out << "[usermessage]\n";
    return path;
}

std::vector<WordEntry> Cet4Words() {
    const std::string full = std::string(WORDMILL_SHARED_DATA) + "/cet4.tsv";
    if (fs::exists(full))
        return ReadWordList(full);
    std::vector<WordEntry> words;
    for (int i = 0; i < 4500; ++i)
        words.push_back({"word" + std::to_string(i), "n. 释义，意义" + std::to_string(i)});
    return words;
}

std::string BankDatabase() {
    static const std::string path = [] {
        std::string p = (BenchDir() / "bank.mdb").string();
        BuildWordDatabase(p, {{"CET4", Cet4Words()}});
        return p;
    }();
    return path;
}

std::string ReviewDatabase(int rows) {
    std::string path = (BenchDir() / ("review" + std::to_string(rows) + ".mdb")).string();
    if (fs::exists(path))
        return path;
    BuildWordDatabase(path, {});
    AddReviewRows(path, rows, "2026-12-08");
    return path;
}

void BM_ReadIniKey(benchmark::State& state) {
    const std::string ini = MakeIni();
    for (auto _ : state)
        benchmark::DoNotOptimize(GetPrivateProfileIntA("usermessage", "key46", 0, ini));
}
BENCHMARK(BM_ReadIniKey)->Unit(benchmark::kMicrosecond);

void BM_WriteIniKey(benchmark::State& state) {
    const std::string ini = MakeIni();
    int n = 0;
    for (auto _ : state)
        WritePrivateProfileStringA("CET6", "key20", std::to_string(++n).c_str(), ini);
}
BENCHMARK(BM_WriteIniKey)->Unit(benchmark::kMicrosecond);

void BM_OpenBankAndMove4000(benchmark::State& state) {
    _ConnectionPtr c = OpenConnection(BankDatabase());
    for (auto _ : state) {
        _RecordsetPtr rs = OpenTable(c, "CET4");
        rs->Move(4000);
        benchmark::DoNotOptimize(rs->GetCollect("danci"));
    }
}
BENCHMARK(BM_OpenBankAndMove4000)->Unit(benchmark::kMicrosecond);

// One bank word at position 4,000 of an open bank, reached from its start.
void BM_BankWordAt4000(benchmark::State& state) {
    _ConnectionPtr c = OpenConnection(BankDatabase());
    _RecordsetPtr rs = OpenTable(c, "CET4");
    for (auto _ : state) {
        rs->MoveFirst();
        rs->Move(4000);
        benchmark::DoNotOptimize(rs->GetCollect("danci"));
    }
}
BENCHMARK(BM_BankWordAt4000)->Unit(benchmark::kMicrosecond);

void BM_ScanReviewTable100k(benchmark::State& state) {
    _ConnectionPtr c = OpenConnection(ReviewDatabase(100'000));
    _RecordsetPtr rs = OpenTable(c, "readfuxi");
    for (auto _ : state) {
        size_t bytes = 0;
        for (rs->MoveFirst(); !rs->adoEOF(); rs->MoveNext())
            bytes += rs->GetCollect("time")->size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ScanReviewTable100k)->Unit(benchmark::kMillisecond);

void BM_OpenReviewTable100k(benchmark::State& state) {
    _ConnectionPtr c = OpenConnection(ReviewDatabase(100'000));
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenTable(c, "readfuxi"));
}
BENCHMARK(BM_OpenReviewTable100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
