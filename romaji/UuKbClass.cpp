// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The captions before sorting: the four rows and the space bar (positions 0-47), then the
// shifted characters (48-69; 57 is the shifted 0, which has none), then the two Shift keys.
constexpr std::string_view BaseCaptions = "1234567890-^\\QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./ ";
constexpr int TopRow = 0;     // 13 keys, 1 to the yen key
constexpr int SecondRow = 13; // 12 keys, Q to [
constexpr int HomeRow = 25;   // 12 keys, A to ]
constexpr int BottomRow = 37; // 10 keys, Z to /
constexpr int SpaceBar = 47;
constexpr int ShiftedTopRow = 48; // 13 characters, ! to |, the shifted top row
constexpr int ShiftedZero = 57;
constexpr int Underscore = 69;
constexpr int LeftShift = 70;
constexpr int RightShift = 71;

// The shifted characters in their unsorted order: what Shift gives on the keys of ShiftBases
// (Shift+"1" is "!"; the space stands for the 0 key, which gives nothing), then _, which has a
// key of its own.
constexpr std::string_view ShiftedCaptions = "!\"#$%&'() =~|`{+*}<>?_";
constexpr std::string_view ShiftBases = "1234567890-^\\@[;:],./";
constexpr std::string_view ShiftResults = ShiftedCaptions.substr(0, ShiftBases.size());

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

// Unsorted position of the record of `c`, a character of one of the two caption literals.
int PositionOf(char c) {
    std::size_t base = BaseCaptions.find(c);
    if (base != std::string_view::npos)
        return static_cast<int>(base);
    return ShiftedTopRow + static_cast<int>(ShiftedCaptions.find(c));
}

TKbRect KeyRect(std::int32_t left, std::int32_t top, std::int32_t unit, std::int32_t bottom) {
    return {left, top, left + unit - 5, bottom};
}

// The records in their unsorted order, with rectangles and caption positions.
TKeyRecs UnsortedKeys(std::int32_t u) {
    TKeyRecs keys;
    for (std::size_t i = 0; i < BaseCaptions.size(); ++i)
        keys[i].Caption = std::string(1, BaseCaptions[i]);
    for (std::size_t i = 0; i < ShiftedCaptions.size(); ++i)
        keys[ShiftedTopRow + i].Caption = std::string(1, ShiftedCaptions[i]);
    keys[ShiftedZero].Caption.clear();
    keys[LeftShift].Caption = keys[RightShift].Caption = "Shift";
    for (std::size_t i = 0; i < ShiftBases.size(); ++i) {
        if (ShiftResults[i] == ' ')
            continue;
        keys[PositionOf(ShiftBases[i])].ShiftCaption = std::string(1, ShiftResults[i]);
        keys[PositionOf(ShiftResults[i])].ShiftCaption = std::string(1, ShiftBases[i]);
    }

    const std::int32_t l1 = X0 + u / 3, l2 = l1 + u / 3;
    const std::int32_t wideKey = NearestDiv(13LL * u, 10); // 1.3 U
    const std::int32_t b = wideKey + 10;
    for (int i = 0; i < 13; ++i)
        keys[TopRow + i].Bounds = KeyRect(X0 + i * u, 10, u, u + 5);
    for (int i = 0; i < 12; ++i)
        keys[SecondRow + i].Bounds = KeyRect(l1 + i * u, u + 10, u, 2 * u + 5);
    for (int i = 0; i < 12; ++i)
        keys[HomeRow + i].Bounds = KeyRect(l2 + i * u, 2 * u + 10, u, 3 * u + 5);
    for (int i = 0; i < 11; ++i) {
        int position = i < 10 ? BottomRow + i : Underscore;
        keys[position].Bounds = KeyRect(b + i * u, 3 * u + 13, u, 4 * u + 8);
    }
    // Each shifted character takes the rectangle of its key; the shifted 0 has no character but
    // still lies on the 0 key.
    for (int i = ShiftedTopRow; i < Underscore; ++i) {
        char base = i == ShiftedZero ? '0' : keys[i].ShiftCaption[0];
        keys[i].Bounds = keys[PositionOf(base)].Bounds;
    }

    const TKbRect& underscore = keys[Underscore].Bounds;
    const std::int32_t shiftBottom = keys[PositionOf('.')].Bounds.Bottom;
    keys[LeftShift].Bounds = {5, underscore.Top, wideKey + 5, shiftBottom};
    keys[RightShift].Bounds = {underscore.Right + 5, underscore.Top, underscore.Right + 5 + wideKey,
                               shiftBottom};

    for (int i = 0; i < KeyCount; ++i) {
        TKeyRec& key = keys[i];
        if (i < SpaceBar || i >= LeftShift) {
            key.TextX = key.Bounds.Left + (i >= LeftShift ? 2 : 4);
            key.TextY = key.Bounds.Bottom - u / 2 - 2;
        }
    }
    const std::int32_t spaceLeft = keys[PositionOf('V')].TextX;
    keys[SpaceBar].Bounds = {spaceLeft, keys[LeftShift].Bounds.Bottom + 8,
                             spaceLeft + NearestDiv(5LL * u, 2), shiftBottom + u + 8};

    // The shifted characters, the space bar and _ write at the upper middle of the key.
    for (int i = SpaceBar; i < LeftShift; ++i) {
        TKeyRec& key = keys[i];
        bool nearer = (i >= ShiftedTopRow && i < ShiftedTopRow + 13) || key.Caption == "+" ||
                      key.Caption == "*";
        key.TextX = key.Bounds.Left + u / 2 - (nearer ? 2 : 0);
        key.TextY = key.Bounds.Top + 2;
    }
    return keys;
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

TKbGeometry LayoutForUnit(std::int32_t u) {
    TKbGeometry g;
    g.Unit = u;

    // The caption font is set in points of a 96 dpi screen, whole points only: U div 2 pixels
    // become (U div 2) * 72 div 96 points, which are drawn this many pixels high.
    const std::int64_t points = static_cast<std::int64_t>(u / 2) * 72 / 96;
    g.FontPixels = std::max(1, NearestDiv(points * 96, 72));
    g.FontBold = g.FontPixels <= 22;
    g.LabelDy = 4 * (u / 3) + X0 + 10;

    g.OutlineScale = OutlineScale(u);
    g.Outline = KeyOutline(g.OutlineScale);

    g.Keys = UnsortedKeys(u);
    // Stable, so that the left Shift stays before the right one.
    std::stable_sort(g.Keys.begin(), g.Keys.end(),
                     [](const TKeyRec& a, const TKeyRec& b) { return a.Caption < b.Caption; });
    return g;
}

} // namespace

