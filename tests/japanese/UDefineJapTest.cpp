// SPDX-License-Identifier: GPL-3.0-or-later
#include "japanese/UDefineJap.h"

#include "platform/ShiftJis.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

namespace {

using ShiftJis::Sjis;

QString Nfkc(std::string_view sjis) {
    return ShiftJis::ToQString(sjis).normalized(QString::NormalizationForm_KC);
}

bool IsOneDoubleByteChar(const std::string& s) {
    return s.size() == 2 && ShiftJis::IsLeadByte(static_cast<unsigned char>(s[0]));
}

// Every byte, classified independently of the table: letters and digits by their JIS codes,
// the other printable ASCII and the half-width katakana by compatibility normalisation (which
// folds a full-width form back onto its single-byte original).
TEST(ToFullWidthTest, WalksEveryByte) {
    for (int b = 0; b < 256; ++b) {
        const std::string in(1, static_cast<char>(b));
        const std::string out = ToFullWidth(in);
        SCOPED_TRACE("byte " + std::to_string(b));
        if (b >= '0' && b <= '9')
            EXPECT_EQ(out, std::string({'\x82', static_cast<char>(0x4F + b - '0')}));
        else if (b >= 'A' && b <= 'Z')
            EXPECT_EQ(out, std::string({'\x82', static_cast<char>(0x60 + b - 'A')}));
        else if (b >= 'a' && b <= 'z')
            EXPECT_EQ(out, std::string({'\x82', static_cast<char>(0x81 + b - 'a')}));
        else if (b == '\r' || b == '\n' || b == 0)
            EXPECT_EQ(out, in);
        else if (b == '"' || b == '\'' || b == '`' || b == '\\')
            EXPECT_TRUE(IsOneDoubleByteChar(out)); // exact bytes in the named rows below
        else if (b >= 32 && b <= 126) {
            EXPECT_TRUE(IsOneDoubleByteChar(out));
            EXPECT_EQ(Nfkc(out), QString(QChar(b)));
        } else if (b == 0xDE || b == 0xDF) {
            EXPECT_EQ(out, Sjis(b == 0xDE ? u"゛" : u"゜")); // spacing marks, not combining
        } else if (b >= 0xA1 && b <= 0xDF) {
            EXPECT_TRUE(IsOneDoubleByteChar(out));
            EXPECT_EQ(Nfkc(out), Nfkc(in));
        } else {
            // Controls, DEL, 0x80, 0xA0, 0xFD–0xFF and lead bytes without a trail byte.
            EXPECT_EQ(out, Sjis(u"Ｘ"));
        }
    }
}

struct TConvertCase {
    const char* Name;
    std::string (*Convert)(std::string_view);
    std::string In;
    std::string Out;
};

class ConvertTest : public testing::TestWithParam<TConvertCase> {};

TEST_P(ConvertTest, Converts) {
    EXPECT_EQ(GetParam().Convert(GetParam().In), GetParam().Out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertTest,
    testing::Values(
        TConvertCase{"LetterA", ToFullWidth, "A", Sjis(u"Ａ")},
        TConvertCase{"Blank", ToFullWidth, " ", Sjis(u"　")},
        TConvertCase{"BackslashIsYen", ToFullWidth, "\\", "\x81\x8F"},
        TConvertCase{"DoubleQuoteIsClosingMark", ToFullWidth, "\"", "\x81\x68"},
        TConvertCase{"ApostropheIsClosingMark", ToFullWidth, "'", "\x81\x66"},
        TConvertCase{"GraveIsOpeningMark", ToFullWidth, "`", "\x81\x65"},
        TConvertCase{"HyphenIsMinusNotLongVowel", ToFullWidth, "-", "\x81\x7C"},
        TConvertCase{"Tilde", ToFullWidth, "~", "\x81\x60"},
        TConvertCase{"HalfWidthKatakanaA", ToFullWidth, "\xB1", Sjis(u"ア")},
        TConvertCase{"HalfWidthComma", ToFullWidth, "\xA4", Sjis(u"、")},
        TConvertCase{"ByteFE", ToFullWidth, "\xFE", Sjis(u"Ｘ")},
        TConvertCase{"DoubleByteCharacterCopied", ToFullWidth, "\x8A\xBF", "\x8A\xBF"},
        TConvertCase{"LongerStringGoesToKana", ToFullWidth, "A\xB1", Sjis(u"Ｘア")},
        TConvertCase{"EmptyCharacter", ToFullWidth, "", ""},
        TConvertCase{"VoicedMarkStaysApart", KanaToFullWidth, "\xB6\xDE", Sjis(u"カ゛")},
        TConvertCase{"SemiVoicedMarkStaysApart", KanaToFullWidth, "\xCA\xDF", Sjis(u"ハ゜")},
        TConvertCase{"KanaCodeOrderEnds", KanaToFullWidth, "\xA1\xA6\xDD", Sjis(u"。ヲン")},
        TConvertCase{"KanaAmongDoubleBytes", KanaToFullWidth, "\x82\xA0\xB1\x8A\xBF",
                     Sjis(u"あア漢")},
        TConvertCase{"InvalidBytesInKana", KanaToFullWidth, "\x80\xA0\xFD\xFE\xFF",
                     Sjis(u"ＸＸＸＸＸ")},
        TConvertCase{"LoneLeadByteAfterKana", KanaToFullWidth, "\xB1\x82", Sjis(u"アＸ")},
        TConvertCase{"NulInKana", KanaToFullWidth, std::string(1, '\0'), Sjis(u"Ｘ")},
        TConvertCase{"EmptyKana", KanaToFullWidth, "", ""},
        TConvertCase{"TextLettersKanaAndBreaks", ToFullWidthText, "A\xB1\r\nb",
                     Sjis(u"Ａア\r\nｂ")},
        TConvertCase{"TextControlsAndDelDropped", ToFullWidthText,
                     std::string("a\0\t\x1F\x7F"
                                 "b",
                                 6),
                     Sjis(u"ａｂ")},
        TConvertCase{"TextDoubleBytesKeepTheirTrailByte", ToFullWidthText, "\x83\x5C\x81\x5C",
                     "\x83\x5C\x81\x5C"},
        TConvertCase{"TextLoneLeadByteAtEnd", ToFullWidthText, "a\x82", Sjis(u"ａＸ")},
        TConvertCase{"TextInvalidBytes", ToFullWidthText, "\x80\xA0\xFF", Sjis(u"ＸＸＸ")},
        TConvertCase{"EmptyText", ToFullWidthText, "", ""}),
    [](const testing::TestParamInfo<TConvertCase>& info) { return info.param.Name; });

struct TWrapJapaneseCase {
    const char* Name;
    std::u16string Text;
    int Width;
    std::u16string Wrapped;
};

class WrapJapaneseTest : public testing::TestWithParam<TWrapJapaneseCase> {};

TEST_P(WrapJapaneseTest, Wraps) {
    EXPECT_EQ(WrapJapanese(GetParam().Text, GetParam().Width), GetParam().Wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WrapJapaneseTest,
    testing::Values(
        TWrapJapaneseCase{"CommaPulledUpOntoFullLine", u"あいうえ、お", 4, u"あいうえ、\r\nお\r\n"},
        TWrapJapaneseCase{"OpeningBracketMovesDown", u"あい（えお", 3, u"あい\r\n（えお\r\n\r\n"},
        TWrapJapaneseCase{"ShortLineKeepsItsCr", u"あいう\r\nえお", 45, u"あいう\r\r\nえお\r\n"},
        TWrapJapaneseCase{"BreakAfterFullLineAddsNoLine", u"あいうえ\r\nお", 4,
                          u"あいうえ\r\nお\r\n"},
        TWrapJapaneseCase{"Empty", u"", 20, u"\r\n"},
        TWrapJapaneseCase{"OnlyOneNoStartCharPulledUp", u"あい、。う", 2,
                          u"あい、\r\n。う\r\n\r\n"},
        TWrapJapaneseCase{"PulledUpCharThenBreak", u"あい、\r\nう", 2, u"あい、\r\nう\r\n"},
        TWrapJapaneseCase{"HalfWidthBraceIsNoStart", u"あい}う", 2, u"あい}\r\nう\r\n"},
        TWrapJapaneseCase{"WidthOneKeepsALoneBracket", u"あ（い", 1, u"あ\r\n（\r\nい\r\n\r\n"},
        TWrapJapaneseCase{"WidthZeroSetsNoLimit", u"あいう\r\nえ", 0, u"あいう\r\r\nえ\r\n"},
        TWrapJapaneseCase{"NegativeWidthSetsNoLimit", u"あいうえお", -3, u"あいうえお\r\n"},
        TWrapJapaneseCase{"LoneCrAfterShortLine", u"あ\rい", 5, u"あ\r\r\nい\r\n"},
        TWrapJapaneseCase{"LoneCrAfterFullLine", u"あい\rう", 2, u"あい\r\nう\r\n"},
        TWrapJapaneseCase{"CrAtTheEndAfterFullLine", u"あい\r", 2, u"あい\r\n\r\n"},
        TWrapJapaneseCase{"NulIsAnOrdinaryCharacter", std::u16string(u"あ\0い", 3), 2,
                          std::u16string(u"あ\0\r\nい\r\n", 7)}),
    [](const testing::TestParamInfo<TWrapJapaneseCase>& info) { return info.param.Name; });

struct TWrapEnglishCase {
    const char* Name;
    std::string Text;
    int MaxCol;
    std::string Wrapped;
};

class WrapEnglishTest : public testing::TestWithParam<TWrapEnglishCase> {};

TEST_P(WrapEnglishTest, Wraps) {
    EXPECT_EQ(WrapEnglish(GetParam().Text, "\r\n", WrapBreakChars, GetParam().MaxCol),
              GetParam().Wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WrapEnglishTest,
    testing::Values(
        TWrapEnglishCase{"BlankStaysAtLineEnd", "hello world foo bar", 10,
                         "hello \r\nworld foo \r\nbar"},
        TWrapEnglishCase{"LongWordIsNotSplit", "abcdefghijk lmn", 5, "abcdefghijk \r\nlmn"},
        TWrapEnglishCase{"ExistingBreaksAndBlankLinesStay", "a\r\n\r\nb", 10, "a\r\n\r\nb"},
        TWrapEnglishCase{"HyphenBreaks", "well-known", 6, "well-\r\nknown"},
        TWrapEnglishCase{"DoubleByteTakesTwoColumns", "\x82\xA0\x82\xA2 abc", 5,
                         "\x82\xA0\x82\xA2 \r\nabc"},
        TWrapEnglishCase{"LastWordOfTheTextWrapsToo", "hello wo", 7, "hello \r\nwo"},
        TWrapEnglishCase{"NoBreakDoubledBeforeASourceBreak", "abcd \r\nef", 4, "abcd \r\nef"},
        TWrapEnglishCase{"NoBreakAfterTrailingBlanks", "hello world   ", 8, "hello \r\nworld   "},
        TWrapEnglishCase{"ZeroSetsNoLimit", "hello world foo bar", 0, "hello world foo bar"},
        TWrapEnglishCase{"NegativeSetsNoLimit", "hello world", -1, "hello world"},
        TWrapEnglishCase{"LoneLeadByteAtEnd", "ab \x82", 2, "ab \r\n\x82"},
        TWrapEnglishCase{"Empty", "", 10, ""}),
    [](const testing::TestParamInfo<TWrapEnglishCase>& info) { return info.param.Name; });

TEST(WrapEnglishTest, ExistingBreaksCompareWithoutCase) {
    // "<br>" is taken as the break string "<BR>", so the column restarts after it.
    EXPECT_EQ(WrapEnglish("aaa<br>bbb ccc", "<BR>", " ", 8), "aaa<br>bbb ccc");
    EXPECT_EQ(WrapEnglish("aaa<b>bbb ccc", "<BR>", " ", 8), "aaa<b>bbb <BR>ccc");
}

TEST(WrapLinesTest, ModesChooseTheWrapping) {
    EXPECT_EQ(WrapLines(Sjis(u"あいうえ、お"), 4, 0), Sjis(u"あいうえ、\r\nお\r\n"));
    EXPECT_EQ(WrapLines("hello world foo bar", 10, 1), "hello \r\nworld foo \r\nbar");
    EXPECT_EQ(WrapLines("hello world foo bar", 10, 2), "hello world foo bar");
    EXPECT_EQ(WrapLines("", 10, 0), "\r\n");
    EXPECT_EQ(WrapLines("", 10, 1), "");
}

TEST(WrapLinesTest, BytesThatAreNoCharacterComeBackAsQuestionMarks) {
    EXPECT_EQ(WrapLines("\x80\x82\xA0\xFF\x82", 20, 0), "?\x82\xA0??\r\n");
}

// Wrapping only adds breaks: the characters other than CR and LF come out as they went in,
// whatever the width, and the loop ends for every input.
TEST(WrapJapaneseTest, RandomTextsKeepTheirCharacters) {
    const std::u16string alphabet = u"あい、。ー（「\r\n}";
    std::mt19937 random(7);
    auto content = [](std::u16string_view s) {
        std::u16string kept;
        for (char16_t c : s)
            if (c != u'\r' && c != u'\n')
                kept += c;
        return kept;
    };
    for (int round = 0; round < 3000; ++round) {
        std::u16string text(random() % 16, u' ');
        for (char16_t& c : text)
            c = alphabet[random() % alphabet.size()];
        const int width = static_cast<int>(random() % 8) - 1;
        EXPECT_EQ(content(WrapJapanese(text, width)), content(text)) << "width " << width;
    }
}

TEST(WrapEnglishTest, RandomTextsOnlyGainBreakStrings) {
    const std::string alphabet[] = {"a", "b", " ", "-", ".", "\t", "\r\n", "\r", "\n", "\x82\xA0"};
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = random() % 16; n > 0; --n)
            text += alphabet[random() % std::size(alphabet)];
        const int maxCol = static_cast<int>(random() % 10) - 1;
        std::string wrapped = WrapEnglish(text, "|", WrapBreakChars, maxCol);
        std::erase(wrapped, '|');
        EXPECT_EQ(wrapped, text) << "maxCol " << maxCol;
    }
}

TEST(WrapJapaneseTest, VeryLongLineBecomesFullLines) {
    const std::u16string text(100000, u'あ');
    const std::u16string wrapped = WrapJapanese(text, 20);
    EXPECT_EQ(wrapped.size(), 100000u + 5001u * 2u) << "5000 full lines and a final empty one";
    EXPECT_EQ(wrapped.substr(0, 22), std::u16string(20, u'あ') + u"\r\n");
}

TEST(WrapEnglishTest, VeryLongLines) {
    const std::string word(100000, 'x');
    EXPECT_EQ(WrapEnglish(word, "\r\n", WrapBreakChars, 40), word);

    std::string words;
    for (int i = 0; i < 20000; ++i)
        words += "abc ";
    const std::vector<std::string> lines =
        ShiftJis::SplitLines(WrapEnglish(words, "\r\n", WrapBreakChars, 40));
    EXPECT_EQ(lines.size(), 2000u);
    for (const std::string& line : lines)
        ASSERT_EQ(line, "abc abc abc abc abc abc abc abc abc abc ");
}

} // namespace
