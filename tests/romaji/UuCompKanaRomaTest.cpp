// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuCompKanaRoma.h"

#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <gtest/gtest.h>

#include <set>

using namespace UuHiraToRoman;
using ShiftJis::FromUtf16;

namespace {

// RomajiChoice entries that no key wrote keep this value.
constexpr int Untouched = -1;

class RomajiKeyTestBase {
protected:
    // A unit's key state whose choices are all untouched.
    static TCompKanaRoma NewState() {
        TRomajiOptions options;
        options.Choices.fill(Untouched);
        TCompKanaRoma state;
        state.SetRomajiOptions(options);
        return state;
    }
    static std::vector<int> Choices(const TCompKanaRoma& state) {
        const auto& choices = state.RomajiOptions().Choices;
        return {choices.begin(), choices.end()};
    }
};

// Per key of Steps: '0', '1' or '2' the key is accepted and colours that many guide characters,
// 'x' it is rejected. Afterwards RomajiChoice[Slot] holds Choice and every other entry is
// untouched (Slot -1: all untouched).
struct TKeyCase {
    const char* Name;
    std::u16string_view Unit;
    std::string_view Guide;
    std::string_view Keys;
    std::string_view Steps;
    bool Complete;
    int Slot;
    int Choice;
};

void PrintTo(const TKeyCase& c, std::ostream* os) {
    *os << c.Name;
}

class CheckRomajiKeyTest : public RomajiKeyTestBase, public testing::TestWithParam<TKeyCase> {};

TEST_P(CheckRomajiKeyTest, JudgesTheKeys) {
    const TKeyCase& c = GetParam();
    ASSERT_EQ(c.Keys.size(), c.Steps.size());
    TCompKanaRoma state = NewState();
    state.StartUnit(FromUtf16(c.Unit), std::string(c.Guide));
    for (std::size_t i = 0; i < c.Keys.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "key " << i << " " << c.Keys[i]);
        TRomajiKeyResult result = state.CheckRomajiKey(c.Keys[i]);
        EXPECT_EQ(result.Accepted, c.Steps[i] != 'x');
        EXPECT_EQ(result.Advance, c.Steps[i] == 'x' ? 0 : c.Steps[i] - '0');
    }
    EXPECT_EQ(state.UnitComplete(), c.Complete);
    for (int slot = 0; slot < ChoiceSlotCount; ++slot)
        EXPECT_EQ(state.RomajiOptions().Choices[slot], slot == c.Slot ? c.Choice : Untouched)
            << "slot " << slot;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CheckRomajiKeyTest, testing::Values(
    TKeyCase{"GuideSiTypedShi", u"し", "SI", "SHI", "101", true, 14, 1},
    TKeyCase{"GuideShiTypedSi", u"し", "SHI", "SI", "12", true, 14, 0},
    TKeyCase{"GuideShiTypedCi", u"シ", "SHI", "CI", "12", true, 14, 2},
    TKeyCase{"GuideCiTypedShi", u"し", "CI", "SHI", "101", true, 14, 1},
    TKeyCase{"GuideSiSecondMiddleLetterRejected", u"し", "SI", "SHHI", "10x1", true, 14, 1},
    TKeyCase{"GuideSiNoMiddleLetterAfterC", u"し", "SI", "CHI", "1x1", true, 14, 2},
    TKeyCase{"GuideTiCiIsNoSpelling", u"ち", "TI", "CI", "1x", false, -1, Untouched},
    TKeyCase{"GuideTiTypedChi", u"ち", "TI", "CHI", "101", true, 26, 1},
    TKeyCase{"GuideChiTypedTi", u"ち", "CHI", "TI", "12", true, 26, 0},
    TKeyCase{"GuideChiNoMiddleLetterAfterT", u"チ", "CHI", "THI", "1x2", true, 26, 0},
    TKeyCase{"GuideJaZaIsNoSpelling", u"じゃ", "JA", "ZAYA", "1x01", true, 20, 2},
    TKeyCase{"GuideJaWrongKeyChangesNothing", u"じゃ", "JA", "JBA", "1x1", true, 20, 0},
    TKeyCase{"GuideJaTypedJya", u"じゃ", "JA", "JYA", "101", true, 20, 1},
    TKeyCase{"GuideJyaTypedJa", u"じゃ", "JYA", "JA", "12", true, 20, 0},
    TKeyCase{"GuideZyaTypedJa", u"ジャ", "ZYA", "JA", "12", true, 20, 0},
    TKeyCase{"GuideQoTypedQo", u"くぉ", "QO", "QO", "11", true, 12, 0},
    TKeyCase{"GuideQoTypedQwo", u"くぉ", "QO", "QWO", "101", true, 12, 1},
    TKeyCase{"GuideVeTypedVe", u"ヴぇ", "VE", "VE", "11", true, 44, 0},
    TKeyCase{"LongFormFirstGuideWheTypedWe", u"うぇ", "WHE", "WE", "12", true, 4, 1},
    TKeyCase{"LongFormFirstGuideWeTypedWhe", u"うぇ", "WE", "WHE", "101", true, 4, 0},
    TKeyCase{"GuideTuTypedTsu", u"つ", "TU", "TSU", "101", true, 33, 1},
    TKeyCase{"GuideKaTypedCa", u"か", "KA", "CA", "11", true, 7, 1},
    TKeyCase{"GuideSyaTypedSha", u"しゃ", "SYA", "SHA", "111", true, 15, 1},
    TKeyCase{"SmallTsuUnitTakesTheDisplayedKeysOnly", u"っし", "SSI", "SSHCI", "11xx1", true, -1, Untouched},
    TKeyCase{"SmallTsuUnitHasNoOtherFirstKey", u"っか", "KKA", "CKKA", "x111", true, -1, Untouched},
    TKeyCase{"SingleByteUnit", u"a", "A", "A", "1", true, -1, Untouched},
    TKeyCase{"LowerCaseKeyRejected", u"か", "KA", "ka", "xx", false, -1, Untouched},
    TKeyCase{"NoKeyAfterCompletion", u"か", "KA", "KAA", "11x", true, 7, 0},
    TKeyCase{"UnitWithoutSpellingAcceptsNothing", u"・", "", "A-", "xx", true, -1, Untouched},
    TKeyCase{"KanaUnitWithEmptyKeysAcceptsNothing", u"か", "", "KA", "xx", true, -1, Untouched}),
    [](const testing::TestParamInfo<TKeyCase>& info) { return info.param.Name; });
