// SPDX-License-Identifier: GPL-3.0-or-later
// The practice text of sequential and bulk input: normalised, cut to 1,024 characters, and what
// the learner is told of the cut.

#include "japanese/UPracticeText.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

namespace {

using ShiftJis::Sjis;

std::u16string Repeat(std::u16string_view piece, std::size_t times) {
    std::u16string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(UPracticeTextTest, TextsAreNormalisedCutAndTrimmed) {
    struct TCase {
        const char* Name;
        std::u16string Text;
        std::u16string Expected;
        bool SingleByte;
        std::size_t WholeChars;
        int CutLine;
        std::u16string CutTail;
    } cases[] = {
        {"short Japanese in full width", u"あA ｱ\r\n", u"あＡ　ア", false, 4, 0, u""},
        {"English as it is", u"Hello, world.\r\n\r\n", u"Hello, world.", true, 13, 0, u""},
        {"half-width kana only is English", u"ｱｲ", u"ｱｲ", true, 2, 0, u""},
        {"exactly the limit", Repeat(u"あ", 1024), Repeat(u"あ", 1024), false, 1024, 0, u""},
        {"trailing blanks do not make it long", Repeat(u"a", 1020) + u"         \r\n",
         Repeat(u"a", 1020), true, 1020, 0, u""},
        {"one line cut", Repeat(u"あ", 1030), Repeat(u"あ", 1024), false, 1030, 1,
         u"…" + Repeat(u"あ", 10)},
        {"cut on the third line", u"一\r\n二\r\n" + Repeat(u"いろは", 400),
         u"一\r\n二\r\n" + Repeat(u"いろは", 339) + u"い", false, 1206, 3,
         u"…いろはいろはいろはい"},
        {"cut right after a break ends with the line before",
         Repeat(u"x", 1022) + u"\r\n" + Repeat(u"y", 50), Repeat(u"x", 1022), true, 1074, 1,
         u"…xxxxxxxxxx"},
        {"a short last line shows whole", Repeat(u"z", 1000) + u"\r\nend" + Repeat(u"!", 40),
         Repeat(u"z", 1000) + u"\r\nend" + Repeat(u"!", 19), true, 1045, 2, u"…!!!!!!!!!!"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPracticeText practice = MakePracticeText(Sjis(c.Text));
        EXPECT_EQ(Sjis(practice.Text), Sjis(c.Expected));
        EXPECT_EQ(practice.SingleByte, c.SingleByte);
        EXPECT_EQ(practice.WholeChars, c.WholeChars);
        EXPECT_EQ(practice.CutLine, c.CutLine);
        EXPECT_EQ(Sjis(practice.CutTail), Sjis(c.CutTail));
        EXPECT_EQ(practice.Cut(), c.CutLine > 0);
        EXPECT_EQ(CutNotice(practice).empty(), !practice.Cut());
        EXPECT_EQ(LongEntryWarning(practice).empty(), !practice.Cut());
    }
}

TEST(UPracticeTextTest, TheLearnerIsToldWhereTheTextEnds) {
    TPracticeText practice = MakePracticeText(Sjis(u"一\r\n二\r\n" + Repeat(u"いろは", 400)));
    EXPECT_EQ(CutNotice(practice),
              Sjis(u"全 1206 文字のうち、先頭の 1024 文字（3 行目の「…いろはいろはいろはい」まで）"
                   u"を練習します。"));
    EXPECT_EQ(LongEntryWarning(practice),
              Sjis(u"この文は 1206 文字あります。\r\n"
                   u"逐次入力と一括入力で練習に使われるのは、先頭の 1024 文字（3 行目の"
                   u"「…いろはいろはいろはい」まで）です。"));
}

} // namespace
