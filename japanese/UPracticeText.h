// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The practice text of sequential and bulk input: a register entry or a text file as those
// modes show it (double-byte texts in full width) and cut to the length they practise, with
// what the learner is told of a cut. Shift_JIS in, UTF-16 out, as the main window keeps it.

#include <cstddef>
#include <string>
#include <string_view>

// Sequential and bulk input practise a text's first characters only.
inline constexpr std::size_t MaxPracticeChars = 1024;

struct TPracticeText {
    // At most MaxPracticeChars characters, without trailing characters below code 33.
    std::u16string Text;
    // The text holds no double-byte character: an English text, used as it is.
    bool SingleByte = false;
    // Characters of the whole text, trailing characters below code 33 not counted.
    std::size_t WholeChars = 0;
    // Where a cut text ends: its last line practised (from 1) and how that line ends there, its
    // last ten characters after "…" when it is longer. CutLine is 0 when nothing was cut.
    int CutLine = 0;
    std::u16string CutTail;

    bool Cut() const { return CutLine > 0; }
};

// A text as read (Shift_JIS, lines ending CR LF) made the practice text: tested for double-byte
// characters, normalised with ToFullWidthText unless single-byte, cut to MaxPracticeChars and
// trimmed. A text of 1,030 "あ" gives 1,024 of them, WholeChars 1,030 and CutLine 1.
TPracticeText MakePracticeText(std::string_view text);

// What the status bar says of a cut text, Shift_JIS: "全 3213 文字のうち、先頭の 1024 文字
// （12 行目の「…最後の文字」まで）を練習します。". Empty when nothing was cut.
std::string CutNotice(const TPracticeText& practice);

// What the editor says when it writes an entry longer than practice uses, Shift_JIS: the
// entry's length, and that sequential and bulk input practise its first 1024 characters, up to
// where they end. Empty when the entry is short enough.
std::string LongEntryWarning(const TPracticeText& practice);
