// SPDX-License-Identifier: GPL-3.0-or-later
// The records window on a full ring of 200 records of one mode: opening it until it is shown,
// one repaint of the four strips (2,050 pixels wide), one read-out mouse move over a strip, and
// the deletion of one title with the compaction of the ring.

#include "bench/support/MainWindowBench.h"
#include "exercise/UExerciseStats.h"
#include "platform/PaintBox.h"
#include "records/UfGraphJap.h"

#include <QMouseEvent>
#include <QScrollArea>

namespace {

// 200 bulk records of ten titles, a minute apart, with varied counts.
void FillRing() {
    ResetOptions(1280, 800);
    for (int i = 0; i < RecordCount; ++i) {
        TPracticeRec rec{};
        SetRecordTitle(rec, "title " + std::to_string(i % 10));
        rec.RecDate = RecDateOf(2026, 12, 1, 8, 0, 0) + i / 1440.0;
        rec.RecMode = TRecordMode::BulkWhole;
        rec.ExampleCount = 100 + i % 17;
        rec.InputCount = 95 + i % 13;
        rec.MatchCount = 90 + i % 7;
        rec.MissCount = i % 9;
        rec.ExtraCount = i % 5;
        rec.KanjiCount = 20 + i % 11;
        rec.KeyCount = 250 + i;
        rec.Seconds = 60 + i % 30;
        StoreRecord(rec);
    }
}

const TMainWindowState BulkMain = {false, true, false, FixedFontFace};

double Since(TBenchClock::time_point start) {
    return std::chrono::duration<double>(TBenchClock::now() - start).count();
}

void BM_OpenRecordsWindow(benchmark::State& state) {
    TSilentDialogs dialogs;
    Dialogs::SetResponder(&dialogs);
    FillRing();
    std::vector<double> times;
    for (auto _ : state) {
        auto start = TBenchClock::now();
        auto* window = new TfrmGraphJap(nullptr, BulkMain);
        window->show();
        QCoreApplication::processEvents();
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        delete window;
    }
    ReportPercentiles(state, times);
    Dialogs::SetResponder(nullptr);
}
BENCHMARK(BM_OpenRecordsWindow)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// The window at 2,050 + 200 pixels wide, so that whole strips are on screen.
struct TWideWindow {
    TWideWindow() {
        FillRing();
        OptionRec.GraphWidth = 2300;
        OptionRec.GraphHeight = 700;
        Window = std::make_unique<TfrmGraphJap>(nullptr, BulkMain);
        Window->show();
        QCoreApplication::processEvents();
        for (const char* name : {"PaintBox1", "PaintBox2", "PaintBox3", "PaintBox4"})
            Strips.push_back(Window->findChild<TPaintBox*>(QString::fromLatin1(name)));
    }
    std::unique_ptr<TfrmGraphJap> Window;
    std::vector<TPaintBox*> Strips;
};

void BM_RepaintFourStrips(benchmark::State& state) {
    TWideWindow wide;
    std::vector<double> times;
    for (auto _ : state) {
        auto start = TBenchClock::now();
        for (TPaintBox* strip : wide.Strips)
            strip->repaint();
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    state.counters["strip_width"] = wide.Strips[0]->width();
    ReportPercentiles(state, times);
}
BENCHMARK(BM_RepaintFourStrips)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_ReadOutMove(benchmark::State& state) {
    TWideWindow wide;
    TPaintBox* strip = wide.Strips[0];
    std::vector<double> times;
    int x = 50;
    for (auto _ : state) {
        x = x >= 2040 ? 50 : x + 7;
        const QPointF at(x, strip->height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, strip->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        auto start = TBenchClock::now();
        QApplication::sendEvent(strip, &move);
        QCoreApplication::processEvents();
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_ReadOutMove)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

void BM_DeleteTitleRecords(benchmark::State& state) {
    std::vector<double> times;
    for (auto _ : state) {
        FillRing();
        auto start = TBenchClock::now();
        DeleteTitleRecords(PracticeRecs, OptionRec.NextRecord, TRecordMode::BulkWhole, "title 3");
        double seconds = Since(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_DeleteTitleRecords)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
