// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKanaInput.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace UuKanaInput;
using ShiftJis::FromUtf16;

namespace {

using TStrokes = std::vector<TKeyStroke>;

std::u16string ToKatakana(std::u16string_view s) {
    std::u16string result(s);
    for (char16_t& c : result)
        if (c >= u'ぁ' && c <= u'ゖ')
            c = static_cast<char16_t>(c + (u'ァ' - u'ぁ'));
    return result;
}

// The legends of a keyboard row, left to right, with or without Shift; '・' where the key has
// no kana of its own.
std::u16string RowLegends(std::string_view keys, bool shift) {
    std::u16string legends;
    for (char key : keys) {
        const std::string& legend = KanaLegend({key, shift});
        legends += legend.empty() ? u"・" : ShiftJis::ToUtf16(legend);
    }
    return legends;
}

// The JIS kana layout, row by row: the kana of each key, and what Shift gives.
TEST(KanaInputTableTest, TheLayoutRowByRow) {
    EXPECT_EQ(RowLegends("1234567890-^\\", false), u"ぬふあうえおやゆよわほへー");
    EXPECT_EQ(RowLegends("QWERTYUIOP@[", false), u"たていすかんなにらせ゛゜");
    EXPECT_EQ(RowLegends("ASDFGHJKL;:]", false), u"ちとしはきくまのりれけむ");
    EXPECT_EQ(RowLegends("ZXCVBNM,./_", false), u"つさそひこみもねるめろ");
    EXPECT_EQ(RowLegends("1234567890-^\\", true), u"・・ぁぅぇぉゃゅょを・・・");
    EXPECT_EQ(RowLegends("QWERTYUIOP@[", true), u"・・ぃ・・・・・・・・「");
    EXPECT_EQ(RowLegends("ASDFGHJKL;:]", true), u"・・・・・・・・・・・」");
    EXPECT_EQ(RowLegends("ZXCVBNM,./_", true), u"っ・・・・・・、。・・");
    // ・ itself is Shift and /.
    EXPECT_EQ(ShiftJis::ToUtf16(KanaLegend({'/', true})), u"・");
    EXPECT_EQ(KanaLegend({' ', false}), "");
    EXPECT_EQ(KanaLegend({'A', true}), "");
}

// One kana per stroke, one stroke per kana, on keys the JIS keyboard has; every hiragana with
// its katakana twin.
TEST(KanaInputTableTest, TheTablesAreWellFormed) {
    const std::string_view keys = "1234567890-^\\QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./_";
    std::set<std::pair<char, bool>> strokes;
    std::set<std::u16string_view> units;
    for (std::size_t r = 0; r < std::size(KanaKeyTable); ++r) {
        const TKanaKeyRow& row = KanaKeyTable[r];
        SCOPED_TRACE(testing::Message() << "row " << r << " " << FromUtf16(row.Hiragana));
        EXPECT_NE(keys.find(row.Stroke.Key), std::string_view::npos);
        EXPECT_TRUE(strokes.insert({row.Stroke.Key, row.Stroke.Shift}).second) << "stroke twice";
        EXPECT_EQ(row.Hiragana.size(), 1u);
        EXPECT_EQ(ToKatakana(row.Hiragana), row.Katakana) << "twins differ";
        EXPECT_TRUE(units.insert(row.Hiragana).second);
        for (std::u16string_view unit : {row.Hiragana, row.Katakana})
            EXPECT_EQ(FromUtf16(unit).size(), 2u) << "not in code page 932";
    }
    for (const TKanaSymbolRow& row : KanaSymbolTable) {
        EXPECT_NE(keys.find(row.Stroke.Key), std::string_view::npos) << row.Stroke.Key;
        EXPECT_TRUE(strokes.insert({row.Stroke.Key, row.Stroke.Shift}).second) << row.Stroke.Key;
    }
    for (const TVoicedRow& row : VoicedTable) {
        SCOPED_TRACE(FromUtf16(row.Katakana));
        EXPECT_TRUE(row.Mark == Dakuten || row.Mark == Handakuten);
        EXPECT_TRUE(units.count(row.Base)) << "no key for the base kana";
        if (row.Hiragana.empty()) {
            EXPECT_EQ(row.Katakana, u"ヴ");
            continue;
        }
        EXPECT_EQ(ToKatakana(row.Hiragana), row.Katakana);
        // The voiced kana follows its base in the code table: が is か + 1, ぱ is は + 2.
        EXPECT_EQ(row.Hiragana[0] - row.Base[0], row.Mark == Dakuten ? 1 : 2);
    }
}

// Every kana of the syllabary, voiced or not, and the small kana, in both scripts.
TEST(KanaInputTableTest, EveryKanaIsReachable) {
    const std::u16string_view plain =
        u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"
        u"まみむめもやゆよらりるれろわをんぁぃぅぇぉゃゅょっー";
    const std::u16string_view voiced = u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ";
    for (char16_t c : plain) {
        const std::u16string unit(1, c);
        EXPECT_EQ(KanaKeys(FromUtf16(unit)).size(), 1u) << FromUtf16(unit);
        EXPECT_EQ(KanaKeys(FromUtf16(ToKatakana(unit))), KanaKeys(FromUtf16(unit)));
    }
    for (char16_t c : voiced) {
        const std::u16string unit(1, c);
        const TStrokes keys = KanaKeys(FromUtf16(unit));
        ASSERT_EQ(keys.size(), 2u) << FromUtf16(unit);
        EXPECT_TRUE(keys[1] == (TKeyStroke{'@'}) || keys[1] == (TKeyStroke{'['}));
        EXPECT_EQ(KanaKeys(FromUtf16(ToKatakana(unit))), keys);
    }
}

struct TUnitCase {
    const char* Name;
    std::u16string_view Unit;
    TStrokes Keys;
};

class KanaInputUnitTest : public testing::TestWithParam<TUnitCase> {};

TEST_P(KanaInputUnitTest, StrokesOfTheUnit) {
    EXPECT_EQ(KanaKeys(FromUtf16(GetParam().Unit)), GetParam().Keys);
}

INSTANTIATE_TEST_SUITE_P(
    Units, KanaInputUnitTest,
    testing::Values(
        TUnitCase{"Nu", u"ぬ", {{'1'}}}, TUnitCase{"SmallA", u"ぁ", {{'3', true}}},
        TUnitCase{"Wo", u"を", {{'0', true}}}, TUnitCase{"KatakanaWo", u"ヲ", {{'0', true}}},
        TUnitCase{"SmallTsu", u"っ", {{'Z', true}}},
        TUnitCase{"SmallKatakanaYo", u"ョ", {{'9', true}}}, TUnitCase{"Ro", u"ろ", {{'_'}}},
        TUnitCase{"Mu", u"む", {{']'}}}, TUnitCase{"Ke", u"け", {{':'}}},
        TUnitCase{"LongVowelOnTheYenKey", u"ー", {{'\\'}}},
        TUnitCase{"OpeningBracket", u"「", {{'[', true}}},
        TUnitCase{"ClosingBracket", u"」", {{']', true}}}, TUnitCase{"Comma", u"、", {{',', true}}},
        TUnitCase{"FullStop", u"。", {{'.', true}}}, TUnitCase{"MiddleDot", u"・", {{'/', true}}},
        TUnitCase{"Dakuten", u"゛", {{'@'}}}, TUnitCase{"Handakuten", u"゜", {{'['}}},
        TUnitCase{"Ga", u"が", {{'T'}, {'@'}}}, TUnitCase{"KatakanaGa", u"ガ", {{'T'}, {'@'}}},
        TUnitCase{"Pa", u"ぱ", {{'F'}, {'['}}}, TUnitCase{"Bu", u"ぶ", {{'2'}, {'@'}}},
        TUnitCase{"Vu", u"ヴ", {{'4'}, {'@'}}},
        // What the kana layout lacks is typed where the JIS keyboard prints it.
        TUnitCase{"FullWidthExclamation", u"！", {{'1', true}}},
        TUnitCase{"FullWidthLetter", u"Ａ", {{'A'}}},
        TUnitCase{"FullWidthSmallLetter", u"ｚ", {{'Z'}}},
        TUnitCase{"FullWidthDigit", u"７", {{'7'}}}, TUnitCase{"AsciiLetter", u"a", {{'A'}}},
        TUnitCase{"AsciiQuestion", u"?", {{'/', true}}},
        TUnitCase{"FullWidthUnderscore", u"＿", {{'_', true}}},
        TUnitCase{"IdeographicSpace", u"\u3000", {{' '}}}, TUnitCase{"Space", u" ", {{' '}}},
        TUnitCase{"Kanji", u"漢", {}}, TUnitCase{"Wi", u"ゐ", {}}, TUnitCase{"SmallKa", u"ヵ", {}},
        TUnitCase{"SmallWa", u"ゎ", {}}, TUnitCase{"Ellipsis", u"…", {}},
        TUnitCase{"Tab", u"\t", {}}, TUnitCase{"Empty", u"", {}},
        TUnitCase{"TwoKana", u"かな", {}}),
    [](const testing::TestParamInfo<TUnitCase>& info) { return info.param.Name; });

struct TLineCase {
    const char* Name;
    std::u16string_view Sentence;
    std::vector<std::u16string_view> Units;
    std::vector<TStrokes> Keys;
    std::u16string_view Guide;
};

class KanaInputLineTest : public testing::TestWithParam<TLineCase> {};

TEST_P(KanaInputLineTest, UnitsStrokesAndGuide) {
    const TLineCase& c = GetParam();
    const TKanaLine line = MakeKanaLine(c.Sentence);
    std::vector<std::string> units;
    for (std::u16string_view unit : c.Units)
        units.push_back(FromUtf16(unit));
    EXPECT_EQ(line.Units, units);
    EXPECT_EQ(line.Keys, c.Keys);
    EXPECT_EQ(line.Guide, FromUtf16(c.Guide));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, KanaInputLineTest,
    testing::Values(
        TLineCase{"VoicedAndSmallTsu",
                  u"がっこう",
                  {u"が", u"っ", u"こ", u"う"},
                  {{{'T'}, {'@'}}, {{'Z', true}}, {{'B'}}, {{'4'}}},
                  u"か゛っこう"},
        TLineCase{"KatakanaWithLongVowels",
                  u"パーティー",
                  {u"パ", u"ー", u"テ", u"ィ", u"ー"},
                  {{{'F'}, {'['}}, {{'\\'}}, {{'W'}}, {{'E', true}}, {{'\\'}}},
                  u"は゜ーてぃー"},
        TLineCase{"Punctuation",
                  u"「ねこ」、。",
                  {u"「", u"ね", u"こ", u"」", u"、", u"。"},
                  {{{'[', true}}, {{','}}, {{'B'}}, {{']', true}}, {{',', true}}, {{'.', true}}},
                  u"「ねこ」、。"},
        TLineCase{"AsciiAndFullWidth",
                  u"aＢ１！",
                  {u"a", u"Ｂ", u"１", u"！"},
                  {{{'A'}}, {{'B'}}, {{'1'}}, {{'1', true}}},
                  u"AB1!"},
        TLineCase{"KanjiHaveNoStrokes", u"漢字", {u"漢", u"字"}, {{}, {}}, u""},
        TLineCase{"UnmappableIsOneUnitWithoutStrokes", u"あ😀", {u"あ", u"?"}, {{{'3'}}, {}}, u"あ"},
        TLineCase{"QuestionMarkIsTyped", u"?", {u"?"}, {{{'/', true}}}, u"?"},
        TLineCase{"Empty", u"", {}, {}, u""}),
    [](const testing::TestParamInfo<TLineCase>& info) { return info.param.Name; });

} // namespace
