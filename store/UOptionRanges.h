// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ranges of the settings the settings dialog edits, and the rule that keeps every graph's
// upper bound at least 10 above its lower bound. Plain functions over the settings block, so
// that the data file's repair and the dialog share one set of rules.

#include "store/UDataFile.h"

#include <cstdint>

// Font sizes: touch typing, and the other modes with both lists and the ruler.
inline constexpr int TouchFontSizeMin = 9, TouchFontSizeMax = 26, TouchFontSizeDefault = 18;
inline constexpr int FontSizeMin = 9, FontSizeMax = 20, FontSizeDefault = 12;

// Wrap columns of bulk input: of Japanese texts (in full-width cells) and of single-byte texts.
inline constexpr int WrapColJpMin = 15, WrapColJpMax = 45, WrapColJpDefault = 20;
inline constexpr int WrapColEnMin = 20, WrapColEnMax = 90, WrapColEnDefault = 40;

// An upper bound stays at least this far above its lower bound; the bounds' up-down controls
// step by the same amount.
inline constexpr int GraphBoundGap = 10;
inline constexpr int GraphBoundStep = 10;

// One graph's pair of bounds: the fields, their ranges and the defaults the reset step writes.
struct TGraphBoundPair {
    std::int32_t TOptionRec::*Max;
    std::int32_t TOptionRec::*Min;
    int UpperLow, UpperHigh; // range of the upper bound
    int LowerLow, LowerHigh; // range of the lower bound
    int DefaultMax, DefaultMin;
};

// The six pairs in the order of the settings dialog's rows.
inline constexpr int GraphBoundPairCount = 6;
inline constexpr TGraphBoundPair GraphBoundPairs[GraphBoundPairCount] = {
    {&TOptionRec::GraphSpeedJpMax, &TOptionRec::GraphSpeedJpMin, 10, 200, 0, 190, 90, 50},
    {&TOptionRec::GraphSpeedEnMax, &TOptionRec::GraphSpeedEnMin, 10, 270, 0, 260, 50, 20},
    {&TOptionRec::GraphMatchMax, &TOptionRec::GraphMatchMin, 10, 100, 0, 90, 100, 80},
    {&TOptionRec::GraphErrorMax, &TOptionRec::GraphErrorMin, 10, 100, 0, 90, 20, 0},
    {&TOptionRec::GraphKanjiMax, &TOptionRec::GraphKanjiMin, 10, 100, 0, 90, 40, 20},
    {&TOptionRec::GraphKeySpeedMax, &TOptionRec::GraphKeySpeedMin, 10, 500, 0, 490, 200, 160},
};

// An upper bound moved to `upper`, its lower bound stored as `storedMin`: the upper bound to keep.
// Upper 90 over lower 80 gives 90; upper 80 over lower 80 gives 90 (80 + 10).
int CorrectUpperBound(int upper, int storedMin);
// A lower bound moved to `lower`, its upper bound stored as `storedMax`: the lower bound to keep.
// Lower 80 under upper 90 gives 80; lower 90 under upper 90 gives 80 (90 − 10).
int CorrectLowerBound(int lower, int storedMax);

// Sets the pairs of `options` that lie outside their ranges, or whose upper bound is less than
// 10 above the lower, both to their defaults; the other pairs stay as they are.
void RepairGraphBounds(TOptionRec& options);
