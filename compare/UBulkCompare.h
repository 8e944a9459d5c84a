// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The comparison of bulk input on its two panes: the example and the typed text compared as a
// whole or line by line, typos and omissions marked red in the example, extra units blue in the
// typed text, and in the line-by-line comparison the lines one pane has beyond the other marked
// whole (magenta in the example, green in the typed text). Positions are Shift_JIS byte
// offsets, every line break counting 2 (CR LF).

#include "compare/UCompKey.h"
#include "platform/TextPane.h"
#include "store/UPracticeRecords.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Marks the example's and the typed text's units of `items` (typos and omissions, extras) bold,
// and underlined when `underline`; the other items mark nothing.
void MarkDifferences(TTextPane& example, TTextPane& typed, const std::vector<TRsltItem>& items,
                     bool underline);

// Compares both panes' texts whole (trailing blanks and breaks left out) and marks the
// differences underlined. Returns the comparer's counters.
TBulkCounts CompareWhole(TTextPane& example, TTextPane& typed, CompMode mode);

// Called with the message of a line that could not be compared and its index; the comparison
// goes on with the next line.
using TLineCompareError = std::function<void(const std::string& message, int line)>;

// Compares line by line: the typed text first becomes the lines the learner saw (every displayed
// line a line of its own, word wrap off), then each line pair is compared and marked, and the
// lines beyond the shorter pane's end count whole as misses or extras. Returns the sums.
TBulkCounts CompareLines(TTextPane& example, TTextPane& typed, CompMode mode,
                         const TLineCompareError& onError);

// Marks `pane` from `from` to its end bold and struck out in `color`; what is typed next there
// is black and plain again.
void MarkLeftover(TTextPane& pane, int from, TRgb color);

// The units of leftover lines: characters other than CR and LF for Japanese texts, the pieces
// between blanks (empty ones between two blanks included) for single-byte texts.
int LeftoverUnits(std::string_view text, CompMode mode);
