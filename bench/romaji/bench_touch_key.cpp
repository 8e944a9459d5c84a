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
#include "romaji/UuKanaInput.h"

#include <QKeyEvent>

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

// Keys one after the other with `paceMillis` between them (0: none). Back to back, a key comes
// while the statistics of the string before are still being written beside it, which no hand
// can type; 40 ms apart is 1,500 keys a minute, faster than any learner.
void TouchKeys(benchmark::State& state, TfrmMain::TStatistics statistics, int paceMillis) {
    TWindow window(statistics);
    window.Load();
    std::vector<double> times;
    for (auto _ : state) {
        if (paceMillis > 0)
            QTest::qWait(paceMillis);
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

TfrmMain::TStatistics StatisticsOf(const benchmark::State& state) {
    return state.range(0) ? TfrmMain::TStatistics::Recorded : TfrmMain::TStatistics::None;
}

void BM_TouchKey(benchmark::State& state) {
    TouchKeys(state, StatisticsOf(state), 0);
}
BENCHMARK(BM_TouchKey)
    ->ArgName("statistics")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(5000)
    ->Unit(benchmark::kMicrosecond);

void BM_TouchKeyAtTypingPace(benchmark::State& state) {
    TouchKeys(state, StatisticsOf(state), 40);
}
BENCHMARK(BM_TouchKeyAtTypingPace)
    ->ArgName("statistics")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

// The same text by kana input: each key by its place (its X key code) with Shift where the
// kana layout needs it, a wrong key after every ninth right one, Enter after each string.
class TKanaWindow : public TBenchWindow {
public:
    TKanaWindow()
        : TBenchWindow(TPracticeMode::Touch, ShiftJis::FromUtf16(KanaText()),
                       TfrmMain::TStatistics::Recorded, TInputStyle::Kana) {}

    void Load() {
        TBenchWindow::Load();
        FStrokes.clear();
        FAtEnd = false;
        FRightKeys = 0;
    }

    // The stroke typed next; Key '\r' for Enter at the end of a string.
    TKeyStroke NextStroke() {
        if (FStrokes.empty() && !FAtEnd) {
            for (const std::vector<TKeyStroke>& keys :
                 MakeKanaLine(ShiftJis::ToUtf16(Example->Line(0))).Keys)
                FStrokes.insert(FStrokes.end(), keys.begin(), keys.end());
            FNext = 0;
            FAtEnd = true;
        }
        if (FNext >= FStrokes.size()) {
            FStrokes.clear();
            FAtEnd = false;
            return {'\r'};
        }
        if (++FRightKeys % 10 == 0)
            return {FStrokes[FNext].Key == 'Q' ? 'Z' : 'Q'};
        return FStrokes[FNext++];
    }

    bool Finished() const { return Example->Line(1).empty(); }

private:
    std::vector<TKeyStroke> FStrokes;
    std::size_t FNext = 0;
    bool FAtEnd = false;
    int FRightKeys = 0;
};

std::uint32_t CodeOf(char place) {
    for (std::uint32_t code = 9; code < 256; ++code)
        if (KeyOfScanCode(TKeyboardKind::Jis, code) == place)
            return code;
    return 0;
}

double TimedStroke(QWidget* target, TKeyStroke stroke) {
    if (stroke.Key == '\r')
        return TimedKey(target, '\r');
    auto start = TBenchClock::now();
    const Qt::KeyboardModifiers modifiers = stroke.Shift ? Qt::ShiftModifier : Qt::NoModifier;
    const QString text(QChar(static_cast<char16_t>(stroke.Key)));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, CodeOf(stroke.Key), 0, 0, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, modifiers, CodeOf(stroke.Key), 0, 0,
                      text);
    QApplication::sendEvent(target, &release);
    QCoreApplication::processEvents();
    return std::chrono::duration<double>(TBenchClock::now() - start).count();
}

void BM_KanaTouchKey(benchmark::State& state) {
    TKanaWindow window;
    window.Load();
    std::vector<double> times;
    for (auto _ : state) {
        TKeyStroke stroke = window.NextStroke();
        double seconds = TimedStroke(window.Example, stroke);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        if (stroke.Key == '\r' && window.Finished())
            window.Load();
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_KanaTouchKey)->UseManualTime()->Iterations(5000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
