// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <set>

namespace {

using namespace std::literals;

const TKeyRec& KeyOf(const TKbGeometry& g, std::string_view caption) {
    int index = 0;
    EXPECT_TRUE(g.FindKey(caption, index)) << caption;
    return g.Keys[index];
}

struct TKeyCase {
    const char* Name;
    std::string_view Caption;
    TKbRect Bounds;
    std::int32_t TextX, TextY;
};

class KeyboardLayout700Test : public testing::TestWithParam<TKeyCase> {};

// 700 pixels: U = 50, second row from 31, home row from 47, bottom row from nearest(65) + 10.
TEST_P(KeyboardLayout700Test, PlacesTheKey) {
    const TKbGeometry g = LayoutKeyboard(700);
    const TKeyRec& key = KeyOf(g, GetParam().Caption);
    EXPECT_EQ(key.Bounds, GetParam().Bounds);
    EXPECT_EQ(key.TextX, GetParam().TextX);
    EXPECT_EQ(key.TextY, GetParam().TextY);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardLayout700Test,
    testing::Values(TKeyCase{"TopRowFirst", "1", {15, 10, 60, 55}, 19, 28},
                    TKeyCase{"TopRowLastYen", "\\", {615, 10, 660, 55}, 619, 28},
                    TKeyCase{"SecondRowFirst", "Q", {31, 60, 76, 105}, 35, 78},
                    TKeyCase{"SecondRowLast", "[", {581, 60, 626, 105}, 585, 78},
                    TKeyCase{"HomeRowFirst", "A", {47, 110, 92, 155}, 51, 128},
                    TKeyCase{"HomeRowLast", "]", {597, 110, 642, 155}, 601, 128},
                    TKeyCase{"BottomRowFirst", "Z", {75, 163, 120, 208}, 79, 181},
                    TKeyCase{"BottomRowSlash", "/", {525, 163, 570, 208}, 529, 181},
                    TKeyCase{"UnderscoreAfterSlash", "_", {575, 163, 620, 208}, 600, 165},
                    TKeyCase{"LeftShift", "Shift", {5, 163, 70, 208}, 7, 181},
                    TKeyCase{"SpaceBar", " ", {229, 216, 354, 266}, 254, 218},
                    TKeyCase{"ExclamationOnTheOne", "!", {15, 10, 60, 55}, 38, 12},
                    TKeyCase{"BarOnTheYen", "|", {615, 10, 660, 55}, 638, 12},
                    TKeyCase{"EmptyOnTheZero", "", {465, 10, 510, 55}, 488, 12},
                    TKeyCase{"BacktickOnTheAt", "`", {531, 60, 576, 105}, 556, 62},
                    TKeyCase{"PlusOnTheSemicolonNearer", "+", {497, 110, 542, 155}, 520, 112},
                    TKeyCase{"StarOnTheColonNearer", "*", {547, 110, 592, 155}, 570, 112},
                    TKeyCase{"LessOnTheComma", "<", {425, 163, 470, 208}, 450, 165},
                    TKeyCase{"QuestionOnTheSlash", "?", {525, 163, 570, 208}, 550, 165}),
    [](const testing::TestParamInfo<TKeyCase>& info) { return info.param.Name; });

TEST(KeyboardLayoutTest, RightShiftFollowsTheUnderscoreKey) {
    const TKbGeometry g = LayoutKeyboard(700);
    EXPECT_EQ(g.Keys[RightShiftKey].Caption, "Shift");
    EXPECT_EQ(g.Keys[RightShiftKey].Bounds, (TKbRect{625, 163, 690, 208}));
    EXPECT_EQ(g.Keys[RightShiftKey].TextX, 627);
    EXPECT_EQ(g.Keys[LeftShiftKey].Bounds.Left, 5);
}

TEST(KeyboardLayoutTest, FontAndFingerNameOffsetAt700) {
    const TKbGeometry g = LayoutKeyboard(700);
    EXPECT_EQ(g.Unit, 50);
    EXPECT_EQ(g.LabelDy, 89); // 4 * 16 + 15 + 10
    EXPECT_EQ(g.FontPixels, 24);
    EXPECT_FALSE(g.FontBold);
}

struct TRoundCase {
    const char* Name;
    int Width;
    std::int32_t Unit;
    std::int32_t BottomRowLeft; // nearest(1.3 U) + 10
    std::int32_t SpaceWidth;    // nearest(2.5 U)
};

class KeyboardRoundingTest : public testing::TestWithParam<TRoundCase> {};

TEST_P(KeyboardRoundingTest, HalvesGoToTheEvenNeighbour) {
    const TRoundCase& c = GetParam();
    const TKbGeometry g = LayoutKeyboard(c.Width);
    ASSERT_EQ(g.Unit, c.Unit);
    EXPECT_EQ(KeyOf(g, "Z").Bounds.Left, c.BottomRowLeft);
    EXPECT_EQ(g.Keys[LeftShiftKey].Bounds.Right, c.BottomRowLeft - 5);
    const TKbRect& underscore = KeyOf(g, "_").Bounds;
    EXPECT_EQ(g.Keys[RightShiftKey].Bounds.Right - g.Keys[RightShiftKey].Bounds.Left,
              c.BottomRowLeft - 10);
    EXPECT_EQ(g.Keys[RightShiftKey].Bounds.Left, underscore.Right + 5);
    const TKbRect& space = KeyOf(g, " ").Bounds;
    EXPECT_EQ(space.Right - space.Left, c.SpaceWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, KeyboardRoundingTest,
    testing::Values(TRoundCase{"U5Halves", 70, 5, 16, 12}, TRoundCase{"U15HalfUp", 210, 15, 30, 38},
                    TRoundCase{"U25HalfDown", 350, 25, 42, 62}, TRoundCase{"U43", 602, 43, 66, 108},
                    TRoundCase{"U50", 700, 50, 75, 125}),
    [](const testing::TestParamInfo<TRoundCase>& info) { return info.param.Name; });

TEST(KeyboardLayoutTest, SortedIndexesOfTheSpecialRecords) {
    const TKbGeometry g = LayoutKeyboard(700);
    EXPECT_EQ(g.Keys[EmptyCaptionKey].Caption, "");
    EXPECT_EQ(g.Keys[SpaceKey].Caption, " ");
    std::string shifted;
    for (int i = 2; i <= 12; ++i)
        shifted += g.Keys[i].Caption;
    EXPECT_EQ(shifted, "!\"#$%&'()*+");
    shifted.clear();
    for (int i = 29; i <= 32; ++i)
        shifted += g.Keys[i].Caption;
    EXPECT_EQ(shifted, "<=>?");
    shifted.clear();
    for (int i = 66; i <= 71; ++i)
        shifted += g.Keys[i].Caption;
    EXPECT_EQ(shifted, "_`{|}~");
    EXPECT_EQ(g.Keys[UnderscoreKey].Caption, "_");
    EXPECT_EQ(g.Keys[LeftShiftKey].Caption, "Shift");
    EXPECT_EQ(g.Keys[RightShiftKey].Caption, "Shift");
    for (int i = 1; i < KeyCount; ++i)
        EXPECT_LE(g.Keys[i - 1].Caption, g.Keys[i].Caption) << i;
}

TEST(KeyboardLayoutTest, ShiftedSetAndPaintedSet) {
    const TKbGeometry g = LayoutKeyboard(700);
    const std::string_view shiftedChars = "!\"#$%&'()*+<=>?_`{|}~";
    int painted = 0;
    for (int i = 0; i < KeyCount; ++i) {
        const TKeyRec& key = g.Keys[i];
        const bool shifted =
            key.Caption.size() == 1 && shiftedChars.find(key.Caption[0]) != std::string_view::npos;
        EXPECT_EQ(IsShiftedKey(i), shifted) << i << " " << key.Caption;
        EXPECT_EQ(IsPaintedKey(i), !shifted || key.Caption == "_") << i << " " << key.Caption;
        painted += IsPaintedKey(i);
        // A record that is not drawn lies on a key that is.
        if (!IsPaintedKey(i)) {
            int base = 0;
            ASSERT_TRUE(g.FindKey(key.ShiftCaption, base)) << key.Caption;
            EXPECT_TRUE(IsPaintedKey(base));
            EXPECT_EQ(g.Keys[base].Bounds, key.Bounds) << key.Caption;
        }
    }
    EXPECT_EQ(painted, 52); // 48 keys of the four rows and the space bar, _, two Shift, ""
    EXPECT_FALSE(IsPaintedKey(-1));
    EXPECT_FALSE(IsPaintedKey(KeyCount));
}

TEST(KeyboardLayoutTest, ShiftCaptionsPairBothWays) {
    const TKbGeometry g = LayoutKeyboard(700);
    const std::string_view bases = "1234567890-^\\@[;:],./";
    const std::string_view results = "!\"#$%&'()\0=~|`{+*}<>?"sv; // \0: the 0 key has none
    for (std::size_t i = 0; i < bases.size(); ++i) {
        const std::string base(1, bases[i]);
        const std::string result = results[i] == '\0' ? "" : std::string(1, results[i]);
        EXPECT_EQ(KeyOf(g, base).ShiftCaption, result) << base;
        if (!result.empty()) {
            EXPECT_EQ(KeyOf(g, result).ShiftCaption, base) << result;
        }
    }
    for (std::string_view none : {"", " ", "_", "Shift", "A", "Z"})
        EXPECT_EQ(KeyOf(g, none).ShiftCaption, "") << none;
    for (const TKeyRec& key : g.Keys)
        EXPECT_NE(key.ShiftCaption, "_") << key.Caption;
}

struct TFindCase {
    const char* Name;
    std::string Caption;
    bool Found;
    int Index;
};

class KeyboardFindKeyTest : public testing::TestWithParam<TFindCase> {};

TEST_P(KeyboardFindKeyTest, FindsOrGivesTheInsertPosition) {
    const TKbGeometry g = LayoutKeyboard(700);
    int index = -99;
    EXPECT_EQ(g.FindKey(GetParam().Caption, index), GetParam().Found);
    EXPECT_EQ(index, GetParam().Index);
}

INSTANTIATE_TEST_SUITE_P(Captions, KeyboardFindKeyTest,
                         testing::Values(TFindCase{"Letter", "A", true, 34},
                                         TFindCase{"FirstOfTwoShift", "Shift", true, 53},
                                         TFindCase{"Empty", "", true, 0},
                                         TFindCase{"Space", " ", true, 1},
                                         TFindCase{"Tilde", "~", true, 71},
                                         TFindCase{"ControlCharacter", "\x01", false, 1},
                                         TFindCase{"LowerCaseLetter", "a", false, 68},
                                         TFindCase{"PrefixOfShift", "Sh", false, 53},
                                         TFindCase{"LongerThanTheLast", "~~", false, 72},
                                         TFindCase{"HighByteSortsLast", "\x82", false, 72},
                                         TFindCase{"AfterAShorterOne", "!!", false, 3}),
                         [](const testing::TestParamInfo<TFindCase>& info) {
                             return info.param.Name;
                         });

// The plain search of the scale, step by step from 1.6.
double StepwiseScale(std::int32_t unit) {
    for (int k = 0;; ++k) {
        double s = (16 + k) / 10.0;
        if (OutlineHeight(KeyOutline(s)) > unit)
            return s;
    }
}

TEST(KeyOutlineTest, ScaleIsTheFirstStepTallerThanTheUnit) {
    for (std::int32_t unit = 0; unit <= 400; ++unit)
        ASSERT_EQ(OutlineScale(unit), StepwiseScale(unit)) << unit;
    for (std::int32_t unit : {1000, 4321})
        ASSERT_EQ(OutlineScale(unit), StepwiseScale(unit)) << unit;
}

TEST(KeyOutlineTest, WidestPaintBoxStaysExact) {
    const TKbGeometry g = LayoutKeyboard(INT_MAX);
    EXPECT_EQ(g.Unit, MaxKeyboardWidth / 14);
    EXPECT_GT(OutlineHeight(g.Outline), g.Unit);
    EXPECT_LE(OutlineHeight(KeyOutline(g.OutlineScale - 0.1)), g.Unit);
}

TEST(KeyOutlineTest, OvalThenCentre) {
    const TKeyOutline outline = KeyOutline(2.0);
    // t = 0: (10, 0) turned by 120 degrees is (-5, 8.66), times 2.
    EXPECT_EQ(outline[0], (TKbPoint{-10, 17}));
    EXPECT_EQ(outline[180], outline[0]);
    // t = 90 degrees: (0, 7) turned is (-6.06, -3.5), times 2.
    EXPECT_EQ(outline[45], (TKbPoint{-12, -7}));
    for (int i = 181; i < OutlinePointCount; ++i)
        EXPECT_EQ(outline[i], (TKbPoint{0, 0})) << i;
    const TKbGeometry g = LayoutKeyboard(700);
    EXPECT_GT(OutlineHeight(g.Outline), 50);
    EXPECT_LE(OutlineHeight(KeyOutline(g.OutlineScale - 0.1)), 50);
}

struct TFontCase {
    std::int32_t Unit;
    std::int32_t Pixels;
    bool Bold;
};

TEST(KeyboardLayoutTest, CaptionFontInWholePoints) {
    // U div 2 pixels -> whole points at 96 dpi -> pixels; bold up to 22 pixels.
    const TFontCase cases[] = {{50, 24, false}, {42, 20, true}, {45, 21, true}, {46, 23, false},
                               {64, 32, false}, {2, 1, true},   {1, 1, true},   {0, 1, true}};
    for (const TFontCase& c : cases) {
        const TKbGeometry g = LayoutKeyboard(c.Unit * 14);
        EXPECT_EQ(g.FontPixels, c.Pixels) << c.Unit;
        EXPECT_EQ(g.FontBold, c.Bold) << c.Unit;
    }
}

TEST(KeyboardLayoutTest, NarrowWidthsGiveADefinedLayout) {
    const TKbGeometry wide = LayoutKeyboard(700);
    for (int width : {-5, 0, 13, 14}) {
        const TKbGeometry g = LayoutKeyboard(width);
        const std::int32_t u = width < 0 ? 0 : width / 14;
        EXPECT_EQ(g.Unit, u) << width;
        EXPECT_EQ(KeyOf(g, "1").Bounds, (TKbRect{15, 10, 15 + u - 5, u + 5})) << width;
        EXPECT_EQ(g.OutlineScale, 1.6) << width;
        EXPECT_GE(g.FontPixels, 1);
        for (int i = 0; i < KeyCount; ++i)
            EXPECT_EQ(g.Keys[i].Caption, wide.Keys[i].Caption) << width;
    }
}

// The finger colour table, as the keys are coloured: captions by finger.
struct TColourRow {
    TRgb Colour;
    std::string_view Captions;
};

TEST(KeyboardFingersTest, EveryKeyHasTheColourOfItsFinger) {
    const TColourRow rows[] = {
        {{0, 255, 255}, "1QAZ!0P-^\\@[;:]/=~|`{+*}?"},
        {{0, 255, 0}, "2WSX\"9OL.)>"},
        {{255, 255, 0}, "3EDC#8IK,(<"},
        {{255, 255, 255}, "45RTFGVB$%67YUHJNM&' "},
    };
    const TKbGeometry g = LayoutKeyboard(700);
    std::set<std::string> seen;
    for (const TColourRow& row : rows) {
        for (char c : row.Captions) {
            const std::string caption(1, c);
            EXPECT_EQ(KeyColor(caption), row.Colour) << caption;
            seen.insert(caption);
        }
    }
    // Not in the table: the Shift keys and the shifted 0 go with the little finger's keys, and
    // so does _, which the right little finger strikes.
    for (std::string_view caption : {"Shift", "", "_"}) {
        EXPECT_EQ(KeyColor(caption), (TRgb{0, 255, 255})) << caption;
        seen.insert(std::string(caption));
    }
    for (const TKeyRec& key : g.Keys)
        EXPECT_TRUE(seen.count(key.Caption)) << "no colour row for " << key.Caption;
}

TEST(KeyboardFingersTest, FingerOfEveryCharacter) {
    std::set<char> seen;
    for (int finger = 1; finger <= 8; ++finger) {
        for (char c : FingerRows[finger - 1].Chars) {
            EXPECT_EQ(FingerOf(c), finger) << c;
            EXPECT_TRUE(seen.insert(c).second) << c << " has two fingers";
        }
    }
    // Every key character but the space has a finger, and nothing else has one.
    const TKbGeometry g = LayoutKeyboard(700);
    for (const TKeyRec& key : g.Keys) {
        if (key.Caption.size() == 1 && key.Caption != " ") {
            EXPECT_TRUE(seen.count(key.Caption[0])) << key.Caption;
        }
    }
    EXPECT_EQ(seen.size(), 68u);
    for (int c = -128; c < 128; ++c) {
        if (!seen.count(static_cast<char>(c))) {
            EXPECT_EQ(FingerOf(static_cast<char>(c)), 0) << c;
        }
    }
}

} // namespace

// A short, wide paint box gets the largest unit whose whole keyboard fits its height; a tall
// one keeps the unit of its width.
TEST(KeyboardFitTest, TheUnitFitsBothWidthAndHeight) {
    struct Case {
        int Width, Height;
    } cases[] = {{700, 10000}, {700, 300}, {1400, 200}, {1400, 120}, {2000, 60}, {300, 0}};
    for (const Case& c : cases) {
        const TKbGeometry g = LayoutKeyboard(c.Width, c.Height);
        EXPECT_LE(g.Unit, c.Width / 14) << c.Width << "x" << c.Height;
        if (g.Unit == 0) {
            // Nothing fits: the smallest layout, drawn as far as the box shows it.
            EXPECT_GT(KeyboardHeight(LayoutKeyboard(14)), c.Height);
            continue;
        }
        if (g.Unit == c.Width / 14) {
            EXPECT_LE(KeyboardHeight(g), c.Height) << c.Width << "x" << c.Height;
            continue;
        }
        EXPECT_LE(KeyboardHeight(g), c.Height) << c.Width << "x" << c.Height;
        EXPECT_GT(KeyboardHeight(LayoutKeyboard((g.Unit + 1) * 14)), c.Height)
            << "a larger unit fits too: " << c.Width << "x" << c.Height;
    }
    // The geometry stays that of the unit: a fitted layout is the layout of a narrower box.
    const TKbGeometry fitted = LayoutKeyboard(1400, 200);
    const TKbGeometry narrow = LayoutKeyboard(fitted.Unit * 14);
    EXPECT_EQ(fitted.Keys[LeftShiftKey].Bounds.Right, narrow.Keys[LeftShiftKey].Bounds.Right);
    EXPECT_EQ(fitted.LabelDy, narrow.LabelDy);
}

namespace {

constexpr auto Jis = TKeyboardKind::Jis;
constexpr auto Us = TKeyboardKind::Us;
constexpr TKeyboardStyle UsStyle{Us, TKeyLegends::Romaji};
constexpr TKeyboardStyle KanaStyle{TKeyboardKind::Jis, TKeyLegends::Kana};

// The JIS keyboard's records say of themselves what its fixed indexes say.
TEST(KeyboardRecordsTest, JisRecordsAgreeWithTheFixedIndexes) {
    for (TKeyboardStyle style : {TKeyboardStyle{}, KanaStyle}) {
        const TKbGeometry g = LayoutKeyboard(700, 10000, style);
        ASSERT_EQ(g.Count(), KeyCount);
        for (int i = 0; i < KeyCount; ++i) {
            EXPECT_EQ(g.IsPainted(i), IsPaintedKey(i)) << i;
            EXPECT_EQ(g.IsShifted(i), IsShiftedKey(i)) << i;
            EXPECT_EQ(g.ShiftKeyOf(i), ShiftKeyOf(i)) << i;
        }
    }
}

struct TUsKeyCase {
    const char* Name;
    std::string_view Caption;
    TKbRect Bounds;
    std::int32_t TextX, TextY;
};

class UsKeyboardLayoutTest : public testing::TestWithParam<TUsKeyCase> {};

// 750 pixels: U = 50; the lower rows one key further right than on the JIS keyboard, after `.

TEST_P(UsKeyboardLayoutTest, PlacesTheKey) {
    const TKbGeometry g = LayoutKeyboard(750, std::numeric_limits<int>::max(), UsStyle);
    ASSERT_EQ(g.Unit, 50);
    const TKeyRec& key = KeyOf(g, GetParam().Caption);
    EXPECT_EQ(key.Bounds, GetParam().Bounds);
    EXPECT_EQ(key.TextX, GetParam().TextX);
    EXPECT_EQ(key.TextY, GetParam().TextY);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, UsKeyboardLayoutTest,
    testing::Values(TUsKeyCase{"BacktickFirst", "`", {15, 10, 60, 55}, 19, 28},
                    TUsKeyCase{"OneSecond", "1", {65, 10, 110, 55}, 69, 28},
                    TUsKeyCase{"EqualsLast", "=", {615, 10, 660, 55}, 619, 28},
                    TUsKeyCase{"QUnderOne", "Q", {81, 60, 126, 105}, 85, 78},
                    TUsKeyCase{"BackslashEndsTheSecondRow", "\\", {681, 60, 726, 105}, 685, 78},
                    TUsKeyCase{"A", "A", {97, 110, 142, 155}, 101, 128},
                    TUsKeyCase{"ApostropheEndsTheHomeRow", "'", {597, 110, 642, 155}, 601, 128},
                    TUsKeyCase{"Z", "Z", {125, 163, 170, 208}, 129, 181},
                    TUsKeyCase{"SlashEndsTheBottomRow", "/", {575, 163, 620, 208}, 579, 181},
                    TUsKeyCase{"SpaceBar", " ", {279, 216, 404, 266}, 304, 218},
                    TUsKeyCase{"TildeOnTheBacktickNearer", "~", {15, 10, 60, 55}, 38, 12},
                    TUsKeyCase{"BraceOnTheBracket", "{", {581, 60, 626, 105}, 606, 62},
                    TUsKeyCase{"QuoteOnTheApostrophe", "\"", {597, 110, 642, 155}, 622, 112}),
    [](const testing::TestParamInfo<TUsKeyCase>& info) { return info.param.Name; });

TEST(UsKeyboardTest, RecordsShiftKeysAndPairs) {
    const TKbGeometry g = LayoutKeyboard(750, std::numeric_limits<int>::max(), UsStyle);
    ASSERT_EQ(g.Count(), UsKeyCount);
    for (int i = 1; i < g.Count(); ++i)
        EXPECT_LE(g.Keys[i - 1].Caption, g.Keys[i].Caption) << i;
    int left = 0;
    ASSERT_TRUE(g.FindKey("Shift", left));
    EXPECT_EQ(g.Keys[left].Bounds, (TKbRect{55, 163, 120, 208}));
    EXPECT_EQ(g.Keys[left + 1].Bounds, (TKbRect{625, 163, 690, 208}));
    int empty = 0;
    EXPECT_FALSE(g.FindKey("", empty)) << "only the JIS 0 key types nothing with Shift";

    const std::string_view bases = "`1234567890-=[]\\;',./";
    const std::string_view results = "~!@#$%^&*()_+{}|:\"<>?";
    int painted = 0;
    for (int i = 0; i < g.Count(); ++i)
        painted += g.IsPainted(i);
    EXPECT_EQ(painted, 50); // 47 keys, the space bar and two Shift
    for (std::size_t i = 0; i < bases.size(); ++i) {
        const std::string base(1, bases[i]), result(1, results[i]);
        SCOPED_TRACE(result);
        EXPECT_EQ(KeyOf(g, base).ShiftCaption, result);
        EXPECT_EQ(KeyOf(g, result).ShiftCaption, base);
        int index = 0;
        ASSERT_TRUE(g.FindKey(result, index));
        EXPECT_TRUE(g.IsShifted(index));
        EXPECT_FALSE(g.IsPainted(index));
        EXPECT_EQ(g.Keys[g.Keys[index].Key].Caption, base);
        EXPECT_EQ(g.Keys[index].Bounds, KeyOf(g, base).Bounds);
        // The Shift of the other hand: right for the left hand's ~ ! @ # $ %.
        const bool leftHand = std::string_view("~!@#$%").find(results[i]) != std::string::npos;
        EXPECT_EQ(g.ShiftKeyOf(index), leftHand ? left + 1 : left);
    }
}

// The US keyboard fits the width its unit is taken from as the JIS one does: at the main
// window's sizes wholly, at small units (where the fixed margins of the JIS layout reach past
// 14 units) by no more than the JIS keyboard reaches past its own.
TEST(UsKeyboardTest, EveryKeyFitsTheWidth) {
    auto overhang = [](TKeyboardStyle style, int unit) {
        const int width = KeyboardWidth(style.Kind, unit);
        const TKbGeometry g = LayoutKeyboard(width, std::numeric_limits<int>::max(), style);
        EXPECT_EQ(g.Unit, unit);
        int right = 0;
        for (const TKeyRec& key : g.Keys)
            right = std::max(right, key.Bounds.Right);
        return right - width;
    };
    for (int unit = 1; unit <= 4 * MaxKeyUnit; ++unit) {
        const int jis = overhang({}, unit), us = overhang(UsStyle, unit);
        EXPECT_LE(us, std::max(0, jis)) << unit;
        if (unit >= 25) {
            EXPECT_LE(us, 0) << unit;
        }
    }
    const TKbGeometry fitted = LayoutKeyboard(1500, 200, UsStyle);
    EXPECT_LE(KeyboardHeight(fitted), 200);
    EXPECT_GT(KeyboardHeight(LayoutKeyboard(KeyboardWidth(TKeyboardKind::Us, fitted.Unit + 1),
                                            std::numeric_limits<int>::max(), UsStyle)),
              200);
}

struct TPlaceCase {
    const char* Name;
    TKeyboardKind Kind;
    char Key;
    bool Drawn;
    int Finger;
    bool RightShift; // the Shift a stroke of the key takes
};

class KeyboardPlaceTest : public testing::TestWithParam<TPlaceCase> {};

TEST_P(KeyboardPlaceTest, KeyAtThePlaceAndItsShift) {
    const TPlaceCase& c = GetParam();
    const TKbGeometry g = LayoutKeyboard(750, std::numeric_limits<int>::max(), {c.Kind});
    const int index = g.KeyAt(c.Key);
    EXPECT_EQ(index >= 0, c.Drawn);
    if (!c.Drawn)
        return;
    EXPECT_EQ(g.Keys[index].Caption, std::string(1, c.Key));
    EXPECT_EQ(g.FingerOf(c.Key), c.Finger);
    int left = 0;
    ASSERT_TRUE(g.FindKey("Shift", left));
    EXPECT_EQ(g.ShiftKeyFor(c.Key), c.Finger == 0 ? -1 : c.RightShift ? left + 1 : left);
}

INSTANTIATE_TEST_SUITE_P(
    Places, KeyboardPlaceTest,
    testing::Values(TPlaceCase{"JisThree", Jis, '3', true, 3, true},
                    TPlaceCase{"JisRoKey", Jis, '_', true, 8, false},
                    TPlaceCase{"JisYenKey", Jis, '\\', true, 8, false},
                    TPlaceCase{"JisZ", Jis, 'Z', true, 1, true},
                    TPlaceCase{"JisSix", Jis, '6', true, 5, false},
                    TPlaceCase{"JisSpace", Jis, ' ', true, 0, false},
                    TPlaceCase{"JisExclamationIsNoPlace", Jis, '!', false, 0, false},
                    TPlaceCase{"JisHasNoBacktick", Jis, '`', false, 0, false},
                    TPlaceCase{"UsBacktick", Us, '`', true, 1, true},
                    TPlaceCase{"UsApostrophe", Us, '\'', true, 8, false},
                    TPlaceCase{"UsHasNoRoKey", Us, '_', false, 0, false},
                    TPlaceCase{"Nothing", Us, '\0', false, 0, false}),
    [](const testing::TestParamInfo<TPlaceCase>& info) { return info.param.Name; });

// With kana legends the JIS keys carry the kana layout; the records stay those of romaji.
TEST(KanaKeyboardTest, KeysCarryTheirKana) {
    const TKbGeometry g = LayoutKeyboard(700, std::numeric_limits<int>::max(), KanaStyle);
    const TKbGeometry romaji = LayoutKeyboard(700);
    ASSERT_EQ(g.Count(), romaji.Count());
    for (int i = 0; i < g.Count(); ++i) {
        EXPECT_EQ(g.Keys[i].Caption, romaji.Keys[i].Caption);
        EXPECT_EQ(g.Keys[i].Bounds, romaji.Keys[i].Bounds);
        EXPECT_TRUE(romaji.Keys[i].Kana.empty());
        // Every drawn key of a character has its kana; nothing else has any.
        const bool character =
            g.IsPainted(i) && g.Keys[i].Caption.size() == 1 && g.Keys[i].Caption != " ";
        EXPECT_EQ(!g.Keys[i].Kana.empty(), character) << g.Keys[i].Caption;
    }
    struct {
        std::string_view Key;
        std::u16string_view Kana, ShiftKana;
    } rows[] = {{"1", u"ぬ", u""},   {"3", u"あ", u"ぁ"}, {"0", u"わ", u"を"}, {"\\", u"ー", u""},
                {"E", u"い", u"ぃ"}, {"@", u"゛", u""},   {"[", u"゜", u"「"}, {"]", u"む", u"」"},
                {"Z", u"つ", u"っ"}, {"/", u"め", u"・"}, {"_", u"ろ", u""},   {"A", u"ち", u""}};
    for (const auto& row : rows) {
        EXPECT_EQ(KeyOf(g, row.Key).Kana, ShiftJis::FromUtf16(row.Kana)) << row.Key;
        EXPECT_EQ(KeyOf(g, row.Key).ShiftKana, ShiftJis::FromUtf16(row.ShiftKana)) << row.Key;
    }
    // The US keyboard has no kana layout.
    const TKbGeometry us = LayoutKeyboard(750, std::numeric_limits<int>::max(),
                                          {TKeyboardKind::Us, TKeyLegends::Kana});
    for (const TKeyRec& key : us.Keys)
        EXPECT_TRUE(key.Kana.empty() && key.ShiftKana.empty()) << key.Caption;
}

} // namespace
