// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/UuCompPart.h"

#include "platform/ShiftJis.h"

#include <stdexcept>

namespace {

constexpr TFontStyles Plain{};
constexpr TFontStyles WrongCommitStyle{.Bold = true, .Italic = true, .Underline = true};
constexpr TFontStyles WrongKeyStyle{.StrikeOut = true};

// Byte length of the character at `pos` of a pane's text (a break counts as one character of
// 2 bytes); 0 at the end.
int CharLengthAt(const std::string& text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    if (text.compare(pos, 2, "\r\n") == 0)
        return 2;
    return static_cast<int>(ShiftJis::CharLength(text, pos));
}

} // namespace

void TCompPart::RequirePanes() const {
    if (!ExampleEdit || !InputEdit)
        throw std::logic_error("TCompPart needs its example and typing panes");
}

std::string TCompPart::CommonPrefix(std::string_view committed, std::string_view expected) {
    std::u16string typed = ShiftJis::ToUtf16(committed);
    std::u16string example = ShiftJis::ToUtf16(expected);
    std::size_t length = 0;
    while (length < typed.size() && length < example.size() && typed[length] == example[length])
        ++length;
    return ShiftJis::FromUtf16(std::u16string_view(typed).substr(0, length));
}

bool TCompPart::CheckCommit(std::string_view committedBytes, int langMode) {
    RequirePanes();
    TPaneUpdate exampleUpdate(*ExampleEdit), inputUpdate(*InputEdit);
    const std::string committed = ShiftJis::FromUtf16(ShiftJis::ToUtf16(committedBytes));
    const std::string example = ExampleEdit->Text();
    const std::size_t start = Confirmed.size();
    const std::string expected =
        start < example.size() ? example.substr(start, committed.size()) : std::string();
    TypedCount += static_cast<int>(ShiftJis::Chars(committed).size());

    if (committed == expected) {
        if (!committed.empty()) {
            ExampleEdit->Select(static_cast<int>(start), static_cast<int>(committed.size()));
            ExampleEdit->SetSelColor(PaneColors::Grey);
            // A selection left standing would be drawn highlighted over the grey.
            ExampleEdit->SetSelLength(0);
        }
        Confirmed += committed;
        return true;
    }

    ExampleEdit->SetSelLength(0);
    // The typing field drops the commit; closing and opening the input method again ends
    // whatever conversion state it kept.
    InputEdit->SetImeMode(TImeMode::Closed);
    InputEdit->Select(static_cast<int>(start), InputEdit->TextLength() - static_cast<int>(start));
    InputEdit->SetSelText({});
    if (langMode == 0)
        InputEdit->SetImeMode(TImeMode::Hiragana);
    ++ErrorCount;

    // What matched before the first difference is kept and accepted.
    const std::string prefix = CommonPrefix(committed, expected);
    InputEdit->SetSelStart(InputEdit->TextLength());
    InputEdit->SetSelText(prefix);
    if (!prefix.empty()) {
        ExampleEdit->Select(static_cast<int>(start), static_cast<int>(prefix.size()));
        ExampleEdit->SetSelColor(PaneColors::Grey);
    }
    Confirmed += prefix;

    // The example's character where the wrong input happened (a whole break, or one
    // single-byte character, not simply two bytes).
    if (int length = CharLengthAt(example, Confirmed.size()); length > 0) {
        ExampleEdit->Select(static_cast<int>(Confirmed.size()), length);
        ExampleEdit->SetSelColor(PaneColors::Red);
        ExampleEdit->SetSelStyle(WrongCommitStyle);
    }
    ExampleEdit->SetSelLength(0);
    ExampleEdit->SetSelStyle(Plain);
    return false;
}

bool TCompPart::BreakExpected() const {
    RequirePanes();
    const std::string example = ExampleEdit->Text();
    return Confirmed.size() < example.size() && example.compare(Confirmed.size(), 2, "\r\n") == 0;
}

void TCompPart::AcceptBreak(int langMode) {
    RequirePanes();
    if (langMode == 0) {
        TPaneUpdate exampleUpdate(*ExampleEdit);
        ExampleEdit->Select(static_cast<int>(Confirmed.size()), 2);
        ExampleEdit->SetSelColor(PaneColors::Grey);
        ExampleEdit->SetSelLength(0);
    }
    Confirmed += "\r\n";
}

bool TCompPart::CheckKey(char typed, char expected) {
    RequirePanes();
    TPaneUpdate exampleUpdate(*ExampleEdit);
    ++TypedCount;
    ExampleEdit->Select(InputEdit->SelStart(), 1);
    const bool match = typed == expected;
    if (!match) {
        ++ErrorCount;
        ExampleEdit->SetSelColor(PaneColors::Red);
        ExampleEdit->SetSelStyle(WrongKeyStyle);
    } else if (ExampleEdit->SelColor() != PaneColors::Red) {
        // A character once mistyped stays red.
        ExampleEdit->SetSelColor(PaneColors::Grey);
    }
    ExampleEdit->SetSelLength(0);
    return match;
}
