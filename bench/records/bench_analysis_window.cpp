// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window over a statistics store of a million unit attempts, a year of daily
// touch typing that ends today, and a commit a day of sequential input: opening it until it is
// shown with its first paint done (reading everything from the store, working out the figures
// of the whole period, filling the table, laying out and painting the keyboard), and switching
// the period, which works on what was read.
//
// Rerun: build/bench/analysis/bench_analysis_window (offscreen; under a virtual X display with
// QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24"). The store lives in a temporary
// folder under $TMPDIR; filling it takes a while before the first figure.

#include "bench/support/MainWindowBench.h"
#include "bench/support/SampleAttempts.h"
#include "platform/PaintBox.h"
#include "records/UfAnalysis.h"

#include <QComboBox>

#include <climits>

namespace {

constexpr int MillionAttempts = 1'000'000;
constexpr int Days = 365;

// The store, filled once for every benchmark of the run.
struct TFullStore : TBenchStore {
    TFullStore() : TBenchStore("typorin-bench-analysis") {
        const int today = TStatsStore::LocalDay(TStatsStore::Now());
        auto head = [today](int day) {
            TExerciseHead h = SampleHead(day);
            h.Day = today - (Days - 1) + day;
            return h;
        };
        FillSampleAttempts(*Store, MillionAttempts, Days, head);
        for (int day = 0; day < Days; ++day) {
            TExerciseHead h = head(day);
            h.Mode = TPracticeMode::Sequential;
            auto id = Store->BeginExercise(h);
            Store->AddCommit(id, {u"本屋", u"本屋", true, 900, 6});
            Store->SetTotals(id, {60, 6, 0, 2, true});
        }
        Store->Sync();
    }
};

TFullStore& FullStore() {
    static TFullStore store;
    return store;
}

double Since(TBenchClock::time_point start) {
    return std::chrono::duration<double>(TBenchClock::now() - start).count();
}

void BM_OpenAnalysisWindow(benchmark::State& state) {
    TStatsStore& store = *FullStore().Store;
    TSilentDialogs dialogs;
    Dialogs::SetResponder(&dialogs);
    std::vector<double> times;
    for (auto _ : state) {
        auto start = TBenchClock::now();
        auto* window = new TfrmAnalysis(store);
        // Until the keyboard, the picture shown first, has been painted: under X the window is
        // exposed when the server says so, some events later.
        auto* keyboard = window->findChild<TPaintBox*>(QStringLiteral("PaintBox1"));
        bool painted = false;
        keyboard->OnPaint = [paint = keyboard->OnPaint, &painted](QPainter& painter) {
            paint(painter);
            painted = true;
        };
        window->show();
        while (!painted && Since(start) < 10)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        double seconds = Since(start);
        if (!painted)
            state.SkipWithError("the window was not painted within 10 s");
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        delete window;
        QCoreApplication::processEvents();
    }
    ReportPercentiles(state, times);
    Dialogs::SetResponder(nullptr);
}
BENCHMARK(BM_OpenAnalysisWindow)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_SwitchPeriod(benchmark::State& state) {
    TStatsStore& store = *FullStore().Store;
    auto window = std::make_unique<TfrmAnalysis>(store);
    window->show();
    QCoreApplication::processEvents();
    auto* period = window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    std::vector<double> times;
    int choice = 0;
    for (auto _ : state) {
        choice = (choice + 1) % period->count();
        auto start = TBenchClock::now();
        period->setCurrentIndex(choice);
        QCoreApplication::processEvents();
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_SwitchPeriod)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
