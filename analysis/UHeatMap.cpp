// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UHeatMap.h"

#include "analysis/UKanaChart.h"
#include "romaji/UuKbClass.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace UHeatMap {

namespace {

double Linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TRgb c) {
    return 0.2126 * Linear(c.R) + 0.7152 * Linear(c.G) + 0.0722 * Linear(c.B);
}

// `value` rounded up to a whole number of `step`s; a value a rounding error above a whole
// number stays there (0.15 is three steps of 0.05, not four).
double CeilToStep(double value, double step) {
    return std::ceil(value / step - 1e-9) * step;
}

// The keyboard's key records; their captions do not depend on the width laid out.
const TKbGeometry& Keyboard(TKeyboardKind kind) {
    static const TKbGeometry jis = LayoutKeyboard(0);
    static const TKbGeometry us = LayoutKeyboard(0, INT_MAX, {TKeyboardKind::Us});
    return kind == TKeyboardKind::Us ? us : jis;
}

} // namespace

TRgb ColorAt(double weakness) {
    constexpr int last = static_cast<int>(std::size(Stops)) - 1;
    const double at = std::clamp(std::isnan(weakness) ? 0.0 : weakness, 0.0, 1.0) * last;
    const int below = std::min(static_cast<int>(at), last - 1);
    const double part = at - below;
    auto mix = [part](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * part));
    };
    const TRgb& a = Stops[below];
    const TRgb& b = Stops[below + 1];
    return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)};
}

