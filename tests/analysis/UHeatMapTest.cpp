// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UHeatMap.h"

#include "analysis/UKanaChart.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

namespace {

using namespace UHeatMap;

double Linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The lightness a viewer sees of `c`, through `vision`: a matrix on linear RGB that simulates a
// colour-vision deficiency (the identity for normal vision).
double SeenLuminance(TRgb c, const double (&vision)[3][3]) {
    const double rgb[3] = {Linear(c.R), Linear(c.G), Linear(c.B)};
    double seen[3];
    for (int i = 0; i < 3; ++i)
        seen[i] = vision[i][0] * rgb[0] + vision[i][1] * rgb[1] + vision[i][2] * rgb[2];
    return 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
}

TEST(HeatColorTest, TheScaleDarkensStepByStepForEveryCommonKindOfVision) {
    struct TVision {
        const char* Name;
        double Matrix[3][3];
    } visions[] = {
        {"normal", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
        {"protanopia", {{0.11238, 0.88762, 0}, {0.11238, 0.88762, 0}, {0.00401, -0.00401, 1}}},
        {"deuteranopia", {{0.29275, 0.70725, 0}, {0.29275, 0.70725, 0}, {-0.02234, 0.02234, 1}}},
        {"tritanopia",
         {{1.255528, -0.076749, -0.178779},
          {-0.078411, 0.930809, 0.147602},
          {0.004733, 0.691367, 0.303900}}},
    };
    for (const TVision& vision : visions) {
        double before = 2;
        for (int i = 0; i <= 40; ++i) {
            const double seen = SeenLuminance(ColorAt(i / 40.0), vision.Matrix);
            EXPECT_LT(seen, before) << vision.Name << " at " << i / 40.0;
            before = seen;
        }
    }
}

TEST(HeatColorTest, TheEndsAreTheStopsAndOutsideIsClamped) {
    EXPECT_EQ(ColorAt(0), Stops[0]);
    EXPECT_EQ(ColorAt(1), std::end(Stops)[-1]);
    EXPECT_EQ(ColorAt(-3), Stops[0]);
    EXPECT_EQ(ColorAt(7), std::end(Stops)[-1]);
    EXPECT_EQ(ColorAt(std::nan("")), Stops[0]);
    EXPECT_EQ(ColorAt(1.0 / 9), Stops[1]);
    // A quarter of the way from the third stop to the fourth.
    EXPECT_EQ(ColorAt(0.25), (TRgb{95, 200, 97}));
}

TEST(HeatColorTest, CaptionsReadOnEveryColourOfTheScale) {
    for (int i = 0; i <= 100; ++i) {
        const TRgb fill = ColorAt(i / 100.0);
        EXPECT_GE(ContrastRatio(fill, CaptionColorOn(fill)), 4.5) << "at " << i / 100.0;
    }
    EXPECT_EQ(CaptionColorOn(Stops[0]), PaneColors::Black) << "light yellow";
    EXPECT_EQ(CaptionColorOn(std::end(Stops)[-1]), PaneColors::White) << "dark violet";
    EXPECT_NEAR(ContrastRatio(PaneColors::Black, PaneColors::White), 21, 1e-9);
}

TEST(HeatScaleTest, BoundsAreRoundAndHoldEveryFigure) {
    struct TCase {
        const char* Name;
        TScale Scale;
        double Good, Weak;
    } cases[] = {
        {"accuracy, a worst of 87 %", AccuracyScale(0.87), 1, 0.85},
        {"accuracy, all perfect", AccuracyScale(1), 1, 0.95},
        {"accuracy, exactly a step", AccuracyScale(0.85), 1, 0.85},
        {"accuracy, 30 % off", AccuracyScale(0.7), 1, 0.7},
        {"accuracy beyond 30 % in steps of 10", AccuracyScale(0.65), 1, 0.6},
        {"accuracy, nothing right", AccuracyScale(0), 1, 0},
        {"accuracy below 0", AccuracyScale(-2), 1, 0},
        {"time", TimeScale(180, 420), 150, 450},
        {"time, close together", TimeScale(200, 250), 200, 300},
        {"time, none", TimeScale(0, 0), 0, 100},
        {"time, negative", TimeScale(-40, 20), 0, 100},
    };
    for (const TCase& c : cases) {
        EXPECT_NEAR(c.Scale.Good, c.Good, 1e-9) << c.Name;
        EXPECT_NEAR(c.Scale.Weak, c.Weak, 1e-9) << c.Name;
    }
    const TScale accuracy{1, 0.8};
    EXPECT_NEAR(accuracy.Weakness(0.9), 0.5, 1e-9);
    EXPECT_EQ(accuracy.Weakness(1), 0);
    EXPECT_EQ(accuracy.Weakness(0.5), 1);
    const TScale time{200, 400};
    EXPECT_NEAR(time.Weakness(250), 0.25, 1e-9);
    EXPECT_EQ(time.Weakness(100), 0);
    EXPECT_EQ((TScale{300, 300}.Weakness(500)), 0) << "no range: nothing is weak";
}

TKeyDay KeyDay(int day, std::string key, int expected, int wrong, int millis) {
    TKeyDay d{day, std::move(key), expected, wrong, {}};
    d.Times.Add(millis, static_cast<std::uint32_t>(expected));
    return d;
}

TEST(PaintedKeyFiguresTest, ShiftedCharactersCountOnTheirKey) {
    const std::vector<TKeyDay> days = {
        KeyDay(10, "1", 8, 0, 200), KeyDay(10, "!", 2, 1, 600), KeyDay(10, "a", 5, 1, 300),
        KeyDay(10, "{", 4, 0, 250), KeyDay(10, "_", 3, 0, 250), KeyDay(10, "Ctrl", 9, 9, 100),
        KeyDay(10, "", 9, 9, 100),  KeyDay(9, "Q", 5, 5, 900),  KeyDay(10, "Q", 5, 0, 200),
        KeyDay(10, "?", 1, 0, 400),
    };
    std::map<std::string, UKanaAnalysis::TKeyFigure> keys;
    for (const UKanaAnalysis::TKeyFigure& key : PaintedKeyFigures(days, 10))
        keys[key.Key] = key;
    EXPECT_EQ(keys.size(), 6u) << "1, A, [, _, Q and /: the others are not on the keyboard";
    EXPECT_EQ(keys["1"].Expected, 10);
    EXPECT_EQ(keys["1"].Wrong, 1);
    EXPECT_NEAR(*keys["1"].ErrorRate, 0.1, 1e-9);
    EXPECT_EQ(keys["A"].Expected, 5);
    EXPECT_EQ(keys["["].Expected, 4);
    EXPECT_EQ(keys["_"].Expected, 3) << "_ is a key of its own";
    EXPECT_EQ(keys["/"].Expected, 1);
    EXPECT_EQ(keys["Q"].Wrong, 0) << "day 9 is before the period";
}

TEST(ChartLayoutTest, EveryUnitHasOneCellInsideTheArea) {
    std::size_t units = 0;
    for (const UKanaChart::TRow& row : UKanaChart::Rows)
        for (std::u16string_view cell : row.Cells)
            units += cell.empty() ? 0 : 1;
    struct TCase {
        const char* Name;
        int Width, Height;
        std::size_t Columns; // of sections
    } cases[] = {
        {"tall", 700, 900, 3},
        {"square", 800, 800, 3},
        {"wide", 1200, 330, 5},
        {"wider still", 2000, 300, 5},
    };
    for (const TCase& c : cases) {
        const TChartLayout layout = ChartLayout(c.Width, c.Height);
        ASSERT_EQ(layout.Cells.size(), units) << c.Name;
        EXPECT_EQ(layout.Titles.size(), std::size(UKanaChart::Sections)) << c.Name;
        std::set<std::u16string_view> seen;
        std::set<int> columns;
        for (const TChartTitle& title : layout.Titles)
            columns.insert(title.Box.Left);
        EXPECT_EQ(columns.size(), c.Columns) << c.Name;
        for (std::size_t i = 0; i < layout.Cells.size(); ++i) {
            const TBox& a = layout.Cells[i].Box;
            EXPECT_TRUE(seen.insert(layout.Cells[i].Unit).second) << c.Name;
            EXPECT_GE(a.Left, 0) << c.Name;
            EXPECT_GE(a.Top, 0) << c.Name;
            EXPECT_LE(a.Left + a.Width, c.Width) << c.Name;
            EXPECT_LE(a.Top + a.Height, c.Height) << c.Name;
            EXPECT_LE(a.Width, 2.4 * a.Height + 1) << c.Name;
            for (std::size_t j = 0; j < i; ++j) {
                const TBox& b = layout.Cells[j].Box;
                const bool apart = a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
                                   a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top;
                EXPECT_TRUE(apart) << c.Name << ": cells " << i << " and " << j;
            }
        }
        EXPECT_LE(layout.Bottom, c.Height) << c.Name;
    }
    EXPECT_TRUE(ChartLayout(40, 40).Cells.empty()) << "no room for a readable cell";
    EXPECT_TRUE(ChartLayout(-5, 300).Cells.empty());
}

} // namespace
