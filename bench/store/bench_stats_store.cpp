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
#include "store/UStatsStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

constexpr int MillionAttempts = 1'000'000;
constexpr int AttemptsPerString = 20;
constexpr int AttemptsPerExercise = 200;
constexpr int Days = 365;

// The units of everyday text, the common first, with their spellings.
struct TUnitSpelling {
    const char16_t* Unit;
    const char* Spellings[2];
};
constexpr TUnitSpelling Units[] = {
    {u"の", {"NO"}},        {u"い", {"I"}},
    {u"た", {"TA"}},        {u"か", {"KA"}},
    {u"に", {"NI"}},        {u"て", {"TE"}},
    {u"と", {"TO"}},        {u"し", {"SHI", "SI"}},
    {u"す", {"SU"}},        {u"る", {"RU"}},
    {u"は", {"HA"}},        {u"う", {"U"}},
    {u"な", {"NA"}},        {u"ん", {"NN"}},
    {u"を", {"WO"}},        {u"が", {"GA"}},
    {u"も", {"MO"}},        {u"で", {"DE"}},
    {u"ま", {"MA"}},        {u"れ", {"RE"}},
    {u"こ", {"KO"}},        {u"っ", {"LTU"}},
    {u"ら", {"RA"}},        {u"さ", {"SA"}},
    {u"あ", {"A"}},         {u"り", {"RI"}},
    {u"き", {"KI"}},        {u"く", {"KU"}},
    {u"ち", {"CHI", "TI"}}, {u"つ", {"TSU", "TU"}},
    {u"せ", {"SE"}},        {u"け", {"KE"}},
    {u"じ", {"JI", "ZI"}},  {u"しゃ", {"SHA", "SYA"}},
    {u"きょ", {"KYO"}},     {u"ー", {"-"}},
    {u"、", {","}},         {u"。", {"."}},
    {u"ふ", {"FU", "HU"}},  {u"ちゃ", {"CHA", "TYA"}},
    {u"ぬ", {"NU"}},        {u"ゆ", {"YU"}},
    {u"ほ", {"HO"}},        {u"へ", {"HE"}},
    {u"りょ", {"RYO"}},     {u"ぴ", {"PI"}},
    {u"ぞ", {"ZO"}},        {u"ヴ", {"VU"}},
};

TUnitAttempt RandomAttempt(std::mt19937& random) {
    // A rough Zipf: the first units far more often than the last.
    std::uniform_real_distribution<double> uniform(0, 1);
    auto index = static_cast<std::size_t>(std::size(Units) * uniform(random) * uniform(random));
    const TUnitSpelling& unit = Units[index];
    TUnitAttempt a;
    a.Unit = unit.Unit;
    bool second = unit.Spellings[1] && uniform(random) < 0.2;
    a.Spelling = second ? unit.Spellings[1] : unit.Spellings[0];
    a.Millis = uniform(random) < 0.05 ? -1 : 150 + static_cast<int>(400 * uniform(random));
    for (char key : a.Spelling)
        a.Keys.push_back({std::string(1, key), a.Millis < 0 ? -1 : a.Millis / 2});
    if (uniform(random) < 0.05)
        a.Misses.push_back({std::string(1, a.Spelling[0]), "J"});
    return a;
}

TExerciseHead Head(int day) {
    TExerciseHead head;
    head.Title = u"ベンチマーク";
    head.Day = 20000 + day;
    head.Started = std::int64_t{head.Day} * 86400;
    return head;
}

// A store with a million attempts in exercises of 200, spread over a year, filled once.
struct TFullStore {
    TFullStore() {
        const char* tmp = std::getenv("TMPDIR");
        Folder = fs::path(tmp ? tmp : "/tmp") / ("typorin-bench-" + std::to_string(::getpid()));
        fs::create_directories(Folder);
        Store = std::make_unique<TStatsStore>(Folder / "TyporinStats.db");
        std::mt19937 random(42);
        int exercises = MillionAttempts / AttemptsPerExercise;
        for (int e = 0; e < exercises; ++e) {
            auto id = Store->BeginExercise(Head(e * Days / exercises));
            for (int i = 0; i < AttemptsPerExercise; ++i)
                Store->AddAttempt(id, RandomAttempt(random));
            Store->SetTotals(id, {120, 420, 10, AttemptsPerExercise, true});
            if (e % 50 == 49)
                Store->Flush();
        }
        Store->Sync();
    }
    ~TFullStore() {
        Store.reset();
        fs::remove_all(Folder);
    }
    double FileMegabytes(const char* suffix = "") const {
        std::error_code error;
        auto bytes = fs::file_size(Folder / ("TyporinStats.db" + std::string(suffix)), error);
        return error ? 0 : static_cast<double>(bytes) / 1e6;
    }
    fs::path Folder;
    std::unique_ptr<TStatsStore> Store;
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
    auto id = store.BeginExercise(Head(Days - 1));
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
