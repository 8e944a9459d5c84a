// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include "romaji/UuKanaInput.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int X0 = 15; // left margin of the top row

// a / b to the nearest integer, a half to the even neighbour; b > 0. Done in integers because
// 1.3 * u in binary floating point is not exact: 1.3 * 15 must be the half 19.5, giving 20.
std::int32_t NearestDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b, r = a % b;
    if (r < 0) {
        q -= 1;
        r += b;
    }
    if (2 * r > b || (2 * r == b && q % 2 != 0))
        q += 1;
    return static_cast<std::int32_t>(q);
}

std::int32_t Nearest(double x) {
    return static_cast<std::int32_t>(std::nearbyint(x)); // the default mode: half to even
}

TKbRect KeyRect(std::int32_t left, std::int32_t top, std::int32_t unit, std::int32_t bottom) {
    return {left, top, left + unit - 5, bottom};
}

TKeyRec Record(std::string caption, TKbRect bounds) {
    TKeyRec key;
    key.Caption = std::move(caption);
    key.Bounds = bounds;
    return key;
}

// The records of `table` in their unsorted order: the keys row by row, the space bar, the
// characters typed with Shift (on the rectangles of their keys), the left and the right Shift.
TKeyRecs UnsortedKeys(const TKbTable& table, std::int32_t u) {
    TKeyRecs keys;
    keys.reserve(table.Kind == TKeyboardKind::Jis ? KeyCount : UsKeyCount);
    auto find = [&keys](std::string_view caption) -> TKeyRec& {
        return *std::find_if(keys.begin(), keys.end(),
                             [caption](const TKeyRec& key) { return key.Caption == caption; });
    };

    // The top row begins at X0; each lower row a third of a key further right, the bottom row
    // after a left Shift 1.3 keys wide; the US rows one key further still, after `.
    const std::int32_t indent = table.LetterRowsIndent * u;
    const std::int32_t wideKey = NearestDiv(13LL * u, 10); // 1.3 U
    const std::int32_t lefts[4] = {X0, X0 + u / 3 + indent, X0 + u / 3 + u / 3 + indent,
                                   wideKey + 10 + indent};
    const std::int32_t tops[4] = {10, u + 10, 2 * u + 10, 3 * u + 13};
    const std::int32_t bottoms[4] = {u + 5, 2 * u + 5, 3 * u + 5, 4 * u + 8};
    for (int row = 0; row < 4; ++row) {
        for (std::size_t i = 0; i < table.Rows[row].size(); ++i) {
            keys.push_back(Record(std::string(1, table.Rows[row][i]),
                                  KeyRect(lefts[row] + static_cast<std::int32_t>(i) * u, tops[row],
                                          u, bottoms[row])));
        }
    }
    const TKbRect first = find(table.Rows[3].substr(0, 1)).Bounds;
    const TKbRect last = find(table.Rows[3].substr(table.Rows[3].size() - 1)).Bounds;
    const std::size_t spaceBar = keys.size();
    keys.push_back(Record(" ", {}));

    // Shift on a key: its character takes the key's rectangle. A key whose Shift types nothing
    // (the JIS 0) still has a record of no caption there.
    const std::size_t firstShifted = keys.size();
    for (std::size_t i = 0; i < table.ShiftBases.size(); ++i) {
        const std::string base(1, table.ShiftBases[i]);
        const char result = table.ShiftResults[i];
        keys.push_back(Record(result == ' ' ? "" : std::string(1, result), find(base).Bounds));
        if (result != ' ') {
            keys.back().ShiftCaption = base;
            find(base).ShiftCaption = std::string(1, result);
        }
    }
    const std::size_t leftShift = keys.size();
    keys.push_back(Record("Shift", {5 + indent, first.Top, first.Left - 5, last.Bottom}));
    keys.push_back(
        Record("Shift", {last.Right + 5, first.Top, last.Right + 5 + wideKey, last.Bottom}));

    // Keys write their caption at the lower left, Shift a little further left.
    for (std::size_t i = 0; i < keys.size(); ++i) {
        TKeyRec& key = keys[i];
        if (i < spaceBar || i >= leftShift) {
            key.TextX = key.Bounds.Left + (i >= leftShift ? 2 : 4);
            key.TextY = key.Bounds.Bottom - u / 2 - 2;
        }
    }
    const std::int32_t spaceLeft = find("V").TextX;
    keys[spaceBar].Bounds = {spaceLeft, keys[leftShift].Bounds.Bottom + 8,
                             spaceLeft + NearestDiv(5LL * u, 2), last.Bottom + u + 8};

    // The shifted characters, the space bar and the keys typed with Shift write at the upper
    // middle of the key; those of the top row and the table's nearer ones 2 pixels left of it.
    for (std::size_t i = 0; i < keys.size(); ++i) {
        TKeyRec& key = keys[i];
        const bool ownShifted =
            i < spaceBar && table.ShiftedKeys.find(key.Caption) != std::string_view::npos;
        const bool shifted = i >= firstShifted && i < leftShift;
        if (!ownShifted && !shifted && i != spaceBar)
            continue;
        const bool nearer =
            shifted &&
            (table.Rows[0].find(table.ShiftBases[i - firstShifted]) != std::string_view::npos ||
             (!key.Caption.empty() &&
              table.NearerCaptions.find(key.Caption) != std::string_view::npos));
        key.TextX = key.Bounds.Left + u / 2 - (nearer ? 2 : 0);
        key.TextY = key.Bounds.Top + 2;
    }
    return keys;
}

