// SPDX-License-Identifier: GPL-3.0-or-later
// From an X key event to the window having processed what the input method made of it:
// romaji "a" to the preedit "あ", and Return to the commit checked by sequential input, through
// fcitx5 and Mozc. Runs inside tests/ime/im_session.sh fcitx5 (bench/run.sh starts it);
// elsewhere it says so and does nothing.

#include "bench/support/MainWindowBench.h"

#include "platform/InputMethod.h"
#include "platform/ShiftJis.h"
#include "tests/support/WaitFor.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <functional>

namespace {

// Counts the input-method events a pane has received.
class TImeEventCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::InputMethod)
            ++Count;
        return false;
    }
};

// Presses and releases a key through XTest; returns when the X server has the events.
void FakeKey(Display* display, KeySym symbol) {
    KeyCode code = XKeysymToKeycode(display, symbol);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
}

void BM_ImeKeyToPreeditAndCommit(benchmark::State& state) {
    // Enough あ for every key of the run: each commit is one accepted character.
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += ShiftJis::FromUtf16(u"あ");
    TBenchWindow window(TPracticeMode::Sequential, text);
    // X sends the keys to the focused window.
    window.Typed->window()->activateWindow();
    bool active = QTest::qWaitForWindowActive(window.Typed->window());
    window.Load();
    Display* display = XOpenDisplay(nullptr);
    if (!active || !display || !WaitFor([&] { return window.Typed->hasFocus(); }, 10000) ||
        !WaitFor(InputMethod::Fcitx5JapaneseInputOn, 15000)) {
        state.SkipWithError("fcitx5 did not serve the window");
        if (display)
            XCloseDisplay(display);
        return;
    }
    TImeEventCounter counter;
    window.Typed->installEventFilter(&counter);
    std::vector<double> preedits, commits;
    auto timed = [&](KeySym symbol, const std::function<bool()>& done) {
        int before = counter.Count;
        auto start = TBenchClock::now();
        FakeKey(display, symbol);
        if (!WaitFor([&] { return counter.Count > before && done(); }, 5000))
            return -1.0;
        return std::chrono::duration<double>(TBenchClock::now() - start).count();
    };
    for (auto _ : state) {
        int typed = window.Typed->TextLength();
        double preedit = timed(XK_a, [&] { return window.Typed->HasComposition(); });
        double commit = timed(XK_Return, [&] {
            return !window.Typed->HasComposition() && window.Typed->TextLength() > typed;
        });
        if (preedit < 0 || commit < 0) {
            state.SkipWithError("the input method did not answer within 5 s");
            break;
        }
        preedits.push_back(preedit);
        commits.push_back(commit);
    }
    window.Typed->removeEventFilter(&counter);
    XCloseDisplay(display);
    ReportPercentiles(state, preedits);
    if (!commits.empty()) {
        std::sort(commits.begin(), commits.end());
        state.counters["commit_p50_us"] = commits[commits.size() / 2] * 1e6;
        state.counters["commit_p99_us"] = commits[commits.size() * 99 / 100] * 1e6;
    }
}
BENCHMARK(BM_ImeKeyToPreeditAndCommit)->Iterations(200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariable("TYPORIN_IM") != QLatin1String("fcitx5")) {
        std::puts("bench_ime_keys: runs inside tests/ime/im_session.sh fcitx5");
        return 0;
    }
    return RunWindowBenchmarks(argc, argv);
}
