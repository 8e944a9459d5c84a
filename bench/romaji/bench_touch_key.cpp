// SPDX-License-Identifier: GPL-3.0-or-later
// One key of touch typing in the real main window: the key down and the judgement, the guide
// and kana greyed, the keyboard marked and repainted, the key up with its counters, and what
// the statistics store is given (every unit in memory, a flush at each string's end); the same
// without statistics beside it, to show what they cost. Run it under Xvfb for the figures of a
// real display (bench/run.sh does).
// The keys follow the guide of each string, with a wrong key after every ninth right one, and
// Enter after each finished string (which shows the next one). Each key is timed alone; the
// counters give the median and the 99th percentile in microseconds, the time column their
// mean.

#include "bench/support/MainWindowBench.h"
#include "platform/ShiftJis.h"

namespace {

// 100 strings of kana, each the longest a string may be (40 bytes).
std::u16string KanaText() {
    const std::u16string lines[] = {
        u"あいうえおかきくけこさしすせそたちつてと",
        u"なにぬねのはひふへほまみむめもやゆよらり",
        u"しゃしゅしょちゃちゅちょきゃきゅきょっか",
        u"がぎぐげござじずぜぞだぢづでどばびぶべぼ",
    };
    std::u16string text;
    for (int i = 0; i < 100; ++i)
        text += lines[i % std::size(lines)] + u"\r\n";
    return text;
}

// The touch-typing window over the kana text, and the keys a learner types in it.
class TWindow : public TBenchWindow {
public:
    explicit TWindow(TfrmMain::TStatistics statistics)
        : TBenchWindow(TPracticeMode::Touch, ShiftJis::FromUtf16(KanaText()), statistics) {}

    // Starts the sentence again, as Enter in the sentence list does.
    void Load() {
        TBenchWindow::Load();
        FGuidePos = 0;
        FRightKeys = 0;
    }

    // The key the learner types next: the guide's next letter, a wrong one now and then,
    // Enter at the end of a string.
    char NextKey() {
        std::string guide = Example->Line(1);
        if (FGuidePos >= guide.size()) {
            FGuidePos = 0;
            return '\r';
        }
        if (++FRightKeys % 10 == 0)
            return guide[FGuidePos] == 'Q' ? 'Z' : 'Q';
        return guide[FGuidePos++];
    }

    bool Finished() const { return Example->Line(1).empty(); }

private:
    std::size_t FGuidePos = 0;
    int FRightKeys = 0;
};

void BM_TouchKey(benchmark::State& state) {
    TWindow window(state.range(0) ? TfrmMain::TStatistics::Recorded : TfrmMain::TStatistics::None);
    window.Load();
    std::vector<double> times;
    for (auto _ : state) {
        char key = window.NextKey();
        double seconds = TimedKey(window.Example, key);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        if (key == '\r' && window.Finished()) {
            // The drill ended with the last string: start it again (the time is manual).
            window.Load();
        }
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_TouchKey)
    ->ArgName("statistics")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(5000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