// After sorting: the key each record lies on, the Shift it is typed with, and the kana legends.
void LinkKeys(TKbGeometry& g, const TKbTable& table) {
    for (int i = 0; i < g.Count(); ++i)
        g.Keys[i].Key = i;
    for (int i = 0; i < g.Count(); ++i) {
        TKeyRec& key = g.Keys[i];
        if (key.Caption.size() != 1)
            continue;
        const char c = key.Caption[0];
        if (table.ShiftedKeys.find(c) != std::string_view::npos) {
            key.Shift = g.ShiftKeyFor(c);
        } else if (std::size_t at = table.ShiftResults.find(c);
                   c != ' ' && at != std::string_view::npos) {
            key.Key = g.KeyAt(table.ShiftBases[at]);
            key.Shift = g.ShiftKeyFor(table.ShiftBases[at]);
        }
    }
    if (g.Style.Legends != TKeyLegends::Kana || table.Kind != TKeyboardKind::Jis)
        return;
    for (int i = 0; i < g.Count(); ++i) {
        TKeyRec& key = g.Keys[i];
        if (!g.IsPainted(i) || key.Caption.size() != 1 || key.Caption == " ")
            continue;
        key.Kana = KanaLegend({key.Caption[0], false});
        const std::string& shifted = KanaLegend({key.Caption[0], true});
        if (shifted != key.Kana)
            key.ShiftKana = shifted;
    }
}

} // namespace

bool TKbGeometry::FindKey(std::string_view caption, int& index) const {
    auto it =
        std::lower_bound(Keys.begin(), Keys.end(), caption,
                         [](const TKeyRec& key, std::string_view c) { return key.Caption < c; });
    index = static_cast<int>(it - Keys.begin());
    return it != Keys.end() && it->Caption == caption;
}

