// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Touch-typing attempts as a year of practice yields them, for the benchmarks that need a full
// statistics store: the units of everyday text, the common ones far more often than the rare,
// some with a second spelling, times of 150 to 550 ms (a few untimed), and a wrong key in one
// attempt of twenty.

#include "store/UStatsStore.h"

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>

// The units of everyday text, the common first, with their spellings.
struct TSampleUnit {
    const char16_t* Unit;
    const char* Spellings[2];
};
inline constexpr TSampleUnit SampleUnits[] = {
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

inline TUnitAttempt RandomAttempt(std::mt19937& random) {
    // A rough Zipf: the first units far more often than the last.
    std::uniform_real_distribution<double> uniform(0, 1);
    auto index =
        static_cast<std::size_t>(std::size(SampleUnits) * uniform(random) * uniform(random));
    const TSampleUnit& unit = SampleUnits[index];
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

// A touch-typing exercise on day `day` of the sample year.
inline TExerciseHead SampleHead(int day) {
    TExerciseHead head;
    head.Title = u"ベンチマーク";
    head.Day = 20000 + day;
    head.Started = std::int64_t{head.Day} * 86400;
    return head;
}

// Fills `store` with `attempts` attempts in exercises of 200 spread over `days` days, flushed
// every 50 exercises and written when it returns.
inline void FillSampleAttempts(TStatsStore& store, int attempts, int days,
                               const std::function<TExerciseHead(int)>& head = SampleHead) {
    constexpr int attemptsPerExercise = 200;
    std::mt19937 random(42);
    const int exercises = attempts / attemptsPerExercise;
    for (int e = 0; e < exercises; ++e) {
        auto id = store.BeginExercise(head(e * days / exercises));
        for (int i = 0; i < attemptsPerExercise; ++i)
            store.AddAttempt(id, RandomAttempt(random));
        store.SetTotals(id, {120, 420, 10, attemptsPerExercise, true});
        if (e % 50 == 49)
            store.Flush();
    }
    store.Sync();
}

// A statistics store in a folder of its own under $TMPDIR (on disk unless that is a memory file
// system), removed with the object.
struct TBenchStore {
    explicit TBenchStore(const std::string& name) {
        const char* tmp = std::getenv("TMPDIR");
        Folder =
            std::filesystem::path(tmp ? tmp : "/tmp") / (name + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder);
        Store = std::make_unique<TStatsStore>(Folder / "TyporinStats.db");
    }
    ~TBenchStore() {
        Store.reset();
        std::filesystem::remove_all(Folder);
    }
    TBenchStore(const TBenchStore&) = delete;
    TBenchStore& operator=(const TBenchStore&) = delete;

    std::filesystem::path Folder;
    std::unique_ptr<TStatsStore> Store;
};
