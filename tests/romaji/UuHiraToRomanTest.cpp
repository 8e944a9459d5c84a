// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuHiraToRoman.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace UuHiraToRoman;
using ShiftJis::FromUtf16;
using ShiftJis::ToUtf16;

namespace {

// The katakana of a hiragana string; other characters (ヴ) stay.
std::u16string ToKatakana(std::u16string_view s) {
    std::u16string result(s);
    for (char16_t& c : result) {
        if (c >= u'ぁ' && c <= u'ゖ')
            c = static_cast<char16_t>(c + (u'ァ' - u'ぁ'));
    }
    return result;
}

int SpellingCount(const TKanaRow& row) {
    int count = 0;
    while (count < SpellingIndexCount && !row.Spellings[count].empty())
        ++count;
    return count;
}

bool IsUpperAsciiWord(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The Shift_JIS form of a table unit; fails the test when code page 932 cannot hold it.
std::string Encode(std::u16string_view unit) {
    std::string bytes = FromUtf16(unit);
    EXPECT_EQ(bytes.size(), 2 * unit.size()) << "not all double-byte: " << bytes;
    EXPECT_EQ(ToUtf16(bytes), unit);
    return bytes;
}

TEST(UuHiraToRomanTableTest, KanaRowsAreWellFormed) {
    for (std::size_t r = 0; r < std::size(KanaTable); ++r) {
        const TKanaRow& row = KanaTable[r];
        SCOPED_TRACE(testing::Message() << "row " << r << " " << FromUtf16(row.Katakana));
        ASSERT_FALSE(row.Katakana.empty());
        EXPECT_TRUE(row.Katakana.size() == 1 || row.Katakana.size() == 2);
        if (row.Hiragana.empty()) {
            bool katakanaOnly =
                row.Katakana[0] == u'ヴ' || row.Katakana == u"ヵ" || row.Katakana == u"ヶ";
            EXPECT_TRUE(katakanaOnly) << "a hiragana unit without its hiragana form";
        } else {
            EXPECT_NE(row.Hiragana, row.Katakana);
            EXPECT_EQ(ToKatakana(row.Hiragana), row.Katakana) << "twins differ";
        }

        int count = SpellingCount(row);
        ASSERT_GE(count, 1);
        for (int i = count; i < SpellingIndexCount; ++i)
            EXPECT_TRUE(row.Spellings[i].empty()) << "gap before spelling " << i;
        EXPECT_EQ(count > 1, row.Slot != NoSlot) << "a slot exactly for several spellings";
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(IsUpperAsciiWord(row.Spellings[i])) << row.Spellings[i];
            // A spelling that began another could never be typed to its end.
            for (int j = 0; j < count; ++j) {
                bool begins = i != j && row.Spellings[j].starts_with(row.Spellings[i]);
                EXPECT_FALSE(begins) << row.Spellings[i] << " begins " << row.Spellings[j];
            }
        }
    }
}

TEST(UuHiraToRomanTableTest, EveryFormGivesItsRowsSpellingsForEveryIndex) {
    for (const TKanaRow& row : KanaTable) {
        int count = SpellingCount(row);
        for (std::u16string_view form : {row.Hiragana, row.Katakana}) {
            if (form.empty())
                continue;
            std::string unit = Encode(form);
            SCOPED_TRACE(unit);
            for (int index = 0; index < SpellingIndexCount; ++index)
                EXPECT_EQ(KanaToRomaji(unit, index), row.Spellings[std::min(index, count - 1)]);
            EXPECT_EQ(ChoiceSlot(unit),
                      row.Slot == NoSlot ? std::nullopt : std::optional<int>(row.Slot));
        }
    }
}

TEST(UuHiraToRomanTableTest, EverySlotIsUsedByExactlyOneRow) {
    int uses[ChoiceSlotCount] = {};
    for (const TKanaRow& row : KanaTable) {
        if (row.Slot == NoSlot)
            continue;
        ASSERT_GE(row.Slot, 0);
        ASSERT_LT(row.Slot, ChoiceSlotCount);
        ++uses[row.Slot];
    }
    for (int slot = 0; slot < ChoiceSlotCount; ++slot)
        EXPECT_EQ(uses[slot], 1) << "slot " << slot;
}

TEST(UuHiraToRomanTableTest, SymbolsLettersAndDigitsGiveOneAsciiKey) {
    for (const TSymbolRow& row : SymbolTable) {
        std::string unit = Encode(std::u16string_view(&row.Wide, 1));
        ASSERT_EQ(row.Key.size(), 1u);
        EXPECT_TRUE(row.Key[0] >= 0x20 && row.Key[0] < 0x7F);
        for (int index = 0; index < SpellingIndexCount; ++index)
            EXPECT_EQ(KanaToRomaji(unit, index), row.Key) << unit;
        EXPECT_EQ(ChoiceSlot(unit), std::nullopt);
    }
    int rangeChars = 0;
    for (const TRangeRow& range : LetterDigitRanges) {
        for (char16_t c = range.First; c <= range.Last; ++c, ++rangeChars) {
            std::string unit = Encode(std::u16string_view(&c, 1));
            std::string key(1, static_cast<char>(range.FirstKey + (c - range.First)));
            EXPECT_EQ(KanaToRomaji(unit, 2), key) << unit;
        }
    }
    EXPECT_EQ(rangeChars, 26 + 26 + 10);
}

TEST(UuHiraToRomanTableTest, NoUnitIsListedTwice) {
    std::set<std::string> units;
    auto add = [&](std::u16string_view form) {
        EXPECT_TRUE(units.insert(FromUtf16(form)).second) << "twice: " << FromUtf16(form);
    };
    for (const TKanaRow& row : KanaTable) {
        if (!row.Hiragana.empty())
            add(row.Hiragana);
        add(row.Katakana);
    }
    for (const TSymbolRow& row : SymbolTable)
        add(std::u16string_view(&row.Wide, 1));
    for (const TRangeRow& range : LetterDigitRanges) {
        for (char16_t c = range.First; c <= range.Last; ++c)
            add(std::u16string_view(&c, 1));
    }
}

struct TLookupCase {
    const char* Name;
    std::u16string_view Unit;
    int Index;
    std::string_view Spelling;
};

void PrintTo(const TLookupCase& c, std::ostream* os) {
    *os << c.Name;
}

class KanaToRomajiTest : public testing::TestWithParam<TLookupCase> {};

TEST_P(KanaToRomajiTest, GivesTheSpelling) {
    EXPECT_EQ(KanaToRomaji(FromUtf16(GetParam().Unit), GetParam().Index), GetParam().Spelling);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KanaToRomajiTest,
    testing::Values(TLookupCase{"TwoSpellingsSecondForIndexTwo", u"カ", 2, "CA"},
                    TLookupCase{"VuWithHiraganaSmallVowel", u"ヴぁ", 0, "VA"},
                    TLookupCase{"LongVowelMark", u"ー", 0, "-"},
                    TLookupCase{"FullWidthLowerLetter", u"ａ", 0, "A"},
                    TLookupCase{"VerticalBar", u"｜", 0, "|"}, TLookupCase{"Tilde", u"～", 0, "~"},
                    TLookupCase{"Comma", u"、", 0, ","}, TLookupCase{"FullStop", u"。", 0, "."},
                    TLookupCase{"IdeographicSpace", u"\u3000", 0, " "},
                    TLookupCase{"NegativeIndexGivesDefault", u"し", -1, "SI"},
                    TLookupCase{"IndexThreeGivesDefault", u"し", 3, "SI"},
                    TLookupCase{"PairThatIsNoUnit", u"かん", 0, ""},
                    TLookupCase{"MiddleDot", u"・", 0, ""}, TLookupCase{"Wi", u"ゐ", 0, ""},
                    TLookupCase{"Kanji", u"漢", 0, ""}, TLookupCase{"Ellipsis", u"…", 0, ""},
                    TLookupCase{"AsciiLetterIsNoEntry", u"A", 0, ""},
                    TLookupCase{"Empty", u"", 0, ""}),
    [](const testing::TestParamInfo<TLookupCase>& info) { return info.param.Name; });

TEST(KanaToRomajiOddBytesTest, MatchesWholeUnitsOnly) {
    std::string ka = FromUtf16(u"か");
    EXPECT_EQ(KanaToRomaji(ka.substr(0, 1), 0), "");
    EXPECT_EQ(KanaToRomaji(ka + "A", 0), "");
    EXPECT_EQ(KanaToRomaji(std::string("\x82\x00", 2), 0), "");
}

TEST(ChoiceSlotTest, StringsOtherThanSlotUnitsHaveNone) {
    EXPECT_EQ(ChoiceSlot(FromUtf16(u"あ")), std::nullopt);
    EXPECT_EQ(ChoiceSlot(FromUtf16(u"っし")), std::nullopt);
    EXPECT_EQ(ChoiceSlot(FromUtf16(u"・")), std::nullopt);
    EXPECT_EQ(ChoiceSlot(""), std::nullopt);
}

struct TLineCase {
    const char* Name;
    std::u16string_view Sentence;
    std::vector<std::pair<int, int>> Choices; // slot, index
    bool Lower;
    std::vector<std::u16string_view> Units;
    std::vector<std::string_view> Keys;
    std::string_view Guide;
};

void PrintTo(const TLineCase& c, std::ostream* os) {
    *os << c.Name;
}

class MakeRomajiLineTest : public testing::TestWithParam<TLineCase> {};

TEST_P(MakeRomajiLineTest, ConvertsTheSentence) {
    const TLineCase& c = GetParam();
    TRomajiOptions options;
    for (auto [slot, index] : c.Choices)
        options.Choices[static_cast<std::size_t>(slot)] = index;
    options.Lower = c.Lower;

    TRomajiLine line = MakeRomajiLine(c.Sentence, options);
    std::vector<std::u16string> units;
    for (const std::string& unit : line.Units)
        units.push_back(ToUtf16(unit));
    EXPECT_EQ(units, std::vector<std::u16string>(c.Units.begin(), c.Units.end()));
    EXPECT_EQ(line.Keys, std::vector<std::string>(c.Keys.begin(), c.Keys.end()));
    EXPECT_EQ(line.Guide, c.Guide);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, MakeRomajiLineTest, testing::Values(
    TLineCase{"Empty", u"", {}, false, {}, {}, ""},
    TLineCase{"PairBeforeSingleAndSmallTsuDoubles", u"きゃっと", {}, false,
              {u"きゃ", u"っと"}, {"KYA", "TTO"}, "KYATTO"},
    TLineCase{"PairOnlyWhenInTheTable", u"きや", {}, false, {u"き", u"や"}, {"KI", "YA"}, "KIYA"},
    TLineCase{"Katakana", u"ファイル", {}, false,
              {u"ファ", u"イ", u"ル"}, {"FA", "I", "RU"}, "FAIRU"},
    TLineCase{"ChoiceSelectsTheSpelling", u"ファイル", {{35, 1}}, false,
              {u"ファ", u"イ", u"ル"}, {"FWA", "I", "RU"}, "FWAIRU"},
    TLineCase{"ChoiceOutOfRangeShowsTheDefault", u"か", {{7, 9}}, false, {u"か"}, {"KA"}, "KA"},
    TLineCase{"SingleByteCharactersAreTheirOwnKeys", u"ABCあ", {}, false,
              {u"A", u"B", u"C", u"あ"}, {"A", "B", "C", "A"}, "ABCA"},
    TLineCase{"LowerCaseGuide", u"ABCあ", {}, true,
              {u"A", u"B", u"C", u"あ"}, {"A", "B", "C", "A"}, "abca"},
    TLineCase{"LowerCaseOnlyWithADoubleByteCharacter", u"Ab", {}, true,
              {u"A", u"b"}, {"A", "B"}, "Ab"},
    TLineCase{"AsciiLowerCaseKeptInTheGuide", u"aか", {}, false, {u"a", u"か"}, {"A", "KA"}, "aKA"},
    TLineCase{"HalfWidthKatakana", u"ｱか", {}, false, {u"ｱ", u"か"}, {"\xB1", "KA"}, "\xB1KA"},
    TLineCase{"FinalSmallTsu", u"あっ", {}, false, {u"あ", u"っ"}, {"A", "LTU"}, "ALTU"},
    TLineCase{"FinalSmallTsuByChoice", u"アッ", {{32, 2}}, false, {u"ア", u"ッ"}, {"A", "XTU"}, "AXTU"},
    TLineCase{"SmallTsuDoublesTheChosenSpelling", u"っちゃ", {{27, 1}}, false,
              {u"っちゃ"}, {"CCYA"}, "CCYA"},
    TLineCase{"SmallTsuDoublesTheDefaultSpelling", u"っちゃ", {}, false, {u"っちゃ"}, {"TTYA"}, "TTYA"},
    TLineCase{"KatakanaSmallTsu", u"ッカ", {}, false, {u"ッカ"}, {"KKA"}, "KKA"},
    TLineCase{"SmallTsuBeforeLSpelling", u"っぁ", {}, false, {u"っぁ"}, {"LLA"}, "LLA"},
    TLineCase{"SmallTsuBeforeVowelIsItsOwnUnit", u"っあ", {}, false, {u"っ", u"あ"}, {"LTU", "A"}, "LTUA"},
    TLineCase{"SmallTsuBeforeVowelByChoice", u"ッア", {{32, 1}}, false,
              {u"ッ", u"ア"}, {"XTU", "A"}, "XTUA"},
    TLineCase{"SmallTsuBeforeNn", u"っん", {}, false, {u"っ", u"ん"}, {"LTU", "NN"}, "LTUNN"},
    TLineCase{"SmallTsuBeforeNa", u"っな", {}, false, {u"っ", u"な"}, {"LTU", "NA"}, "LTUNA"},
    TLineCase{"SmallTsuBeforeLongVowelMark", u"っー", {}, false, {u"っ", u"ー"}, {"LTU", "-"}, "LTU-"},
    TLineCase{"SmallTsuBeforeDigit", u"っ１", {}, false, {u"っ", u"１"}, {"LTU", "1"}, "LTU1"},
    TLineCase{"SmallTsuBeforeFullWidthVowelLetter", u"っＥ", {}, false,
              {u"っ", u"Ｅ"}, {"LTU", "E"}, "LTUE"},
    TLineCase{"SmallTsuBeforeUnitWithoutSpelling", u"っ・", {}, false, {u"っ", u"・"}, {"LTU", ""}, "LTU"},
    TLineCase{"TwoSmallTsuEachTyped", u"っっと", {}, false, {u"っ", u"っと"}, {"LTU", "TTO"}, "LTUTTO"},
    TLineCase{"TwoFinalSmallTsu", u"あっッ", {}, false,
              {u"あ", u"っ", u"ッ"}, {"A", "LTU", "LTU"}, "ALTULTU"},
    TLineCase{"SmallTsuWaitsPastSingleByte", u"っAか", {}, false, {u"A", u"っか"}, {"A", "KKA"}, "AKKA"},
    TLineCase{"SmallTsuWaitsPastSingleByteToTheEnd", u"っA", {}, false, {u"A", u"っ"}, {"A", "LTU"}, "ALTU"},
    TLineCase{"NnBeforeVowel", u"んあ", {}, false, {u"ん", u"あ"}, {"NN", "A"}, "NNA"},
    TLineCase{"Symbols", u"｜～、。", {}, false, {u"｜", u"～", u"、", u"。"}, {"|", "~", ",", "."}, "|~,."},
    TLineCase{"FullWidthLettersUpperCase", u"Ａｂ", {}, true, {u"Ａ", u"ｂ"}, {"A", "B"}, "ab"},
    TLineCase{"UnitsWithoutSpelling", u"ゐ・漢", {}, false, {u"ゐ", u"・", u"漢"}, {"", "", ""}, ""},
    TLineCase{"ControlCharacterIsPassedOver", u"a\tb", {}, false, {u"a", u"\t", u"b"}, {"A", "", "B"}, "ab"},
    TLineCase{"UndecodableByteIsPassedOver", u"\uFFFDあ", {}, false, {u"?", u"あ"}, {"", "A"}, "A"},
    TLineCase{"QuestionMarkIsTyped", u"?", {}, false, {u"?"}, {"?"}, "?"},
    TLineCase{"LoneLowSurrogateIsNoUnit", u"か\xDC00き", {}, false, {u"か", u"き"}, {"KA", "KI"}, "KAKI"}),
    [](const testing::TestParamInfo<TLineCase>& info) { return info.param.Name; });
// clang-format on

// The drill greys out each unit's bytes in turn, so the units must cover the sentence exactly;
// whatever follows a small tsu, every unit of the table stays typeable.
TEST(MakeRomajiLineCoverTest, UnitsAfterASmallTsuCoverTheSentence) {
    for (const TKanaRow& row : KanaTable) {
        std::u16string sentence = u"っ" + std::u16string(row.Katakana) + u"ッ";
        TRomajiLine line = MakeRomajiLine(sentence);
        std::string units, keys;
        for (std::size_t i = 0; i < line.Units.size(); ++i) {
            units += line.Units[i];
            keys += line.Keys[i];
            EXPECT_FALSE(line.Keys[i].empty()) << line.Units[i];
        }
        EXPECT_EQ(units, FromUtf16(sentence));
        EXPECT_EQ(keys, line.Guide);
    }
}

TEST(MakeRomajiLineChoiceTest, TheChoicesOfTheSettingsAreTheOnesShown) {
    TOptionRec settings{};
    TRomajiLine before = MakeRomajiLine(u"しシ", RomajiOptionsOf(settings));
    settings.RomajiChoice[14] = 1;
    EXPECT_EQ(before.Guide, "SISI");
    EXPECT_EQ(MakeRomajiLine(u"しシ", RomajiOptionsOf(settings)).Guide, "SHISHI");
    settings.RomajiChoice[14] = 2;
    EXPECT_EQ(MakeRomajiLine(u"っし", RomajiOptionsOf(settings)).Keys,
              std::vector<std::string>{"CCI"});
    settings.RomajiLower = 1;
    EXPECT_EQ(MakeRomajiLine(u"しシ", RomajiOptionsOf(settings)).Guide, "cici");
}

} // namespace
