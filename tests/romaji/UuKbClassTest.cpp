// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include <gtest/gtest.h>

#include <climits>
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
