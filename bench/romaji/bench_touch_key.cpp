// One key of touch typing in the real main window (offscreen): the key down and the judgement,
// the guide and kana greyed, the keyboard marked and repainted, the key up with its counters.
// The keys follow the guide of each string, with a wrong key after every ninth right one, and
// Enter after each finished string (which shows the next one). Each key is timed alone; the
// counters give the median and the 99th percentile in microseconds, the time column their
// mean.

#include "app/UDataFile.h"
#include "app/UfMain.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/ProgramFolder.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"

#include <QApplication>
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

// The closing box of the drill is answered at once.
class TSilentDialogs : public Dialogs::TResponder {
public:
    void Message(Dialogs::TIcon, const QString&) override {}
    bool YesNo(Dialogs::TIcon, const QString&) override { return true; }
    QString OpenFileName(const Dialogs::TFileDialogOptions&) override { return {}; }
    QString SaveFileName(const Dialogs::TFileDialogOptions&) override { return {}; }
    std::optional<QString> Text(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

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

class TWindow {
public:
    TWindow() {
        Dialogs::SetResponder(&FDialogs);
        SetProgramFolder(FFolder.path().toStdString());
        std::filesystem::create_directory(FFolder.path().toStdString() + "/TextFolder");
        std::ofstream(FFolder.path().toStdString() + "/TextFolder/a.txt", std::ios::binary)
            << "FF<0001>bench\r\n"
            << ShiftJis::FromUtf16(KanaText());
        ResetOptions(1280, 800);
        OptionRec.ExamMode = TfrmMain::TouchMode;
        OptionRec.MainWidth = 900;
        OptionRec.MainHeight = 600;
        WriteDataFile(DataFilePath());
        FWindow = std::make_unique<TfrmMain>();
        FWindow->show();
        if (!QTest::qWaitForWindowExposed(FWindow.get()))
            throw std::runtime_error("the window was not shown");
        Example = FWindow->findChild<TRichEdit*>("RichEdit1");
    }
    ~TWindow() {
        FWindow.reset();
        SetProgramFolder({});
        Dialogs::SetResponder(nullptr);
    }

    // Starts the sentence again, as Enter in the sentence list does.
    void Load() {
        auto* sentences = FWindow->findChild<QTreeWidget*>("ListView2");
        sentences->setFocus();
        QTest::keyClick(sentences, Qt::Key_Return);
        QCoreApplication::processEvents();
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

    TRichEdit* Example = nullptr;

private:
    TSilentDialogs FDialogs;
    QTemporaryDir FFolder;
    std::unique_ptr<TfrmMain> FWindow;
    std::size_t FGuidePos = 0;
    int FRightKeys = 0;
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

void BM_TouchKey(benchmark::State& state) {
    TWindow window;
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
    std::sort(times.begin(), times.end());
    state.counters["p50_us"] = times[times.size() / 2] * 1e6;
    state.counters["p99_us"] = times[times.size() * 99 / 100] * 1e6;
}
BENCHMARK(BM_TouchKey)->UseManualTime()->Iterations(5000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SubstituteFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
