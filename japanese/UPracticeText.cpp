// SPDX-License-Identifier: GPL-3.0-or-later
#include "japanese/UPracticeText.h"

#include "japanese/UDefineJap.h"
#include "platform/ShiftJis.h"
#include "platform/Translate.h"

#include <algorithm>

namespace {

// Characters of the line before the cut shown to say where it falls.
constexpr std::size_t TailChars = 10;

std::u16string TrimRight(std::u16string text) {
    while (!text.empty() && text.back() < 33)
        text.pop_back();
    return text;
}

// "12 行目の「…最後の文字」まで", UTF-16.
std::u16string CutPlace(const TPracticeText& practice) {
    return FillArgs(TrText("UPracticeText", "%1 行目の「%2」まで"),
                    {ShiftJis::ToUtf16(std::to_string(practice.CutLine)), practice.CutTail});
}

std::u16string Count(std::size_t n) {
    return ShiftJis::ToUtf16(std::to_string(n));
}

} // namespace

TPracticeText MakePracticeText(std::string_view text) {
    TPracticeText practice;
    practice.SingleByte = true;
    for (std::string_view c : ShiftJis::Chars(ShiftJis::TrimRight(text)))
        if (c.size() == 2)
            practice.SingleByte = false;

    std::u16string whole =
        ShiftJis::ToUtf16(practice.SingleByte ? std::string(text) : ToFullWidthText(text));
    practice.WholeChars = TrimRight(whole).size();
    practice.Text = TrimRight(whole.substr(0, MaxPracticeChars));
    if (practice.WholeChars <= MaxPracticeChars)
        return practice;

    // The cut as the learner sees the text: the last line practised and how it ends.
    const std::u16string_view kept = practice.Text;
    practice.CutLine = static_cast<int>(std::count(kept.begin(), kept.end(), u'\n')) + 1;
    const std::size_t lineStart = kept.find_last_of(u"\r\n");
    const std::u16string_view line =
        kept.substr(lineStart == std::u16string_view::npos ? 0 : lineStart + 1);
    practice.CutTail = line.size() > TailChars
                           ? u"…" + std::u16string(line.substr(line.size() - TailChars))
                           : std::u16string(line);
    return practice;
}

std::string CutNotice(const TPracticeText& practice) {
    if (!practice.Cut())
        return {};
    return ShiftJis::FromUtf16(
        FillArgs(TrText("UPracticeText", "全 %1 文字のうち、先頭の %2 文字（%3）を練習します。"),
                 {Count(practice.WholeChars), Count(MaxPracticeChars), CutPlace(practice)}));
}

std::string LongEntryWarning(const TPracticeText& practice) {
    if (!practice.Cut())
        return {};
    return ShiftJis::FromUtf16(
        FillArgs(TrText("UPracticeText",
                        "この文は %1 文字あります。\r\n"
                        "逐次入力と一括入力で練習に使われるのは、先頭の %2 文字（%3）です。"),
                 {Count(practice.WholeChars), Count(MaxPracticeChars), CutPlace(practice)}));
}
