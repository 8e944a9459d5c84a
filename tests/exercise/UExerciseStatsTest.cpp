// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/UExerciseStats.h"

#include "platform/ShiftJis.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

namespace {

using ShiftJis::Sjis;

struct TRealCase {
    const char* Name;
    double Value;
    const char* Text;
};

class FormatRealTest : public testing::TestWithParam<TRealCase> {};

TEST_P(FormatRealTest, Formats) {
    EXPECT_EQ(FormatReal(GetParam().Value), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatRealTest,
    testing::Values(
        TRealCase{"Zero", 0.0, "0.0"}, TRealCase{"NegativeZero", -0.0, "0.0"},
        TRealCase{"OneDecimal", 85.714285714, "85.7"}, TRealCase{"WholeNumber", 120.0, "120.0"},
        TRealCase{"TieRoundsAwayFromZero", 0.25, "0.3"}, TRealCase{"TieAsWritten", 0.35, "0.4"},
        TRealCase{"SmallRoundsUp", 0.05, "0.1"}, TRealCase{"SmallRoundsToZero", 0.04, "0.0"},
        TRealCase{"NegativeRoundsToZero", -0.04, "0.0"}, TRealCase{"Negative", -1.25, "-1.3"},
        TRealCase{"FourIntegerDigits", 1234.56, "1234.6"},
        TRealCase{"CarryToFiveDigits", 9999.96, "10000.0"},
        TRealCase{"FiveDigitsRoundToInteger", 12345.6, "12346.0"},
        TRealCase{"FiveDigitsDown", 12345.4, "12345.0"},
        TRealCase{"LargestFixed", 99999.4, "99999.0"},
        TRealCase{"CarryToSixDigits", 99999.5, "1E5"},
        TRealCase{"Below100000By006", 99999.94, "1E5"},
        TRealCase{"Below100000By004", 99999.96, "1E5"},
        TRealCase{"HundredThousand", 100000.0, "1E5"},
        TRealCase{"Scientific", 123456.0, "1.2346E5"},
        TRealCase{"ScientificTrailingZerosDropped", 1500000.0, "1.5E6"},
        TRealCase{"Huge", 1e300, "1E300"}, TRealCase{"Tiny", 1e-300, "0.0"},
        TRealCase{"NaN", std::nan(""), "0.0"},
        TRealCase{"Infinity", std::numeric_limits<double>::infinity(), "0.0"},
        TRealCase{"MinusInfinity", -std::numeric_limits<double>::infinity(), "0.0"}),
    [](const testing::TestParamInfo<TRealCase>& info) { return info.param.Name; });

TEST(FormatRealTest, SingleAndExtendedPrecisionRoundTheirOwnValue) {
    EXPECT_EQ(FormatReal(1.0f / 3.0f * 100.0f), "33.3");
    EXPECT_EQ(FormatReal(0.35f), "0.4");
    EXPECT_EQ(FormatReal(100.0L / 7.0L * 60.0L), "857.1");
    EXPECT_EQ(FormatReal(std::numeric_limits<float>::quiet_NaN()), "0.0");
    EXPECT_EQ(FormatReal(std::numeric_limits<long double>::infinity()), "0.0");
}

TEST(StatusTextTest, TouchSpeed) {
    EXPECT_EQ(TouchSpeedText(4, 2), Sjis(u" 120.0 打／分"));
    EXPECT_EQ(TouchSpeedText(4, 0), Sjis(u" 0.0 打／分"));
}

TEST(StatusTextTest, JapaneseTextInformation) {
    TTextCounts counts;
    counts.CharCount = 100;
    counts.KanjiCount = 25;
    counts.KanjiContent = KanjiContent(25, 100);
    EXPECT_EQ(TextInformationText(false, counts), Sjis(u" 100 文字   漢字 25 文字  25.0 % "));
}

TEST(StatusTextTest, EnglishTextInformation) {
    TTextCounts counts;
    counts.CharCount = 60;
    counts.WordCount = 12;
    EXPECT_EQ(TextInformationText(true, counts), Sjis(u" 12 Word    60 文字 "));
}

TEST(StatusTextTest, TimeAndKeysFillSevenAndNineBytes) {
    const std::string text = TimeAndKeysText(3, 12);
    EXPECT_EQ(text, Sjis(u"  3  秒   12  打"));
    EXPECT_EQ(text.size(), 16u);
    EXPECT_EQ(TimeAndKeysText(1234567, 123456789), Sjis(u"1234567  秒123456789  打"));
}

TEST(StatusTextTest, TouchCounters) {
    EXPECT_EQ(TouchCountersText(3, 12, 1), Sjis(u"  3  秒    12  打   エラー   1  打"));
    EXPECT_EQ(TouchCountersText(0, 0, 0), Sjis(u"  0  秒     0  打   エラー   0  打"));
}

TEST(StatusTextTest, ModeNamesAndLineCompare) {
    EXPECT_EQ(ModeName(TPracticeMode::Touch), Sjis(u"タッチタイプ"));
    EXPECT_EQ(ModeName(TPracticeMode::Sequential), Sjis(u"逐次入力"));
    EXPECT_EQ(ModeName(TPracticeMode::Bulk), Sjis(u"一括入力"));
    EXPECT_EQ(LineCompText(true), Sjis(u"行ごとに比較"));
    EXPECT_EQ(LineCompText(false), "");
}

TEST(ResultTextTest, Sequential) {
    EXPECT_EQ(SequentialResultText(100, 150, 7, 3),
              Sjis(u"  入力速度 857.1 文字/分\r\n  打鍵速度 1285.7 打/分\r\n  エラー数 3"));
    EXPECT_FALSE(SequentialResultDue(0));
    EXPECT_FALSE(SequentialResultDue(1));
    EXPECT_TRUE(SequentialResultDue(2));
}

TEST(ResultTextTest, BulkJapanese) {
    EXPECT_EQ(BulkResultText(false, {100, 90, 4, 2}, 180, 60),
              Sjis(u"  入力速度 90.0 文字/分   誤字・脱字数 4    余字数 2   打鍵速度 180.0 打/分"));
}

TEST(ResultTextTest, BulkEnglish) {
    EXPECT_EQ(BulkResultText(true, {20, 21, 1, 2}, 100, 30),
              Sjis(u"  入力速度 42.0 WPM   脱・誤単語数 1 余単語数 2   打鍵速度 200.0 打/分"));
}

TEST(ResultTextTest, BulkBeforeTheFirstTickShowsZeroSpeeds) {
    EXPECT_EQ(BulkResultText(false, {10, 10, 0, 0}, 12, 0),
              Sjis(u"  入力速度 0.0 文字/分   誤字・脱字数 0    余字数 0   打鍵速度 0.0 打/分"));
}

TEST(TextCountTest, KanjiContentInSinglePrecision) {
    EXPECT_EQ(KanjiContent(25, 100), 25.0f);
    EXPECT_EQ(KanjiContent(1, 3), 1.0f / 3.0f * 100.0f);
    EXPECT_EQ(KanjiContent(5, 0), 0.0f);
}

int KanjiOf(std::u16string_view text) {
    return CountKanji(Sjis(text));
}

TEST(TextCountTest, CharactersKanjiAndWords) {
    struct TCase {
        const char* Name;
        int (*Count)(std::u16string_view);
        std::u16string Text;
        int Expected;
    } cases[] = {
        {"CharsLeaveOutNulAndBreaks", CountChars, std::u16string(u"あa\r\n\0 b\t", 8), 5},
        {"CharsOfEmpty", CountChars, u"", 0},
        {"Kanji", KanjiOf, u"漢字", 2},
        {"HiraganaKatakanaSymbolsAreNoKanji", KanjiOf, u"あア、Ａ１α", 0},
        {"CyrillicLeadByte84IsKanji", KanjiOf, u"Д", 1},
        {"NecSpecialLeadByte87IsKanji", KanjiOf, u"①", 1},
        {"HalfWidthKatakanaAreNoKanji", KanjiOf, u"ｱｲ", 0},
        {"KanjiAmongKana", KanjiOf, u"日本語のテキストabc", 3},
        {"Words", CountWords, u"hello world foo bar", 4},
        {"WordsBetweenBlankRuns", CountWords, u"  a   b  ", 2},
        {"WordsOnLines", CountWords, u"a b\r\n\r\nc\nd\re", 5},
        {"TabInsideAPieceJoins", CountWords, u"a\tb c", 2},
        {"TabsAtPieceEndsTrimmed", CountWords, u"\ta\t \tb\t", 2},
        {"OnlyBlanksAndBreaks", CountWords, u" \r\n\t ", 0},
        {"WordsOfEmpty", CountWords, u"", 0},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Count(c.Text), c.Expected) << c.Name;
    EXPECT_EQ(CountKanji("\x8A\xBF\x88"), 1) << "a lead byte at the end is no character";
}

TEST(TextCountTest, CountTextGathersAll) {
    const std::u16string text = u"漢字かな\r\n漢";
    const TTextCounts japanese = CountText(text, Sjis(text), false);
    EXPECT_EQ(japanese.CharCount, 5);
    EXPECT_EQ(japanese.KanjiCount, 3);
    EXPECT_EQ(japanese.KanjiContent, KanjiContent(3, 5));
    EXPECT_EQ(japanese.WordCount, 0);
    const TTextCounts english = CountText(u"one two\r\nthree", "one two\r\nthree", true);
    EXPECT_EQ(english.CharCount, 12);
    EXPECT_EQ(english.WordCount, 3);
}

TEST(KeystrokeTest, EnterModifiersAndCaretKeysDoNotCount) {
    struct TCase {
        const char* Name;
        int Key;
        bool Counts;
    } cases[] = {
        {"Return", Qt::Key_Return, false},
        {"KeypadEnter", Qt::Key_Enter, false},
        {"Shift", Qt::Key_Shift, false},
        {"Control", Qt::Key_Control, false},
        {"Alt", Qt::Key_Alt, false},
        {"AltGr", Qt::Key_AltGr, false},
        {"Meta", Qt::Key_Meta, false},
        {"Super", Qt::Key_Super_L, false},
        {"PageUp", Qt::Key_PageUp, false},
        {"PageDown", Qt::Key_PageDown, false},
        {"End", Qt::Key_End, false},
        {"Home", Qt::Key_Home, false},
        {"Left", Qt::Key_Left, false},
        {"Up", Qt::Key_Up, false},
        {"Right", Qt::Key_Right, false},
        {"Down", Qt::Key_Down, false},
        {"Letter", Qt::Key_A, true},
        {"Digit", Qt::Key_0, true},
        {"Space", Qt::Key_Space, true},
        {"Backspace", Qt::Key_Backspace, true},
        {"Delete", Qt::Key_Delete, true},
        {"Tab", Qt::Key_Tab, true},
        {"CapsLockIsNoModifier", Qt::Key_CapsLock, true},
        {"InputMethodKey", Qt::Key_Henkan, true},
        {"UnknownKey", 0, true},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CountsAsKeystroke(c.Key), c.Counts) << c.Name;
}

} // namespace