std::int32_t KeyboardHeight(const TKbGeometry& g) {
    std::int32_t outlineBottom = 0;
    for (int i = 0; i <= 180; ++i)
        outlineBottom = std::max(outlineBottom, g.Outline[i].Y);
    std::int32_t bottom = 0;
    for (int i = 0; i < KeyCount; ++i) {
        if (!IsPaintedKey(i))
            continue;
        const TKeyRec& key = g.Keys[i];
        bottom = std::max(bottom, g.Centre(i).Y + outlineBottom + 1);
        bottom = std::max(bottom, key.Bounds.Bottom);
    }
    for (const TFingerRow& row : FingerRows) {
        int index = 0;
        if (g.FindKey(row.LabelKey, index))
            bottom = std::max(bottom, g.Keys[index].TextY + g.LabelDy + g.FontPixels * 5 / 4);
    }
    return bottom + 1;
}

TKbGeometry LayoutKeyboard(int width, int height) {
    const std::int32_t widest = std::clamp(width, 0, MaxKeyboardWidth) / 14;
    TKbGeometry g = LayoutForUnit(widest);
    if (KeyboardHeight(g) <= height)
        return g;
    // The height grows with the unit: the largest unit that fits is found by halving.
    std::int32_t low = 0, high = widest; // high does not fit
    while (high - low > 1) {
        std::int32_t middle = low + (high - low) / 2;
        (KeyboardHeight(LayoutForUnit(middle)) <= height ? low : high) = middle;
    }
    return LayoutForUnit(low);
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

int FingerOf(char c) {
    for (std::size_t i = 0; i < FingerRows.size(); ++i) {
        if (FingerRows[i].Chars.find(c) != std::string_view::npos)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

TFingerKind KindOf(int finger) {
    return FingerRows[std::clamp(finger, 1, 8) - 1].Kind;
}

TRgb KeyColor(std::string_view caption) {
    if (caption == " ")
        return FingerKinds[static_cast<int>(TFingerKind::Index)].Color;
    int finger = caption.size() == 1 ? FingerOf(caption[0]) : 0;
    if (finger == 0)
        return FingerKinds[static_cast<int>(TFingerKind::Little)].Color;
    return FingerKinds[static_cast<int>(KindOf(finger))].Color;
}
