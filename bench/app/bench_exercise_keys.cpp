// SPDX-License-Identifier: GPL-3.0-or-later
// Keys and comparisons of sequential and bulk input in the real main window (offscreen), on a
// practice text of 1,024 characters:
// - one key of an English sequential exercise (key down, the check, the key up with its line
//   feed and status texts) and the repaint it causes;
// - one key of a bulk exercise, with its repaint;
// - F5 on a Japanese text typed entirely wrong: the comparison and the marking of every unit.
// Each key is timed alone; the counters give the median and the 99th percentile in
// microseconds, the time column their mean.

#include "bench/support/MainWindowBench.h"
#include "platform/ShiftJis.h"

#include <QInputMethodEvent>

namespace {

// 1,024 characters of English words.
std::string EnglishText() {
    const std::string words[] = {"the",  "quick", "brown", "fox",   "jumps", "over", "a",
                                 "lazy", "dog",   "while", "seven", "birds", "sing"};
    std::string text;
    for (int i = 0; text.size() < 1024; ++i)
        text += words[i % std::size(words)] + " ";
    text.resize(1023);
    return text + ".";
}

// 1,024 characters of Japanese prose, kana and kanji mixed.
std::u16string JapaneseText() {
    const std::u16string piece = u"今日は朝から雨が降っていたので、家で本を読んで過ごした。";
    std::u16string text;
    while (text.size() < 1024)
        text += piece;
    text.resize(1024);
    return text;
}

void BM_SequentialEnglishKey(benchmark::State& state) {
    std::string text = EnglishText();
    TBenchWindow window(TPracticeMode::Sequential, text);
    window.Load();
    std::size_t next = 0;
    std::vector<double> times;
    for (auto _ : state) {
        if (next + 1 >= text.size()) {
            // The last key would end the exercise: start it again, untimed.
            window.Load();
            next = 0;
        }
        double seconds = TimedKey(window.Typed, text[next++]);
        if (text[next] == '\n')
            ++next; // Enter typed the whole line break
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_SequentialEnglishKey)
    ->UseManualTime()
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

void BM_BulkKey(benchmark::State& state) {
    TBenchWindow window(TPracticeMode::Bulk, ShiftJis::FromUtf16(JapaneseText()));
    window.Load();
    std::vector<double> times;
    int typed = 0;
    for (auto _ : state) {
        if (++typed > 1500) {
            window.Load();
            typed = 0;
        }
        double seconds = TimedKey(window.Typed, "asdfghjkl \r"[typed % 11]);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_BulkKey)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

void BM_CompareAllWrong(benchmark::State& state) {
    TBenchWindow window(TPracticeMode::Bulk, ShiftJis::FromUtf16(JapaneseText()));
    const QString wrong(1024, QChar(u'ぬ'));
    std::vector<double> times;
    for (auto _ : state) {
        window.Load();
        QTest::keyClick(window.Typed, Qt::Key_End);
        QInputMethodEvent commit(QString(), {});
        commit.setCommitString(wrong);
        QApplication::sendEvent(window.Typed, &commit);
        QCoreApplication::processEvents();
        auto start = TBenchClock::now();
        // F5 runs this command; triggered directly, it needs no active window.
        window.Trigger("Comp1");
        QCoreApplication::processEvents();
        double seconds = std::chrono::duration<double>(TBenchClock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_CompareAllWrong)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
