// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/UBulkCompare.h"

#include "platform/ShiftJis.h"

#include <algorithm>

void MarkDifferences(TTextPane& example, TTextPane& typed, const std::vector<TRsltItem>& items,
                     bool underline) {
    TPaneUpdate exampleUpdate(example), typedUpdate(typed);
    for (const TRsltItem& item : items) {
        if (item.Kind != RsltKindExample && item.Kind != RsltKindInput)
            continue;
        TTextPane& pane = item.Kind == RsltKindExample ? example : typed;
        pane.Select(item.Pos, static_cast<int>(item.Str.size()));
        pane.SetSelColor(item.Kind == RsltKindExample ? PaneColors::Red : PaneColors::Blue);
        pane.SetSelStyle({.Bold = true, .Underline = underline});
        pane.SetSelLength(0);
    }
}

TBulkCounts CompareWhole(TTextPane& example, TTextPane& typed, CompMode mode) {
    TCompClass comparer;
    comparer.Compare(mode, ShiftJis::TrimRight(example.Text()), ShiftJis::TrimRight(typed.Text()));
    MarkDifferences(example, typed, comparer.RsltList(), true);
    TBulkCounts counts{comparer.ExampleCount(),
                       comparer.InputCount(),
                       comparer.MissCount(),
                       comparer.ExtraCount(),
                       {}};
    for (const TRsltItem& item : comparer.RsltList())
        if (item.Kind == RsltKindExample)
            counts.Missed.push_back(item.Str);
    return counts;
}

TBulkCounts CompareLines(TTextPane& example, TTextPane& typed, CompMode mode,
                         const TLineCompareError& onError) {
    TPaneUpdate exampleUpdate(example), typedUpdate(typed);
    // The typed text as the learner saw it: every displayed line a line of its own.
    std::string hardLines;
    for (int i = 0; i < typed.LineCount(); ++i)
        hardLines += typed.Line(i) + "\r\n";
    typed.SetText(hardLines);
    typed.SetWordWrap(false);

    TCompClass comparer;
    TBulkCounts sums;
    int exampleOffset = 0, typedOffset = 0;
    const int lines = std::min(example.LineCount(), typed.LineCount());
    for (int i = 0; i < lines; ++i) {
        try {
            const std::string a = example.Line(i);
            const std::string b = typed.Line(i);
            comparer.Compare(mode, a, b);
            sums.ExampleCount += comparer.ExampleCount();
            sums.InputCount += comparer.InputCount();
            for (TRsltItem& item : comparer.RsltList()) {
                if (item.Kind == RsltKindExample) {
                    ++sums.MissCount;
                    sums.Missed.push_back(item.Str);
                    item.Pos += exampleOffset;
                } else if (item.Kind == RsltKindInput) {
                    ++sums.ExtraCount;
                    item.Pos += typedOffset;
                }
            }
            MarkDifferences(example, typed, comparer.RsltList(), false);
            example.SetSelStart(example.TextLength());
            typed.SetSelStart(typed.TextLength());
            exampleOffset += static_cast<int>(a.size()) + 2;
            typedOffset += static_cast<int>(b.size()) + 2;
            comparer.Clear();
        } catch (const std::exception& e) {
            comparer.Clear();
            onError(e.what(), i);
        }
    }

    // Lines of one pane that the other has not: missed or extra, whole.
    auto rest = [](const std::string& text, int offset) {
        return text.substr(std::min<std::size_t>(static_cast<std::size_t>(offset), text.size()));
    };
    if (example.LineCount() > typed.LineCount()) {
        const int leftover = LeftoverUnits(rest(example.Text(), exampleOffset), mode);
        MarkLeftover(example, exampleOffset, PaneColors::Magenta);
        sums.ExampleCount += leftover;
        sums.MissCount += leftover;
    } else if (typed.LineCount() > example.LineCount()) {
        const int leftover = LeftoverUnits(rest(typed.Text(), typedOffset), mode);
        MarkLeftover(typed, typedOffset, PaneColors::Green);
        sums.InputCount += leftover;
        sums.ExtraCount += leftover;
    }
    return sums;
}

void MarkLeftover(TTextPane& pane, int from, TRgb color) {
    pane.Select(from, pane.TextLength() - from);
    pane.SetSelColor(color);
    pane.SetSelStyle({.Bold = true, .StrikeOut = true});
    pane.SetSelLength(0);
    pane.SetSelColor(PaneColors::Black);
    pane.SetSelStyle({});
}

int LeftoverUnits(std::string_view text, CompMode mode) {
    if (mode == CompMode::Words)
        return static_cast<int>(std::count(text.begin(), text.end(), ' ')) + 1;
    int units = 0;
    for (char16_t c : ShiftJis::ToUtf16(text))
        units += c != u'\r' && c != u'\n';
    return units;
}