double ContrastRatio(TRgb a, TRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TRgb CaptionColorOn(TRgb fill) {
    return ContrastRatio(fill, PaneColors::Black) >= ContrastRatio(fill, PaneColors::White)
               ? PaneColors::Black
               : PaneColors::White;
}

double TScale::Weakness(double figure) const {
    if (Weak == Good || std::isnan(figure))
        return 0;
    return std::clamp((figure - Good) / (Weak - Good), 0.0, 1.0);
}

TScale AccuracyScale(double worst) {
    const double distance = std::clamp(1 - worst, 0.0, 1.0);
    double span = distance <= 0.3 ? CeilToStep(distance, 0.05) : CeilToStep(distance, 0.1);
    span = std::clamp(span, 0.05, 1.0);
    return {1, 1 - span};
}

TScale TimeScale(int fastest, int slowest) {
    const double good = std::floor(std::max(fastest, 0) / 50.0) * 50;
    double weak = std::ceil(std::max(slowest, 0) / 50.0) * 50;
    if (weak - good < 100)
        weak = good + 100;
    return {good, weak};
}

std::vector<UKanaAnalysis::TKeyFigure> PaintedKeyFigures(const std::vector<TKeyDay>& days,
                                                         int fromDay, TKeyboardKind kind) {
    const TKbGeometry& keyboard = Keyboard(kind);
    std::vector<TKeyDay> painted;
    painted.reserve(days.size());
    for (const TKeyDay& day : days) {
        if (day.Day < fromDay)
            continue;
        std::string key = day.Key;
        if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z')
            key[0] = static_cast<char>(key[0] - 'a' + 'A');
        int index = 0;
        if (key.empty() || !keyboard.FindKey(key, index))
            continue;
        if (!keyboard.IsPainted(index))
            key = keyboard.Keys[index].ShiftCaption;
        if (key.empty())
            continue;
        painted.push_back(day);
        painted.back().Key = std::move(key);
    }
    return UKanaAnalysis::KeyFigures(painted, fromDay);
}

TChartLayout ChartLayout(int width, int height) {
    // In cell widths and cell heights.
    constexpr double titleRatio = 0.9, sectionGapRatio = 0.3, columnGapRatio = 0.6;
    // A cell's width over its height at most, and its height over its width.
    constexpr double maxAspect = 2.4, maxTallness = 1.2;
    constexpr int margin = 8;
    struct TColumn {
        int Sections[3];
        int Count;
    };
    struct TArrangement {
        TColumn Columns[5];
        int Count;
    };
    constexpr TArrangement arrangements[] = {
        {{{{0, 4}, 2}, {{1, 3}, 2}, {{2, 5, 6}, 3}}, 3},
        {{{{0, 4}, 2}, {{1, 5, 6}, 3}, {{2}, 1}, {{3}, 1}}, 4},
        {{{{0}, 1}, {{1, 4}, 2}, {{2}, 1}, {{3}, 1}, {{5, 6}, 2}}, 5},
    };

    auto sectionOf = [](const TColumn& column, int i) -> const UKanaChart::TSection& {
        return UKanaChart::Sections[column.Sections[i]];
    };
    // A column's width in cells and its height in cell heights.
    auto cellsAcrossOf = [&](const TColumn& column) {
        int widest = 0;
        for (int i = 0; i < column.Count; ++i)
            widest = std::max(widest, sectionOf(column, i).Columns);
        return widest;
    };
    auto rowsDownOf = [&](const TColumn& column) {
        double rows = (column.Count - 1) * sectionGapRatio;
        for (int i = 0; i < column.Count; ++i)
            rows += titleRatio + sectionOf(column, i).RowCount;
        return rows;
    };

    // The cell size of an arrangement, before rounding.
    struct TFit {
        const TArrangement* Arrangement = nullptr;
        double CellWidth = 0, CellHeight = 0;
        double Size() const { return std::min(CellHeight, CellWidth); }
    };
    TFit best;
    for (const TArrangement& arrangement : arrangements) {
        double cellsAcross = (arrangement.Count - 1) * columnGapRatio, rowsDown = 0;
        for (int c = 0; c < arrangement.Count; ++c) {
            cellsAcross += cellsAcrossOf(arrangement.Columns[c]);
            rowsDown = std::max(rowsDown, rowsDownOf(arrangement.Columns[c]));
        }
        TFit fit{&arrangement, (width - 2 * margin) / cellsAcross,
                 (height - 2 * margin) / rowsDown};
        fit.CellWidth = std::min(fit.CellWidth, maxAspect * fit.CellHeight);
        fit.CellHeight = std::min(fit.CellHeight, maxTallness * fit.CellWidth);
        if (!best.Arrangement || fit.Size() > best.Size())
            best = fit;
    }

    TChartLayout layout;
    layout.CellHeight = static_cast<int>(best.CellHeight);
    layout.CellWidth =
        std::min(static_cast<int>(best.CellWidth), static_cast<int>(maxAspect * layout.CellHeight));
    if (layout.CellWidth < 4 || layout.CellHeight < 4)
        return layout;

    const TArrangement& arrangement = *best.Arrangement;
    const int cw = layout.CellWidth, ch = layout.CellHeight;
    const int columnGap = static_cast<int>(std::lround(columnGapRatio * cw));
    const int titleHeight = static_cast<int>(std::lround(titleRatio * ch));
    const int sectionGap = static_cast<int>(std::lround(sectionGapRatio * ch));
    int across = (arrangement.Count - 1) * columnGap;
    for (int c = 0; c < arrangement.Count; ++c)
        across += cellsAcrossOf(arrangement.Columns[c]) * cw;
    int x = std::max(margin, (width - across) / 2);
    for (int c = 0; c < arrangement.Count; ++c) {
        const TColumn& column = arrangement.Columns[c];
        int y = margin;
        for (int i = 0; i < column.Count; ++i) {
            const UKanaChart::TSection& section = sectionOf(column, i);
            layout.Titles.push_back({{x, y, section.Columns * cw, titleHeight}, section.Title});
            y += titleHeight;
            for (int r = 0; r < section.RowCount; ++r) {
                const UKanaChart::TRow& row = UKanaChart::Rows[section.FirstRow + r];
                for (int k = 0; k < section.Columns; ++k)
                    if (!row.Cells[k].empty())
                        layout.Cells.push_back({{x + k * cw, y + r * ch, cw, ch}, row.Cells[k]});
            }
            y += section.RowCount * ch;
            layout.Bottom = std::max(layout.Bottom, y);
            y += sectionGap;
        }
        x += cellsAcrossOf(column) * cw + columnGap;
    }
    return layout;
}

} // namespace UHeatMap