// clang-format on

// FPos and the two flags after each key of し.
struct TStep {
    char Key;
    int Pos;
    bool AltFirst;
    bool MiddleTyped;
};

struct TStateCase {
    const char* Name;
    std::string_view Guide;
    std::vector<TStep> Steps;
};

void PrintTo(const TStateCase& c, std::ostream* os) {
    *os << c.Name;
}

class CheckRomajiKeyStateTest : public RomajiKeyTestBase,
                                public testing::TestWithParam<TStateCase> {};

TEST_P(CheckRomajiKeyStateTest, MovesThePositionAndFlags) {
    TCompKanaRoma state = NewState();
    state.StartUnit(FromUtf16(u"し"), std::string(GetParam().Guide));
    for (const TStep& step : GetParam().Steps) {
        SCOPED_TRACE(step.Key);
        ASSERT_TRUE(state.CheckRomajiKey(step.Key).Accepted);
        EXPECT_EQ(state.Pos(), step.Pos);
        EXPECT_EQ(state.AltFirst(), step.AltFirst);
        EXPECT_EQ(state.MiddleTyped(), step.MiddleTyped);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Shi, CheckRomajiKeyStateTest, testing::Values(
    TStateCase{"GuideSiTypedSi", "SI", {{'S', 2, false, false}, {'I', 3, false, false}}},
    TStateCase{"GuideSiTypedCi", "SI", {{'C', 2, true, false}, {'I', 3, false, false}}},
    TStateCase{"GuideSiTypedShi", "SI",
               {{'S', 2, false, false}, {'H', 2, false, true}, {'I', 3, false, false}}},
    TStateCase{"GuideShiTypedSi", "SHI", {{'S', 2, false, false}, {'I', 4, false, false}}},
    TStateCase{"GuideShiTypedCi", "SHI", {{'C', 2, true, false}, {'I', 4, false, false}}},
    TStateCase{"GuideShiTypedShi", "SHI",
               {{'S', 2, false, false}, {'H', 3, false, false}, {'I', 4, false, false}}}),
    [](const testing::TestParamInfo<TStateCase>& info) { return info.param.Name; });
// clang-format on

class RomajiKeyTest : public RomajiKeyTestBase, public testing::Test {
protected:
    // Types `keys` into the current unit; false at the first rejected key.
    static bool Type(TCompKanaRoma& state, std::string_view keys) {
        for (char key : keys) {
            if (!state.CheckRomajiKey(key).Accepted)
                return false;
        }
        return true;
    }
};

TEST_F(RomajiKeyTest, AChoiceOfLengthsAlikeIsWrittenAtTheKeyThatTellsThemApart) {
    TCompKanaRoma state = NewState();
    state.StartUnit(FromUtf16(u"か"), "KA");
    ASSERT_TRUE(state.CheckRomajiKey('C').Accepted);
    EXPECT_EQ(state.RomajiOptions().Choices[7], 1);

    state.StartUnit(FromUtf16(u"しゃ"), "SYA");
    ASSERT_TRUE(state.CheckRomajiKey('S').Accepted);
    EXPECT_EQ(state.RomajiOptions().Choices[15], Untouched);
    ASSERT_TRUE(state.CheckRomajiKey('H').Accepted);
    EXPECT_EQ(state.RomajiOptions().Choices[15], 1);
}

TEST_F(RomajiKeyTest, AChoiceOfLengthsUnlikeIsWrittenAtCompletion) {
    TCompKanaRoma state = NewState();
    state.StartUnit(FromUtf16(u"し"), "SI");
    ASSERT_TRUE(Type(state, "C"));
    EXPECT_EQ(state.RomajiOptions().Choices[14], Untouched);
    ASSERT_TRUE(Type(state, "I"));
    EXPECT_EQ(state.RomajiOptions().Choices[14], 2);
}

TEST_F(RomajiKeyTest, TheTypedSpellingShowsFromTheNextConversionOn) {
    TRomajiLine line = MakeRomajiLine(u"つし");
    ASSERT_EQ(line.Keys, (std::vector<std::string>{"TU", "SI"}));
    TCompKanaRoma state = NewState();
    state.StartUnit(line.Units[0], line.Keys[0]);
    ASSERT_TRUE(Type(state, "TSU"));
    ASSERT_TRUE(state.UnitComplete());
    state.StartUnit(line.Units[1], line.Keys[1]);
    EXPECT_EQ(state.Pos(), 1);
    ASSERT_TRUE(Type(state, "SHI"));
    EXPECT_TRUE(state.UnitComplete());
    EXPECT_EQ(state.RomajiOptions().Choices[33], 1);
    EXPECT_EQ(state.RomajiOptions().Choices[14], 1);
    EXPECT_EQ(line.Guide, "TUSI");
    EXPECT_EQ(MakeRomajiLine(u"つしっし", state.RomajiOptions()).Guide, "TSUSHISSHI");
}

TEST_F(RomajiKeyTest, NextKeyFollowsTheSpellingBeingTyped) {
    TCompKanaRoma state = NewState();
    state.StartUnit(FromUtf16(u"ち"), "TI");
    EXPECT_EQ(state.NextKey(), 'T');
    ASSERT_TRUE(Type(state, "C"));
    EXPECT_EQ(state.NextKey(), 'H');
    state.StartUnit(FromUtf16(u"し"), "SHI");
    ASSERT_TRUE(Type(state, "C"));
    EXPECT_EQ(state.NextKey(), 'I');
    state.StartUnit(FromUtf16(u"じゃ"), "JA");
    ASSERT_TRUE(Type(state, "Z"));
    EXPECT_EQ(state.NextKey(), 'Y');
    ASSERT_TRUE(Type(state, "YA"));
    EXPECT_EQ(state.NextKey(), 0);
}

TEST_F(RomajiKeyTest, SetRomajiChoiceWritesOnlyValidIndexesOfSlotUnits) {
    TRomajiOptions options;
    options.Choices.fill(Untouched);
    SetRomajiChoice(options, FromUtf16(u"シ"), 2);
    SetRomajiChoice(options, FromUtf16(u"か"), 3);
    SetRomajiChoice(options, FromUtf16(u"か"), -1);
    SetRomajiChoice(options, FromUtf16(u"あ"), 1);
    SetRomajiChoice(options, FromUtf16(u"っし"), 1);
    std::vector<int> expected(ChoiceSlotCount, Untouched);
    expected[14] = 2;
    EXPECT_EQ(std::vector<int>(options.Choices.begin(), options.Choices.end()), expected);
}

TEST_F(RomajiKeyTest, TheKeyThatTellsTheSpellingReportsIt) {
    TCompKanaRoma state = NewState();
    state.StartUnit(FromUtf16(u"し"), "SI");
    EXPECT_EQ(state.CheckRomajiKey('S').Learned, std::nullopt);
    EXPECT_EQ(state.CheckRomajiKey('H').Learned, std::nullopt);
    EXPECT_EQ(state.CheckRomajiKey('I').Learned, (TRomajiChoice{14, 1}));
    state.StartUnit(FromUtf16(u"あ"), "A");
    EXPECT_EQ(state.CheckRomajiKey('A').Learned, std::nullopt) << "no slot";
}

// What the learner can observe of a unit's key state.
struct TSnapshot {
    int Pos;
    std::string Typed;
    bool AltFirst, MiddleTyped;
    std::vector<int> Choices;
    bool operator==(const TSnapshot&) const = default;
};

// Every unit of the table under each of its displayed spellings, and the units that a small
// tsu forms with them (っし: SSI) under the one spelling the conversion gives them.
std::vector<std::pair<std::string, std::set<std::string>>> AllUnitsAndGuides() {
    std::vector<std::pair<std::string, std::set<std::string>>> units;
    auto addTableUnit = [&](std::string unit) {
        std::set<std::string> guides;
        for (int index = 0; index < SpellingIndexCount; ++index)
            guides.insert(KanaToRomaji(unit, index));
        units.emplace_back(std::move(unit), std::move(guides));
    };
    for (const TKanaRow& row : KanaTable) {
        if (!row.Hiragana.empty())
            addTableUnit(FromUtf16(row.Hiragana));
        addTableUnit(FromUtf16(row.Katakana));
        TRomajiLine line = MakeRomajiLine(u"っ" + std::u16string(row.Katakana));
        if (line.Units.size() == 1)
            units.emplace_back(line.Units[0], std::set<std::string>{line.Keys[0]});
    }
    for (const TSymbolRow& row : SymbolTable)
        addTableUnit(FromUtf16(std::u16string_view(&row.Wide, 1)));
    for (const TRangeRow& range : LetterDigitRanges) {
        for (char16_t c = range.First; c <= range.Last; ++c)
            addTableUnit(FromUtf16(std::u16string_view(&c, 1)));
    }
    return units;
}

// Whatever spelling the guide shows, typing any spelling completes the unit with exactly the
// displayed length coloured and records that spelling; every other key is rejected and changes
// nothing, and the key offered next is always accepted.
TEST_F(RomajiKeyTest, EverySpellingTypesUnderEveryGuide) {
    auto snapshot = [](const TCompKanaRoma& s) {
        return TSnapshot{s.Pos(), s.Typed(), s.AltFirst(), s.MiddleTyped(), Choices(s)};
    };
    int typedSpellings = 0;
    for (const auto& [unit, guides] : AllUnitsAndGuides()) {
        // A table unit takes every spelling of the table; any other only the one shown.
        const std::set<std::string>& spellings = guides;
        auto continues = [&](const std::string& keys) {
            return std::any_of(spellings.begin(), spellings.end(),
                               [&](const std::string& s) { return s.starts_with(keys); });
        };
        std::optional<int> slot = ChoiceSlot(unit);
        for (const std::string& guide : guides) {
            for (const std::string& spelling : spellings) {
                SCOPED_TRACE(unit + " guide " + guide + " typed " + spelling);
                TCompKanaRoma state = NewState();
                state.StartUnit(unit, guide);
                int coloured = 0;
                for (char key : spelling) {
                    ASSERT_FALSE(state.UnitComplete());
                    TCompKanaRoma probe = state;
                    EXPECT_TRUE(probe.CheckRomajiKey(probe.NextKey()).Accepted);
                    for (int other = 1; other < 256; ++other) {
                        char otherKey = static_cast<char>(other);
                        if (continues(state.Typed() + otherKey))
                            continue;
                        TSnapshot before = snapshot(state);
                        ASSERT_FALSE(state.CheckRomajiKey(otherKey).Accepted) << other;
                        ASSERT_EQ(snapshot(state), before) << other;
                    }
                    TRomajiKeyResult result = state.CheckRomajiKey(key);
                    ASSERT_TRUE(result.Accepted);
                    EXPECT_GE(result.Advance, 0);
                    EXPECT_LE(result.Advance, 2);
                    coloured += result.Advance;
                    EXPECT_EQ(state.Pos(), coloured + 1);
                }
                EXPECT_TRUE(state.UnitComplete());
                EXPECT_EQ(coloured, static_cast<int>(guide.size()));
                EXPECT_EQ(state.NextKey(), 0);
                std::vector<int> expected(ChoiceSlotCount, Untouched);
                if (slot) {
                    int index = 0;
                    while (KanaToRomaji(unit, index) != spelling)
                        ++index;
                    expected[*slot] = index;
                }
                EXPECT_EQ(Choices(state), expected);
                ++typedSpellings;
            }
        }
    }
    EXPECT_GT(typedSpellings, 500);
}

} // namespace
