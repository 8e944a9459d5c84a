// SPDX-License-Identifier: GPL-3.0-or-later
// Time the panes take for one key of an exercise on a text of 1,024 characters, the longest
// practice text: what the windows do per key in sequential and bulk input. Each figure is the
// time of one key, events and hooks included; the last is that of marking every character,
// as the comparison of a text typed entirely wrong does, with the repaint.

#include "compare/UuCompPart.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int TextCharacters = 1024;

// A practice text of `TextCharacters` characters, cut into lines of 40 by CR LF.
std::u16string PracticeText(std::u16string_view sentence) {
    std::u16string text;
    while (text.size() < TextCharacters) {
        text += sentence[text.size() % sentence.size()];
        if (text.size() % 42 == 40)
            text += u"\r\n";
    }
    return text;
}

struct TPanes {
    TRichEdit Example, Input;
    TCompPart Comp;
    std::string ExampleText;

    explicit TPanes(std::u16string_view sentence) {
        for (TRichEdit* pane : {&Example, &Input}) {
            pane->resize(600, 200);
            pane->show();
        }
        (void)QTest::qWaitForWindowExposed(&Input);
        Input.setFocus();
        Example.SetReadOnly(true);
        ExampleText = ShiftJis::FromUtf16(PracticeText(sentence));
        Example.SetText(ExampleText);
        ExampleText = Example.Text();
        Comp.ExampleEdit = &Example;
        Comp.InputEdit = &Input;
    }

    void Restart() {
        Input.Clear();
        Comp.Confirmed.clear();
        Example.SelectAll();
        Example.SetSelColor(PaneColors::Black);
        Example.SetSelStyle({});
        Example.SetSelLength(0);
    }
};

// English sequential input: each key is checked against the example before the typing field
// takes it, as the window's character hook does.
void BM_SequentialKey(benchmark::State& state) {
    TPanes panes(u"the quick brown fox jumps over the lazy dog ");
    panes.Input.OnKeyPress = [&](QChar c) {
        int pos = panes.Input.SelStart();
        char expected = panes.Example.Text()[static_cast<std::size_t>(pos)];
        return !panes.Comp.CheckKey(static_cast<char>(c.unicode()), expected);
    };
    for (auto _ : state) {
        int pos = panes.Input.SelStart();
        char next = panes.ExampleText[static_cast<std::size_t>(pos)];
        if (next == '\r') { // the window handles Enter itself; type the break directly
            state.PauseTiming();
            panes.Input.SetSelText("\r\n");
            if (panes.Input.TextLength() >= static_cast<int>(panes.ExampleText.size()) - 1)
                panes.Restart();
            state.ResumeTiming();
            continue;
        }
        QTest::keyClick(&panes.Input, next);
        if (panes.Input.TextLength() >= static_cast<int>(panes.ExampleText.size()) - 1) {
            state.PauseTiming();
            panes.Restart();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SequentialKey)->Unit(benchmark::kMicrosecond);

// Japanese sequential input: the input method commits one character, the typing field inserts
// it and the commit hook checks it.
void BM_SequentialCommit(benchmark::State& state) {
    TPanes panes(u"日本語の文章を入力する練習です。");
    panes.Input.OnImeCommit = [&](const std::string& committed) {
        panes.Comp.CheckCommit(committed, 0);
    };
    const std::u16string example = ShiftJis::ToUtf16(panes.ExampleText);
    std::size_t next = 0;
    for (auto _ : state) {
        if (example[next] == u'\r') {
            state.PauseTiming();
            panes.Input.SetSelText("\r\n");
            panes.Comp.Confirmed += "\r\n";
            next += 2;
            state.ResumeTiming();
        }
        QInputMethodEvent commit;
        commit.setCommitString(QString(QChar(example[next])));
        QApplication::sendEvent(&panes.Input, &commit);
        if (++next >= example.size()) {
            state.PauseTiming();
            panes.Restart();
            next = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SequentialCommit)->Unit(benchmark::kMicrosecond);

// Bulk input: a key typed into a word-wrapped typing field, then what the key up does for the
// automatic line feed (first visible and number of lines of the example, line of the caret).
void BM_BulkKey(benchmark::State& state) {
    TPanes panes(u"日本語の文章を入力する練習です。");
    panes.Input.SetText(panes.ExampleText);
    panes.Input.SetSelStart(panes.Input.TextLength() / 2);
    panes.Example.SetWordWrap(false);
    int lines = 0;
    panes.Input.OnKeyUp = [&](const QKeyEvent&) {
        int first = panes.Example.FirstVisibleLine();
        lines = panes.Example.LineCount();
        int caretLine = panes.Input.LineFromPos(panes.Input.SelStart());
        benchmark::DoNotOptimize(first + caretLine);
    };
    for (auto _ : state) {
        QTest::keyClick(&panes.Input, 'a');
        // Keeps the typed text near the practice text's length.
        if (panes.Input.TextLength() > static_cast<int>(panes.ExampleText.size()) + 40) {
            state.PauseTiming();
            panes.Input.SetText(panes.ExampleText);
            panes.Input.SetSelStart(panes.Input.TextLength() / 2);
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_BulkKey)->Unit(benchmark::kMicrosecond);

// Every character of the example red, bold and underlined in one batch, then drawn.
void BM_MarkEveryCharacter(benchmark::State& state) {
    TPanes panes(u"日本語の文章を入力する練習です。");
    const int length = panes.Example.TextLength();
    for (auto _ : state) {
        state.PauseTiming();
        panes.Restart();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        {
            TPaneUpdate update(panes.Example);
            for (int pos = 0; pos < length; pos += 2) {
                panes.Example.Select(pos, 2);
                panes.Example.SetSelColor(PaneColors::Red);
                panes.Example.SetSelStyle({.Bold = true, .Underline = true});
                panes.Example.SetSelLength(0);
            }
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MarkEveryCharacter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
