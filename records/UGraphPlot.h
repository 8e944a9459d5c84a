// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The four graph strips of the records window apart from their drawing: the value each strip
// plots per record, the bounds it takes from the settings, the geometry of a strip (margin,
// scale, point positions, dotted grid lines, dot boxes), the hint texts, the vertical labels
// and the read-out line. Texts are Shift_JIS bytes.

#include "records/URecords.h"
#include "store/UDataFile.h"

#include <cstdint>
#include <string>
#include <vector>

// What decides a strip: the checked mode item and whether an English bulk title is shown.
struct TGraphView {
    bool Sequential = false; // PartMode1 checked; otherwise one of the bulk items
    bool EnglishView = false;
};

// One strip's plot: kind 0 is one series, kind 1 two series packed one after the other.
struct TStripPlot {
    int Kind = 0;
    std::int32_t Upper = 0, Lower = 0;
    std::vector<std::int32_t> Values;
};

// The plot of strip 0..3 (PaintBox1..PaintBox4) over `list`, with the bounds of `options`.
// Every value is rounded to nearest (ties to even) and saturated to 32 bits; a failed guard
// plots 0.
TStripPlot StripPlot(int strip, const TRecList& list, const TGraphView& view,
                     const TOptionRec& options);

// The geometry of a strip H pixels high with the bounds upper and lower (y downwards).
class TStripGeometry {
public:
    TStripGeometry(int height, std::int32_t upper, std::int32_t lower);

    int Margin() const { return FMargin; }
    int Baseline() const { return FHeight - FMargin; }
    double Scale() const { return FScale; }
    // How far above the baseline a value stands: 0 at or below the lower bound, the whole
    // range above the upper one. With an upper bound not above the lower one every value
    // stands on the baseline.
    int Offset(std::int32_t value) const;
    int PointY(std::int32_t value) const { return Baseline() - Offset(value); }
    static int PointX(int index) { return 50 + 10 * index; }
    // The rows of the dotted lines, every 10 units above the lower bound without the bounds,
    // from the bottom up. Lines closer than a pixel fall together: there are never more lines
    // than the strip has rows, whatever the bounds.
    std::vector<int> GridLineYs() const;

private:
    int FHeight;
    std::int32_t FUpper, FLower;
    int FMargin;
    double FScale;
};

// Which record a mouse at x inside a strip stands on, for a list of `count` records: -1 when
// the list is empty, else 0 .. count − 1 (left of the first point the first record, right of
// the last the last one).
int RecordAt(int x, int count);

// The hint of strip 0..3.
std::string StripHint(int strip, const TGraphView& view);
// The label characters of strip 0..3, one per line; the two-coloured label of the bulk error
// strip is its red column, then ErrorStripBlueLabel.
std::vector<std::string> StripLabel(int strip, const TGraphView& view);
std::vector<std::string> ErrorStripBlueLabel();

// The read-out line of record `index` (0-based) of the list, as the mouse shows it.
std::string ReadOutText(const TPracticeRec& rec, int index, const TGraphView& view);
// The read-out line's tool tip: which of the two speeds of sequential input is which; empty in
// the bulk modes, whose figures say what they are.
std::string ReadOutHint(const TGraphView& view);