TKbPoint TKbGeometry::Centre(int index) const {
    const TKbRect& r = Keys[index].Bounds;
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

bool TKbGeometry::IsPainted(int index) const {
    return index >= 0 && index < Count() && Keys[index].Key == index;
}

bool TKbGeometry::IsShifted(int index) const {
    return index >= 0 && index < Count() && Keys[index].Shift >= 0;
}

int TKbGeometry::ShiftKeyOf(int index) const {
    return index >= 0 && index < Count() ? Keys[index].Shift : -1;
}

int TKbGeometry::KeyAt(char key) const {
    int index = 0;
    return key != 0 && FindKey(key, index) && IsPainted(index) ? index : -1;
}

int TKbGeometry::ShiftKeyFor(char key) const {
    const int finger = FingerOf(key);
    int left = 0;
    if (finger == 0 || !FindKey("Shift", left))
        return -1;
    // The left Shift sorts before the right one.
    return finger <= 4 ? left + 1 : left;
}

TKeyOutline KeyOutline(double scale) {
    // An oval of half axes 10 and 7, turned by 120 degrees.
    const double cos120 = -0.5, sin120 = std::numbers::sqrt3 / 2;
    TKeyOutline outline{};
    for (int i = 0; i <= 180; ++i) {
        double t = 2 * i * std::numbers::pi / 180;
        double x = 10 * std::cos(t), y = 7 * std::sin(t);
        outline[i] = {Nearest((x * cos120 - y * sin120) * scale),
                      Nearest((x * sin120 + y * cos120) * scale)};
    }
    return outline;
}

std::int32_t OutlineHeight(const TKeyOutline& outline) {
    auto [low, high] = std::minmax_element(outline.begin(), outline.end(),
                                           [](TKbPoint a, TKbPoint b) { return a.Y < b.Y; });
    return high->Y - low->Y;
}

double OutlineScale(std::int32_t unit) {
    // The height grows with the scale (every point rounds monotonically), so the first scale
    // step k of 1.6 + 0.1 k that is tall enough is found by doubling and then halving: a few
    // dozen outlines even for the widest paint box.
    auto scale = [](std::int64_t k) { return static_cast<double>(16 + k) / 10; };
    auto tallEnough = [&](std::int64_t k) { return OutlineHeight(KeyOutline(scale(k))) > unit; };
    if (tallEnough(0))
        return scale(0);
    std::int64_t low = 0, high = 1; // tallEnough(low) is false
    while (!tallEnough(high)) {
        low = high;
        high *= 2;
    }
    while (high - low > 1) {
        std::int64_t middle = low + (high - low) / 2;
        (tallEnough(middle) ? high : low) = middle;
    }
    return scale(high);
}

namespace {

TKbGeometry LayoutForUnit(std::int32_t u, TKeyboardStyle style) {
    TKbGeometry g;
    g.Style = style;
    g.Unit = u;

    // The caption font is set in points of a 96 dpi screen, whole points only: U div 2 pixels
    // become (U div 2) * 72 div 96 points, which are drawn this many pixels high.
    const std::int64_t points = static_cast<std::int64_t>(u / 2) * 72 / 96;
    g.FontPixels = std::max(1, NearestDiv(points * 96, 72));
    g.FontBold = g.FontPixels <= 22;
    g.LabelDy = 4 * (u / 3) + X0 + 10;

    g.OutlineScale = OutlineScale(u);
    g.Outline = KeyOutline(g.OutlineScale);

    const TKbTable& table = KbTable(style.Kind);
    g.Keys = UnsortedKeys(table, u);
    // Stable, so that the left Shift stays before the right one.
    std::stable_sort(g.Keys.begin(), g.Keys.end(),
                     [](const TKeyRec& a, const TKeyRec& b) { return a.Caption < b.Caption; });
    LinkKeys(g, table);
    return g;
}

} // namespace

std::int32_t KeyboardHeight(const TKbGeometry& g) {
    std::int32_t outlineBottom = 0;
    for (int i = 0; i <= 180; ++i)
        outlineBottom = std::max(outlineBottom, g.Outline[i].Y);
    std::int32_t bottom = 0;
    for (int i = 0; i < g.Count(); ++i) {
        if (!g.IsPainted(i))
            continue;
        const TKeyRec& key = g.Keys[i];
        bottom = std::max(bottom, g.Centre(i).Y + outlineBottom + 1);
        bottom = std::max(bottom, key.Bounds.Bottom);
    }
    for (const TFingerRow& row : KbTable(g.Style.Kind).Fingers) {
        int index = 0;
        if (g.FindKey(row.LabelKey, index))
            bottom = std::max(bottom, g.Keys[index].TextY + g.LabelDy + g.FontPixels * 5 / 4);
    }
    return bottom + 1;
}

int KeyboardWidth(TKeyboardKind kind, int unit) {
    return KbTable(kind).Columns * unit;
}

TKbGeometry LayoutKeyboard(int width, int height, TKeyboardStyle style) {
    const std::int32_t widest =
        std::clamp(width, 0, MaxKeyboardWidth) / KbTable(style.Kind).Columns;
    TKbGeometry g = LayoutForUnit(widest, style);
    if (KeyboardHeight(g) <= height)
        return g;
    // The height grows with the unit: the largest unit that fits is found by halving.
    std::int32_t low = 0, high = widest; // high does not fit
    while (high - low > 1) {
        std::int32_t middle = low + (high - low) / 2;
        (KeyboardHeight(LayoutForUnit(middle, style)) <= height ? low : high) = middle;
    }
    return LayoutForUnit(low, style);
}

bool IsShiftedKey(int index) {
    return (index >= 2 && index <= 12) || (index >= 29 && index <= 32) ||
           (index >= UnderscoreKey && index < KeyCount);
}

int ShiftKeyOf(int index) {
    if (!IsShiftedKey(index))
        return -1;
    return index <= 6 ? RightShiftKey : LeftShiftKey;
}

bool IsPaintedKey(int index) {
    return index >= 0 && index < KeyCount && (index == UnderscoreKey || !IsShiftedKey(index));
}
