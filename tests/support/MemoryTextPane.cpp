// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/MemoryTextPane.h"

#include "platform/ShiftJis.h"

#include <algorithm>

namespace {

// What the Qt pane makes of Shift_JIS text: one break per line break, and the characters
// decoded and encoded again, so bytes of no character of code page 932 become '?'.
std::string AsPaneHolds(std::string_view text) {
    return ShiftJis::FromUtf16(ShiftJis::ToUtf16(NormalizeLineBreaks(text)));
}

} // namespace

int TMemoryTextPane::CharLengthAt(int start) const {
    return FText.compare(static_cast<std::size_t>(start), 2, "\r\n") == 0
               ? 2
               : static_cast<int>(ShiftJis::CharLength(FText, static_cast<std::size_t>(start)));
}

int TMemoryTextPane::RoundDown(int pos) const {
    pos = std::clamp(pos, 0, TextLength());
    for (int start = 0; start < TextLength(); start += CharLengthAt(start))
        if (pos < start + CharLengthAt(start))
            return start;
    return TextLength();
}

int TMemoryTextPane::RoundUp(int pos) const {
    pos = std::clamp(pos, 0, TextLength());
    int start = RoundDown(pos);
    return start == pos ? pos : start + CharLengthAt(start);
}

std::vector<int> TMemoryTextPane::LineStarts() const {
    std::vector<int> starts{0};
    for (std::size_t pos = FText.find("\r\n"); pos != std::string::npos;
         pos = FText.find("\r\n", pos + 2))
        starts.push_back(static_cast<int>(pos) + 2);
    return starts;
}

TMemoryTextPane::TFormat TMemoryTextPane::InsertionFormat() const {
    return FSelStart < FSelEnd ? FFormats[static_cast<std::size_t>(FSelStart)] : FTyping;
}

void TMemoryTextPane::MoveCursorTo(int pos) {
    FSelEnd = pos;
    if (FText.empty())
        return;
    // At the start of a line that is not empty the caret takes the format of the character
    // after it, elsewhere that of the character before it (a break's, after a break).
    bool lineStart =
        pos == 0 || (pos >= 2 && FText.compare(static_cast<std::size_t>(pos) - 2, 2, "\r\n") == 0);
    bool lineEmpty = pos == TextLength() || FText[static_cast<std::size_t>(pos)] == '\r';
    if (lineStart && !lineEmpty)
        FTyping = FFormats[static_cast<std::size_t>(pos)];
    else if (pos > 0)
        FTyping = FFormats[static_cast<std::size_t>(pos) - 1];
}

void TMemoryTextPane::SetText(std::string_view text) {
    TFormat format = InsertionFormat();
    FText = AsPaneHolds(text);
    FFormats.assign(FText.size(), format);
    FSelStart = FSelEnd = 0;
    FTyping = format;
    FFirstVisible = 0;
}

void TMemoryTextPane::SetSelStart(int pos) {
    FSelStart = RoundDown(pos);
    MoveCursorTo(FSelStart);
}

void TMemoryTextPane::SetSelLength(int length) {
    long long end = static_cast<long long>(FSelStart) + std::max(length, 0);
    MoveCursorTo(FSelStart);
    MoveCursorTo(RoundUp(static_cast<int>(std::min<long long>(end, TextLength()))));
}

std::string TMemoryTextPane::SelText() const {
    return FText.substr(static_cast<std::size_t>(FSelStart),
                        static_cast<std::size_t>(FSelEnd - FSelStart));
}

void TMemoryTextPane::SetSelText(std::string_view text) {
    TFormat format = InsertionFormat();
    std::string inserted = AsPaneHolds(text);
    auto start = static_cast<std::size_t>(FSelStart);
    auto length = static_cast<std::size_t>(FSelEnd - FSelStart);
    FText.replace(start, length, inserted);
    FFormats.erase(FFormats.begin() + FSelStart, FFormats.begin() + FSelEnd);
    FFormats.insert(FFormats.begin() + FSelStart, inserted.size(), format);
    FSelStart = FSelEnd = FSelStart + static_cast<int>(inserted.size());
    FTyping = format;
}

void TMemoryTextPane::FormatSelection(auto change) {
    if (FSelStart == FSelEnd)
        change(FTyping);
    for (int pos = FSelStart; pos < FSelEnd; ++pos)
        change(FFormats[static_cast<std::size_t>(pos)]);
}

void TMemoryTextPane::SetSelColor(TRgb color) {
    FormatSelection([color](TFormat& format) { format.Color = color; });
}

void TMemoryTextPane::SetSelStyle(TFontStyles styles) {
    FormatSelection([styles](TFormat& format) { format.Styles = styles; });
}

int TMemoryTextPane::LineCount() const {
    std::vector<int> starts = LineStarts();
    return static_cast<int>(starts.size()) - (starts.back() == TextLength() ? 1 : 0);
}

std::string TMemoryTextPane::Line(int index) const {
    if (index < 0 || index >= LineCount())
        return {};
    std::vector<int> starts = LineStarts();
    auto i = static_cast<std::size_t>(index);
    int end = i + 1 < starts.size() ? starts[i + 1] - 2 : TextLength();
    return FText.substr(static_cast<std::size_t>(starts[i]),
                        static_cast<std::size_t>(end - starts[i]));
}

int TMemoryTextPane::LineStart(int index) const {
    if (index <= 0)
        return 0;
    if (index >= LineCount())
        return TextLength();
    return LineStarts()[static_cast<std::size_t>(index)];
}

int TMemoryTextPane::LineFromPos(int pos) const {
    std::vector<int> starts = LineStarts();
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), RoundDown(pos)) -
                            starts.begin()) -
           1;
}

int TMemoryTextPane::FirstVisibleLine() const {
    return std::clamp(FFirstVisible, 0, std::max(LineCount() - 1, 0));
}

void TMemoryTextPane::ScrollLines(int count) {
    long long target = static_cast<long long>(FirstVisibleLine()) + count;
    FFirstVisible =
        static_cast<int>(std::clamp<long long>(target, 0, std::max(LineCount() - 1, 0)));
}

void TMemoryTextPane::SetImeMode(TImeMode mode) {
    if (mode != TImeMode::Hiragana && FComposing)
        CancelComposition();
    FImeMode = mode;
}

void TMemoryTextPane::CancelComposition() {
    FComposing = false;
    ++FCancelCount;
}
