// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics store on disk with a million unit attempts, a year of daily practice:
// writing one string's events (20 attempts and the exercise's totals) as the drill does at a
// string end, until they are in the file; reading everything the analysis window shows for the
// whole period; and the file's size per million attempts (file_MB_per_million, the database
// file without its write-ahead log).
//
// Rerun: build/bench/store/bench_stats_store (the store lives in a temporary folder under
// $TMPDIR, on disk unless $TMPDIR is a memory file system).

#include "bench/support/Percentiles.h"
#include "bench/support/SampleAttempts.h"
#include "store/UStatsStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

constexpr int MillionAttempts = 1'000'000;
constexpr int AttemptsPerString = 20;
constexpr int Days = 365;

// A store with a million attempts in exercises of 200, spread over a year, filled once.
struct TFullStore : TBenchStore {
    TFullStore() : TBenchStore("typorin-bench") {
        FillSampleAttempts(*Store, MillionAttempts, Days);
    }
    double FileMegabytes(const char* suffix = "") const {
        std::error_code error;
        auto bytes = fs::file_size(Folder / ("TyporinStats.db" + std::string(suffix)), error);
        return error ? 0 : static_cast<double>(bytes) / 1e6;
    }
};

TFullStore& FullStore() {
    static TFullStore store;
    return store;
}

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

void BM_WriteOneString(benchmark::State& state) {
    TStatsStore& store = *FullStore().Store;
    std::mt19937 random(7);
    auto id = store.BeginExercise(SampleHead(Days - 1));
    std::vector<double> times;
    int strings = 0;
    for (auto _ : state) {
        for (int i = 0; i < AttemptsPerString; ++i)
            store.AddAttempt(id, RandomAttempt(random));
        ++strings;
        store.SetTotals(id,
                        {strings * 6, strings * 42, strings, strings * AttemptsPerString, false});
        auto start = TClock::now();
        store.Sync();
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_WriteOneString)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMillisecond);

void BM_ReadForAnalysis(benchmark::State& state) {
    TStatsStore& store = *FullStore().Store;
    std::vector<double> times;
    std::size_t rows = 0;
    for (auto _ : state) {
        auto start = TClock::now();
        rows = store.UnitDays(TInputStyle::Romaji, INT_MIN).size() +
               store.KeyDays(TInputStyle::Romaji, INT_MIN).size() +
               store.MissDays(TInputStyle::Romaji, INT_MIN).size() +
               store.TouchDays(TInputStyle::Romaji, INT_MIN).size() +
               store.CommitDays(INT_MIN).size();
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    state.counters["rows"] = static_cast<double>(rows);
    ReportPercentiles(state, times);
}
BENCHMARK(BM_ReadForAnalysis)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_FileSize(benchmark::State& state) {
    TFullStore& full = FullStore();
    for (auto _ : state)
        full.Store->Sync();
    state.counters["file_MB_per_million"] = full.FileMegabytes();
    // The write-ahead log beside it, folded into the file at checkpoints (4 MB at the most).
    state.counters["log_MB"] = full.FileMegabytes("-wal");
}
BENCHMARK(BM_FileSize)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
