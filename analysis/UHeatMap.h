// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The heat maps of the analysis window, apart from the screen: the colour scale that paints a
// figure, the bounds of that scale for the figures shown, the figures of the keys as the
// keyboard picture draws them, and the places of the kana chart's cells.

#include "analysis/UKanaAnalysis.h"
#include "platform/TextPane.h"
#include "store/UPracticeKinds.h"

#include <string_view>
#include <vector>

namespace UHeatMap {

// A sequential scale from light (good) to dark (weak) whose lightness falls at every step, so
// that it reads in the same order with the common colour-vision deficiencies (red-green and
// blue-yellow) and in grey: the viridis colour map read backwards, light yellow to dark violet.
inline constexpr TRgb Stops[] = {
    {253, 231, 37}, {180, 222, 44}, {109, 205, 89}, {53, 183, 121}, {31, 158, 137},
    {38, 130, 142}, {49, 104, 142}, {62, 74, 137},  {72, 40, 120},  {68, 1, 84},
};

// The colour at `weakness` from 0 (the good end of the scale) to 1 (the weak end), taken
// between the two stops around it; clamped to 0..1.
TRgb ColorAt(double weakness);

// The contrast ratio of two colours as the web's accessibility guidelines define it: 1 (the
// same lightness) to 21 (black on white).
double ContrastRatio(TRgb a, TRgb b);
// Black or white, whichever contrasts more with `fill`: the colour of a caption on it.
TRgb CaptionColorOn(TRgb fill);

// What a heat map shows.
enum class TMeasure {
    Accuracy, // the share of attempts (keys: of the times due) without a wrong key, 0..1
    Speed,    // the median time in milliseconds
};

// The bounds of a scale: a figure at Good or better is drawn at the good end, one at Weak or
// worse at the weak end. Good is above Weak for accuracy, below it for time.
struct TScale {
    double Good = 1;
    double Weak = 0;
    // 0..1 from Good to Weak.
    double Weakness(double figure) const;
};

// Accuracy from 100 % down to the worst accuracy shown, the distance rounded up to whole steps
// of 5 % (10 % beyond 30 %), at least 5 %: a worst of 0.87 gives 1 to 0.85.
TScale AccuracyScale(double worst);
// Median times from the fastest rounded down to 50 ms to the slowest rounded up to 50 ms, at
// least 100 ms apart: 180 and 420 give 150 to 450.
TScale TimeScale(int fastest, int slowest);

// The figures of the keys the keyboard picture draws: a character typed with Shift counts on
// the key it is on ("!" on the 1 key), a lower-case letter on its letter; names the keyboard
// does not have are left out. The keys are those of the keyboard of `kind`.
std::vector<UKanaAnalysis::TKeyFigure> PaintedKeyFigures(const std::vector<TKeyDay>& days,
                                                         int fromDay,
                                                         TKeyboardKind kind = TKeyboardKind::Jis);

// ---- The kana chart's layout

struct TBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Contains(int x, int y) const {
        return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
    }
};

struct TChartCell {
    TBox Box;
    std::u16string_view Unit;
};

struct TChartTitle {
    TBox Box;
    std::u16string_view Title;
};

struct TChartLayout {
    int CellWidth = 0;
    int CellHeight = 0;
    std::vector<TChartCell> Cells; // every unit of UKanaChart, gaps left out
    std::vector<TChartTitle> Titles;
    int Bottom = 0; // below the lowest cell
};

// The chart's sections in columns, each section with its title above it, the whole centred
// across. Of the arrangements below, the one whose cells come out largest in `width` × `height`
// (a cell wants to be about as wide as it is tall, to hold its kana over its figure):
//   three columns: 清音 over 小さい文字; 濁音・半濁音 over 外来音; 拗音 over ん・っ・ー and 記号;
//   four columns:  清音 over 小さい文字; 濁音・半濁音 over ん・っ・ー and 記号; 拗音; 外来音;
//   five columns:  清音; 濁音・半濁音 over 小さい文字; 拗音; 外来音; ん・っ・ー over 記号.
// Cells are at most 2.4 times as wide as tall and at most 1.2 times as tall as wide.
TChartLayout ChartLayout(int width, int height);

} // namespace UHeatMap
