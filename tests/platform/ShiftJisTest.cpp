// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

using namespace ShiftJis;

namespace {

TEST(ShiftJisTest, LeadByteRanges) {
    for (int c = 0; c < 256; ++c) {
        bool expected = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(c)), expected) << "byte " << c;
    }
}

TEST(ShiftJisTest, CharsSplitDoubleBytesAndKeepALoneLeadByte) {
    // あ, A, half-width ｱ, 漢, then a lead byte with nothing after it.
    std::string text = "\x82\xA0"
                       "A\xB1\x8A\xBF\x82";
    std::vector<std::string_view> chars = Chars(text);
    ASSERT_EQ(chars.size(), 5u);
    EXPECT_EQ(chars[0], "\x82\xA0");
    EXPECT_EQ(chars[1], "A");
    EXPECT_EQ(chars[2], "\xB1");
    EXPECT_EQ(chars[3], "\x8A\xBF");
    EXPECT_EQ(chars[4], "\x82");
}

struct TDecodeCase {
    const char* Name;
    std::string Sjis;
    std::u16string Utf16;
};

class ShiftJisDecodeTest : public testing::TestWithParam<TDecodeCase> {};

TEST_P(ShiftJisDecodeTest, Decodes) {
    EXPECT_EQ(ToUtf16(GetParam().Sjis), GetParam().Utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftJisDecodeTest,
    testing::Values(
        TDecodeCase{"Empty", "", u""}, TDecodeCase{"Ascii", "Hello, world", u"Hello, world"},
        TDecodeCase{"Hiragana", "\x82\xA0\x82\xA2\x82\xA4", u"あいう"},
        TDecodeCase{"Kanji", "\x8A\xBF\x8E\x9A", u"漢字"},
        TDecodeCase{"HalfWidthKatakana", "\xB1\xB2", u"ｱｲ"},
        TDecodeCase{"BackslashAndTildeStayAscii", "\\~", u"\\~"},
        TDecodeCase{"FullWidthTilde", "\x81\x60", u"～"},
        TDecodeCase{"NecSpecial", "\x87\x40", u"①"}, TDecodeCase{"IbmExtension", "\xFA\x40", u"ⅰ"},
        TDecodeCase{"LineBreaks", "a\r\nb", u"a\r\nb"},
        TDecodeCase{"NulKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        TDecodeCase{"LoneLeadByteAtEnd", "a\x82", u"a\uFFFD"},
        TDecodeCase{"InvalidTrailByte", "\x82\x20x", u"\uFFFD x"},
        TDecodeCase{"Byte80", "\x80", u"\uFFFD"}, TDecodeCase{"ByteA0", "\xA0", u"\uFFFD"},
        TDecodeCase{"BytesFDToFF", "\xFD\xFE\xFF", u"\uFFFD\uFFFD\uFFFD"}),
    [](const testing::TestParamInfo<TDecodeCase>& info) { return info.param.Name; });

struct TEncodeCase {
    const char* Name;
    std::u16string Utf16;
    std::string Sjis;
};

class ShiftJisEncodeTest : public testing::TestWithParam<TEncodeCase> {};

TEST_P(ShiftJisEncodeTest, Encodes) {
    EXPECT_EQ(FromUtf16(GetParam().Utf16), GetParam().Sjis);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShiftJisEncodeTest,
                         testing::Values(TEncodeCase{"Empty", u"", ""},
                                         TEncodeCase{"Mixed", u"aあ漢ｱ", "a\x82\xA0\x8A\xBF\xB1"},
                                         TEncodeCase{"WaveDashAsFullWidthTilde", u"〜", "\x81\x60"},
                                         TEncodeCase{"ReplacementCharacter", u"a\uFFFDb", "a?b"},
                                         TEncodeCase{"Hangul", u"한", "?"},
                                         TEncodeCase{"SurrogatePairIsOneCharacter", u"x😀y", "x?y"},
                                         TEncodeCase{"LoneHighSurrogate", u"x\xD800y", "x?y"},
                                         TEncodeCase{"UnmappableAtEnd", u"ab\u00E9", "ab?"}),
                         [](const testing::TestParamInfo<TEncodeCase>& info) {
                             return info.param.Name;
                         });

TEST(ShiftJisTest, EveryDoubleByteCharacterRoundTrips) {
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
            std::u16string text = ToUtf16(sjis);
            if (text == u"\uFFFD" || text.size() != 1)
                continue;
            ++mapped;
            EXPECT_EQ(EncodedLength(text[0]), 2u) << lead << " " << trail;
            // Code page 932 has duplicate codes (NEC and IBM rows); those encode to one of them.
            EXPECT_EQ(ToUtf16(FromUtf16(text)), text) << lead << " " << trail;
        }
    }
    EXPECT_GT(mapped, 7000);
}

