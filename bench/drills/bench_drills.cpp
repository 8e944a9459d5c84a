// SPDX-License-Identifier: GPL-3.0-or-later
// The generated touch-typing texts: the time to make a weakness drill and a stage text of the
// kana course (each must take at most 20 ms), the one-time preparation of the word list, and
// how strongly a weakness drill favours its focus units over 1,000 seeds: each focus unit's
// share of the drills' units against its share in ordinary text (the word list weighted by
// frequency class), which should lie between 3 and 5.
//
// Rerun: build/bench/drills/bench_drills

#include "bench/support/Percentiles.h"
#include "drills/UKanaCourse.h"
#include "drills/UWeaknessDrill.h"
#include "store/UUtf8.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr int Today = 20000;
constexpr int Seeds = 1000;

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

struct TFigure {
    const char16_t* Unit;
    int Attempts;
    int Failed;
    int MedianMillis;
};

// A learner after a few weeks: the common kana typed often and fairly well, a few weak ones.
std::vector<UKanaAnalysis::TUnitRow> Rows(std::vector<TFigure> weak) {
    std::vector<TFigure> figures = weak;
    for (const char16_t* unit :
         {u"あ", u"い", u"う", u"え", u"お", u"か", u"き", u"く", u"け", u"こ", u"さ", u"し",
          u"す", u"せ", u"そ", u"た", u"ち", u"つ", u"て", u"と", u"な", u"に", u"の", u"は",
          u"ま", u"み", u"も", u"ら", u"り", u"る", u"れ", u"ん", u"が", u"で", u"ー"})
        figures.push_back({unit, 120, 4, 320});
    std::vector<TUnitDay> days;
    for (const TFigure& f : figures) {
        TUnitDay day{Today, f.Unit, "X", f.Attempts, f.Failed, f.Failed, {}};
        day.Times.Add(f.MedianMillis, static_cast<std::uint32_t>(f.Attempts));
        days.push_back(day);
    }
    return UKanaAnalysis::UnitTable(days, {}, {Today - 29, Today});
}

const std::vector<TFigure> RareWeak = {
    {u"ぬ", 40, 12, 600}, {u"しゃ", 40, 8, 500}, {u"っか", 40, 6, 450}};
const std::vector<TFigure> CommonWeak = {
    {u"し", 200, 40, 600}, {u"と", 200, 30, 500}, {u"ら", 200, 24, 450}};

void BM_PrepareWordList(benchmark::State& state) {
    const std::vector<TWord>& list = BuiltInWordList();
    std::vector<double> times;
    for (auto _ : state) {
        auto start = TClock::now();
        UDrillText::TDrillWords words(list);
        benchmark::DoNotOptimize(words);
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_PrepareWordList)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_WeaknessDrill(benchmark::State& state) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    std::vector<UKanaAnalysis::TUnitRow> rows = Rows(RareWeak);
    std::vector<double> times;
    std::uint32_t seed = 0;
    for (auto _ : state) {
        auto start = TClock::now();
        UWeaknessDrill::TDrill drill = UWeaknessDrill::MakeWeaknessDrill(rows, words, seed++);
        benchmark::DoNotOptimize(drill);
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_WeaknessDrill)->UseManualTime()->Iterations(Seeds)->Unit(benchmark::kMillisecond);

// The current stage's text at every point of the course, in turn.
void BM_StageText(benchmark::State& state) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    const int items = static_cast<int>(UKanaCourse::Items().size());
    std::vector<double> times;
    std::uint32_t seed = 0;
    int pairs = 0;
    for (auto _ : state) {
        UKanaCourse::TProgress progress{
            UKanaCourse::InitialUnlocked +
            static_cast<int>(seed % (items - UKanaCourse::InitialUnlocked + 1))};
        int stage = UKanaCourse::CurrentStage(progress);
        auto start = TClock::now();
        UKanaCourse::TStageText text = UKanaCourse::MakeStageText(stage, progress, words, seed++);
        benchmark::DoNotOptimize(text);
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        pairs += text.PairsAdded ? 1 : 0;
    }
    state.counters["texts_with_pairs_pct"] = 100.0 * pairs / static_cast<double>(times.size());
    ReportPercentiles(state, times);
}
BENCHMARK(BM_StageText)->UseManualTime()->Iterations(Seeds)->Unit(benchmark::kMillisecond);

// Each focus unit's share of all units over 1,000 drills against its share in ordinary text;
// and the share of drills that hold every focus unit at least once (percent).
void FocusShare(benchmark::State& state, const std::vector<TFigure>& weak) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    std::vector<UKanaAnalysis::TUnitRow> rows = Rows(weak);
    std::map<std::u16string, long> focusUnits;
    long allUnits = 0;
    int complete = 0;
    std::vector<std::u16string> focus;
    for (auto _ : state) {
        for (std::uint32_t seed = 0; seed < Seeds; ++seed) {
            UWeaknessDrill::TDrill drill = UWeaknessDrill::MakeWeaknessDrill(rows, words, seed);
            focus = drill.Focus;
            std::map<std::u16string, int> counts = UDrillText::CountUnits(drill.Text);
            for (const auto& [unit, count] : counts)
                allUnits += count;
            bool all = true;
            for (const std::u16string& unit : focus) {
                focusUnits[unit] += counts[unit];
                all &= counts[unit] > 0;
            }
            complete += all ? 1 : 0;
        }
    }
    double focusTotal = 0, ordinaryTotal = 0;
    for (const std::u16string& unit : focus) {
        double share = focusUnits[unit] / static_cast<double>(allUnits);
        double ordinary = words.OrdinaryShare(unit);
        std::string name = UUtf8::FromUtf16(unit);
        state.counters["ratio_" + name] = share / ordinary;
        state.counters["pct_" + name] = share * 100;
        state.counters["ordinary_pct_" + name] = ordinary * 100;
        focusTotal += share;
        ordinaryTotal += ordinary;
    }
    state.counters["ratio_all_focus"] = focusTotal / ordinaryTotal;
    state.counters["units_per_drill"] = allUnits / static_cast<double>(Seeds);
    state.counters["drills_with_every_focus_pct"] = 100.0 * complete / Seeds;
}

void BM_FocusShareRare(benchmark::State& state) {
    FocusShare(state, RareWeak);
}
BENCHMARK(BM_FocusShareRare)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_FocusShareCommon(benchmark::State& state) {
    FocusShare(state, CommonWeak);
}
BENCHMARK(BM_FocusShareCommon)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
