// Keys and comparisons of sequential and bulk input in the real main window (offscreen), on a
// practice text of 1,024 characters:
// - one key of an English sequential exercise (key down, the check, the key up with its line
//   feed and status texts) and the repaint it causes;
// - one key of a bulk exercise, with its repaint;
// - F5 on a Japanese text typed entirely wrong: the comparison and the marking of every unit.
// Each key is timed alone; the counters give the median and the 99th percentile in
// microseconds, the time column their mean.

#include "app/UDataFile.h"
#include "app/UfMain.h"
#include "platform/Fonts.h"
#include "platform/ProgramFolder.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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

class TWindow {
public:
    TWindow(int mode, const std::string& text) {
        SetProgramFolder(FFolder.path().toStdString());
        std::filesystem::create_directory(FFolder.path().toStdString() + "/TextFolder");
        std::ofstream(FFolder.path().toStdString() + "/TextFolder/a.txt", std::ios::binary)
            << "FF<0001>bench\r\n"
            << text << "\r\n";
        ResetOptions(1280, 800);
        OptionRec.ExamMode = static_cast<std::uint8_t>(mode);
        OptionRec.MainWidth = 900;
        OptionRec.MainHeight = 600;
        WriteDataFile(DataFilePath());
        FWindow = std::make_unique<TfrmMain>();
        FWindow->show();
        if (!QTest::qWaitForWindowExposed(FWindow.get()))
            throw std::runtime_error("the window was not shown");
        Example = FWindow->findChild<TRichEdit*>("RichEdit1");
        Typed = FWindow->findChild<TRichEdit*>("RichEdit2");
    }
    ~TWindow() {
        FWindow.reset();
        SetProgramFolder({});
    }

    // Starts the sentence again, as Enter in the sentence list does.
    void Load() {
        auto* sentences = FWindow->findChild<QTreeWidget*>("ListView2");
        sentences->setFocus();
        QTest::keyClick(sentences, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    QWidget* Window() const { return FWindow.get(); }
    TRichEdit* Example = nullptr;
    TRichEdit* Typed = nullptr;

private:
    QTemporaryDir FFolder;
    std::unique_ptr<TfrmMain> FWindow;
};

// A key as the learner types it, and the repaint that follows.
double TimedKey(QWidget* target, char key) {
    auto start = Clock::now();
    if (key == '\r')
        QTest::keyClick(target, Qt::Key_Return);
    else
        QTest::keyClick(target, key);
    QCoreApplication::processEvents();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void ReportPercentiles(benchmark::State& state, std::vector<double> times) {
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    state.counters["p50_us"] = times[times.size() / 2] * 1e6;
    state.counters["p99_us"] = times[times.size() * 99 / 100] * 1e6;
}

void BM_SequentialEnglishKey(benchmark::State& state) {
    std::string text = EnglishText();
    TWindow window(TfrmMain::PartMode, text);
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
    TWindow window(TfrmMain::AllMode, ShiftJis::FromUtf16(JapaneseText()));
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
    TWindow window(TfrmMain::AllMode, ShiftJis::FromUtf16(JapaneseText()));
    const QString wrong(1024, QChar(u'ぬ'));
    std::vector<double> times;
    for (auto _ : state) {
        window.Load();
        QTest::keyClick(window.Typed, Qt::Key_End);
        QInputMethodEvent commit(QString(), {});
        commit.setCommitString(wrong);
        QApplication::sendEvent(window.Typed, &commit);
        QCoreApplication::processEvents();
        auto start = Clock::now();
        QTest::keyClick(window.Typed, Qt::Key_F5);
        QCoreApplication::processEvents();
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    ReportPercentiles(state, times);
}
BENCHMARK(BM_CompareAllWrong)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SubstituteFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