TEST(ShiftJisTest, EncodedLengthMatchesEncoding) {
    for (char16_t c : std::u16string(u"aZ~\\ｱﾟあ漢　①\u00E9\uFFFD한"))
        EXPECT_EQ(EncodedLength(c), FromUtf16(std::u16string(1, c)).size()) << int(c);
    EXPECT_EQ(EncodedLength(u'\xDE00'), 0u);
}

TEST(ShiftJisTest, QStringConversionRoundTrips) {
    std::string sjis = "\x82\xA0\x82\xA2 abc \x8A\xBF";
    EXPECT_EQ(ToQString(sjis), QStringLiteral("あい abc 漢"));
    EXPECT_EQ(FromQString(ToQString(sjis)), sjis);
}

TEST(ShiftJisTest, LongTextWithInvalidBytesDecodesEveryByte) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += (i % 3 == 0) ? "\xFF" : "a";
    std::u16string decoded = ToUtf16(text);
    EXPECT_EQ(decoded.size(), text.size());
}

struct TTextFileCase {
    const char* Name;
    std::string Bytes;
    std::string Sjis;
};

class ShiftJisTextFileTest : public testing::TestWithParam<TTextFileCase> {};

TEST_P(ShiftJisTextFileTest, ReadsShiftJisOrUtf8) {
    EXPECT_EQ(FromTextFile(GetParam().Bytes), GetParam().Sjis);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftJisTextFileTest,
    testing::Values(TTextFileCase{"Ascii", "abc\r\n", "abc\r\n"},
                    TTextFileCase{"ShiftJis", "\x82\xA0\x8A\xBF\r\n", "\x82\xA0\x8A\xBF\r\n"},
                    TTextFileCase{"ShiftJisHalfWidthKana", "\xB1\xB2", "\xB1\xB2"},
                    TTextFileCase{"Utf8", "\xE3\x81\x82\xE6\xBC\xA2\n", "\x82\xA0\x8A\xBF\n"},
                    TTextFileCase{"Utf8WithBom", "\xEF\xBB\xBF\xE3\x81\x82", "\x82\xA0"},
                    TTextFileCase{"BomOnly", "\xEF\xBB\xBF", ""},
                    TTextFileCase{"Utf8Unmappable",
                                  "a\xF0\x9F\x98\x80"
                                  "b",
                                  "a?b"},
                    TTextFileCase{"TruncatedUtf8IsShiftJis", "\xE3\x81", "\xE3\x81"},
                    TTextFileCase{"OverlongIsNoUtf8", "\xC0\xAF", "\xC0\xAF"},
                    TTextFileCase{"SurrogateIsNoUtf8", "\xED\xA0\x80", "\xED\xA0\x80"},
                    TTextFileCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<TTextFileCase>& info) { return info.param.Name; });

TEST(ShiftJisTest, TrimRightCutsBytesUpTo32) {
    EXPECT_EQ(TrimRight(std::string("ab \t\r\n\x01\0", 8)), "ab");
    EXPECT_EQ(TrimRight("  "), "");
    EXPECT_EQ(TrimRight(""), "");
    EXPECT_EQ(TrimRight(" a b "), " a b");
    // A trail byte is never below 0x40, so trimming cannot split a character.
    EXPECT_EQ(TrimRight("\x82\xA0\r\n"), "\x82\xA0");
}

struct TLinesCase {
    const char* Name;
    std::string Text;
    std::vector<std::string> Lines;
};

class ShiftJisLinesTest : public testing::TestWithParam<TLinesCase> {};

TEST_P(ShiftJisLinesTest, Splits) {
    EXPECT_EQ(SplitLines(GetParam().Text), GetParam().Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftJisLinesTest,
    testing::Values(TLinesCase{"Empty", "", {}}, TLinesCase{"OneLine", "abc", {"abc"}},
                    TLinesCase{"BreakAtEndAddsNoLine", "abc\r\n", {"abc"}},
                    TLinesCase{"CrLf", "a\r\nb", {"a", "b"}},
                    TLinesCase{"LoneCr", "a\rb", {"a", "b"}},
                    TLinesCase{"LoneLf", "a\nb", {"a", "b"}},
                    TLinesCase{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
                    TLinesCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                    TLinesCase{"EmptyLines", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
                    TLinesCase{"OnlyBreak", "\n", {""}}),
    [](const testing::TestParamInfo<TLinesCase>& info) { return info.param.Name; });

TEST(ShiftJisTest, JoinLinesEndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(SplitLines(JoinLines({"a", "", "b"})), (std::vector<std::string>{"a", "", "b"}));
}

} // namespace
